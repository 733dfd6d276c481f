// Linux-only companions of the Win32 subset: what a Windows program gets from the system
// (a debugger, resources linked into its executable, the C runtime's generator) is made
// available to hosts and tests here.
#pragma once

#include "windef.h"

// Receives every OutputDebugStringA text unchanged (no newline added).
typedef void (*VestraDebugOutputHandler)(const char* text, void* context);

// Installs `handler` (NULL restores the default, which writes to stderr only when the
// environment variable VESTRA_DEBUG_OUTPUT is "1") and returns the previous handler; its
// context goes to *previousContext when that is not NULL. The previous default handler is
// returned as NULL, so passing back what was returned restores it.
WINPLATFORMAPI VestraDebugOutputHandler VestraSetDebugOutputHandler(VestraDebugOutputHandler handler, void* context,
                                                                    void** previousContext);

// Registers a resource of `module` (NULL = the executable, as GetModuleHandleA(NULL)) for
// FindResourceA/LoadResource/LockResource/SizeofResource. `type` and `name` are
// MAKEINTRESOURCE ids or strings (compared case-insensitively; "#123" is id 123). The bytes
// are copied. Registering the same module, type and name again replaces the bytes for later
// lookups; handles and pointers obtained earlier stay valid. FALSE with
// ERROR_INVALID_PARAMETER when type or name is NULL, or data is NULL with size > 0.
WINPLATFORMAPI BOOL VestraRegisterResource(HMODULE module, LPCSTR type, LPCSTR name, const void* data, DWORD size);

// The Windows C runtime's rand/srand: 0..32767, seed 1 until srand, one state per thread.
// The engine's own rand()/srand() calls are bound to these when it is linked.
WINPLATFORMAPI int VestraCrtRand(void);
WINPLATFORMAPI void VestraCrtSrand(unsigned int seed);
