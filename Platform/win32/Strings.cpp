// kernel32 string functions and the C runtime's case-insensitive comparisons.
#include <windows.h>

#include "win32/CaseInsensitive.h"

using vestra::win32::ToLowerAscii;

int WINAPI lstrlenA(LPCSTR lpString) { return lpString == NULL ? 0 : static_cast<int>(strlen(lpString)); }

LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2) {
    if (lpString1 == NULL || lpString2 == NULL) {
        return NULL;
    }
    return strcpy(lpString1, lpString2);
}

LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
    if (lpString1 == NULL || lpString2 == NULL) {
        return NULL;
    }
    if (iMaxLength <= 0) {
        return lpString1;
    }
    int i = 0;
    for (; i < iMaxLength - 1 && lpString2[i] != '\0'; ++i) {
        lpString1[i] = lpString2[i];
    }
    lpString1[i] = '\0';
    return lpString1;
}

int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) {
    // NULL sorts before every string, as an empty string does.
    if (lpString1 == NULL || lpString2 == NULL) {
        return (lpString1 != NULL) - (lpString2 != NULL);
    }
    const int result = _stricmp(lpString1, lpString2);
    return (result > 0) - (result < 0);
}

int _stricmp(const char* string1, const char* string2) { return _strnicmp(string1, string2, static_cast<size_t>(-1)); }

int _strnicmp(const char* string1, const char* string2, size_t count) {
    if (string1 == NULL || string2 == NULL) {
        return _NLSCMPERROR;
    }
    for (size_t i = 0; i < count; ++i) {
        const int c1 = static_cast<unsigned char>(ToLowerAscii(string1[i]));
        const int c2 = static_cast<unsigned char>(ToLowerAscii(string2[i]));
        if (c1 != c2 || c1 == 0) {
            return c1 - c2;
        }
    }
    return 0;
}
