// The Win32 subset the engine and its hosts use, with Windows names, values and widths.
#pragma once

#include "windef.h"
#include "winerror.h"
#include "unknwn.h"
