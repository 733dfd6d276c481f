// The Windows C runtime's linear congruential generator, one state per thread.
#include <windows.h>

namespace {

thread_local DWORD g_randState = 1;

}  // namespace

int VestraCrtRand(void) {
    g_randState = g_randState * 214013u + 2531011u;
    return static_cast<int>((g_randState >> 16) & 0x7FFF);
}

void VestraCrtSrand(unsigned int seed) { g_randState = seed; }

// Targets of the engine's link-time wrapping of rand and srand.
extern "C" VESTRA_PLATFORM_API int __wrap_rand(void) { return VestraCrtRand(); }
extern "C" VESTRA_PLATFORM_API void __wrap_srand(unsigned int seed) { VestraCrtSrand(seed); }
