#include "win32/FileInfo.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "win32/LastError.h"

namespace vestra::win32 {
namespace {

// FILETIME counts 100 ns intervals from 1601-01-01; Unix time starts 11644473600 s later.
constexpr ULONGLONG kUnixEpochIn100ns = 116444736000000000ull;

FILETIME ToFileTime(const struct statx_timestamp& time) {
    const ULONGLONG ticks = kUnixEpochIn100ns + static_cast<ULONGLONG>(time.tv_sec) * 10000000ull + time.tv_nsec / 100u;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace

bool QueryFileInfo(const std::string& linuxPath, FileInfo& info) {
    const unsigned mask = STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME;
    struct statx status {};
    if (statx(AT_FDCWD, linuxPath.c_str(), 0, mask, &status) != 0 &&
        statx(AT_FDCWD, linuxPath.c_str(), AT_SYMLINK_NOFOLLOW, mask, &status) != 0) {
        return false;
    }
    info = FileInfo();
    if (S_ISDIR(status.stx_mode)) {
        info.attributes = FILE_ATTRIBUTE_DIRECTORY;
    } else {
        info.attributes = FILE_ATTRIBUTE_ARCHIVE;
        if ((status.stx_mode & S_IWUSR) == 0) {
            info.attributes |= FILE_ATTRIBUTE_READONLY;
        }
        info.size = status.stx_size;
    }
    info.lastAccessTime = ToFileTime(status.stx_atime);
    info.lastWriteTime = ToFileTime(status.stx_mtime);
    info.creationTime = (status.stx_mask & STATX_BTIME) != 0 ? ToFileTime(status.stx_btime) : info.lastWriteTime;
    return true;
}

DWORD NotFoundError(const std::string& linuxPath) {
    size_t end = linuxPath.size();
    while (end > 0 && linuxPath[end - 1] == '/') {
        --end;
    }
    const size_t slash = linuxPath.rfind('/', end == 0 ? 0 : end - 1);
    if (slash == std::string::npos) {
        return ERROR_FILE_NOT_FOUND;  // the current directory always exists
    }
    struct stat folder {};
    const std::string parent = slash == 0 ? "/" : linuxPath.substr(0, slash);
    return stat(parent.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode) ? ERROR_FILE_NOT_FOUND
                                                                          : ERROR_PATH_NOT_FOUND;
}

void SetLastErrorForPath(const std::string& linuxPath) {
    const int error = errno;
    if (error == ENOENT) {
        SetLastError(NotFoundError(linuxPath));
    } else if (error == ENOTDIR) {
        SetLastError(ERROR_PATH_NOT_FOUND);
    } else {
        SetLastError(Win32ErrorFromErrno(error));
    }
}

}  // namespace vestra::win32
