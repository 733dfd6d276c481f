// Counters and sleeping. Everything reads the monotonic clock, so time never jumps with
// wall-clock changes, as on Windows.
#include <windows.h>

#include <sched.h>
#include <time.h>
#include <unistd.h>

namespace {

// The frequency modern Windows reports: one count per 100 ns.
constexpr LONGLONG kCountsPerSecond = 10000000;

struct timespec Now() {
    struct timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now;
}

DWORD MillisecondsSinceStart() {
    const struct timespec now = Now();
    const ULONGLONG ms = static_cast<ULONGLONG>(now.tv_sec) * 1000u + static_cast<ULONGLONG>(now.tv_nsec) / 1000000u;
    return static_cast<DWORD>(ms);  // wraps like the Windows tick count
}

}  // namespace

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency) {
    if (lpFrequency == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    lpFrequency->QuadPart = kCountsPerSecond;
    return TRUE;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount) {
    if (lpPerformanceCount == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const struct timespec now = Now();
    lpPerformanceCount->QuadPart = static_cast<LONGLONG>(now.tv_sec) * kCountsPerSecond + now.tv_nsec / 100;
    return TRUE;
}

DWORD WINAPI GetTickCount(void) { return MillisecondsSinceStart(); }

DWORD WINAPI timeGetTime(void) { return MillisecondsSinceStart(); }

void WINAPI Sleep(DWORD dwMilliseconds) {
    if (dwMilliseconds == 0) {
        sched_yield();
        return;
    }
    if (dwMilliseconds == INFINITE) {
        for (;;) {
            pause();
        }
    }
    struct timespec remaining {};
    remaining.tv_sec = static_cast<time_t>(dwMilliseconds / 1000);
    remaining.tv_nsec = static_cast<long>(dwMilliseconds % 1000) * 1000000L;
    while (nanosleep(&remaining, &remaining) != 0) {
        // Interrupted by a signal: sleep for what is left, Sleep never returns early.
    }
}
