// shlwapi: path helpers.
#pragma once

#include "windef.h"

// TRUE when a file or a directory exists at the path; wildcards are not expanded.
WINPLATFORMAPI BOOL WINAPI PathFileExistsA(LPCSTR pszPath);

#define PathFileExists PathFileExistsA
