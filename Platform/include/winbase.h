// kernel32: last error, strings, debug output, timing, files and search, modules and their
// resources, private-profile (INI) files. ANSI entry points; the undecorated names map to them.
#pragma once

#include <string.h>

#include "windef.h"
#include "winerror.h"

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define INFINITE 0xFFFFFFFF

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)

#define ZeroMemory(dest, length) memset((dest), 0, (length))
#define FillMemory(dest, length, fill) memset((dest), (fill), (length))
#define CopyMemory(dest, src, length) memcpy((dest), (src), (length))
#define MoveMemory(dest, src, length) memmove((dest), (src), (length))

typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef struct _WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
} WIN32_FIND_DATAA, *PWIN32_FIND_DATAA, *LPWIN32_FIND_DATAA;
typedef WIN32_FIND_DATAA WIN32_FIND_DATA;
typedef PWIN32_FIND_DATAA PWIN32_FIND_DATA;
typedef LPWIN32_FIND_DATAA LPWIN32_FIND_DATA;

// Last error (per thread).
WINPLATFORMAPI DWORD WINAPI GetLastError(void);
WINPLATFORMAPI void WINAPI SetLastError(DWORD dwErrCode);

// Strings. Case-insensitive comparison is by ASCII letters only.
WINPLATFORMAPI int WINAPI lstrlenA(LPCSTR lpString);
WINPLATFORMAPI LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2);
WINPLATFORMAPI LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength);
WINPLATFORMAPI int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2);

// Debugger output (see VestraSetDebugOutputHandler in PlatformWin32.h).
WINPLATFORMAPI void WINAPI OutputDebugStringA(LPCSTR lpOutputString);

// Timing.
WINPLATFORMAPI BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount);
WINPLATFORMAPI BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency);
WINPLATFORMAPI DWORD WINAPI GetTickCount(void);
WINPLATFORMAPI void WINAPI Sleep(DWORD dwMilliseconds);

// Files and directories. Paths are accepted as Windows programs write them (see
// Platform/README.md); paths handed back are the Linux paths of the files.
WINPLATFORMAPI DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName);
WINPLATFORMAPI BOOL WINAPI DeleteFileA(LPCSTR lpFileName);
WINPLATFORMAPI BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
WINPLATFORMAPI DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer);
WINPLATFORMAPI HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData);
WINPLATFORMAPI BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData);
WINPLATFORMAPI BOOL WINAPI FindClose(HANDLE hFindFile);

// Modules and their resources.
WINPLATFORMAPI HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);
WINPLATFORMAPI DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
WINPLATFORMAPI HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
WINPLATFORMAPI HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
WINPLATFORMAPI LPVOID WINAPI LockResource(HGLOBAL hResData);
WINPLATFORMAPI DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);

// Private-profile (INI) files.
WINPLATFORMAPI DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                                     LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);
WINPLATFORMAPI UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName);
WINPLATFORMAPI DWORD WINAPI GetPrivateProfileSectionNamesA(LPSTR lpszReturnBuffer, DWORD nSize, LPCSTR lpFileName);
WINPLATFORMAPI DWORD WINAPI GetPrivateProfileSectionA(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize,
                                                      LPCSTR lpFileName);
WINPLATFORMAPI BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                                      LPCSTR lpFileName);

// The programs built against this subset are ANSI programs.
#define lstrlen lstrlenA
#define lstrcpy lstrcpyA
#define lstrcpyn lstrcpynA
#define lstrcmpi lstrcmpiA
#define OutputDebugString OutputDebugStringA
#define GetFileAttributes GetFileAttributesA
#define DeleteFile DeleteFileA
#define CreateDirectory CreateDirectoryA
#define GetCurrentDirectory GetCurrentDirectoryA
#define FindFirstFile FindFirstFileA
#define FindNextFile FindNextFileA
#define GetModuleHandle GetModuleHandleA
#define GetModuleFileName GetModuleFileNameA
#define FindResource FindResourceA
#define GetPrivateProfileString GetPrivateProfileStringA
#define GetPrivateProfileInt GetPrivateProfileIntA
#define GetPrivateProfileSectionNames GetPrivateProfileSectionNamesA
#define GetPrivateProfileSection GetPrivateProfileSectionA
#define WritePrivateProfileString WritePrivateProfileStringA
