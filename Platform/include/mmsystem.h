// winmm: multimedia time.
#pragma once

#include "windef.h"

// Milliseconds since the system started; wraps after 2^32 ms.
WINPLATFORMAPI DWORD WINAPI timeGetTime(void);
