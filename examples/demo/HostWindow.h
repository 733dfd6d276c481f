// The demo's own top-level window. The application framework would make a 400 x 300
// window of its own; the demo wants R1's 640 x 480 back buffer, which the framework takes
// from the client area of the window it is given.
#pragma once

#include <windows.h>

class IApplication;

// A visible overlapped window with a client area of width x height whose messages go to
// the application once AttachApplication has been called (to DefWindowProcA before).
// Null when the window could not be created.
HWND CreateHostWindow(HINSTANCE instance, const char* title, int width, int height);

// Routes the window's messages to `application` (null detaches it again).
void AttachApplication(IApplication* application);
