// The window manager's state: window classes, windows and the handle values behind HWND,
// HMENU, HACCEL, HCURSOR and HBITMAP. Like Win32 windows, it belongs to the thread that
// creates the windows; only the message queue may be reached from other threads.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vestra::win32 {

// Distinct, never reused handle values for every kind of window-system object, so a stale
// or foreign handle is recognised instead of reaching another object.
uintptr_t NewHandleValue();

template <typename T>
class HandleTable {
public:
    template <typename Handle>
    Handle Insert(std::unique_ptr<T> item) {
        const uintptr_t value = NewHandleValue();
        items_[value] = std::move(item);
        return reinterpret_cast<Handle>(value);
    }
    template <typename Handle>
    T* Find(Handle handle) const {
        const auto found = items_.find(reinterpret_cast<uintptr_t>(handle));
        return found == items_.end() ? nullptr : found->second.get();
    }
    template <typename Handle>
    bool Erase(Handle handle) {
        return items_.erase(reinterpret_cast<uintptr_t>(handle)) != 0;
    }

private:
    std::map<uintptr_t, std::unique_ptr<T>> items_;
};

struct WindowClass {
    std::string name;  // upper-cased: class names compare case-insensitively
    HINSTANCE instance = nullptr;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

struct ComboItem {
    std::string text;
    LPARAM data = 0;
};

struct Window {
    HWND handle = nullptr;
    const WindowClass* windowClass = nullptr;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    HWND parent = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR userData = 0;
    int id = 0;
    HMENU menu = nullptr;
    std::string text;
    RECT windowRect{};  // screen coordinates, frame included
    RECT normalRect{};  // where SW_RESTORE puts a minimised or maximised window
    bool destroying = false;
    // Controls.
    int controlKind = -1;  // a VestraControlKind, -1 for ordinary windows
    WORD group = 0;
    UINT checkState = BST_UNCHECKED;
    std::vector<ComboItem> comboItems;
    int comboSelection = CB_ERR;
    // Dialogs.
    DLGPROC dialogProcedure = nullptr;
    LONG_PTR dialogMessageResult = 0;
    bool dialogEnded = false;
    INT_PTR dialogResult = 0;
    // The real window behind it when there is a display (an SDL_Window*).
    void* hostWindow = nullptr;
};

HandleTable<Window>& Windows();
HandleTable<WindowClass>& WindowClasses();
Window* FindWindowState(HWND handle);
// Every live window in creation order.
std::vector<HWND>& AllWindows();

// Frame thickness around the client area, fixed so layouts are the same on every host:
// WS_THICKFRAME 4 pixels, else WS_DLGFRAME 3, else WS_BORDER 1; a caption (WS_CAPTION)
// adds 19 pixels on top and a menu 19 more; WS_CHILD windows have no frame.
RECT FrameInsets(DWORD style, bool hasMenu);
RECT ClientRectOnScreen(const Window& window);

// Sends WM_SIZE and WM_MOVE describing the window's current client area.
void SendSizeAndMove(Window& window);

// Registers BUTTON, COMBOBOX, STATIC and the dialog class on first use.
void EnsureSystemClasses();

// The window the next keyboard input goes to, and the foreground (active) window.
HWND& ForegroundWindowRef();
HWND& FocusWindowRef();

}  // namespace vestra::win32
