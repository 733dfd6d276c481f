#include "WindowTestSupport.h"

namespace vestra::test {
namespace {

using WindowLifecycleTest = WindowTest;
using ::testing::ElementsAre;

LRESULT CALLBACK RefuseCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ReceivedMessages().push_back({window, message, wParam, lParam});
    if (message == WM_CREATE) return -1;
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(WindowLifecycleTest, CreationAndDestructionSendTheirMessagesInOrder) {
    RegisterRecordingClass("Recording");
    int createParam = 7;
    const HWND window = CreateWindowExA(0, "recording", "Title", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                        nullptr, nullptr, &createParam);
    ASSERT_NE(window, nullptr);
    EXPECT_THAT(ReceivedIds(), ElementsAre(WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE));
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(ReceivedMessages()[3].lParam);
    EXPECT_EQ(create, reinterpret_cast<const CREATESTRUCTA*>(ReceivedMessages()[1].lParam));
    char title[16];
    EXPECT_EQ(GetWindowTextA(window, title, sizeof title), 5);
    EXPECT_STREQ(title, "Title");

    ReceivedMessages().clear();
    ShowWindow(window, SW_SHOW);
    EXPECT_THAT(ReceivedIds(), ElementsAre(WM_SHOWWINDOW, WM_ACTIVATEAPP, WM_ACTIVATE));
    EXPECT_EQ(GetForegroundWindow(), window);

    ReceivedMessages().clear();
    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_THAT(ReceivedIds(), ElementsAre(WM_DESTROY, WM_NCDESTROY));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetForegroundWindow(), nullptr);
    SetLastError(0);
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WindowLifecycleTest, RefusedCreationFailsAndClassesUnregisterOnlyWithoutWindows) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RefuseCreate;
    windowClass.lpszClassName = "Refusing";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    EXPECT_EQ(RegisterClassA(&windowClass), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

    EXPECT_EQ(CreateWindowA("Refusing", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_THAT(ReceivedIds(), ElementsAre(WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_DESTROY, WM_NCDESTROY));
    EXPECT_EQ(CreateWindowA("NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_TRUE(UnregisterClassA("Refusing", nullptr));
    EXPECT_FALSE(UnregisterClassA("Refusing", nullptr));
    CreateRecordingWindow();
    EXPECT_FALSE(UnregisterClassA("Recording", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
}

TEST_F(WindowLifecycleTest, LongValuesReadBackAndReportThePreviousValue) {
    const HWND window = CreateRecordingWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    // Overlapped windows always get a caption and clip their siblings.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), 0x14CF0000u);
    EXPECT_EQ(SetWindowLongPtrA(window, GWLP_USERDATA, 1234), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(SetWindowLongA(window, GWL_USERDATA, 99), 1234);
    EXPECT_EQ(SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_SYSMENU | WS_VISIBLE)),
              static_cast<LONG>(0x14CF0000u));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), 0x90080000u);

    // Pointers do not fit the 32-bit LONG forms.
    EXPECT_EQ(GetWindowLongA(window, GWL_WNDPROC), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&RecordingProc));
    EXPECT_EQ(GetWindowLongA(window, 12345), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(GetWindowLongA(nullptr, GWL_STYLE), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WindowLifecycleTest, SubclassedWindowProcedureReceivesSentMessages) {
    const HWND window = CreateRecordingWindow();
    static WNDPROC original = nullptr;
    static int seen = 0;
    seen = 0;
    const WNDPROC subclass = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER) ++seen;
        return CallWindowProcA(original, h, m, w, l);
    };
    original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass)));
    EXPECT_EQ(original, &RecordingProc);
    SendMessageA(window, WM_USER, 0, 0);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(ReceivedIds().back(), static_cast<UINT>(WM_USER));
}

TEST_F(WindowLifecycleTest, FrameAndClientGeometryUseTheFixedFrameSizes) {
    RECT rect{0, 0, 400, 300};
    ASSERT_TRUE(AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW | WS_VISIBLE, TRUE));
    // Thick frame 4, caption 19, menu 19.
    const RECT framed{-4, -42, 404, 304};
    EXPECT_TRUE(EqualRect(&rect, &framed));
    RECT popup{0, 0, 640, 480};
    AdjustWindowRectEx(&popup, WS_POPUP, FALSE, 0);
    EXPECT_EQ(popup.right - popup.left, 640);

    const HWND window = CreateRecordingWindow(WS_OVERLAPPEDWINDOW, 408, 327);
    RECT client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
    POINT point{0, 0};
    ClientToScreen(window, &point);
    EXPECT_EQ(point.x, 14);  // window at (10, 20)
    EXPECT_EQ(point.y, 43);
    ScreenToClient(window, &point);
    EXPECT_EQ(point.x, 0);
    EXPECT_EQ(point.y, 0);

    ReceivedMessages().clear();
    ASSERT_TRUE(SetWindowPos(window, HWND_NOTOPMOST, 100, 50, 208, 127, SWP_SHOWWINDOW));
    RECT bounds;
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, 100);
    EXPECT_EQ(bounds.bottom, 177);
    EXPECT_TRUE(IsWindowVisible(window));
    bool sizeSeen = false;
    for (const Received& r : ReceivedMessages()) {
        if (r.message == WM_SIZE) {
            sizeSeen = true;
            EXPECT_EQ(r.wParam, static_cast<WPARAM>(SIZE_RESTORED));
            EXPECT_EQ(LOWORD(r.lParam), 200);
            EXPECT_EQ(HIWORD(r.lParam), 100);
        }
    }
    EXPECT_TRUE(sizeSeen);
}

TEST_F(WindowLifecycleTest, MinimiseMaximiseAndRestoreReportTheirSizeKinds) {
    const HWND window = CreateRecordingWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200);
    RECT before;
    GetWindowRect(window, &before);
    const auto lastSize = [] {
        for (auto it = ReceivedMessages().rbegin(); it != ReceivedMessages().rend(); ++it) {
            if (it->message == WM_SIZE) return *it;
        }
        return Received{};
    };
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(window));
    EXPECT_EQ(lastSize().wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
    ShowWindow(window, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_EQ(lastSize().wParam, static_cast<WPARAM>(SIZE_MAXIMIZED));
    EXPECT_EQ(LOWORD(lastSize().lParam), GetSystemMetrics(SM_CXSCREEN));
    ShowWindow(window, SW_RESTORE);
    EXPECT_FALSE(IsIconic(window) || IsZoomed(window));
    EXPECT_EQ(lastSize().wParam, static_cast<WPARAM>(SIZE_RESTORED));
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

}  // namespace
}  // namespace vestra::test
