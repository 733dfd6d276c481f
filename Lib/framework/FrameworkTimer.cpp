#include "framework/FrameworkTimer.h"

#include <mmsystem.h>

namespace {

// Instants are kept in counter ticks when the high-resolution counter exists, otherwise in
// multimedia-clock milliseconds; both convert to seconds through `ticksPerSecond`.
struct TimerState {
    bool initialised = false;
    bool stopped = true;
    LONGLONG ticksPerSecond = 1000;
    bool useCounter = false;
    LONGLONG baseTime = 0;
    LONGLONG lastElapsedTime = 0;
    LONGLONG stopTime = 0;  // 0: not stopped
};

TimerState timer;

LONGLONG ReadClock() {
    if (timer.useCounter) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return now.QuadPart;
    }
    return static_cast<LONGLONG>(timeGetTime());
}

void InitialiseOnce() {
    if (timer.initialised) return;
    timer.initialised = true;
    LARGE_INTEGER frequency;
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
        timer.useCounter = true;
        timer.ticksPerSecond = frequency.QuadPart;
    }
}

double Seconds(LONGLONG ticks) { return static_cast<double>(ticks) / static_cast<double>(timer.ticksPerSecond); }

}  // namespace

float WINAPI FrameworkTimer(TIMER_COMMAND command) {
    InitialiseOnce();
    const LONGLONG clock = ReadClock();
    // A stopped timer answers with the instant it was stopped at (moved on by ADVANCE).
    const LONGLONG now = timer.stopTime != 0 ? timer.stopTime : clock;

    switch (command) {
        case TIMERCMD_RESET:
            timer.baseTime = now;
            timer.lastElapsedTime = now;
            timer.stopTime = 0;
            timer.stopped = false;
            return 0.0f;
        case TIMERCMD_START:
            if (timer.stopped) timer.baseTime += clock - timer.stopTime;
            timer.stopTime = 0;
            timer.lastElapsedTime = clock;
            timer.stopped = false;
            return 0.0f;
        case TIMERCMD_STOP:
            if (!timer.stopped) {
                timer.stopTime = now;
                timer.lastElapsedTime = now;
                timer.stopped = true;
            }
            return 0.0f;
        case TIMERCMD_ADVANCE:
            timer.stopTime += timer.ticksPerSecond / 10;
            return 0.0f;
        case TIMERCMD_ABSOLUTE_TIME:
            return static_cast<float>(Seconds(clock));
        case TIMERCMD_APP_TIME:
            return static_cast<float>(Seconds(now - timer.baseTime));
        case TIMERCMD_ELAPSED_TIME: {
            const double elapsed = Seconds(now - timer.lastElapsedTime);
            timer.lastElapsedTime = now;
            return static_cast<float>(elapsed);
        }
    }
    return -1.0f;
}
