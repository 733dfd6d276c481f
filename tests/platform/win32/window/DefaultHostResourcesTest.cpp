// The ready default host resources: what a framework application finds under each id.
#include "WindowTestSupport.h"

#include <PlatformWin32.h>

#include <string>

namespace vestra::test {
namespace {

using DefaultHostResourcesTest = WindowTest;

TEST_F(DefaultHostResourcesTest, IconMenuAndAcceleratorsCarryTheFrameworkCommands) {
    ASSERT_TRUE(VestraRegisterDefaultHostResources(nullptr));

    const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(101));
    ICONINFO info{};
    ASSERT_NE(icon, nullptr);
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    ASSERT_GT(GetObjectA(info.hbmColor, sizeof colour, &colour), 0);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    const HMENU menu = LoadMenuA(nullptr, MAKEINTRESOURCEA(141));
    ASSERT_NE(menu, nullptr);
    for (UINT command = 40002; command <= 40006; ++command) {
        EXPECT_NE(GetMenuState(menu, command, MF_BYCOMMAND), static_cast<UINT>(-1)) << command;
    }
    EXPECT_EQ(GetMenuState(menu, 40001, MF_BYCOMMAND), static_cast<UINT>(-1));
    DestroyMenu(menu);

    const HACCEL table = LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(113));
    ASSERT_NE(table, nullptr);
    const HWND window = CreateRecordingWindow();
    ReceivedMessages().clear();
    PostFrameworkKeys(window);
    EXPECT_THAT(RunAcceleratorLoop(window, table), ::testing::ElementsAre(40002, 40003, 40004, 40005, 40006));
    DestroyAcceleratorTable(table);
}

TEST_F(DefaultHostResourcesTest, SettingsDialogHasEveryControlTheFrameworkFills) {
    ASSERT_TRUE(VestraRegisterDefaultHostResources(nullptr));
    const HWND owner = CreateRecordingWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    static std::string title;
    static std::vector<int> missing;
    title.clear();
    missing.clear();
    VestraSetDialogHook(
        [](HWND dialog, void*) {
            char text[64] = {};
            GetWindowTextA(dialog, text, sizeof text);
            title = text;
            for (int id : {1000, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1016, 1018, IDOK,
                           IDCANCEL}) {
                if (GetDlgItem(dialog, id) == nullptr) missing.push_back(id);
            }
            SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        },
        nullptr, nullptr);
    const INT_PTR result = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(144), owner,
                                           [](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
                                               if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
                                                   EndDialog(dialog, IDOK);
                                                   return TRUE;
                                               }
                                               return message == WM_INITDIALOG;
                                           },
                                           0);
    VestraSetDialogHook(nullptr, nullptr, nullptr);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(title, "Direct3D Settings");
    EXPECT_TRUE(missing.empty());
}

}  // namespace
}  // namespace vestra::test
