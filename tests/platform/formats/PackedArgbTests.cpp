// The integer fast paths must give what the general float path gives.
#include <gtest/gtest.h>

#include <vector>

#include "formats/PackedArgb.h"
#include "formats/Resample.h"

using namespace vestra::formats;

namespace {

// The general path: to float, area-weighted box, back to A8R8G8B8.
std::vector<D3DCOLOR> HalveThroughFloats(const std::vector<D3DCOLOR>& src, UINT width, UINT height)
{
    std::vector<Rgba> in, out(static_cast<size_t>(MipSize(width, 1)) * MipSize(height, 1));
    for (D3DCOLOR c : src)
        in.push_back(ArgbToRgba(c));
    Resample(in.data(), width, height, 1, out.data(), MipSize(width, 1), MipSize(height, 1), 1, Filter::Box);
    std::vector<D3DCOLOR> result;
    for (const Rgba& c : out)
        result.push_back(RgbaToArgb(c));
    return result;
}

}  // namespace

TEST(PackedArgb, HalvingMatchesTheFloatBoxForEveryShapeItAccepts)
{
    const struct {
        UINT width, height;
    } shapes[] = {{8, 4}, {2, 2}, {6, 1}, {1, 6}};
    for (const auto& s : shapes) {
        ASSERT_TRUE(CanHalvePackedArgb(s.width, s.height));
        std::vector<D3DCOLOR> src(s.width * s.height);
        for (size_t i = 0; i < src.size(); ++i)
            src[i] = D3DCOLOR_ARGB(255 - i * 7, i * 29 % 256, i * 53 % 256, 255 - i * 11);
        std::vector<D3DCOLOR> fast(HalveThroughFloats(src, s.width, s.height).size());
        HalvePackedArgb(D3DFMT_A8R8G8B8, src.data(), s.width, s.height, fast.data());
        EXPECT_EQ(fast, HalveThroughFloats(src, s.width, s.height)) << s.width << "x" << s.height;
    }
    EXPECT_FALSE(CanHalvePackedArgb(5, 4));  // odd sides take area weights
    EXPECT_FALSE(CanHalvePackedArgb(4, 3));
    EXPECT_FALSE(CanHalvePackedArgb(1, 1));
}

TEST(PackedArgb, HalvingRoundsToNearestAndKeepsTheUnusedByteOpaque)
{
    // Channels 255, 255, 255, 0 average to 191.25 -> 191; 255, 0 to 127.5 -> 128.
    const D3DCOLOR square[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0x00000000};
    D3DCOLOR out = 0;
    HalvePackedArgb(D3DFMT_A8R8G8B8, square, 2, 2, &out);
    EXPECT_EQ(out, 0xBFBFBFBFu);
    const D3DCOLOR pair[2] = {0x00FF00FF, 0x00000000};
    HalvePackedArgb(D3DFMT_A8R8G8B8, pair, 2, 1, &out);
    EXPECT_EQ(out, 0x00800080u);
    HalvePackedArgb(D3DFMT_X8R8G8B8, pair, 1, 2, &out);
    EXPECT_EQ(out, 0xFF800080u);
}

TEST(PackedArgb, ExpandingReadsEachSourceLayoutAndAppliesTheKey)
{
    const BYTE bgr[6] = {0x30, 0x20, 0x10, 0x01, 0x02, 0x03};  // B, G, R per texel
    D3DCOLOR out[2] = {};
    ExpandRowToPackedArgb(D3DFMT_R8G8B8, bgr, 2, D3DFMT_A8R8G8B8, 0, out);
    EXPECT_EQ(out[0], 0xFF102030u);
    EXPECT_EQ(out[1], 0xFF030201u);
    // The key is compared with the alpha the source has (opaque for 24-bit).
    ExpandRowToPackedArgb(D3DFMT_R8G8B8, bgr, 2, D3DFMT_A8R8G8B8, 0xFF030201, out);
    EXPECT_EQ(out[1], 0x00000000u);

    const D3DCOLOR argb[2] = {0x12345678, 0x00ABCDEF};
    ExpandRowToPackedArgb(D3DFMT_A8R8G8B8, reinterpret_cast<const BYTE*>(argb), 2, D3DFMT_X8R8G8B8, 0, out);
    EXPECT_EQ(out[0], 0xFF345678u);
    EXPECT_EQ(out[1], 0xFFABCDEFu);
    ExpandRowToPackedArgb(D3DFMT_X8R8G8B8, reinterpret_cast<const BYTE*>(argb), 2, D3DFMT_A8R8G8B8, 0xFFABCDEF, out);
    EXPECT_EQ(out[0], 0xFF345678u);  // the unused byte reads as opaque
    EXPECT_EQ(out[1], 0x00000000u);
    EXPECT_TRUE(CanExpandToPackedArgb(D3DFMT_X8R8G8B8));
    EXPECT_FALSE(CanExpandToPackedArgb(D3DFMT_R5G6B5));
}
