// ASCII case folding as Windows file systems and the profile functions apply it: only the
// letters A-Z/a-z fold; every other byte compares as itself.
#pragma once

#include <string_view>

namespace vestra::win32 {

inline char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
inline char ToLowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b);

// Orders names by their upper-cased bytes (unsigned), as NTFS sorts a directory.
int CompareUpperCase(std::string_view a, std::string_view b);

}  // namespace vestra::win32
