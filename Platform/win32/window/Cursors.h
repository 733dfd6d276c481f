// Cursor position, as the display reports it or as SetCursorPos left it.
#pragma once

#include <windows.h>

namespace vestra::win32 {

// Records where the pointer is (screen coordinates) without moving the real one.
void TrackCursorPosition(POINT position);

}  // namespace vestra::win32
