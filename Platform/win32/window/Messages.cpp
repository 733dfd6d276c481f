// The message loop: posting, sending, retrieval, translation, dispatch and the default
// window procedure.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "win32/window/HostDisplay.h"
#include "win32/window/KeyState.h"
#include "win32/window/MessageQueue.h"
#include "win32/window/WindowState.h"

using namespace vestra::win32;

namespace vestra::win32 {
namespace {

std::array<bool, 256>& KeysDown() {
    static std::array<bool, 256> keys{};
    return keys;
}

// Left and right variants report through the generic key as well.
int GenericKey(int key) {
    switch (key) {
        case VK_LSHIFT:
        case VK_RSHIFT: return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL: return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU: return VK_MENU;
        default: return key;
    }
}

}  // namespace

void TrackKeyMessage(const MSG& message) {
    const bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    const bool up = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
    if (!down && !up) return;
    const int key = static_cast<int>(message.wParam & 0xFF);
    KeysDown()[key] = down;
    KeysDown()[GenericKey(key)] = down;
}

bool IsKeyDown(int virtualKey) { return virtualKey >= 0 && virtualKey < 256 && KeysDown()[virtualKey]; }

}  // namespace vestra::win32

namespace {

MSG Stamp(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG posted{hWnd, message, wParam, lParam, GetTickCount(), {}};
    GetCursorPos(&posted.pt);
    return posted;
}

bool ValidFilterWindow(HWND hWnd) { return hWnd == nullptr || hWnd == reinterpret_cast<HWND>(-1) || IsWindow(hWnd); }

// The character a key-down produces on a US layout, 0 for none.
char CharacterFor(WPARAM key) {
    const bool shift = IsKeyDown(VK_SHIFT);
    if (key >= 'A' && key <= 'Z') return static_cast<char>(shift ? key : key - 'A' + 'a');
    if (key >= '0' && key <= '9' && !shift) return static_cast<char>(key);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return static_cast<char>('0' + key - VK_NUMPAD0);
    switch (key) {
        case VK_SPACE: return ' ';
        case VK_RETURN: return '\r';
        case VK_ESCAPE: return 0x1B;
        case VK_BACK: return 0x08;
        case VK_TAB: return '\t';
        default: return 0;
    }
}

constexpr LPARAM kAltDownBit = 1 << 29;

LRESULT HitTest(HWND hWnd, LPARAM lParam) {
    RECT windowRect;
    GetWindowRect(hWnd, &windowRect);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!PtInRect(&windowRect, point)) return HTNOWHERE;
    POINT client = point;
    ScreenToClient(hWnd, &client);
    RECT clientRect;
    GetClientRect(hWnd, &clientRect);
    if (PtInRect(&clientRect, client)) return HTCLIENT;
    return client.y < 0 ? HTCAPTION : HTNOWHERE;
}

}  // namespace

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd != nullptr && !IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    QueuePost(Stamp(hWnd, Msg, wParam, lParam));
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    const Window* window = FindWindowState(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return window->procedure(hWnd, Msg, wParam, lParam);
}

VOID WINAPI PostQuitMessage(int nExitCode) { QueuePostQuit(nExitCode); }

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    if (lpMsg == nullptr || !ValidFilterWindow(hWnd)) {
        SetLastError(lpMsg == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    HostPumpEvents();
    const bool remove = (wRemoveMsg & PM_REMOVE) != 0;
    if (!QueueTake(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove)) return FALSE;
    if (remove) TrackKeyMessage(*lpMsg);
    return TRUE;
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (lpMsg == nullptr || !ValidFilterWindow(hWnd)) {
        SetLastError(lpMsg == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    for (;;) {
        HostPumpEvents();
        if (QueueTake(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) break;
        // With a display, events arrive through polling rather than through the queue.
        QueueWait(HostHasDisplay() ? 10 : -1);
    }
    TrackKeyMessage(*lpMsg);
    return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI WaitMessage(void) {
    MSG ignored;
    while (!PeekMessageA(&ignored, nullptr, 0, 0, PM_NOREMOVE)) QueueWait(HostHasDisplay() ? 10 : -1);
    return TRUE;
}

BOOL WINAPI TranslateMessage(CONST MSG* lpMsg) {
    if (lpMsg == nullptr) return FALSE;
    const bool system = lpMsg->message == WM_SYSKEYDOWN;
    if (lpMsg->message != WM_KEYDOWN && !system) {
        return lpMsg->message == WM_KEYUP || lpMsg->message == WM_SYSKEYUP ? TRUE : FALSE;
    }
    const char character = CharacterFor(lpMsg->wParam);
    if (character != 0) {
        PostMessageA(lpMsg->hwnd, system ? WM_SYSCHAR : WM_CHAR, static_cast<unsigned char>(character),
                     lpMsg->lParam);
    }
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(CONST MSG* lpMsg) {
    if (lpMsg == nullptr || lpMsg->hwnd == nullptr) return 0;
    return SendMessageA(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return lpPrevWndFunc == nullptr ? 0 : lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

SHORT WINAPI GetKeyState(int nVirtKey) { return IsKeyDown(nVirtKey) ? static_cast<SHORT>(0x8000) : 0; }
SHORT WINAPI GetAsyncKeyState(int vKey) { return GetKeyState(vKey); }

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindowState(hWnd);
    if (window == nullptr) return 0;
    switch (Msg) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            if (create != nullptr && create->lpszName != nullptr) window->text = create->lpszName;
            return TRUE;
        }
        case WM_CLOSE:
            DestroyWindow(hWnd);
            return 0;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_CLOSE: SendMessageA(hWnd, WM_CLOSE, 0, 0); break;
                case SC_MINIMIZE: ShowWindow(hWnd, SW_MINIMIZE); break;
                case SC_MAXIMIZE: ShowWindow(hWnd, SW_MAXIMIZE); break;
                case SC_RESTORE: ShowWindow(hWnd, SW_RESTORE); break;
                default: break;
            }
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (lParam & kAltDownBit) != 0) SendMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        case WM_SETTEXT:
            window->text = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
            return TRUE;
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<LPSTR>(lParam);
            if (buffer == nullptr || wParam == 0) return 0;
            const size_t count = std::min<size_t>(window->text.size(), wParam - 1);
            std::memcpy(buffer, window->text.data(), count);
            buffer[count] = '\0';
            return static_cast<LRESULT>(count);
        }
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(window->text.size());
        case WM_ERASEBKGND: return 1;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && window->windowClass->cursor != nullptr) {
                SetCursor(window->windowClass->cursor);
                return TRUE;
            }
            return FALSE;
        case WM_NCHITTEST: return HitTest(hWnd, lParam);
        default: return 0;
    }
}
