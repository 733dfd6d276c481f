// The process's queue of posted messages. Posting is safe from any thread; retrieval
// belongs to the window thread.
#pragma once

#include <windows.h>

namespace vestra::win32 {

void QueuePost(const MSG& message);
void QueuePostQuit(int exitCode);

// Finds the first queued message matching the filters of PeekMessageA (hWnd NULL = any,
// (HWND)-1 = thread messages only; min = max = 0 = any message). WM_QUIT matches every
// filter and is delivered only once no other posted message is left.
bool QueueTake(MSG* message, HWND window, UINT filterMin, UINT filterMax, bool remove);

// Blocks until something is posted or `milliseconds` pass (negative = no limit).
void QueueWait(int milliseconds);

// Drops what was posted to a window being destroyed.
void QueueDiscardFor(HWND window);

}  // namespace vestra::win32
