// Window classes, window creation and destruction, geometry, styles and long values.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "win32/CaseInsensitive.h"
#include "win32/window/HostDisplay.h"
#include "win32/window/MessageQueue.h"
#include "win32/window/WindowState.h"

using namespace vestra::win32;

namespace vestra::win32 {

HandleTable<WindowClass>& WindowClasses() {
    static HandleTable<WindowClass> classes;
    return classes;
}

}  // namespace vestra::win32

namespace {

std::string UpperName(LPCSTR name) {
    std::string upper;
    for (const char* c = name; *c != '\0'; ++c) upper.push_back(ToUpperAscii(*c));
    return upper;
}

// Class atoms are the registration order from 0xC000, as Win32 hands them out.
std::map<ATOM, std::string>& AtomNames() {
    static std::map<ATOM, std::string> names;
    return names;
}
std::map<std::string, WindowClass*>& ClassesByName() {
    static std::map<std::string, WindowClass*> classes;
    return classes;
}

WindowClass* FindClass(LPCSTR nameOrAtom) {
    if (nameOrAtom == nullptr) return nullptr;
    std::string name;
    if (IS_INTRESOURCE(nameOrAtom)) {
        const auto atom = AtomNames().find(LOWORD(nameOrAtom));
        if (atom == AtomNames().end()) return nullptr;
        name = atom->second;
    } else {
        name = UpperName(nameOrAtom);
    }
    const auto found = ClassesByName().find(name);
    return found == ClassesByName().end() ? nullptr : found->second;
}

ATOM Register(const WNDCLASSEXA& description) {
    if (description.lpszClassName == nullptr || description.lpfnWndProc == nullptr ||
        IS_INTRESOURCE(description.lpszClassName) || description.lpszClassName[0] == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string name = UpperName(description.lpszClassName);
    if (ClassesByName().count(name) != 0) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    static ATOM nextAtom = 0xC000;
    auto windowClass = std::make_unique<WindowClass>();
    windowClass->name = name;
    windowClass->instance = description.hInstance;
    windowClass->style = description.style;
    windowClass->procedure = description.lpfnWndProc;
    windowClass->icon = description.hIcon;
    windowClass->cursor = description.hCursor;
    windowClass->background = description.hbrBackground;
    WindowClass* stored = windowClass.get();
    WindowClasses().Insert<HANDLE>(std::move(windowClass));
    ClassesByName()[name] = stored;
    const ATOM atom = nextAtom++;
    AtomNames()[atom] = name;
    return atom;
}

bool IsTopLevel(const Window& window) { return (window.style & WS_CHILD) == 0; }

// A window-relative position is in the parent's client coordinates for children.
POINT ParentOrigin(const Window& window) {
    if (!IsTopLevel(window)) {
        if (const Window* parent = FindWindowState(window.parent)) {
            const RECT client = ClientRectOnScreen(*parent);
            return {client.left, client.top};
        }
    }
    return {0, 0};
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND handle : AllWindows()) {
        const Window* window = FindWindowState(handle);
        if (window != nullptr && window->parent == parent && (window->style & WS_CHILD) != 0) {
            children.push_back(handle);
        }
    }
    return children;
}

WPARAM SizeKind(const Window& window) {
    if ((window.style & WS_MINIMIZE) != 0) return SIZE_MINIMIZED;
    if ((window.style & WS_MAXIMIZE) != 0) return SIZE_MAXIMIZED;
    return SIZE_RESTORED;
}

}  // namespace

namespace vestra::win32 {

void SendSizeAndMove(Window& window) {
    const HWND handle = window.handle;
    RECT client = ClientRectOnScreen(window);
    const POINT origin = ParentOrigin(window);
    const WPARAM kind = SizeKind(window);
    const LPARAM size = kind == SIZE_MINIMIZED ? 0 : MAKELPARAM(client.right - client.left, client.bottom - client.top);
    SendMessageA(handle, WM_SIZE, kind, size);
    if (FindWindowState(handle) != nullptr) {
        SendMessageA(handle, WM_MOVE, 0, MAKELPARAM(client.left - origin.x, client.top - origin.y));
    }
}

}  // namespace vestra::win32

