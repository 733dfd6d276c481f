// The keyboard state as the thread has seen it: updated as key messages are retrieved
// from the queue, so a posted key sequence (e.g. Ctrl down, then A) reads as typed.
#pragma once

#include <windows.h>

namespace vestra::win32 {

void TrackKeyMessage(const MSG& message);
bool IsKeyDown(int virtualKey);

}  // namespace vestra::win32
