// Translation of C library failures into the Win32 last error.
#pragma once

#include <windows.h>

namespace vestra::win32 {

DWORD Win32ErrorFromErrno(int error);

}  // namespace vestra::win32
