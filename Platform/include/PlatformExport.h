// Export and calling-convention macros of the platform layer (libVestraPlatform).
// Every function a host or the engine calls is declared with one of these so that the
// library's dynamic symbol table is exactly its API.
#pragma once

#define VESTRA_PLATFORM_API __attribute__((visibility("default")))

#ifdef __cplusplus
#define VESTRA_EXTERN_C extern "C"
#else
#define VESTRA_EXTERN_C extern
#endif

// Win32-style declaration of an exported C function of the platform layer.
#define WINPLATFORMAPI VESTRA_EXTERN_C VESTRA_PLATFORM_API
