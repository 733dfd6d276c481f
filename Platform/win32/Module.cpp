#include "win32/Module.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include "win32/CaseInsensitive.h"

namespace vestra::win32 {

HMODULE ExecutableModule() {
    // The dynamic linker's handle for the main program is what a module handle is on
    // Windows: an opaque value that stays the same for the life of the process.
    static const HMODULE executable = static_cast<HMODULE>(dlopen(nullptr, RTLD_LAZY));
    return executable;
}

const std::string& ExecutablePath() {
    static const std::string path = [] {
        char buffer[PATH_MAX];
        const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
        return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
    }();
    return path;
}

}  // namespace vestra::win32

using vestra::win32::EqualsNoCase;
using vestra::win32::ExecutableModule;
using vestra::win32::ExecutablePath;

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    if (lpModuleName == NULL) {
        return ExecutableModule();
    }
    // The executable answers to its file name, also with the ".exe" a Windows program
    // would put there.
    const std::string& path = ExecutablePath();
    const std::string name = path.substr(path.rfind('/') + 1);
    const std::string_view requested(lpModuleName);
    if (!name.empty() && (EqualsNoCase(requested, name) || EqualsNoCase(requested, name + ".exe"))) {
        return ExecutableModule();
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return NULL;
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    if (hModule != NULL && hModule != ExecutableModule()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const std::string& path = ExecutablePath();
    if (path.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    if (lpFilename == NULL || nSize == 0) {
        SetLastError(lpFilename == NULL ? ERROR_INVALID_PARAMETER : ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() < nSize) {
        memcpy(lpFilename, path.c_str(), path.size() + 1);
        return static_cast<DWORD>(path.size());
    }
    // Too small: cut and terminated, the whole buffer reported as used.
    memcpy(lpFilename, path.data(), nSize - 1);
    lpFilename[nSize - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}
