// Whole-file reads and replacements for files that are rewritten as a unit.
#pragma once

#include <windows.h>

#include <string>

namespace vestra::win32 {

// Reads the whole file; on failure returns false with errno set.
bool ReadWholeFile(const std::string& linuxPath, std::string& contents);

// Writes `contents` to a new file beside `linuxPath` and renames it into place, so that
// readers see either the old file or the new one, never a half-written one, and a failed
// write leaves the old file untouched. A replaced file keeps its permissions; a new one
// gets the usual ones for the process. Returns ERROR_SUCCESS or the Win32 error.
DWORD ReplaceFileContents(const std::string& linuxPath, const std::string& contents);

}  // namespace vestra::win32
