#include "WindowTestSupport.h"

#include <cstdlib>
#include <set>
#include <string>

namespace vestra::test {
namespace {

// Decided before any window exists: the suite never opens real windows.
const bool kHeadless = setenv("SDL_VIDEODRIVER", "dummy", 1) == 0;

}  // namespace

std::vector<Received>& ReceivedMessages() {
    static std::vector<Received> received;
    return received;
}

std::vector<UINT> ReceivedIds() {
    std::vector<UINT> ids;
    for (const Received& r : ReceivedMessages()) ids.push_back(r.message);
    return ids;
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ReceivedMessages().push_back({window, message, wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterRecordingClass(const char* name) {
    static std::set<std::string> registered;
    if (!registered.insert(name).second) return;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.lpszClassName = name;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(RegisterClassA(&windowClass), 0);
}

std::vector<WPARAM> RunAcceleratorLoop(HWND window, HACCEL table) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!TranslateAcceleratorA(window, table, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    std::vector<WPARAM> commands;
    for (const Received& r : ReceivedMessages()) {
        if (r.message == WM_COMMAND) {
            EXPECT_EQ(HIWORD(r.wParam), 1);
            EXPECT_EQ(r.lParam, 0);
            commands.push_back(LOWORD(r.wParam));
        }
    }
    return commands;
}

void PostFrameworkKeys(HWND window) {
    PostMessageA(window, WM_KEYDOWN, VK_F2, 1);
    PostMessageA(window, WM_SYSKEYDOWN, VK_RETURN, 1 | (1 << 29));  // the Alt bit
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
}

void ResetMessages() {
    ASSERT_TRUE(kHeadless);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    ReceivedMessages().clear();
}

void WindowTest::TearDown() {
    for (HWND window : created_) {
        if (IsWindow(window)) DestroyWindow(window);
    }
    ResetMessages();
}

HWND WindowTest::CreateRecordingWindow(DWORD style, int width, int height) {
    RegisterRecordingClass("Recording");
    const HWND window = CreateWindowExA(0, "Recording", "Test", style, 10, 20, width, height, nullptr, nullptr,
                                        nullptr, nullptr);
    EXPECT_NE(window, nullptr);
    created_.push_back(window);
    return window;
}

}  // namespace vestra::test
