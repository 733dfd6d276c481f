// The Win32 subset the engine and its hosts use, with Windows names, values and widths.
#pragma once

#include "windef.h"
#include "winerror.h"
#include "unknwn.h"
#include "winbase.h"
#include "winuser.h"
#include "mmsystem.h"
#include "shlwapi.h"
#include "wincrt.h"
#include "PlatformWin32.h"
#include "PlatformWindowing.h"
