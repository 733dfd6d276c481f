// OutputDebugStringA: Linux has no debugger channel, so the text goes to a handler the
// host can replace (tests capture it; the default keeps stderr quiet unless asked).
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <mutex>

namespace {

struct Sink {
    VestraDebugOutputHandler handler = NULL;
    void* context = NULL;
};

std::mutex g_sinkMutex;
Sink g_sink;

void WriteToStderrWhenEnabled(const char* text) {
    const char* enabled = getenv("VESTRA_DEBUG_OUTPUT");
    if (enabled != NULL && strcmp(enabled, "1") == 0) {
        fputs(text, stderr);
    }
}

}  // namespace

VestraDebugOutputHandler VestraSetDebugOutputHandler(VestraDebugOutputHandler handler, void* context,
                                                     void** previousContext) {
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    const Sink previous = g_sink;
    g_sink = Sink{handler, handler == NULL ? NULL : context};
    if (previousContext != NULL) {
        *previousContext = previous.context;
    }
    return previous.handler;
}

void WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
    if (lpOutputString == NULL) {
        return;
    }
    Sink sink;
    {
        // Called outside the lock so that a handler may itself write debug output.
        std::lock_guard<std::mutex> lock(g_sinkMutex);
        sink = g_sink;
    }
    if (sink.handler != NULL) {
        sink.handler(lpOutputString, sink.context);
    } else {
        WriteToStderrWhenEnabled(lpOutputString);
    }
}
