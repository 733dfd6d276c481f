#include "win32/window/HostDisplay.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "PlatformWindowing.h"
#include "win32/window/Cursors.h"
#include "win32/window/DialogPainter.h"

namespace vestra::win32 {
namespace {

constexpr DWORD kFormatX8R8G8B8 = 22;
constexpr DWORD kFormatR5G6B5 = 23;

bool DetectDisplay() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver != nullptr && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0)) {
        return false;
    }
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((x11 == nullptr || x11[0] == '\0') && (wayland == nullptr || wayland[0] == '\0')) return false;
    // A click that activates a Win32 window still reaches it (WM_MOUSEACTIVATE answers
    // MA_ACTIVATE by default); SDL would otherwise drop a click that closely follows focus.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Ctrl+C and SIGTERM end the process as they end any program (and as a console
    // interrupt ends a Windows program), rather than becoming an event no window receives.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

std::map<Uint32, HWND>& WindowsById() {
    static std::map<Uint32, HWND> windows;
    return windows;
}

SDL_Window* Host(const Window& window) { return static_cast<SDL_Window*>(window.hostWindow); }

// Set while an SDL event is being turned into Win32 state, so that the state change does
// not travel back to the SDL window it came from.
bool g_applyingEvent = false;

// A visible top-level pop-up without a caption is a fullscreen window.
bool WantsFullscreen(const Window& window) {
    return (window.style & WS_POPUP) != 0 && (window.style & WS_CAPTION) != WS_CAPTION &&
           (window.style & WS_VISIBLE) != 0 && window.dialogProcedure == nullptr;
}

int VirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD1 + (key - SDLK_KP_1);
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return VK_RETURN;
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_SPACE: return VK_SPACE;
        case SDLK_TAB: return VK_TAB;
        case SDLK_BACKSPACE: return VK_BACK;
        case SDLK_INSERT: return VK_INSERT;
        case SDLK_DELETE: return VK_DELETE;
        case SDLK_HOME: return VK_HOME;
        case SDLK_END: return VK_END;
        case SDLK_PAGEUP: return VK_PRIOR;
        case SDLK_PAGEDOWN: return VK_NEXT;
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_UP: return VK_UP;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT: return VK_MENU;
        case SDLK_PAUSE: return VK_PAUSE;
        case SDLK_CAPSLOCK: return VK_CAPITAL;
        case SDLK_KP_0: return VK_NUMPAD0;
        case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
        case SDLK_KP_PLUS: return VK_ADD;
        case SDLK_KP_MINUS: return VK_SUBTRACT;
        case SDLK_KP_PERIOD: return VK_DECIMAL;
        case SDLK_KP_DIVIDE: return VK_DIVIDE;
        default: return 0;
    }
}

HWND FindHwnd(Uint32 windowId) {
    const auto found = WindowsById().find(windowId);
    return found == WindowsById().end() || !IsWindow(found->second) ? nullptr : found->second;
}

void ApplyClientSize(HWND handle, int width, int height) {
    Window* window = FindWindowState(handle);
    if (window == nullptr) return;
    const RECT insets = FrameInsets(window->style, window->menu != nullptr);
    RECT& rect = window->windowRect;
    rect.right = rect.left + insets.left + width + insets.right;
    rect.bottom = rect.top + insets.top + height + insets.bottom;
    if ((window->style & (WS_MINIMIZE | WS_MAXIMIZE)) == 0) window->normalRect = rect;
}

