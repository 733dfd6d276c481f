// MessageBoxA through a replaceable handler.
#include <windows.h>

#include <cstdio>

#include "PlatformWindowing.h"
#include "win32/window/HostDisplay.h"

namespace {

struct Handler {
    VestraMessageBoxHandler handler = nullptr;
    void* context = nullptr;
};

Handler& Current() {
    static Handler handler;
    return handler;
}

int DefaultMessageBox(HWND, const char* text, const char* caption, UINT type) {
    if (vestra::win32::HostHasDisplay()) {
        const int pressed = vestra::win32::HostMessageBox(text, caption, type);
        if (pressed != 0) return pressed;
    }
    std::fprintf(stderr, "%s: %s\n", caption, text);
    return IDOK;
}

}  // namespace

VestraMessageBoxHandler VestraSetMessageBoxHandler(VestraMessageBoxHandler handler, void* context,
                                                   void** previousContext) {
    const Handler previous = Current();
    if (previousContext != nullptr) *previousContext = previous.context;
    Current() = Handler{handler, context};
    return previous.handler;
}

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    const char* text = lpText != nullptr ? lpText : "";
    const char* caption = lpCaption != nullptr ? lpCaption : "Error";
    const Handler handler = Current();
    if (handler.handler != nullptr) return handler.handler(hWnd, text, caption, uType, handler.context);
    return DefaultMessageBox(hWnd, text, caption, uType);
}
