// Our own generated images through every writer and back through the readers.
#include <gtest/gtest.h>

#include <vector>

#include "d3dx9/image/BmpCodec.h"
#include "d3dx9/image/DdsCodec.h"
#include "d3dx9/image/ImageFile.h"
#include "d3dx9/image/PngCodec.h"
#include "formats/SurfaceConvert.h"

using namespace vestra;
using image::Image;

namespace {

// Odd sizes so row padding and partial blocks are exercised.
constexpr UINT kWidth = 13, kHeight = 7;

std::vector<D3DCOLOR> Pattern()
{
    std::vector<D3DCOLOR> texels(kWidth * kHeight);
    for (UINT y = 0; y < kHeight; ++y)
        for (UINT x = 0; x < kWidth; ++x)
            texels[y * kWidth + x] = D3DCOLOR_ARGB(x * 19 + y, x * 20, y * 36, 255 - x * 7);
    return texels;
}

std::vector<D3DCOLOR> Argb(const Image& image)
{
    std::vector<formats::Rgba> rgba(static_cast<size_t>(image.width) * image.height);
    formats::DecodeSurface(image.format, image.levels[0].data(), image.LevelRowPitch(0), image.width, image.height,
                           rgba.data(), image.palette.empty() ? nullptr : image.palette.data());
    std::vector<D3DCOLOR> out;
    for (const formats::Rgba& c : rgba)
        out.push_back(formats::RgbaToArgb(c));
    return out;
}

std::vector<D3DCOLOR> Opaque(std::vector<D3DCOLOR> texels)
{
    for (D3DCOLOR& c : texels)
        c |= 0xFF000000u;
    return texels;
}

}  // namespace

TEST(Writers, PngAndBmpKeepEveryTexelWithAndWithoutAlpha)
{
    const std::vector<D3DCOLOR> texels = Pattern();
    for (bool withAlpha : {true, false}) {
        std::vector<BYTE> png, bmp;
        ASSERT_TRUE(image::EncodePng(kWidth, kHeight, texels.data(), withAlpha, png));
        image::EncodeBmp(kWidth, kHeight, texels.data(), withAlpha, bmp);
        for (const std::vector<BYTE>* file : {&png, &bmp}) {
            Image decoded;
            ASSERT_EQ(image::DecodeImage(file->data(), file->size(), decoded), D3D_OK);
            EXPECT_EQ(decoded.width, kWidth);
            EXPECT_EQ(decoded.height, kHeight);
            EXPECT_EQ(decoded.format, withAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_R8G8B8);
            EXPECT_EQ(Argb(decoded), withAlpha ? texels : Opaque(texels));
        }
    }
}

TEST(Writers, DdsKeepsFormatsChainsCubesAndVolumes)
{
    const struct {
        D3DFORMAT format;
        D3DRESOURCETYPE type;
        UINT depth, faces, levels;
    } cases[] = {
        {D3DFMT_A8R8G8B8, D3DRTYPE_TEXTURE, 1, 1, 4},      {D3DFMT_R5G6B5, D3DRTYPE_TEXTURE, 1, 1, 1},
        {D3DFMT_A2B10G10R10, D3DRTYPE_TEXTURE, 1, 1, 1},   {D3DFMT_A8L8, D3DRTYPE_TEXTURE, 1, 1, 2},
        {D3DFMT_P8, D3DRTYPE_TEXTURE, 1, 1, 1},            {D3DFMT_DXT1, D3DRTYPE_CUBETEXTURE, 1, 6, 3},
        {D3DFMT_DXT5, D3DRTYPE_TEXTURE, 1, 1, 4},          {D3DFMT_A16B16G16R16F, D3DRTYPE_TEXTURE, 1, 1, 1},
        {D3DFMT_X8R8G8B8, D3DRTYPE_VOLUMETEXTURE, 3, 1, 2}, {D3DFMT_V8U8, D3DRTYPE_TEXTURE, 1, 1, 1},
    };
    for (const auto& c : cases) {
        Image source;
        source.format = c.format;
        source.width = kWidth;
        source.height = kHeight;
        source.depth = c.depth;
        source.faces = c.faces;
        source.mipLevels = c.levels;
        source.resourceType = c.type;
        source.fileFormat = D3DXIFF_DDS;
        if (c.format == D3DFMT_P8) {
            source.palette.resize(1024);
            for (size_t i = 0; i < 1024; ++i)
                source.palette[i] = static_cast<BYTE>(i * 7);
        }
        source.Allocate();
        BYTE seed = 1;
        for (std::vector<BYTE>& level : source.levels)
            for (BYTE& b : level)
                b = seed += 37;

        std::vector<BYTE> file;
        ASSERT_TRUE(image::EncodeDds(source, file)) << c.format;
        Image decoded;
        ASSERT_EQ(image::DecodeImage(file.data(), file.size(), decoded), D3D_OK) << c.format;
        EXPECT_EQ(decoded.format, c.format);
        EXPECT_EQ(decoded.resourceType, c.type);
        EXPECT_EQ(decoded.depth, c.depth);
        EXPECT_EQ(decoded.faces, c.faces);
        EXPECT_EQ(decoded.mipLevels, c.levels);
        EXPECT_EQ(decoded.levels, source.levels) << c.format;
        EXPECT_EQ(decoded.palette, source.palette);

        // One byte short of the last level is a truncated file.
        EXPECT_EQ(image::DecodeImage(file.data(), file.size() - 1, decoded), D3DXERR_INVALIDDATA);
    }
    Image depth;
    depth.format = D3DFMT_D24S8;
    depth.width = depth.height = 4;
    depth.Allocate();
    std::vector<BYTE> file;
    EXPECT_FALSE(image::EncodeDds(depth, file));
}

TEST(ImageFile, WindowsPathsAndMissingFiles)
{
    const std::vector<D3DCOLOR> texels = Pattern();
    std::vector<BYTE> png;
    ASSERT_TRUE(image::EncodePng(kWidth, kHeight, texels.data(), true, png));
    const std::string dir = ::testing::TempDir();
    ASSERT_EQ(image::WriteWholeFile((dir + "RoundTrip.png").c_str(), png), D3D_OK);

    // Backslashes and a different case find the same file.
    std::string windowsPath = "C:" + dir + "ROUNDTRIP.PNG";
    for (char& ch : windowsPath)
        ch = ch == '/' ? '\\' : ch;
    Image decoded;
    EXPECT_EQ(image::LoadImageFile(windowsPath.c_str(), decoded), D3D_OK);
    EXPECT_EQ(decoded.fileFormat, D3DXIFF_PNG);

    D3DXIMAGE_INFO info{};
    EXPECT_EQ(D3DXGetImageInfoFromFileA(windowsPath.c_str(), &info), D3D_OK);
    EXPECT_EQ(info.Width, kWidth);
    EXPECT_EQ(info.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_PNG);
    EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(png.data(), static_cast<UINT>(png.size()), &info), D3D_OK);

    const BYTE junk[] = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e', 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(junk, sizeof junk, &info), D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(junk, sizeof junk, nullptr), D3D_OK);
    EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(nullptr, 10, &info), D3DERR_INVALIDCALL);
}
