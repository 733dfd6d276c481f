#include "d3dx9/image/SurfaceTransfer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vestra;
using formats::Rgba;

TEST(SurfaceTransfer, FiltersParseAndBadKindsAreRefused)
{
    formats::Filter f{};
    EXPECT_TRUE(image::ParseFilter(D3DX_DEFAULT, f));
    EXPECT_EQ(f, formats::Filter::Box);
    EXPECT_TRUE(image::ParseFilter(D3DX_FILTER_POINT | D3DX_FILTER_MIRROR, f));
    EXPECT_EQ(f, formats::Filter::Point);
    EXPECT_FALSE(image::ParseFilter(0, f));
    EXPECT_FALSE(image::ParseFilter(6, f));
}

TEST(SurfaceTransfer, RectangleWriteKeysScalesAndLeavesTheRestAlone)
{
    // A 4x3 X8R8G8B8 surface with a padded pitch, filled with grey.
    const UINT pitch = 4 * 4 + 8;
    std::vector<BYTE> surface(pitch * 3, 0);
    for (UINT y = 0; y < 3; ++y)
        for (UINT x = 0; x < 4; ++x)
            reinterpret_cast<D3DCOLOR*>(&surface[y * pitch])[x] = 0xFF808080u;
    const image::PixelRegion region{D3DFMT_A8R8G8B8, surface.data(), pitch, 4, 3, nullptr};

    // 2x1 source: red and a key-coloured texel, point-scaled into the 2x2 at (1, 1).
    const std::vector<Rgba> source = {{1, 0, 0, 1}, {0, 0, 0, 1}};
    const RECT rect{1, 1, 3, 3};
    ASSERT_EQ(image::WriteRect(source, 2, 1, surface.data(), region, rect, formats::Filter::Point, 0xFF000000u), D3D_OK);
    auto at = [&](UINT x, UINT y) { return reinterpret_cast<const D3DCOLOR*>(&surface[y * pitch])[x]; };
    EXPECT_EQ(at(1, 1), 0xFFFF0000u);
    EXPECT_EQ(at(1, 2), 0xFFFF0000u);
    EXPECT_EQ(at(2, 2), 0x00000000u);  // colour key -> transparent black
    EXPECT_EQ(at(0, 0), 0xFF808080u);
    EXPECT_EQ(at(3, 2), 0xFF808080u);
    EXPECT_EQ(surface[4 * 4], 0);  // pitch padding untouched

    const RECT outside{3, 1, 5, 2};
    EXPECT_EQ(image::WriteRect(source, 2, 1, surface.data(), region, outside, formats::Filter::Point, 0),
              D3DERR_INVALIDCALL);
}

TEST(SurfaceTransfer, ReadsUnalignedRectanglesOfBlocks)
{
    // Two DXT1 blocks side by side: solid red, then solid blue (c0 == c1, all index 0).
    const BYTE blocks[16] = {0x00, 0xF8, 0x00, 0xF8, 0, 0, 0, 0, 0x1F, 0x00, 0x1F, 0x00, 0, 0, 0, 0};
    const image::PixelRegion region{D3DFMT_DXT1, blocks, 16, 8, 4, nullptr};
    std::vector<Rgba> out;
    ASSERT_TRUE(image::ReadRect(region, RECT{3, 1, 6, 2}, out));
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(formats::RgbaToArgb(out[0]), 0xFFFF0000u);
    EXPECT_EQ(formats::RgbaToArgb(out[1]), 0xFF0000FFu);
    EXPECT_EQ(formats::RgbaToArgb(out[2]), 0xFF0000FFu);

    const image::PixelRegion depth{D3DFMT_D16, blocks, 16, 8, 1, nullptr};
    EXPECT_FALSE(image::ReadRect(depth, RECT{0, 0, 1, 1}, out));
}
