// The framework's one process-wide timer: application time that can be frozen, stepped
// and resumed, and the elapsed time between frames.
#pragma once

#include <windows.h>

enum TIMER_COMMAND {
    TIMERCMD_RESET = 0,          // base and elapsed-time marks to now, running
    TIMERCMD_START = 1,          // resume; the time spent stopped is not counted
    TIMERCMD_STOP = 2,           // freeze application time
    TIMERCMD_ADVANCE = 3,        // move frozen time on by 0.1 second
    TIMERCMD_ABSOLUTE_TIME = 4,  // the clock in seconds, frozen or not
    TIMERCMD_APP_TIME = 5,       // seconds since the base time
    TIMERCMD_ELAPSED_TIME = 6,   // seconds since the previous elapsed-time query
};

// 0 for the commands that change state, the time asked for otherwise, -1 for an unknown
// command. While stopped every time but the absolute one reads the frozen instant.
float WINAPI FrameworkTimer(TIMER_COMMAND command);
