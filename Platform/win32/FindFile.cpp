// FindFirstFileA / FindNextFileA / FindClose. A search lists its directory once, when it
// starts, and hands the matches out in the order NTFS would: "." and ".." first, then
// names by their upper-cased bytes, so results do not depend on the Linux file system.
#include <windows.h>

#include <dirent.h>
#include <errno.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "win32/CaseInsensitive.h"
#include "win32/FileInfo.h"
#include "win32/WindowsPath.h"
#include "win32/Wildcard.h"

namespace {

using vestra::win32::CompareUpperCase;

struct Search {
    std::vector<WIN32_FIND_DATAA> entries;
    size_t next = 0;
};

// Live searches by handle, so that a stale or foreign handle is refused instead of
// dereferenced.
std::mutex g_searchesMutex;
std::unordered_map<HANDLE, std::unique_ptr<Search>> g_searches;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

bool ListOrder(const std::string& a, const std::string& b) {
    if (IsDotEntry(a) || IsDotEntry(b)) {
        return IsDotEntry(a) && (!IsDotEntry(b) || a.size() < b.size());
    }
    const int order = CompareUpperCase(a, b);
    return order != 0 ? order < 0 : a < b;
}

WIN32_FIND_DATAA Describe(const std::string& folder, const std::string& name) {
    WIN32_FIND_DATAA data;
    memset(&data, 0, sizeof data);
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder).append(1, '/').append(name);
    vestra::win32::FileInfo info;
    if (vestra::win32::QueryFileInfo(path, info)) {
        data.dwFileAttributes = info.attributes;
        data.ftCreationTime = info.creationTime;
        data.ftLastAccessTime = info.lastAccessTime;
        data.ftLastWriteTime = info.lastWriteTime;
        data.nFileSizeHigh = static_cast<DWORD>(info.size >> 32);
        data.nFileSizeLow = static_cast<DWORD>(info.size);
    } else {
        data.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;  // vanished since it was listed
    }
    memcpy(data.cFileName, name.c_str(), std::min(name.size(), sizeof data.cFileName - 1));
    return data;
}

// Lists `folder` and returns the matching names in search order; false when the folder
// cannot be read.
bool ListMatches(const std::string& folder, const std::string& pattern, std::vector<std::string>& names) {
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) {
        return false;
    }
    // The root of a drive has no "." or "..".
    const bool isRoot = folder.find_first_not_of('/') == std::string::npos;
    while (const dirent* entry = readdir(listing)) {
        const std::string name(entry->d_name);
        if (isRoot && IsDotEntry(name)) {
            continue;
        }
        if (vestra::win32::MatchesWildcard(pattern, name)) {
            names.push_back(name);
        }
    }
    closedir(listing);
    std::sort(names.begin(), names.end(), ListOrder);
    return true;
}

HANDLE Fail(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    if (lpFileName == NULL || lpFindFileData == NULL) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const std::string searchText(lpFileName);
    size_t patternStart = searchText.size();
    while (patternStart > 0 && !IsSeparator(searchText[patternStart - 1])) {
        --patternStart;
    }
    if (patternStart == 0 && searchText.size() >= 2 && searchText[1] == ':') {
        patternStart = 2;  // "C:*.png" searches the current directory
    }
    const std::string pattern = searchText.substr(patternStart);
    if (pattern.empty()) {
        return Fail(ERROR_FILE_NOT_FOUND);
    }

    const std::string resolved = vestra::win32::ResolvePath(searchText.substr(0, patternStart).c_str());
    const std::string folder = resolved.empty() ? std::string(".") : resolved;
    struct stat folderStatus {};
    if (stat(folder.c_str(), &folderStatus) != 0 || !S_ISDIR(folderStatus.st_mode)) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    std::vector<std::string> names;
    if (!ListMatches(folder, pattern, names)) {
        return Fail(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
    }
    if (names.empty()) {
        return Fail(ERROR_FILE_NOT_FOUND);
    }

    auto search = std::make_unique<Search>();
    for (const std::string& name : names) {
        search->entries.push_back(Describe(folder, name));
    }
    *lpFindFileData = search->entries[0];
    search->next = 1;

    const HANDLE handle = search.get();
    std::lock_guard<std::mutex> lock(g_searchesMutex);
    g_searches.emplace(handle, std::move(search));
    return handle;
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    std::lock_guard<std::mutex> lock(g_searchesMutex);
    const auto found = g_searches.find(hFindFile);
    if (found == g_searches.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (lpFindFileData == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Search& search = *found->second;
    if (search.next >= search.entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *lpFindFileData = search.entries[search.next++];
    return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
    std::unique_ptr<Search> closing;  // destroyed after the lock is released
    std::lock_guard<std::mutex> lock(g_searchesMutex);
    const auto found = g_searches.find(hFindFile);
    if (found == g_searches.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    closing = std::move(found->second);
    g_searches.erase(found);
    return TRUE;
}