void OnWindowEvent(const SDL_WindowEvent& event) {
    const HWND handle = FindHwnd(event.windowID);
    Window* window = FindWindowState(handle);
    if (window == nullptr) return;
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE: PostMessageA(handle, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        case SDL_WINDOWEVENT_RESIZED:
            // SDL reports a user resize once it is done; the framework pauses around it.
            SendMessageA(handle, WM_ENTERSIZEMOVE, 0, 0);
            ApplyClientSize(handle, event.data1, event.data2);
            if (Window* resized = FindWindowState(handle)) SendSizeAndMove(*resized);
            SendMessageA(handle, WM_EXITSIZEMOVE, 0, 0);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            window->style = (window->style & ~WS_MAXIMIZE) | WS_MINIMIZE;
            SendSizeAndMove(*window);
            break;
        case SDL_WINDOWEVENT_MAXIMIZED: {
            window->style = (window->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
            int width = 0, height = 0;
            SDL_GetWindowSize(Host(*window), &width, &height);
            ApplyClientSize(handle, width, height);
            SendSizeAndMove(*window);
            break;
        }
        case SDL_WINDOWEVENT_RESTORED:
            window->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
            SendSizeAndMove(*window);
            break;
        case SDL_WINDOWEVENT_MOVED: {
            const RECT insets = FrameInsets(window->style, window->menu != nullptr);
            OffsetRect(&window->windowRect, event.data1 - insets.left - window->windowRect.left,
                       event.data2 - insets.top - window->windowRect.top);
            SendSizeAndMove(*window);
            break;
        }
        case SDL_WINDOWEVENT_FOCUS_GAINED: SetForegroundWindow(handle); break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (GetForegroundWindow() == handle) {
                ForegroundWindowRef() = nullptr;
                SendMessageA(handle, WM_ACTIVATE, WA_INACTIVE, 0);
                if (IsWindow(handle)) SendMessageA(handle, WM_ACTIVATEAPP, FALSE, 0);
            }
            break;
        case SDL_WINDOWEVENT_EXPOSED: PostMessageA(handle, WM_PAINT, 0, 0); break;
        default: break;
    }
}

void OnKeyEvent(const SDL_KeyboardEvent& event) {
    // SDL loses its keyboard window when the focused window (a closed dialog) goes away
    // and the display does not say where focus went; Win32 keeps typing into the
    // foreground window, so keys without a window go there.
    HWND handle = FindHwnd(event.windowID);
    if (handle == nullptr && IsWindow(GetForegroundWindow())) handle = GetForegroundWindow();
    const int key = VirtualKey(event.keysym.sym);
    if (handle == nullptr || key == 0) return;
    const bool down = event.type == SDL_KEYDOWN;
    const bool alt = (event.keysym.mod & KMOD_ALT) != 0;
    // Alt (held or pressed) and F10 make system keys, as Win32 reports them.
    const bool system = alt || key == VK_F10 || key == VK_MENU;
    LPARAM lParam = 1 | ((event.keysym.scancode & 0xFF) << 16);
    if (alt) lParam |= 1 << 29;
    if (!down || event.repeat != 0) lParam |= 1 << 30;
    if (!down) lParam |= static_cast<LPARAM>(1u << 31);
    const HWND focus = GetFocus() != nullptr && IsWindow(GetFocus()) ? GetFocus() : handle;
    const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    PostMessageA(focus, message, static_cast<WPARAM>(key), lParam);
}

WPARAM MouseKeys(Uint32 buttons) {
    WPARAM keys = 0;
    if ((buttons & SDL_BUTTON_LMASK) != 0) keys |= MK_LBUTTON;
    if ((buttons & SDL_BUTTON_RMASK) != 0) keys |= MK_RBUTTON;
    if ((buttons & SDL_BUTTON_MMASK) != 0) keys |= MK_MBUTTON;
    const SDL_Keymod modifiers = SDL_GetModState();
    if ((modifiers & KMOD_SHIFT) != 0) keys |= MK_SHIFT;
    if ((modifiers & KMOD_CTRL) != 0) keys |= MK_CONTROL;
    return keys;
}

// Mouse messages go to the window under the pointer: a dialog's control, or the window.
HWND MouseTarget(HWND handle, POINT client) {
    for (HWND child : AllWindows()) {
        const Window* window = FindWindowState(child);
        if (window->parent != handle || (window->style & WS_CHILD) == 0) continue;
        POINT point = client;
        ClientToScreen(handle, &point);
        if (PtInRect(&window->windowRect, point)) {
            ScreenToClient(child, &point);
            return child;
        }
    }
    return handle;
}

void OnMouse(Uint32 windowId, int x, int y, UINT message, WPARAM extra) {
    const HWND handle = FindHwnd(windowId);
    if (handle == nullptr) return;
    POINT screen{x, y};
    ClientToScreen(handle, &screen);
    TrackCursorPosition(screen);
    const HWND target = MouseTarget(handle, POINT{x, y});
    POINT local = screen;
    ScreenToClient(target, &local);
    if (message == WM_MOUSEMOVE) {
        SendMessageA(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
    if (!IsWindow(target)) return;
    if (message == WM_MOUSEWHEEL) {
        PostMessageA(target, message, MAKEWPARAM(MouseKeys(SDL_GetMouseState(nullptr, nullptr)), extra),
                     MAKELPARAM(screen.x, screen.y));
        return;
    }
    PostMessageA(target, message, MouseKeys(SDL_GetMouseState(nullptr, nullptr)), MAKELPARAM(local.x, local.y));
}

UINT ButtonMessage(Uint8 button, bool down) {
    switch (button) {
        case SDL_BUTTON_LEFT: return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        case SDL_BUTTON_RIGHT: return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        case SDL_BUTTON_MIDDLE: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        default: return 0;
    }
}

std::vector<VestraDisplayMode> ReadModes() {
    std::vector<VestraDisplayMode> modes;
    if (!HostHasDisplay()) {
        // What a common monitor offers, in both colour depths; the headless desktop is
        // 1024 by 768 so that full-screen switches find their mode.
        for (const auto& size : {std::pair{640u, 480u}, std::pair{800u, 600u}, std::pair{1024u, 768u},
                                 std::pair{1280u, 720u}, std::pair{1280u, 1024u}, std::pair{1920u, 1080u}}) {
            modes.push_back(VestraDisplayMode{size.first, size.second, 60, kFormatX8R8G8B8});
            modes.push_back(VestraDisplayMode{size.first, size.second, 60, kFormatR5G6B5});
        }
        return modes;
    }
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        const DWORD format = SDL_BITSPERPIXEL(mode.format) == 16 ? kFormatR5G6B5 : kFormatX8R8G8B8;
        modes.push_back(VestraDisplayMode{static_cast<UINT>(mode.w), static_cast<UINT>(mode.h),
                                          static_cast<UINT>(std::max(mode.refresh_rate, 0)), format});
    }
    const auto key = [](const VestraDisplayMode& m) { return std::tuple(m.Width, m.Height, m.RefreshRate, m.Format); };
    std::sort(modes.begin(), modes.end(), [&](const auto& a, const auto& b) { return key(a) < key(b); });
    modes.erase(std::unique(modes.begin(), modes.end(), [&](const auto& a, const auto& b) { return key(a) == key(b); }),
                modes.end());
    return modes;
}

}  // namespace

bool HostHasDisplay() {
    static const bool hasDisplay = DetectDisplay();
    return hasDisplay;
}

SIZE HostScreenSize() {
    VestraDisplayMode mode;
    VestraGetDesktopMode(&mode);
    return SIZE{static_cast<LONG>(mode.Width), static_cast<LONG>(mode.Height)};
}

void HostCreateWindow(Window& window) {
    if (!HostHasDisplay() || window.hostWindow != nullptr) return;
    const RECT client = ClientRectOnScreen(window);
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if ((window.style & WS_THICKFRAME) != 0) flags |= SDL_WINDOW_RESIZABLE;
    if ((window.style & WS_CAPTION) != WS_CAPTION) flags |= SDL_WINDOW_BORDERLESS;
    SDL_Window* host = SDL_CreateWindow(window.text.c_str(), client.left, client.top,
                                        std::max<int>(1, client.right - client.left),
                                        std::max<int>(1, client.bottom - client.top), flags);
    if (host == nullptr) return;
    window.hostWindow = host;
    WindowsById()[SDL_GetWindowID(host)] = window.handle;
    HostSyncWindow(window);
}

void HostDestroyWindow(Window& window) {
    SDL_Window* host = Host(window);
    if (host == nullptr) return;
    WindowsById().erase(SDL_GetWindowID(host));
    SDL_DestroyWindow(host);
    window.hostWindow = nullptr;
}

void HostSyncWindow(Window& window) {
    SDL_Window* host = Host(window);
    if (host == nullptr || g_applyingEvent) return;
    const RECT client = ClientRectOnScreen(window);
    SDL_SetWindowTitle(host, window.text.c_str());
    const bool fullscreen = WantsFullscreen(window);
    SDL_Rect display{};
    if (fullscreen && SDL_GetDisplayBounds(0, &display) == 0) {
        // The window covers the display even where no window manager honours the
        // full-screen request, and its Win32 rectangle says so, as a full-screen device
        // window's does on Windows.
        SDL_SetWindowBordered(host, SDL_FALSE);
        SDL_SetWindowPosition(host, display.x, display.y);
        SDL_SetWindowSize(host, display.w, display.h);
        const RECT screen{display.x, display.y, display.x + display.w, display.y + display.h};
        if (!EqualRect(&window.windowRect, &screen)) {
            window.windowRect = screen;
            const HWND handle = window.handle;
            SendSizeAndMove(window);
            if (FindWindowState(handle) == nullptr) return;
        }
    }
    SDL_SetWindowFullscreen(host, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (!fullscreen && (window.style & (WS_MINIMIZE | WS_MAXIMIZE)) == 0) {
        SDL_SetWindowBordered(host, (window.style & WS_CAPTION) == WS_CAPTION ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowPosition(host, client.left, client.top);
        SDL_SetWindowSize(host, std::max<int>(1, client.right - client.left), std::max<int>(1, client.bottom - client.top));
    }
    if ((window.style & WS_VISIBLE) == 0) {
        SDL_HideWindow(host);
    } else {
        SDL_ShowWindow(host);
        if ((window.style & WS_MINIMIZE) != 0) SDL_MinimizeWindow(host);
        if ((window.style & WS_MAXIMIZE) != 0) SDL_MaximizeWindow(host);
    }
}

void HostActivateWindow(Window& window) {
    SDL_Window* host = Host(window);
    if (host == nullptr || g_applyingEvent) return;
    SDL_RaiseWindow(host);
    SDL_SetWindowInputFocus(host);
}

void HostPumpEvents() {
    if (!HostHasDisplay()) return;
    g_applyingEvent = true;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        switch (event.type) {
            case SDL_WINDOWEVENT: OnWindowEvent(event.window); break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: OnKeyEvent(event.key); break;
            case SDL_MOUSEMOTION: OnMouse(event.motion.windowID, event.motion.x, event.motion.y, WM_MOUSEMOVE, 0); break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                const UINT message = ButtonMessage(event.button.button, event.type == SDL_MOUSEBUTTONDOWN);
                if (message != 0) OnMouse(event.button.windowID, event.button.x, event.button.y, message, 0);
                break;
            }
            case SDL_MOUSEWHEEL: {
                int x = 0, y = 0;
                SDL_GetMouseState(&x, &y);
                OnMouse(event.wheel.windowID, x, y, WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(event.wheel.y * WHEEL_DELTA)));
                break;
            }
            default: break;
        }
    }
    g_applyingEvent = false;
    PaintOpenDialogs();
}

