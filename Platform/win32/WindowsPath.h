// Turns a path as a Windows program writes it into the Linux path of the same file. Every
// function of the platform that opens, creates or searches files goes through this.
#pragma once

#include <string>

namespace vestra::win32 {

// `\` and `/` both separate; a drive prefix such as "C:" is dropped (so "C:\data\a.png" is
// "/data/a.png" and "C:a.png" is "a.png", relative to the current directory). Each
// component that does not exist with the exact case is replaced by the directory's entry
// that matches it case-insensitively (the first in byte order if several do); components
// that match nothing are kept as written, so the result also names files yet to be
// created. Relative paths stay relative; separators at the end are kept. NULL gives "".
std::string ResolvePath(const char* windowsPath);

}  // namespace vestra::win32
