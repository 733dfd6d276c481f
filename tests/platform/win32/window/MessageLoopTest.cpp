#include "WindowTestSupport.h"

namespace vestra::test {
namespace {

using MessageLoopTest = WindowTest;
using ::testing::ElementsAre;

TEST_F(MessageLoopTest, PostedMessagesComeInOrderAndQuitComesLast) {
    const HWND window = CreateRecordingWindow();
    ReceivedMessages().clear();
    PostQuitMessage(3);
    PostMessageA(window, WM_USER + 1, 10, 20);
    PostMessageA(nullptr, WM_APP, 0, 0);
    PostMessageA(window, WM_USER + 2, 0, 0);

    MSG message;
    std::vector<UINT> order;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        order.push_back(message.message);
        DispatchMessageA(&message);
    }
    EXPECT_THAT(order, ElementsAre(WM_USER + 1, WM_APP, WM_USER + 2));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 3u);
    // The quit is delivered once.
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    // Thread messages (no window) are retrieved but dispatch reaches no procedure.
    EXPECT_THAT(ReceivedIds(), ElementsAre(WM_USER + 1, WM_USER + 2));
    EXPECT_EQ(ReceivedMessages()[0].wParam, 10u);
}

TEST_F(MessageLoopTest, PeekHonoursRemovalAndFilters) {
    const HWND first = CreateRecordingWindow();
    const HWND second = CreateRecordingWindow();
    PostMessageA(first, WM_USER, 0, 0);
    PostMessageA(second, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(nullptr, WM_APP, 0, 0);

    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(message.hwnd, second);
    EXPECT_FALSE(PeekMessageA(&message, second, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&message, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_APP));
    ASSERT_TRUE(PeekMessageA(&message, first, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER));
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    // Creation messages only: nothing was dispatched.
    for (const Received& r : ReceivedMessages()) EXPECT_NE(r.message, static_cast<UINT>(WM_USER));
}

TEST_F(MessageLoopTest, QuitWaitsForMessagesOutsideTheFilter) {
    const HWND window = CreateRecordingWindow();
    PostMessageA(window, WM_USER, 0, 0);
    PostQuitMessage(0);
    MSG message;
    // WM_QUIT passes every filter, but only once nothing else is queued.
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
}

TEST_F(MessageLoopTest, SendCallsTheProcedureAtOnceAndPostsToDeadWindowsFail) {
    const HWND window = CreateRecordingWindow();
    SetWindowTextA(window, "abc");
    ReceivedMessages().clear();
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 3);
    EXPECT_THAT(ReceivedIds(), ElementsAre(WM_GETTEXTLENGTH));
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));

    PostMessageA(window, WM_USER, 0, 0);
    DestroyWindow(window);
    // What was posted to a destroyed window is dropped with it.
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
    EXPECT_EQ(GetMessageA(&message, window, 0, 0), -1);
}

TEST_F(MessageLoopTest, DefaultProcedureClosesThroughTheSystemCommandAndAltF4) {
    const HWND closedByCommand = CreateRecordingWindow();
    SendMessageA(closedByCommand, WM_SYSCOMMAND, SC_CLOSE | 0x3, 0);  // low bits are ignored
    EXPECT_FALSE(IsWindow(closedByCommand));
    EXPECT_THAT(ReceivedIds(), ::testing::IsSupersetOf({static_cast<UINT>(WM_CLOSE), static_cast<UINT>(WM_DESTROY)}));

    const HWND window = CreateRecordingWindow();
    SendMessageA(window, WM_SYSKEYDOWN, VK_F4, 0);  // F4 without the Alt bit
    EXPECT_TRUE(IsWindow(window));
    SendMessageA(window, WM_SYSKEYDOWN, VK_F4, 1 << 29);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MessageLoopTest, TranslateMessagePostsCharactersForKeysThatHaveThem) {
    const HWND window = CreateRecordingWindow();
    MSG key{window, WM_KEYDOWN, 'A', 1, 0, {}};
    EXPECT_TRUE(TranslateMessage(&key));
    MSG f2{window, WM_KEYDOWN, VK_F2, 1, 0, {}};
    EXPECT_TRUE(TranslateMessage(&f2));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(message.wParam, static_cast<WPARAM>('a'));
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
}  // namespace vestra::test
