// The dialog controls (push buttons, check boxes, radio buttons, combo boxes, static
// text, group boxes) as child windows answering the Win32 control messages.
#pragma once

#include <windows.h>

namespace vestra::win32 {

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What a user's click does: toggles or checks the button as its kind says and notifies
// the parent with BN_CLICKED. Disabled buttons ignore it.
void ClickButton(HWND button);

}  // namespace vestra::win32
