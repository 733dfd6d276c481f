#include "formats/PixelConvert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>


using namespace vestra::formats;

namespace {

D3DCOLOR ReadOne(D3DFORMAT format, std::vector<BYTE> bytes, Palette palette = nullptr)
{
    D3DCOLOR out = 0;
    ReadRowArgb(format, bytes.data(), 1, &out, palette);
    return out;
}

std::vector<BYTE> TestPalette()
{
    std::vector<BYTE> palette(1024);
    for (int i = 0; i < 256; ++i) {
        palette[4 * i] = static_cast<BYTE>(i);
        palette[4 * i + 1] = static_cast<BYTE>(255 - i);
        palette[4 * i + 2] = static_cast<BYTE>(i * 7);
        palette[4 * i + 3] = static_cast<BYTE>(i < 128 ? 255 : i);
    }
    return palette;
}

}  // namespace

TEST(PixelConvert, KnownTexelsReadAsArgb)
{
    EXPECT_EQ(ReadOne(D3DFMT_R8G8B8, {0x33, 0x22, 0x11}), 0xFF112233u);
    EXPECT_EQ(ReadOne(D3DFMT_X8R8G8B8, {0x33, 0x22, 0x11, 0x00}), 0xFF112233u);
    EXPECT_EQ(ReadOne(D3DFMT_A8B8G8R8, {0x11, 0x22, 0x33, 0x44}), 0x44112233u);
    EXPECT_EQ(ReadOne(D3DFMT_X8B8G8R8, {0x11, 0x22, 0x33, 0x44}), 0xFF112233u);
    // 5- and 6-bit channels scale to the nearest 8-bit value: 16/31 -> 132, 32/63 -> 130.
    EXPECT_EQ(ReadOne(D3DFMT_R5G6B5, {0x10, 0x84}), 0xFF848284u);
    EXPECT_EQ(ReadOne(D3DFMT_R5G6B5, {0xE0, 0x07}), 0xFF00FF00u);
    EXPECT_EQ(ReadOne(D3DFMT_A1R5G5B5, {0xFF, 0x7F}), 0x00FFFFFFu);
    EXPECT_EQ(ReadOne(D3DFMT_X1R5G5B5, {0x00, 0x80}), 0xFF000000u);
    EXPECT_EQ(ReadOne(D3DFMT_A4R4G4B4, {0x34, 0x12}), 0x11223344u);
    EXPECT_EQ(ReadOne(D3DFMT_X4R4G4B4, {0x34, 0x12}), 0xFF223344u);
    EXPECT_EQ(ReadOne(D3DFMT_R3G3B2, {0xE3}), 0xFFFF00FFu);
    EXPECT_EQ(ReadOne(D3DFMT_A8R3G3B2, {0x1C, 0x80}), 0x8000FF00u);
    EXPECT_EQ(ReadOne(D3DFMT_A8, {0x80}), 0x80000000u);
    // Two-bit alpha 1 -> 85; R in the low bits for A2B10G10R10, B for A2R10G10B10.
    EXPECT_EQ(ReadOne(D3DFMT_A2B10G10R10, {0xFF, 0x03, 0x00, 0x40}), 0x55FF0000u);
    EXPECT_EQ(ReadOne(D3DFMT_A2R10G10B10, {0xFF, 0x03, 0x00, 0xC0}), 0xFF0000FFu);
    // G16R16 has no blue: it reads as 1.
    EXPECT_EQ(ReadOne(D3DFMT_G16R16, {0xFF, 0xFF, 0x00, 0x00}), 0xFFFF00FFu);
    EXPECT_EQ(ReadOne(D3DFMT_A16B16G16R16, {0xFF, 0xFF, 0, 0, 0x80, 0x80, 0xFF, 0xFF}), 0xFFFF0080u);
    EXPECT_EQ(ReadOne(D3DFMT_L8, {0x80}), 0xFF808080u);
    EXPECT_EQ(ReadOne(D3DFMT_A8L8, {0x80, 0x40}), 0x40808080u);
    EXPECT_EQ(ReadOne(D3DFMT_A4L4, {0x3C}), 0x33CCCCCCu);
    EXPECT_EQ(ReadOne(D3DFMT_L16, {0x80, 0x80}), 0xFF808080u);
    EXPECT_EQ(ReadOne(D3DFMT_R16F, {0x00, 0x38}), 0xFF80FFFFu);  // 0.5 in red

    const float rgba[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    std::vector<BYTE> wide(16);
    std::memcpy(wide.data(), rgba, 16);
    EXPECT_EQ(ReadOne(D3DFMT_A32B32G32R32F, wide), 0xFF4080BFu);

    const std::vector<BYTE> palette = TestPalette();
    EXPECT_EQ(ReadOne(D3DFMT_P8, {200}, palette.data()), 0xC8C83778u);
    EXPECT_EQ(ReadOne(D3DFMT_A8P8, {200, 0x40}, palette.data()), 0x40C83778u);
}

TEST(PixelConvert, SignedFormatsReadIntoMinusOneToOne)
{
    Rgba out[2];
    const BYTE v8u8[] = {0x7F, 0x81, 0x80, 0x00};
    ReadRow(D3DFMT_V8U8, v8u8, 2, out);
    EXPECT_FLOAT_EQ(out[0].r, 1.0f);
    EXPECT_FLOAT_EQ(out[0].g, -1.0f);
    EXPECT_FLOAT_EQ(out[1].r, -1.0f);  // the most negative code clamps to -1
    EXPECT_FLOAT_EQ(out[1].g, 0.0f);

    const BYTE cx[] = {0x00, 0x00};
    ReadRow(D3DFMT_CxV8U8, cx, 1, out);
    EXPECT_FLOAT_EQ(out[0].b, 1.0f);  // implied unit-length third component
}

TEST(PixelConvert, EveryConvertibleFormatRoundTripsWhatItReads)
{
    const std::vector<BYTE> palette = TestPalette();
    std::vector<BYTE> bytes(16 * 37);
    unsigned seed = 12345;
    for (BYTE& b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<BYTE>(seed >> 16);
    }
    int tested = 0;
    for (int value = 0; value < 256; ++value) {
        const auto format = static_cast<D3DFORMAT>(value);
        if (!CanConvertRows(format))
            continue;
        ++tested;
        std::vector<Rgba> first(37), second(37);
        std::vector<BYTE> written(bytes.size());
        ReadRow(format, bytes.data(), 37, first.data(), palette.data());
        WriteRow(format, first.data(), 37, written.data(), palette.data());
        ReadRow(format, written.data(), 37, second.data(), palette.data());
        EXPECT_EQ(std::memcmp(first.data(), second.data(), 37 * sizeof(Rgba)), 0) << "format " << value;
    }
    EXPECT_EQ(tested, 37);
    EXPECT_FALSE(CanConvertRows(D3DFMT_D24S8));
    EXPECT_FALSE(CanConvertRows(D3DFMT_YUY2));
    EXPECT_FALSE(CanConvertRows(D3DFMT_DXT1));
}

TEST(PixelConvert, WritingClampsRoundsAndPicksNearestPaletteEntry)
{
    const Rgba in[3] = {{2.0f, -1.0f, 0.5f, 0.5f}, {0.0f, 0.0f, 0.0f, 0.0f}, {0.1f, 0.1f, 0.1f, 1.0f}};
    D3DCOLOR argb[3];
    WriteRow(D3DFMT_A8R8G8B8, in, 3, argb);
    EXPECT_EQ(argb[0], 0x80FF0080u);

    WORD r5g6b5[1];
    WriteRowArgb(D3DFMT_R5G6B5, &argb[0], 1, r5g6b5);
    EXPECT_EQ(r5g6b5[0], 0xF810u);  // 0x80 -> 16 of 31

    BYTE l8[1];
    WriteRow(D3DFMT_L8, &in[2], 1, l8);
    EXPECT_EQ(l8[0], 26);

    const std::vector<BYTE> palette = TestPalette();
    const D3DCOLOR nearEntry9 = 0xFF0AF53Eu;  // entry 9 is (9, 246, 63)
    BYTE index = 0;
    WriteRowArgb(D3DFMT_P8, &nearEntry9, 1, &index, palette.data());
    EXPECT_EQ(index, 9);
}

TEST(PixelConvert, HalfFloatsConvertExactly)
{
    EXPECT_EQ(FloatToHalf(1.0f), 0x3C00);
    EXPECT_EQ(FloatToHalf(-2.0f), 0xC000);
    EXPECT_EQ(FloatToHalf(65504.0f), 0x7BFF);
    EXPECT_EQ(FloatToHalf(1e6f), 0x7C00);
    EXPECT_EQ(FloatToHalf(0.1f), 0x2E66);
    EXPECT_EQ(FloatToHalf(5.9604645e-8f), 0x0001);
    EXPECT_FLOAT_EQ(HalfToFloat(0x0001), 5.9604645e-8f);
    EXPECT_FLOAT_EQ(HalfToFloat(0xC000), -2.0f);
    EXPECT_FLOAT_EQ(HalfToFloat(0x3555), 0.33325195f);
    EXPECT_TRUE(std::isinf(HalfToFloat(0x7C00)));
}
