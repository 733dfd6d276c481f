#include "WindowTestSupport.h"

#include <cstring>

namespace vestra::test {
namespace {

using CursorMenuDisplayTest = WindowTest;

// Reads a bitmap as bottom-up 32-bit rows, the way the framework reads cursor masks.
std::vector<DWORD> ReadRows(HBITMAP bitmap, LONG width, LONG rows) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, rows, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> bits(static_cast<size_t>(width * rows));
    const HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDIBits(dc, bitmap, 0, static_cast<UINT>(rows), bits.data(), &info, DIB_RGB_COLORS), rows);
    DeleteDC(dc);
    return bits;
}

TEST_F(CursorMenuDisplayTest, ArrowCursorIsAMonochromeMaskOfTwoHalves) {
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);  // system cursors are shared
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(arrow, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.hbmColor, nullptr);
    BITMAP mask{};
    ASSERT_EQ(GetObjectA(info.hbmMask, sizeof mask, &mask), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, 64);
    EXPECT_EQ(mask.bmBitsPixel, 1);
    EXPECT_EQ(mask.bmWidthBytes, 4);
    EXPECT_EQ(GetObjectA(info.hbmMask, sizeof mask - 1, &mask), 0);

    const std::vector<DWORD> rows = ReadRows(info.hbmMask, 32, 64);
    // Bottom-up: image row y of the AND half is DIB row 63 - y; the XOR half is below it.
    const auto andBit = [&](int x, int y) { return rows[static_cast<size_t>((63 - y) * 32 + x)]; };
    const auto xorBit = [&](int x, int y) { return rows[static_cast<size_t>((31 - y) * 32 + x)]; };
    EXPECT_EQ(andBit(0, 0), 0u);            // the tip is opaque...
    EXPECT_EQ(xorBit(0, 0), 0u);            // ...and black (outline)
    EXPECT_EQ(andBit(31, 0), 0x00FFFFFFu);  // far corner: transparent
    EXPECT_EQ(xorBit(2, 8), 0x00FFFFFFu);   // inside: white

    EXPECT_TRUE(DeleteObject(reinterpret_cast<HGDIOBJ>(info.hbmMask)));
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(info.hbmMask)));
    EXPECT_FALSE(GetIconInfo(nullptr, &info));
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCE(1)), nullptr);
}

TEST_F(CursorMenuDisplayTest, RegisteredIconKeepsItsPixelsAndDerivesItsMask) {
    struct {
        VestraIconImage header{2, 2, 1, 0};
        DWORD pixels[4] = {0xFF112233u, 0x00000000u, 0x80FFFFFFu, 0xFF000000u};
    } resource;
    ASSERT_TRUE(VestraRegisterResource(nullptr, RT_ICON, MAKEINTRESOURCE(101), &resource, sizeof resource));
    const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(101));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 1u);
    ASSERT_NE(info.hbmColor, nullptr);
    const std::vector<DWORD> color = ReadRows(info.hbmColor, 2, 2);
    EXPECT_EQ(color[2], 0xFF112233u);  // top-left is in the last DIB row
    EXPECT_EQ(color[1], 0xFF000000u);
    const std::vector<DWORD> mask = ReadRows(info.hbmMask, 2, 2);
    EXPECT_EQ(mask[3], 0x00FFFFFFu);  // alpha 0: transparent
    EXPECT_EQ(mask[0], 0u);           // alpha 0x80 still counts as opaque
    DeleteObject(reinterpret_cast<HGDIOBJ>(info.hbmColor));
    DeleteObject(reinterpret_cast<HGDIOBJ>(info.hbmMask));
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(102)), nullptr);
}

TEST_F(CursorMenuDisplayTest, CursorCountAndClipping) {
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    const RECT clip{100, 100, 200, 150};
    ClipCursor(&clip);
    SetCursorPos(500, 0);
    POINT point;
    GetCursorPos(&point);
    EXPECT_EQ(point.x, 199);  // the right and bottom edges are outside
    EXPECT_EQ(point.y, 100);
    ClipCursor(nullptr);
    SetCursorPos(500, 0);
    GetCursorPos(&point);
    EXPECT_EQ(point.x, 500);
}

TEST_F(CursorMenuDisplayTest, MenusCheckAndEnableItemsAndTakeClientSpace) {
    const VestraMenuItem items[] = {{40002, 0, "Change device..."}, {40004, MF_CHECKED, "Animate"}};
    ASSERT_TRUE(VestraRegisterResource(nullptr, RT_MENU, MAKEINTRESOURCE(141), items, sizeof items));
    const HMENU menu = LoadMenuA(nullptr, MAKEINTRESOURCE(141));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(CheckMenuItem(menu, 40004, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 40004, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYPOSITION | MF_CHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 12345, MF_CHECKED), 0xFFFFFFFFu);
    EXPECT_EQ(EnableMenuItem(menu, 40002, MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION), static_cast<UINT>(MF_GRAYED));

    const HWND window = CreateRecordingWindow(WS_OVERLAPPEDWINDOW, 408, 346);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 319);
    ASSERT_TRUE(SetMenu(window, menu));
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 300);
    EXPECT_EQ(ReceivedMessages().back().message, static_cast<UINT>(WM_MOVE));
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_FALSE(DestroyMenu(menu));
}

TEST_F(CursorMenuDisplayTest, HeadlessDisplayHasAFixedModeListAndAcceptsFrames) {
    EXPECT_FALSE(VestraHasDisplay());
    // Six sizes in X8R8G8B8 (22) and R5G6B5 (23), ordered by size then format; a short
    // buffer still learns the full count and is not written past its end.
    ASSERT_EQ(VestraGetDisplayModes(nullptr, 0), 12u);
    VestraDisplayMode modes[4] = {};
    ASSERT_EQ(VestraGetDisplayModes(modes, 3), 12u);
    EXPECT_EQ(modes[1].Width, 640u);
    EXPECT_EQ(modes[1].Format, 23u);
    EXPECT_EQ(modes[2].Width, 800u);
    EXPECT_EQ(modes[2].Format, 22u);
    EXPECT_EQ(modes[3].Width, 0u);
    VestraDisplayMode desktop;
    ASSERT_TRUE(VestraGetDesktopMode(&desktop));
    EXPECT_EQ(static_cast<int>(desktop.Width), GetSystemMetrics(SM_CXSCREEN));

    const HWND window = CreateRecordingWindow();
    const DWORD pixels[4] = {};
    EXPECT_TRUE(VestraPresentToWindow(window, pixels, 2, 2, 8));
    EXPECT_TRUE(VestraPresentToWindow(window, pixels + 2, 2, 2, -8));
    EXPECT_FALSE(VestraPresentToWindow(window, pixels, 2, 2, 4));
    EXPECT_FALSE(VestraPresentToWindow(window, nullptr, 2, 2, 8));
    EXPECT_FALSE(VestraPresentToWindow(nullptr, pixels, 2, 2, 8));
    const RECT quarter{0, 0, 1, 1}, empty{1, 1, 1, 4};
    EXPECT_TRUE(VestraPresentRectToWindow(window, pixels, 2, 2, 8, &quarter));
    EXPECT_FALSE(VestraPresentRectToWindow(window, pixels, 2, 2, 8, &empty));
}

}  // namespace
}  // namespace vestra::test
