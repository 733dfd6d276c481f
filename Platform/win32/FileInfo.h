// What Windows reports about a file, read from the Linux file system.
#pragma once

#include <windows.h>

#include <string>

namespace vestra::win32 {

struct FileInfo {
    DWORD attributes = 0;
    FILETIME creationTime{};
    FILETIME lastAccessTime{};
    FILETIME lastWriteTime{};
    ULONGLONG size = 0;
};

// Follows symbolic links, as Windows follows junctions; a dangling link is described as
// the link itself. Directories are FILE_ATTRIBUTE_DIRECTORY with size 0; files are
// FILE_ATTRIBUTE_ARCHIVE, plus FILE_ATTRIBUTE_READONLY without the owner's write
// permission. The creation time is the birth time where the file system records one,
// else the last write time. On failure returns false with errno set.
bool QueryFileInfo(const std::string& linuxPath, FileInfo& info);

// The Win32 error for a path that does not exist: ERROR_PATH_NOT_FOUND when its folder
// is missing too, else ERROR_FILE_NOT_FOUND.
DWORD NotFoundError(const std::string& linuxPath);

// Sets the last error for a failed file operation on `linuxPath` from errno.
void SetLastErrorForPath(const std::string& linuxPath);

}  // namespace vestra::win32
