#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "formats/BlockCompression.h"
#include "formats/Resample.h"
#include "formats/SurfaceConvert.h"

using namespace vestra::formats;

TEST(Dxt, Dxt1DecodesBothModes)
{
    // c0 red > c1 blue: four colours, 2/3-1/3 mixes.
    const BYTE fourColour[8] = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0, 0, 0};
    D3DCOLOR out[16];
    DecodeDxtBlock(D3DFMT_DXT1, fourColour, out);
    EXPECT_EQ(out[0], 0xFFFF0000u);
    EXPECT_EQ(out[1], 0xFF0000FFu);
    EXPECT_EQ(out[2], 0xFFAA0055u);
    EXPECT_EQ(out[3], 0xFF5500AAu);

    // c0 <= c1: three colours and transparent black at index 3.
    const BYTE threeColour[8] = {0x1F, 0x00, 0x00, 0xF8, 0xE4, 0, 0, 0xC0};
    DecodeDxtBlock(D3DFMT_DXT1, threeColour, out);
    EXPECT_EQ(out[2], 0xFF7F007Fu);
    EXPECT_EQ(out[3], 0x00000000u);
    EXPECT_EQ(out[15], 0x00000000u);

    // The same colour block inside DXT3 always has four colours.
    BYTE dxt3[16] = {0x1F, 0, 0, 0, 0, 0, 0, 0};
    std::copy(threeColour, threeColour + 8, dxt3 + 8);
    DecodeDxtBlock(D3DFMT_DXT3, dxt3, out);
    EXPECT_EQ(out[0], 0xFF0000FFu);  // explicit alpha 0xF
    EXPECT_EQ(out[1], 0x11FF0000u);  // explicit alpha 0x1 -> 17
    EXPECT_EQ(out[3], 0x00AA0055u);
}

TEST(Dxt, InterpolatedAlphaUsesBothPaletteModes)
{
    // Texel 0 index 2, texel 1 index 7 -> bits 0b111010.
    BYTE block[16] = {200, 100, 0x3A, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    D3DCOLOR out[16];
    DecodeDxtBlock(D3DFMT_DXT5, block, out);
    EXPECT_EQ(out[0] >> 24, 185u);  // (6*200 + 100) / 7
    EXPECT_EQ(out[1] >> 24, 114u);  // (200 + 6*100) / 7
    EXPECT_EQ(out[2] >> 24, 200u);
    EXPECT_EQ(out[0] & 0xFFFFFF, 0xFFFFFFu);

    block[0] = 50;  // a0 <= a1: six values plus 0 and 255
    DecodeDxtBlock(D3DFMT_DXT5, block, out);
    EXPECT_EQ(out[0] >> 24, 60u);
    EXPECT_EQ(out[1] >> 24, 255u);
    block[2] = 0x36;  // texel 0 index 6, texel 1 index 6
    DecodeDxtBlock(D3DFMT_DXT5, block, out);
    EXPECT_EQ(out[0] >> 24, 0u);
}

TEST(Dxt, PremultipliedFormatsDecodeToStraightColour)
{
    // Colour 0x8410 -> (132, 130, 132) premultiplied by alpha 136.
    BYTE block[16] = {0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x10, 0x84, 0x10, 0x84, 0, 0, 0, 0};
    D3DCOLOR out[16];
    DecodeDxtBlock(D3DFMT_DXT2, block, out);
    EXPECT_EQ(out[5], 0x88F8F4F8u);
    DecodeDxtBlock(D3DFMT_DXT3, block, out);
    EXPECT_EQ(out[5], 0x88848284u);
}

TEST(Dxt, EncoderReproducesTwoColourBlocksAndTransparency)
{
    D3DCOLOR in[16], out[16];
    for (int i = 0; i < 16; ++i)
        in[i] = (i % 3 == 0) ? 0xFFFF0000u : 0xFF0000FFu;
    for (D3DFORMAT format : {D3DFMT_DXT1, D3DFMT_DXT3, D3DFMT_DXT5}) {
        BYTE block[16];
        EncodeDxtBlock(format, in, block);
        DecodeDxtBlock(format, block, out);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(out[i], in[i]) << format << " texel " << i;
    }

    in[4] = 0x00123456u;
    in[9] = 0x10FFFFFFu;
    BYTE block[8];
    EncodeDxtBlock(D3DFMT_DXT1, in, block);
    DecodeDxtBlock(D3DFMT_DXT1, block, out);
    EXPECT_EQ(out[4], 0u);
    EXPECT_EQ(out[9], 0u);
    EXPECT_EQ(out[0], 0xFFFF0000u);
    EXPECT_EQ(out[1], 0xFF0000FFu);
}

TEST(Dxt, EncoderErrorStaysWithinHalfAPaletteStep)
{
    // Sixteen steps along one line: four colours leave at most half of a third of the range
    // (43) plus 5:6:5 rounding; eight interpolated alphas at most 255/14; explicit 4-bit
    // alpha at most 8.
    D3DCOLOR in[16], out[16];
    for (int i = 0; i < 16; ++i) {
        const D3DCOLOR v = static_cast<D3DCOLOR>(i * 17);
        in[i] = (v << 24) | (v << 16) | ((255 - v) << 8) | 0x40;
    }
    const struct {
        D3DFORMAT format;
        int alphaError;
    } cases[] = {{D3DFMT_DXT3, 8}, {D3DFMT_DXT5, 19}};
    for (const auto& c : cases) {
        BYTE block[16];
        EncodeDxtBlock(c.format, in, block);
        DecodeDxtBlock(c.format, block, out);
        for (int i = 0; i < 16; ++i) {
            EXPECT_LE(std::abs(static_cast<int>(out[i] >> 24) - static_cast<int>(in[i] >> 24)), c.alphaError);
            for (int shift : {16, 8, 0}) {
                EXPECT_LE(std::abs(static_cast<int>((out[i] >> shift) & 0xFF) - static_cast<int>((in[i] >> shift) & 0xFF)), 47)
                    << c.format << " texel " << i;
            }
        }
    }

    // Premultiplied formats store colour times alpha and give straight colour back.
    for (int i = 0; i < 16; ++i)
        in[i] = i < 8 ? 0x80FF0000u : 0x800000FFu;
    for (D3DFORMAT format : {D3DFMT_DXT2, D3DFMT_DXT4}) {
        BYTE block[16];
        EncodeDxtBlock(format, in, block);
        DecodeDxtBlock(format, block, out);
        const D3DCOLOR storedAlpha = format == D3DFMT_DXT2 ? 136 : 128;  // 4-bit alpha 8 -> 136
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(out[i] >> 24, storedAlpha);
            EXPECT_LE(std::abs(static_cast<int>((out[i] >> 16) & 0xFF) - static_cast<int>((in[i] >> 16) & 0xFF)), 4);
            EXPECT_LE(std::abs(static_cast<int>(out[i] & 0xFF) - static_cast<int>(in[i] & 0xFF)), 4);
        }
    }
}

