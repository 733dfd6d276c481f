// Export macro of the engine library. The engine is built with hidden visibility, so
// only what is marked VESTRA_API appears in its dynamic symbol table.
#pragma once

#if defined(_WIN32)
#if defined(VESTRA_BUILD)
#define VESTRA_API __declspec(dllexport)
#else
#define VESTRA_API __declspec(dllimport)
#endif
#else
#define VESTRA_API __attribute__((visibility("default")))
#endif