int HostMessageBox(const char* text, const char* caption, UINT type) {
    std::vector<SDL_MessageBoxButtonData> buttons;
    const auto add = [&](int id, const char* label) { buttons.push_back(SDL_MessageBoxButtonData{0, id, label}); };
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL: add(IDOK, "OK"); add(IDCANCEL, "Cancel"); break;
        case MB_ABORTRETRYIGNORE: add(IDABORT, "Abort"); add(IDRETRY, "Retry"); add(IDIGNORE, "Ignore"); break;
        case MB_YESNOCANCEL: add(IDYES, "Yes"); add(IDNO, "No"); add(IDCANCEL, "Cancel"); break;
        case MB_YESNO: add(IDYES, "Yes"); add(IDNO, "No"); break;
        case MB_RETRYCANCEL: add(IDRETRY, "Retry"); add(IDCANCEL, "Cancel"); break;
        default: add(IDOK, "OK"); break;
    }
    buttons.front().flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    // Esc and the close box answer Cancel when there is one, else the only button.
    const bool hasCancel = std::any_of(buttons.begin(), buttons.end(), [](const auto& b) { return b.buttonid == IDCANCEL; });
    for (auto& button : buttons) {
        if (button.buttonid == IDCANCEL || (!hasCancel && buttons.size() == 1)) {
            button.flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        }
    }
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    if ((type & MB_ICONMASK) == MB_ICONERROR) flags = SDL_MESSAGEBOX_ERROR;
    if ((type & MB_ICONMASK) == MB_ICONWARNING) flags = SDL_MESSAGEBOX_WARNING;
    const SDL_MessageBoxData data{flags, nullptr, caption, text, static_cast<int>(buttons.size()), buttons.data(), nullptr};
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) return 0;
    return pressed < 0 ? (hasCancel ? IDCANCEL : IDOK) : pressed;
}

}  // namespace vestra::win32