ATOM WINAPI RegisterClassA(CONST WNDCLASSA* lpWndClass) {
    if (lpWndClass == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEXA description{sizeof(WNDCLASSEXA), lpWndClass->style, lpWndClass->lpfnWndProc, lpWndClass->cbClsExtra,
                            lpWndClass->cbWndExtra, lpWndClass->hInstance, lpWndClass->hIcon, lpWndClass->hCursor,
                            lpWndClass->hbrBackground, lpWndClass->lpszMenuName, lpWndClass->lpszClassName, nullptr};
    EnsureSystemClasses();
    return Register(description);
}

ATOM WINAPI RegisterClassExA(CONST WNDCLASSEXA* lpWndClass) {
    if (lpWndClass == nullptr || lpWndClass->cbSize != sizeof(WNDCLASSEXA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    EnsureSystemClasses();
    return Register(*lpWndClass);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE) {
    WindowClass* windowClass = FindClass(lpClassName);
    if (windowClass == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    for (HWND handle : AllWindows()) {
        if (FindWindowState(handle)->windowClass == windowClass) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
    }
    // The record stays allocated (WindowClasses keeps it) so nothing dangles; only the name goes.
    ClassesByName().erase(windowClass->name);
    return TRUE;
}

BOOL WINAPI GetClassInfoA(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
    EnsureSystemClasses();
    const WindowClass* windowClass = FindClass(lpClassName);
    if (windowClass == nullptr || lpWndClass == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *lpWndClass = WNDCLASSA{windowClass->style, windowClass->procedure, 0, 0, hInstance, windowClass->icon,
                            windowClass->cursor, windowClass->background, nullptr, lpClassName};
    return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                            LPVOID lpParam) {
    EnsureSystemClasses();
    const WindowClass* windowClass = FindClass(lpClassName);
    if (windowClass == nullptr) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    const bool child = (dwStyle & WS_CHILD) != 0;
    if ((child && FindWindowState(hWndParent) == nullptr) || (hWndParent != nullptr && !IsWindow(hWndParent))) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (!child && (dwStyle & WS_POPUP) == 0) {
        // Overlapped windows always have a caption, as Win32 gives them.
        dwStyle |= WS_CAPTION | WS_CLIPSIBLINGS;
    }
    auto state = std::make_unique<Window>();
    state->windowClass = windowClass;
    state->procedure = windowClass->procedure;
    state->instance = hInstance;
    state->parent = hWndParent;
    state->style = dwStyle & ~WS_VISIBLE;
    state->exStyle = dwExStyle;
    if (child) {
        state->id = static_cast<int>(reinterpret_cast<intptr_t>(hMenu));
    } else {
        state->menu = hMenu;
    }
    if (X == CW_USEDEFAULT) X = Y = 0;
    if (nWidth == CW_USEDEFAULT) {
        nWidth = 640;
        nHeight = 480;
    }
    const HWND handle = Windows().Insert<HWND>(std::move(state));
    Window* window = FindWindowState(handle);
    window->handle = handle;
    AllWindows().push_back(handle);
    const POINT origin = ParentOrigin(*window);
    window->windowRect = {origin.x + X, origin.y + Y, origin.x + X + std::max(nWidth, 0),
                          origin.y + Y + std::max(nHeight, 0)};
    window->normalRect = window->windowRect;

    CREATESTRUCTA create{lpParam, hInstance, hMenu, hWndParent, nHeight, nWidth, Y, X,
                         static_cast<LONG>(dwStyle), lpWindowName, lpClassName, dwExStyle};
    if (!child) {
        MINMAXINFO limits{};
        const SIZE screen = HostScreenSize();
        limits.ptMaxSize = {screen.cx, screen.cy};
        limits.ptMaxTrackSize = {screen.cx, screen.cy};
        limits.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
        SendMessageA(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    }
    if (SendMessageA(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) == FALSE) {
        DestroyWindow(handle);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (window->text.empty() && lpWindowName != nullptr) window->text = lpWindowName;
    RECT proposed = window->windowRect;
    SendMessageA(handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&proposed));
    if (SendMessageA(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!child) HostCreateWindow(*window);
    SendSizeAndMove(*window);
    if (!IsWindow(handle)) return nullptr;
    if ((dwStyle & WS_VISIBLE) != 0) {
        ShowWindow(handle, (dwStyle & WS_MAXIMIZE) != 0 ? SW_SHOWMAXIMIZED : SW_SHOW);
    }
    return IsWindow(handle) ? handle : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    Window* window = FindWindowState(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window->destroying) return TRUE;
    window->destroying = true;
    window->style &= ~WS_VISIBLE;
    HostDestroyWindow(*window);
    SendMessageA(hWnd, WM_DESTROY, 0, 0);
    for (HWND child : ChildrenOf(hWnd)) DestroyWindow(child);
    SendMessageA(hWnd, WM_NCDESTROY, 0, 0);
    window = FindWindowState(hWnd);
    if (window->menu != nullptr && IsTopLevel(*window)) DestroyMenu(window->menu);
    if (ForegroundWindowRef() == hWnd) ForegroundWindowRef() = nullptr;
    if (FocusWindowRef() == hWnd) FocusWindowRef() = nullptr;
    QueueDiscardFor(hWnd);
    std::erase(AllWindows(), hWnd);
    Windows().Erase(hWnd);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd) { return FindWindowState(hWnd) != nullptr ? TRUE : FALSE; }

HWND WINAPI GetParent(HWND hWnd) {
    const Window* window = FindWindowState(hWnd);
    return window == nullptr ? nullptr : window->parent;
}

namespace {

// GWL_ indices that hold pointers do not fit a 32-bit LONG on a 64-bit host; as on 64-bit
// Windows they are refused by the LONG functions and served by the LONG_PTR ones.
bool IsPointerIndex(int index) { return index == GWL_WNDPROC || index == GWL_HINSTANCE || index == GWL_HWNDPARENT; }

bool ReadLong(const Window& window, int index, LONG_PTR* value) {
    switch (index) {
        case GWL_WNDPROC: *value = reinterpret_cast<LONG_PTR>(window.procedure); return true;
        case GWL_HINSTANCE: *value = reinterpret_cast<LONG_PTR>(window.instance); return true;
        case GWL_HWNDPARENT: *value = reinterpret_cast<LONG_PTR>(window.parent); return true;
        case GWL_ID: *value = window.id; return true;
        case GWL_STYLE: *value = static_cast<LONG>(window.style); return true;
        case GWL_EXSTYLE: *value = static_cast<LONG>(window.exStyle); return true;
        case GWL_USERDATA: *value = window.userData; return true;
        case DWLP_MSGRESULT:
            if (window.dialogProcedure == nullptr) return false;
            *value = window.dialogMessageResult;
            return true;
        default: return false;
    }
}

bool WriteLong(Window& window, int index, LONG_PTR value) {
    switch (index) {
        case GWL_WNDPROC:
            if (value == 0) return false;
            window.procedure = reinterpret_cast<WNDPROC>(value);
            return true;
        case GWL_HINSTANCE: window.instance = reinterpret_cast<HINSTANCE>(value); return true;
        case GWL_HWNDPARENT: window.parent = reinterpret_cast<HWND>(value); return true;
        case GWL_ID: window.id = static_cast<int>(value); return true;
        case GWL_STYLE: window.style = static_cast<DWORD>(value); return true;
        case GWL_EXSTYLE: window.exStyle = static_cast<DWORD>(value); return true;
        case GWL_USERDATA: window.userData = value; return true;
        case DWLP_MSGRESULT:
            if (window.dialogProcedure == nullptr) return false;
            window.dialogMessageResult = value;
            return true;
        default: return false;
    }
}

LONG_PTR GetLongValue(HWND hWnd, int index, bool pointerForm) {
    const Window* window = FindWindowState(hWnd);
    LONG_PTR value = 0;
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if ((!pointerForm && IsPointerIndex(index)) || !ReadLong(*window, index, &value)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return value;
}

LONG_PTR SetLongValue(HWND hWnd, int index, LONG_PTR value, bool pointerForm) {
    Window* window = FindWindowState(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    LONG_PTR previous = 0;
    if ((!pointerForm && IsPointerIndex(index)) || !ReadLong(*window, index, &previous) ||
        !WriteLong(*window, index, value)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    // A zero previous value is told apart from failure by the last error, as in Win32.
    SetLastError(ERROR_SUCCESS);
    if (index == GWL_STYLE) HostSyncWindow(*window);
    return previous;
}

}  // namespace

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) { return static_cast<LONG>(GetLongValue(hWnd, nIndex, false)); }
LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    return static_cast<LONG>(SetLongValue(hWnd, nIndex, dwNewLong, false));
}
LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) { return GetLongValue(hWnd, nIndex, true); }
LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return SetLongValue(hWnd, nIndex, dwNewLong, true);
}

ULONG_PTR WINAPI GetClassLongPtrA(HWND hWnd, int nIndex) {
    const Window* window = FindWindowState(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (nIndex == GCLP_HCURSOR) return reinterpret_cast<ULONG_PTR>(window->windowClass->cursor);
    if (nIndex == GCLP_HICON) return reinterpret_cast<ULONG_PTR>(window->windowClass->icon);
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

DWORD WINAPI GetClassLongA(HWND hWnd, int nIndex) { return static_cast<DWORD>(GetClassLongPtrA(hWnd, nIndex)); }

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
    Window* window = FindWindowState(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    WINDOWPOS position{hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags};
    if ((uFlags & SWP_NOSENDCHANGING) == 0) {
        SendMessageA(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
        if ((window = FindWindowState(hWnd)) == nullptr) return FALSE;
    }
    const RECT oldClient = ClientRectOnScreen(*window);
    const POINT origin = ParentOrigin(*window);
    RECT& rect = window->windowRect;
    if ((uFlags & SWP_NOMOVE) == 0) {
        OffsetRect(&rect, origin.x + position.x - rect.left, origin.y + position.y - rect.top);
    }
    if ((uFlags & SWP_NOSIZE) == 0) {
        rect.right = rect.left + std::max(position.cx, 0);
        rect.bottom = rect.top + std::max(position.cy, 0);
    }
    if ((uFlags & SWP_NOZORDER) == 0) {
        if (hWndInsertAfter == HWND_TOPMOST) window->exStyle |= WS_EX_TOPMOST;
        if (hWndInsertAfter == HWND_NOTOPMOST) window->exStyle &= ~WS_EX_TOPMOST;
    }
    if ((uFlags & SWP_SHOWWINDOW) != 0) window->style |= WS_VISIBLE;
    if ((uFlags & SWP_HIDEWINDOW) != 0) window->style &= ~WS_VISIBLE;
    if ((window->style & (WS_MINIMIZE | WS_MAXIMIZE)) == 0) window->normalRect = rect;
    HostSyncWindow(*window);
    SendMessageA(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    if ((window = FindWindowState(hWnd)) == nullptr) return TRUE;
    const RECT newClient = ClientRectOnScreen(*window);
    if (!EqualRect(&oldClient, &newClient) || (uFlags & SWP_FRAMECHANGED) != 0) SendSizeAndMove(*window);
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL) {
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    Window* window = FindWindowState(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const BOOL wasVisible = (window->style & WS_VISIBLE) != 0 ? TRUE : FALSE;
    const DWORD oldState = window->style & (WS_MINIMIZE | WS_MAXIMIZE);
    switch (nCmdShow) {
        case SW_HIDE:
            if (wasVisible) SendMessageA(hWnd, WM_SHOWWINDOW, FALSE, 0);
            if ((window = FindWindowState(hWnd)) == nullptr) return wasVisible;
            window->style &= ~WS_VISIBLE;
            HostSyncWindow(*window);
            return wasVisible;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
            window->style = (window->style & ~WS_MAXIMIZE) | WS_MINIMIZE;
            break;
        case SW_SHOWMAXIMIZED: {
            window->style = (window->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
            // Maximised: the client area fills the screen, the frame lies outside it.
            const SIZE screen = HostScreenSize();
            RECT full{0, 0, screen.cx, screen.cy};
            AdjustWindowRectEx(&full, window->style, window->menu != nullptr, window->exStyle);
            window->windowRect = full;
            break;
        }
        case SW_RESTORE:
        case SW_SHOWNORMAL:
            if (oldState != 0) {
                window->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
                window->windowRect = window->normalRect;
            }
            break;
        default:
            break;
    }
    if (!wasVisible) {
        SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
        if ((window = FindWindowState(hWnd)) == nullptr) return wasVisible;
    }
    window->style |= WS_VISIBLE;
    if (IsTopLevel(*window) && nCmdShow != SW_SHOWNOACTIVATE && nCmdShow != SW_SHOWNA &&
        nCmdShow != SW_SHOWMINNOACTIVE && (window->style & WS_MINIMIZE) == 0) {
        SetForegroundWindow(hWnd);
    }
    HostSyncWindow(*window);
    if ((window->style & (WS_MINIMIZE | WS_MAXIMIZE)) != oldState) SendSizeAndMove(*window);
    return wasVisible;
}

BOOL WINAPI IsIconic(HWND hWnd) {
    const Window* window = FindWindowState(hWnd);
    return window != nullptr && (window->style & WS_MINIMIZE) != 0 ? TRUE : FALSE;
}

BOOL WINAPI IsZoomed(HWND hWnd) {
    const Window* window = FindWindowState(hWnd);
    return window != nullptr && (window->style & WS_MAXIMIZE) != 0 ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
    for (const Window* window = FindWindowState(hWnd); window != nullptr; window = FindWindowState(window->parent)) {
        if ((window->style & WS_VISIBLE) == 0) return FALSE;
        if (IsTopLevel(*window)) return TRUE;
    }
    return FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    const Window* window = FindWindowState(hWnd);
    return window != nullptr && (window->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    Window* window = FindWindowState(hWnd);
    if (window == nullptr) return FALSE;
    const BOOL wasDisabled = (window->style & WS_DISABLED) != 0 ? TRUE : FALSE;
    if (bEnable) {
        window->style &= ~WS_DISABLED;
    } else {
        window->style |= WS_DISABLED;
    }
    if (wasDisabled != !bEnable) SendMessageA(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL WINAPI UpdateWindow(HWND hWnd) { return IsWindow(hWnd); }

BOOL WINAPI InvalidateRect(HWND hWnd, CONST RECT*, BOOL) {
    return hWnd == nullptr || IsWindow(hWnd) ? TRUE : FALSE;
}

BOOL WINAPI ValidateRect(HWND hWnd, CONST RECT*) { return hWnd == nullptr || IsWindow(hWnd) ? TRUE : FALSE; }

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    if (!IsWindow(hWnd) || lpPaint == nullptr) return nullptr;
    *lpPaint = PAINTSTRUCT{};
    lpPaint->hdc = GetDC(hWnd);
    GetClientRect(hWnd, &lpPaint->rcPaint);
    return lpPaint->hdc;
}

BOOL WINAPI EndPaint(HWND hWnd, CONST PAINTSTRUCT* lpPaint) {
    if (lpPaint != nullptr) ReleaseDC(hWnd, lpPaint->hdc);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    const Window* window = FindWindowState(hWnd);
    if (window == nullptr || lpRect == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if ((window->style & WS_MINIMIZE) != 0) {
        *lpRect = RECT{};
        return TRUE;
    }
    const RECT client = ClientRectOnScreen(*window);
    *lpRect = RECT{0, 0, client.right - client.left, client.bottom - client.top};
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    const Window* window = FindWindowState(hWnd);
    if (window == nullptr || lpRect == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *lpRect = window->windowRect;
    return TRUE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD) {
    if (lpRect == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const RECT insets = FrameInsets(dwStyle, bMenu != FALSE);
    lpRect->left -= insets.left;
    lpRect->top -= insets.top;
    lpRect->right += insets.right;
    lpRect->bottom += insets.bottom;
    return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu) {
    return AdjustWindowRectEx(lpRect, dwStyle, bMenu, 0);
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    const Window* window = FindWindowState(hWnd);
    if (window == nullptr || lpPoint == nullptr) return FALSE;
    const RECT client = ClientRectOnScreen(*window);
    lpPoint->x += client.left;
    lpPoint->y += client.top;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    const Window* window = FindWindowState(hWnd);
    if (window == nullptr || lpPoint == nullptr) return FALSE;
    const RECT client = ClientRectOnScreen(*window);
    lpPoint->x -= client.left;
    lpPoint->y -= client.top;
    return TRUE;
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString != nullptr ? lpString : "")) != 0
               ? TRUE
               : FALSE;
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (!IsWindow(hWnd) || lpString == nullptr || nMaxCount <= 0) {
        if (lpString != nullptr && nMaxCount > 0) lpString[0] = '\0';
        return 0;
    }
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                         reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthA(HWND hWnd) {
    return IsWindow(hWnd) ? static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

HWND WINAPI GetForegroundWindow(void) { return ForegroundWindowRef(); }

BOOL WINAPI SetForegroundWindow(HWND hWnd) {
    if (!IsWindow(hWnd)) return FALSE;
    const HWND previous = ForegroundWindowRef();
    if (previous == hWnd) return TRUE;
    ForegroundWindowRef() = hWnd;
    // A control of the window keeps the focus it was given (a dialog's first control).
    if (GetParent(FocusWindowRef()) != hWnd) FocusWindowRef() = hWnd;
    HostActivateWindow(*FindWindowState(hWnd));
    if (previous == nullptr) SendMessageA(hWnd, WM_ACTIVATEAPP, TRUE, 0);
    if (IsWindow(hWnd)) SendMessageA(hWnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    return TRUE;
}

HWND WINAPI GetActiveWindow(void) { return ForegroundWindowRef(); }

HWND WINAPI SetActiveWindow(HWND hWnd) {
    const HWND previous = ForegroundWindowRef();
    return SetForegroundWindow(hWnd) ? previous : nullptr;
}

HWND WINAPI GetFocus(void) { return FocusWindowRef(); }

HWND WINAPI SetFocus(HWND hWnd) {
    const HWND previous = FocusWindowRef();
    if (hWnd != nullptr && !IsWindow(hWnd)) return nullptr;
    FocusWindowRef() = hWnd;
    return previous;
}

HWND WINAPI GetDesktopWindow(void) {
    // A fixed value no window handle takes (handles start above 0xFFFF).
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x10));
}

int WINAPI GetSystemMetrics(int nIndex) {
    const SIZE screen = HostScreenSize();
    switch (nIndex) {
        case SM_CXSCREEN:
        case SM_CXFULLSCREEN:
        case SM_CXMAXTRACK:
            return screen.cx;
        case SM_CYSCREEN:
        case SM_CYMAXTRACK:
            return screen.cy;
        case SM_CYFULLSCREEN: return screen.cy - 19;
        case SM_CXMAXIMIZED: return screen.cx + 8;
        case SM_CYMAXIMIZED: return screen.cy + 8;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL: return 16;
        case SM_CYCAPTION:
        case SM_CYMENU: return 19;
        case SM_CXBORDER:
        case SM_CYBORDER: return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME: return 3;
        case SM_CXSIZEFRAME:
        case SM_CYSIZEFRAME: return 4;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR: return 32;
        case SM_CXSMICON:
        case SM_CYSMICON: return 16;
        case SM_CXMIN: return 112;
        case SM_CYMIN: return 27;
        case SM_CXMINTRACK: return 112;
        case SM_CYMINTRACK: return 27;
        case SM_CMONITORS: return 1;
        default: return 0;
    }
}
