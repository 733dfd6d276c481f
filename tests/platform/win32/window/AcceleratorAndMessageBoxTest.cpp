#include "WindowTestSupport.h"

#include <string>

namespace vestra::test {
namespace {

using AcceleratorTest = WindowTest;

constexpr LPARAM kAlt = 1 << 29;

// The framework's table: F2 settings, Alt+Enter fullscreen, Enter and Space frame control,
// Esc exit.
HACCEL CreateFrameworkTable() {
    ACCEL entries[] = {{FVIRTKEY, VK_F2, 40002},     {FVIRTKEY | FALT, VK_RETURN, 40003},
                       {FVIRTKEY, VK_RETURN, 40004}, {FVIRTKEY, VK_SPACE, 40005},
                       {FVIRTKEY, VK_ESCAPE, 40006}};
    return CreateAcceleratorTableA(entries, 5);
}

TEST_F(AcceleratorTest, KeysMapToCommandsWithExactModifiers) {
    const HWND window = CreateRecordingWindow();
    const HACCEL table = CreateFrameworkTable();
    ASSERT_NE(table, nullptr);
    ReceivedMessages().clear();
    PostFrameworkKeys(window);
    PostMessageA(window, WM_KEYUP, VK_ESCAPE, 1);   // releases never match
    PostMessageA(window, WM_KEYDOWN, VK_SHIFT, 1);  // Shift+F2 is not F2
    PostMessageA(window, WM_KEYDOWN, VK_F2, 1);
    PostMessageA(window, WM_KEYUP, VK_SHIFT, 1);
    PostMessageA(window, WM_KEYDOWN, VK_CONTROL, 1);  // Ctrl+Space is not Space
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
    PostMessageA(window, WM_KEYUP, VK_CONTROL, 1);
    EXPECT_THAT(RunAcceleratorLoop(window, table), ::testing::ElementsAre(40002, 40003, 40004, 40005, 40006));
    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_FALSE(DestroyAcceleratorTable(table));
    MSG key{window, WM_KEYDOWN, VK_F2, 1, 0, {}};
    EXPECT_EQ(TranslateAcceleratorA(window, table, &key), 0);
}

TEST_F(AcceleratorTest, TableLoadsFromTheResourceLayout) {
    const WORD resource[] = {FVIRTKEY, VK_F2, 40002, 0, FVIRTKEY | FALT | 0x80, VK_RETURN, 40003, 0,
                             FVIRTKEY, VK_SPACE, 1, 0};  // after the last entry: ignored
    ASSERT_TRUE(VestraRegisterResource(nullptr, RT_ACCELERATOR, MAKEINTRESOURCE(113), resource, sizeof resource));
    const HACCEL table = LoadAcceleratorsA(nullptr, MAKEINTRESOURCE(113));
    ASSERT_NE(table, nullptr);
    const HWND window = CreateRecordingWindow();
    ReceivedMessages().clear();
    PostMessageA(window, WM_SYSKEYDOWN, VK_RETURN, 1 | kAlt);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_THAT(RunAcceleratorLoop(window, table), ::testing::ElementsAre(40003));
    DestroyAcceleratorTable(table);
    EXPECT_EQ(LoadAcceleratorsA(nullptr, MAKEINTRESOURCE(114)), nullptr);
}

struct CapturedBox {
    std::string text;
    std::string caption;
    UINT type = 0;
};

int Capture(HWND, const char* text, const char* caption, UINT type, void* context) {
    auto* box = static_cast<CapturedBox*>(context);
    *box = CapturedBox{text, caption, type};
    return IDCANCEL;
}

TEST(MessageBoxTest, HandlerSeesTheBoxAndChoosesTheAnswer) {
    CapturedBox box;
    VestraSetMessageBoxHandler(Capture, &box, nullptr);
    EXPECT_EQ(MessageBoxA(nullptr, "Could not reset.", "App", MB_OKCANCEL | MB_ICONERROR), IDCANCEL);
    EXPECT_EQ(box.text, "Could not reset.");
    EXPECT_EQ(box.caption, "App");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OKCANCEL | MB_ICONERROR));
    MessageBoxA(nullptr, nullptr, nullptr, MB_OK);
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.text, "");
    EXPECT_EQ(VestraSetMessageBoxHandler(nullptr, nullptr, nullptr), &Capture);

    // The default without a display writes to stderr and answers OK.
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", MB_OKCANCEL), IDOK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "caption: text\n");
}

}  // namespace
}  // namespace vestra::test