using namespace vestra::win32;

BOOL VestraHasDisplay(void) { return HostHasDisplay() ? TRUE : FALSE; }

UINT VestraGetDisplayModes(VestraDisplayMode* modes, UINT capacity) {
    const std::vector<VestraDisplayMode> all = ReadModes();
    if (modes != nullptr) std::copy_n(all.begin(), std::min<size_t>(capacity, all.size()), modes);
    return static_cast<UINT>(all.size());
}

BOOL VestraGetDesktopMode(VestraDisplayMode* mode) {
    if (mode == nullptr) return FALSE;
    *mode = VestraDisplayMode{1024, 768, 60, kFormatX8R8G8B8};
    SDL_DisplayMode desktop;
    if (HostHasDisplay() && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        *mode = VestraDisplayMode{static_cast<UINT>(desktop.w), static_cast<UINT>(desktop.h),
                                  static_cast<UINT>(std::max(desktop.refresh_rate, 0)),
                                  SDL_BITSPERPIXEL(desktop.format) == 16 ? kFormatR5G6B5 : kFormatX8R8G8B8};
    }
    return TRUE;
}

BOOL VestraPresentToWindow(HWND window, const void* pixels, UINT width, UINT height, INT pitch) {
    return VestraPresentRectToWindow(window, pixels, width, height, pitch, nullptr);
}

