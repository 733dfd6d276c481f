// Draws the open dialogs into their SDL windows: flat rectangles and the built-in font,
// the focused control outlined. Does nothing without a display.
#pragma once

namespace vestra::win32 {

void PaintOpenDialogs();

}  // namespace vestra::win32
