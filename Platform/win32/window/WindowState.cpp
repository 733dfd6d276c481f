#include "win32/window/WindowState.h"

#include <atomic>

namespace vestra::win32 {

uintptr_t NewHandleValue() {
    // Above the 16-bit range so no handle can be mistaken for a resource id or an atom.
    static std::atomic<uintptr_t> next{0x10000};
    return next.fetch_add(4);
}

HandleTable<Window>& Windows() {
    static HandleTable<Window> windows;
    return windows;
}

std::vector<HWND>& AllWindows() {
    static std::vector<HWND> windows;
    return windows;
}

Window* FindWindowState(HWND handle) { return handle == nullptr ? nullptr : Windows().Find(handle); }

RECT FrameInsets(DWORD style, bool hasMenu) {
    RECT insets{};
    if ((style & WS_CHILD) != 0) {
        return insets;
    }
    LONG frame = 0;
    if ((style & WS_THICKFRAME) != 0) {
        frame = GetSystemMetrics(SM_CXSIZEFRAME);
    } else if ((style & WS_DLGFRAME) != 0) {
        frame = GetSystemMetrics(SM_CXDLGFRAME);
    } else if ((style & WS_BORDER) != 0) {
        frame = GetSystemMetrics(SM_CXBORDER);
    }
    insets = {frame, frame, frame, frame};
    if ((style & WS_CAPTION) == WS_CAPTION) {
        insets.top += GetSystemMetrics(SM_CYCAPTION);
    }
    if (hasMenu) {
        insets.top += GetSystemMetrics(SM_CYMENU);
    }
    return insets;
}

RECT ClientRectOnScreen(const Window& window) {
    const RECT insets = FrameInsets(window.style, window.menu != nullptr);
    RECT client{window.windowRect.left + insets.left, window.windowRect.top + insets.top,
                window.windowRect.right - insets.right, window.windowRect.bottom - insets.bottom};
    if (client.right < client.left) client.right = client.left;
    if (client.bottom < client.top) client.bottom = client.top;
    return client;
}

HWND& ForegroundWindowRef() {
    static HWND foreground = nullptr;
    return foreground;
}

HWND& FocusWindowRef() {
    static HWND focus = nullptr;
    return focus;
}

}  // namespace vestra::win32