BOOL VestraPresentRectToWindow(HWND window, const void* pixels, UINT width, UINT height, INT pitch,
                               const RECT* destination) {
    Window* state = FindWindowState(window);
    if (state == nullptr || pixels == nullptr || width == 0 || height == 0 ||
        static_cast<UINT>(pitch < 0 ? -static_cast<int64_t>(pitch) : pitch) < width * 4 ||
        (destination != nullptr && IsRectEmpty(destination))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SDL_Window* host = Host(*state);
    if (host == nullptr) return TRUE;
    SDL_Surface* target = SDL_GetWindowSurface(host);
    if (target == nullptr) return FALSE;
    // SDL surfaces want a positive pitch; bottom-up rows are copied top-down first.
    std::vector<uint32_t> flipped;
    const void* rows = pixels;
    int rowPitch = pitch;
    if (pitch < 0) {
        flipped.resize(static_cast<size_t>(width) * height);
        for (UINT y = 0; y < height; ++y) {
            std::memcpy(&flipped[y * width], static_cast<const BYTE*>(pixels) + static_cast<ptrdiff_t>(y) * pitch, width * 4);
        }
        rows = flipped.data();
        rowPitch = static_cast<int>(width * 4);
    }
    SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<void*>(rows), static_cast<int>(width),
                                                            static_cast<int>(height), 32, rowPitch, SDL_PIXELFORMAT_RGB888);
    if (frame == nullptr) return FALSE;
    SDL_Rect area{};
    if (destination != nullptr) {
        area = SDL_Rect{destination->left, destination->top, destination->right - destination->left,
                        destination->bottom - destination->top};
    }
    SDL_BlitScaled(frame, nullptr, target, destination != nullptr ? &area : nullptr);
    SDL_FreeSurface(frame);
    return SDL_UpdateWindowSurface(host) == 0 ? TRUE : FALSE;
}