TEST(SurfaceConvert, PartialDxtBlocksAtOddSizesAndPitch)
{
    std::vector<Rgba> image(5 * 5);
    for (UINT i = 0; i < image.size(); ++i)
        image[i] = (i % 5 == 4 || i >= 20) ? Rgba{0, 0, 1, 1} : Rgba{1, 0, 0, 1};
    const UINT pitch = 2 * 8 + 4;  // padded rows of two blocks
    std::vector<BYTE> blocks(2 * pitch, 0xCD);
    ASSERT_TRUE(EncodeSurface(D3DFMT_DXT1, image.data(), 5, 5, blocks.data(), pitch));
    EXPECT_EQ(blocks[16], 0xCD);  // padding untouched
    std::vector<Rgba> decoded(25);
    ASSERT_TRUE(DecodeSurface(D3DFMT_DXT1, blocks.data(), pitch, 5, 5, decoded.data()));
    for (UINT i = 0; i < 25; ++i) {
        EXPECT_EQ(RgbaToArgb(decoded[i]), RgbaToArgb(image[i])) << i;
    }
    EXPECT_FALSE(DecodeSurface(D3DFMT_D24S8, blocks.data(), pitch, 1, 1, decoded.data()));
}

TEST(Resample, BoxWeightsCoverOddSizes)
{
    // 5x3 -> 2x1: each output averages 2.5 columns (weights 1, 1, 0.5) of all 3 rows.
    std::vector<Rgba> src(15);
    for (UINT y = 0; y < 3; ++y)
        for (UINT x = 0; x < 5; ++x)
            src[y * 5 + x] = {static_cast<float>(x), static_cast<float>(y), 0, 1};
    Rgba dst[2];
    DownsampleForMip(src.data(), 5, 3, 1, dst);
    EXPECT_FLOAT_EQ(dst[0].r, (0 + 1 + 0.5f * 2) / 2.5f);
    EXPECT_FLOAT_EQ(dst[1].r, (0.5f * 2 + 3 + 4) / 2.5f);
    EXPECT_FLOAT_EQ(dst[0].g, 1.0f);
    EXPECT_FLOAT_EQ(dst[1].a, 1.0f);

    // A 2x2x2 volume reduces to the mean of its eight texels.
    std::vector<Rgba> volume(8);
    for (UINT i = 0; i < 8; ++i)
        volume[i] = {static_cast<float>(i), 0, 0, 0};
    DownsampleForMip(volume.data(), 2, 2, 2, dst);
    EXPECT_FLOAT_EQ(dst[0].r, 3.5f);

    // 1xN keeps its width of 1.
    Rgba column[4] = {{0, 0, 0, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, {1, 1, 1, 1}};
    DownsampleForMip(column, 1, 4, 1, dst);
    EXPECT_FLOAT_EQ(dst[0].r, 0.5f);
    EXPECT_FLOAT_EQ(dst[1].r, 0.5f);
}

TEST(Resample, PointLinearAndNoneFilters)
{
    const Rgba src[2] = {{0, 0, 0, 1}, {1, 1, 1, 1}};
    Rgba dst[4];
    Resample(src, 2, 1, 1, dst, 4, 1, 1, Filter::Linear);
    EXPECT_FLOAT_EQ(dst[0].r, 0.0f);
    EXPECT_FLOAT_EQ(dst[1].r, 0.25f);
    EXPECT_FLOAT_EQ(dst[2].r, 0.75f);
    EXPECT_FLOAT_EQ(dst[3].r, 1.0f);

    Resample(src, 2, 1, 1, dst, 4, 1, 1, Filter::Point);
    EXPECT_FLOAT_EQ(dst[1].r, 0.0f);
    EXPECT_FLOAT_EQ(dst[2].r, 1.0f);

    Resample(src, 2, 1, 1, dst, 3, 1, 1, Filter::None);
    EXPECT_FLOAT_EQ(dst[1].r, 1.0f);
    EXPECT_FLOAT_EQ(dst[2].a, 0.0f);  // beyond the source: transparent black
}
