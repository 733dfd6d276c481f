#include "HostWindow.h"

#include <Vestra.h>

namespace {

// The window procedure has no context argument, and the demo has one application.
IApplication* g_application = nullptr;

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_application != nullptr) {
        return g_application->WindowProc(window, message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

HWND CreateHostWindow(HINSTANCE instance, const char* title, int width, int height)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "VestraDemoWindow";
    RegisterClassA(&windowClass);

    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    RECT rect;
    SetRect(&rect, 0, 0, width, height);
    AdjustWindowRect(&rect, style, FALSE);
    return CreateWindowExA(0, windowClass.lpszClassName, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
}

void AttachApplication(IApplication* application)
{
    g_application = application;
}
