// The private-profile functions of kernel32 over ProfileDocument. Every call reads the
// file afresh (there is no cache to flush) and every change rewrites it as a whole.
// File names go through the path resolver; a name without a folder is looked for in the
// current directory (Windows looks in its Windows folder instead).
#include <windows.h>

#include <errno.h>

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "win32/LastError.h"
#include "win32/ProfileDocument.h"
#include "win32/ReplaceFile.h"
#include "win32/WindowsPath.h"

namespace {

using vestra::win32::ProfileDocument;

// One writer at a time within the process, so that concurrent read-modify-write cycles
// on the same file cannot lose each other's changes.
std::mutex g_profileMutex;

// Reads and parses the file; nothing (with the last error set) when it cannot be read.
std::optional<ProfileDocument> Load(LPCSTR fileName) {
    if (fileName == NULL || fileName[0] == '\0') {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return std::nullopt;
    }
    std::string text;
    if (!vestra::win32::ReadWholeFile(vestra::win32::ResolvePath(fileName), text)) {
        SetLastError(errno == ENOENT ? static_cast<DWORD>(ERROR_FILE_NOT_FOUND)
                                     : vestra::win32::Win32ErrorFromErrno(errno));
        return std::nullopt;
    }
    return ProfileDocument::Parse(text);
}

DWORD CopyString(const std::string& text, LPSTR buffer, DWORD size) {
    if (size == 0) {
        return 0;
    }
    const size_t length = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<DWORD>(length);
}

// Copies names as NUL-terminated strings followed by one more NUL. A list that does not
// fit is cut and ends with two NULs, and nSize - 2 is returned. The section-name
// function also counts an exactly fitting buffer as too small.
DWORD CopyList(const std::vector<std::string>& items, LPSTR buffer, DWORD size, bool exactFitIsTooSmall = false) {
    if (size == 0) {
        return 0;
    }
    std::string flat;
    for (const std::string& item : items) {
        flat.append(item).push_back('\0');
    }
    if (flat.empty()) {
        buffer[0] = '\0';
        return 0;
    }
    const size_t needed = flat.size() + 1;
    if (exactFitIsTooSmall ? needed < size : needed <= size) {
        memcpy(buffer, flat.data(), flat.size());
        buffer[flat.size()] = '\0';
        return static_cast<DWORD>(flat.size());
    }
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    memcpy(buffer, flat.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

std::string WithoutTrailingBlanks(LPCSTR text) {
    std::string result = text == NULL ? std::string() : std::string(text);
    while (!result.empty() && (result.back() == ' ' || result.back() == '\t')) {
        result.pop_back();
    }
    return result;
}

// A value enclosed in a matching pair of quotes is returned without them.
std::string WithoutQuotes(std::string_view value) {
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::optional<std::string> LookUp(LPCSTR section, LPCSTR key, LPCSTR fileName) {
    if (key[0] == '\0') {
        return std::nullopt;
    }
    const auto document = Load(fileName);
    if (!document) {
        return std::nullopt;
    }
    const auto value = document->Value(section, key);
    if (!value) {
        return std::nullopt;
    }
    return WithoutQuotes(*value);
}

// Decimal with an optional sign, read up to the first non-digit, wrapping modulo 2^32.
UINT ParseProfileInt(const std::string& text) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        ++i;
    }
    UINT value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<UINT>(text[i] - '0');
    }
    return negative ? 0u - value : value;
}

}  // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                                      DWORD nSize, LPCSTR lpFileName) {
    if (lpReturnedString == NULL || nSize == 0) {
        return 0;
    }
    std::lock_guard<std::mutex> lock(g_profileMutex);
    if (lpAppName == NULL || lpKeyName == NULL) {
        const auto document = Load(lpFileName);
        if (!document) {
            return CopyList({}, lpReturnedString, nSize);
        }
        return CopyList(lpAppName == NULL ? document->SectionNames() : document->KeyNames(lpAppName),
                        lpReturnedString, nSize);
    }
    const auto value = LookUp(lpAppName, lpKeyName, lpFileName);
    return CopyString(value ? *value : WithoutTrailingBlanks(lpDefault), lpReturnedString, nSize);
}

UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
    if (lpAppName == NULL || lpKeyName == NULL) {
        return static_cast<UINT>(nDefault);
    }
    std::lock_guard<std::mutex> lock(g_profileMutex);
    const auto value = LookUp(lpAppName, lpKeyName, lpFileName);
    if (!value || value->empty()) {
        return static_cast<UINT>(nDefault);
    }
    return ParseProfileInt(*value);
}

DWORD WINAPI GetPrivateProfileSectionNamesA(LPSTR lpszReturnBuffer, DWORD nSize, LPCSTR lpFileName) {
    if (lpszReturnBuffer == NULL) {
        return 0;
    }
    std::lock_guard<std::mutex> lock(g_profileMutex);
    const auto document = Load(lpFileName);
    return CopyList(document ? document->SectionNames() : std::vector<std::string>(), lpszReturnBuffer, nSize,
                    /*exactFitIsTooSmall=*/true);
}

DWORD WINAPI GetPrivateProfileSectionA(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
    if (lpAppName == NULL || lpReturnedString == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard<std::mutex> lock(g_profileMutex);
    const auto document = Load(lpFileName);
    return CopyList(document ? document->Entries(lpAppName) : std::vector<std::string>(), lpReturnedString, nSize);
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName) {
    if (lpAppName == NULL && lpKeyName == NULL && lpString == NULL) {
        return FALSE;  // the "flush the cache" call; there is no cache
    }
    if (lpAppName == NULL) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (lpFileName == NULL || lpFileName[0] == '\0') {
        // Windows would write win.ini for NULL; there is none here.
        SetLastError(lpFileName == NULL ? ERROR_INVALID_PARAMETER : ERROR_ACCESS_DENIED);
        return FALSE;
    }

    std::lock_guard<std::mutex> lock(g_profileMutex);
    const std::string path = vestra::win32::ResolvePath(lpFileName);
    std::string text;
    const bool exists = vestra::win32::ReadWholeFile(path, text);
    if (!exists && errno != ENOENT) {
        SetLastError(vestra::win32::Win32ErrorFromErrno(errno));
        return FALSE;
    }
    ProfileDocument document = ProfileDocument::Parse(text);

    bool changed = true;
    if (lpKeyName == NULL) {
        changed = document.DeleteSection(lpAppName);
    } else if (lpString == NULL) {
        changed = document.DeleteKey(lpAppName, lpKeyName);
    } else {
        document.SetValue(lpAppName, lpKeyName, lpString);
    }
    if (!changed) {
        return TRUE;  // deleting what is not there succeeds and creates nothing
    }
    const DWORD error = vestra::win32::ReplaceFileContents(path, document.Serialize());
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}
