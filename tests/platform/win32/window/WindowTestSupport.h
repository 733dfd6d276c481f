// Shared by the window tests: a headless display, a window procedure that records what
// it receives, and an empty queue at the start of every test.
#pragma once

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "PlatformWindowing.h"

namespace vestra::test {

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Everything RecordingProc saw, in order; the return value for a message can be forced.
std::vector<Received>& ReceivedMessages();
std::vector<UINT> ReceivedIds();
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers (once) a class using RecordingProc under `name`.
void RegisterRecordingClass(const char* name);

// Drains the queue through the framework's loop (accelerators first, then translate and
// dispatch); returns the command ids RecordingProc received as WM_COMMAND.
std::vector<WPARAM> RunAcceleratorLoop(HWND window, HACCEL table);

// Posts key-downs for F2, Alt+Enter, Enter, Space and Esc: the framework's commands
// 40002 to 40006 in order.
void PostFrameworkKeys(HWND window);

// Removes every posted message, a pending WM_QUIT included, and clears the record.
void ResetMessages();

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMessages(); }
    void TearDown() override;
    HWND CreateRecordingWindow(DWORD style = WS_OVERLAPPEDWINDOW, int width = 400, int height = 300);

    std::vector<HWND> created_;
};

}  // namespace vestra::test
