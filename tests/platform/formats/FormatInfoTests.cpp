#include "formats/FormatInfo.h"

#include <gtest/gtest.h>

using namespace vestra::formats;

TEST(FormatInfo, ChannelsAndSizesOfRepresentativeFormats)
{
    const FormatInfo& argb = GetFormatInfo(D3DFMT_A8R8G8B8);
    EXPECT_TRUE(argb.hasAlpha);

    EXPECT_FALSE(GetFormatInfo(D3DFMT_X8R8G8B8).hasAlpha);
    EXPECT_EQ(GetFormatInfo(D3DFMT_A4L4).bitsPerPixel, 8u);

    const FormatInfo& dxt1 = GetFormatInfo(D3DFMT_DXT1);
    EXPECT_TRUE(dxt1.blockCompressed);

    const FormatInfo& d24s8 = GetFormatInfo(D3DFMT_D24S8);
    EXPECT_TRUE(d24s8.isDepth);
    EXPECT_TRUE(d24s8.hasStencil);
    EXPECT_TRUE(GetFormatInfo(D3DFMT_D16).isDepth);
    EXPECT_FALSE(GetFormatInfo(D3DFMT_D16).hasStencil);
    EXPECT_FALSE(GetFormatInfo(D3DFMT_L16).isDepth);
}

TEST(FormatInfo, EveryDeclaredFormatIsKnownAndUnknownValuesAreNot)
{
    // Every value of the enumeration except UNKNOWN and FORCE_DWORD.
    const D3DFORMAT all[] = {
        D3DFMT_R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5, D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5,
        D3DFMT_A4R4G4B4, D3DFMT_R3G3B2, D3DFMT_A8, D3DFMT_A8R3G3B2, D3DFMT_X4R4G4B4, D3DFMT_A2B10G10R10,
        D3DFMT_A8B8G8R8, D3DFMT_X8B8G8R8, D3DFMT_G16R16, D3DFMT_A2R10G10B10, D3DFMT_A16B16G16R16, D3DFMT_A8P8,
        D3DFMT_P8, D3DFMT_L8, D3DFMT_A8L8, D3DFMT_A4L4, D3DFMT_V8U8, D3DFMT_L6V5U5, D3DFMT_X8L8V8U8,
        D3DFMT_Q8W8V8U8, D3DFMT_V16U16, D3DFMT_A2W10V10U10, D3DFMT_UYVY, D3DFMT_R8G8_B8G8, D3DFMT_YUY2,
        D3DFMT_G8R8_G8B8, D3DFMT_DXT1, D3DFMT_DXT2, D3DFMT_DXT3, D3DFMT_DXT4, D3DFMT_DXT5, D3DFMT_D16_LOCKABLE,
        D3DFMT_D32, D3DFMT_D15S1, D3DFMT_D24S8, D3DFMT_D24X8, D3DFMT_D24X4S4, D3DFMT_D16, D3DFMT_D32F_LOCKABLE,
        D3DFMT_D24FS8, D3DFMT_L16, D3DFMT_VERTEXDATA, D3DFMT_INDEX16, D3DFMT_INDEX32, D3DFMT_Q16W16V16U16,
        D3DFMT_MULTI2_ARGB8, D3DFMT_R16F, D3DFMT_G16R16F, D3DFMT_A16B16G16R16F, D3DFMT_R32F, D3DFMT_G32R32F,
        D3DFMT_A32B32G32R32F, D3DFMT_CxV8U8};
    for (D3DFORMAT format : all) {
        const FormatInfo& info = GetFormatInfo(format);
        EXPECT_TRUE(info.known) << format;
        EXPECT_EQ(info.format, format);
        EXPECT_GT(info.bitsPerPixel, 0u) << format;
    }
    for (D3DFORMAT format : {D3DFMT_UNKNOWN, static_cast<D3DFORMAT>(42), static_cast<D3DFORMAT>(0x12345)}) {
        const FormatInfo& info = GetFormatInfo(format);
        EXPECT_FALSE(info.known);
        EXPECT_EQ(info.bitsPerPixel, 0u);
        EXPECT_EQ(SurfaceSize(format, 16, 16), 0u);
    }
}

TEST(FormatInfo, PitchRowsAndSizeRoundPartialBlocksAndPairsUp)
{
    EXPECT_EQ(RowPitch(D3DFMT_R8G8B8, 5), 15u);
    EXPECT_EQ(RowPitch(D3DFMT_A32B32G32R32F, 3), 48u);
    EXPECT_EQ(RowCount(D3DFMT_L8, 7), 7u);

    // A 1x1 or 5x5 DXT level still occupies whole 4x4 blocks.
    EXPECT_EQ(RowPitch(D3DFMT_DXT1, 1), 8u);
    EXPECT_EQ(RowCount(D3DFMT_DXT1, 1), 1u);
    EXPECT_EQ(SurfaceSize(D3DFMT_DXT1, 5, 5), 32u);
    EXPECT_EQ(SurfaceSize(D3DFMT_DXT5, 256, 64), 64u * 16u * 16u);

    // Packed YUV stores texels in pairs of 4 bytes.
    EXPECT_EQ(RowPitch(D3DFMT_YUY2, 3), 8u);
    EXPECT_EQ(RowPitch(D3DFMT_UYVY, 4), 8u);

    EXPECT_EQ(SurfaceSize(D3DFMT_A8R8G8B8, 0, 10), 0u);
}

TEST(FormatInfo, CheckedSizeRefusesOverflowAndUnknownFormats)
{
    UINT size = 0;
    EXPECT_TRUE(CheckedSurfaceSize(D3DFMT_X8R8G8B8, 640, 480, size));
    EXPECT_EQ(size, 640u * 480u * 4u);
    // 2^28 - 1 blocks of 16 bytes: one row fits in 32 bits, two do not.
    EXPECT_TRUE(CheckedSurfaceSize(D3DFMT_DXT3, 0x3FFFFFFCu, 4, size));
    EXPECT_EQ(size, 0xFFFFFFF0u);
    EXPECT_FALSE(CheckedSurfaceSize(D3DFMT_DXT3, 0x3FFFFFFCu, 8, size));
    EXPECT_FALSE(CheckedSurfaceSize(D3DFMT_A8R8G8B8, 65536, 65536, size));
    EXPECT_FALSE(CheckedSurfaceSize(static_cast<D3DFORMAT>(42), 4, 4, size));
}
