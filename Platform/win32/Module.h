// The running executable as a Win32 module.
#pragma once

#include <windows.h>

#include <string>

namespace vestra::win32 {

// The handle GetModuleHandleA(NULL) returns; never NULL.
HMODULE ExecutableModule();

// NULL stands for the executable, as in every Win32 function taking an HMODULE.
inline HMODULE ModuleOrExecutable(HMODULE module) { return module == NULL ? ExecutableModule() : module; }

// The Linux path of the running executable ("" when it cannot be read).
const std::string& ExecutablePath();

}  // namespace vestra::win32
