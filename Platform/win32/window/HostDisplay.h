// The real windows behind Win32 windows when there is a display (SDL2): creation, keeping
// them in step with the Win32 state, and turning their events into posted messages.
// Without a display every function here does nothing.
#pragma once

#include "win32/window/WindowState.h"

namespace vestra::win32 {

bool HostHasDisplay();

// Top-level windows only; controls and dialogs are drawn by their owner.
void HostCreateWindow(Window& window);
void HostDestroyWindow(Window& window);
// Applies size, position, visibility, title and the fullscreen rule to the real window.
void HostSyncWindow(Window& window);

// Raises the real window and gives it the keyboard: a window activated by the program
// (the owner of a dialog that just closed) gets the keys, as on Windows.
void HostActivateWindow(Window& window);

// Converts pending display events into messages; returns at once.
void HostPumpEvents();

// Screen size: the desktop mode's size.
SIZE HostScreenSize();

// A modal message box with the buttons `type` asks for; the pressed button's id, 0 when
// it could not be shown.
int HostMessageBox(const char* text, const char* caption, UINT type);

}  // namespace vestra::win32
