#include "win32/WindowsPath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <string_view>

#include "win32/CaseInsensitive.h"

namespace vestra::win32 {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// Looks `component` up case-insensitively in `directory` ("" = the current directory).
// Returns false when the directory cannot be read or holds no such entry.
bool FindEntryIgnoringCase(const std::string& directory, std::string_view component, std::string& found) {
    DIR* listing = opendir(directory.empty() ? "." : directory.c_str());
    if (listing == nullptr) {
        return false;
    }
    bool matched = false;
    while (const dirent* entry = readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (EqualsNoCase(name, component) && (!matched || name < found)) {
            found.assign(name);
            matched = true;
        }
    }
    closedir(listing);
    return matched;
}

}  // namespace

std::string ResolvePath(const char* windowsPath) {
    if (windowsPath == nullptr) {
        return std::string();
    }
    std::string_view rest(windowsPath);
    if (rest.size() >= 2 && rest[1] == ':') {
        rest.remove_prefix(2);
    }

    std::string resolved;
    // Once a directory is missing nothing below it can exist, so later components are
    // taken as written without listing anything.
    bool lookingUp = true;
    size_t position = 0;
    while (position < rest.size()) {
        if (IsSeparator(rest[position])) {
            resolved.push_back('/');
            ++position;
            continue;
        }
        size_t end = position;
        while (end < rest.size() && !IsSeparator(rest[end])) {
            ++end;
        }
        const std::string_view component = rest.substr(position, end - position);
        const std::string parent = resolved;
        resolved.append(component);
        if (lookingUp && !Exists(resolved)) {
            std::string actual;
            if (FindEntryIgnoringCase(parent, component, actual)) {
                resolved.resize(parent.size());
                resolved.append(actual);
            } else {
                lookingUp = false;
            }
        }
        position = end;
    }
    return resolved;
}

}  // namespace vestra::win32
