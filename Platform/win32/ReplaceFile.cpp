#include "win32/ReplaceFile.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

#include "win32/LastError.h"

namespace vestra::win32 {
namespace {

bool WriteAll(int fd, const std::string& contents) {
    size_t written = 0;
    while (written < contents.size()) {
        const ssize_t n = write(fd, contents.data() + written, contents.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<size_t>(n);
    }
    return true;
}

// A name beside the target that no other writer, in this process or another, will pick.
std::string TemporaryNameFor(const std::string& linuxPath) {
    static std::atomic<unsigned> counter{0};
    const size_t slash = linuxPath.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : linuxPath.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? linuxPath : linuxPath.substr(slash + 1);
    return folder + "." + name + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

bool ReadWholeFile(const std::string& linuxPath, std::string& contents) {
    const int fd = open(linuxPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    contents.clear();
    char buffer[16384];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const int error = errno;
            close(fd);
            errno = error;
            return n == 0;
        }
        contents.append(buffer, static_cast<size_t>(n));
    }
}

DWORD ReplaceFileContents(const std::string& linuxPath, const std::string& contents) {
    struct stat existing {};
    const bool replacing = stat(linuxPath.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode)) {
        return ERROR_ACCESS_DENIED;
    }

    std::string temporary;
    int fd = -1;
    do {
        temporary = TemporaryNameFor(linuxPath);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EEXIST);
    if (fd < 0) {
        return errno == ENOENT ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND) : Win32ErrorFromErrno(errno);
    }

    int error = 0;
    if (!WriteAll(fd, contents) || fsync(fd) != 0 || (replacing && fchmod(fd, existing.st_mode & 07777) != 0)) {
        error = errno;
    }
    if (close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && rename(temporary.c_str(), linuxPath.c_str()) != 0) {
        error = errno;
    }
    if (error == 0) {
        return ERROR_SUCCESS;
    }
    unlink(temporary.c_str());
    return Win32ErrorFromErrno(error);
}

}  // namespace vestra::win32
