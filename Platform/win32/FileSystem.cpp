// File and directory queries and changes, with paths as Windows programs write them.
#include <windows.h>

#include <errno.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "win32/FileInfo.h"
#include "win32/WindowsPath.h"

using vestra::win32::ResolvePath;
using vestra::win32::SetLastErrorForPath;

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
    if (lpFileName == NULL || lpFileName[0] == '\0') {
        SetLastError(lpFileName == NULL ? ERROR_INVALID_PARAMETER : ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    const std::string path = ResolvePath(lpFileName);
    vestra::win32::FileInfo info;
    if (!vestra::win32::QueryFileInfo(path, info)) {
        SetLastErrorForPath(path);
        return INVALID_FILE_ATTRIBUTES;
    }
    return info.attributes;
}

BOOL WINAPI PathFileExistsA(LPCSTR pszPath) {
    if (pszPath == NULL || pszPath[0] == '\0') {
        return FALSE;
    }
    return GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    if (lpFileName == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string path = ResolvePath(lpFileName);
    struct stat status {};
    if (lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);  // directories go with RemoveDirectory
        return FALSE;
    }
    if (unlink(path.c_str()) != 0) {
        SetLastErrorForPath(path);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/) {
    if (lpPathName == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string path = ResolvePath(lpPathName);
    if (mkdir(path.c_str(), 0777) != 0) {
        SetLastErrorForPath(path);
        if (errno == ENOENT) {
            SetLastError(ERROR_PATH_NOT_FOUND);  // it is the parent that is missing
        }
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
    char* current = getcwd(NULL, 0);
    if (current == NULL) {
        SetLastErrorForPath(".");
        return 0;
    }
    const DWORD length = static_cast<DWORD>(strlen(current));
    // Too small a buffer is left untouched and the size it needs, NUL included, returned.
    DWORD result = length + 1;
    if (lpBuffer != NULL && nBufferLength > length) {
        memcpy(lpBuffer, current, length + 1);
        result = length;
    }
    free(current);
    return result;
}
