// The Windows C runtime functions the engine uses beyond standard C (declared by the
// Windows headers in stdlib.h and string.h): path splitting and joining, case-insensitive
// comparison. Both `\` and `/` separate path components.
#pragma once

#include <stddef.h>

#include "PlatformExport.h"

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

// Any output may be NULL; parts longer than their _MAX_ buffer are cut to fit it.
VESTRA_EXTERN_C VESTRA_PLATFORM_API void _splitpath(const char* path, char* drive, char* dir, char* fname,
                                                    char* ext);
// NULL or empty parts are skipped; the caller provides _MAX_PATH characters.
VESTRA_EXTERN_C VESTRA_PLATFORM_API void _makepath(char* path, const char* drive, const char* dir,
                                                   const char* fname, const char* ext);
// Compare after converting ASCII letters to lower case (so '_' sorts before letters);
// a NULL argument gives _NLSCMPERROR.
#define _NLSCMPERROR 2147483647
VESTRA_EXTERN_C VESTRA_PLATFORM_API int _stricmp(const char* string1, const char* string2);
VESTRA_EXTERN_C VESTRA_PLATFORM_API int _strnicmp(const char* string1, const char* string2, size_t count);
