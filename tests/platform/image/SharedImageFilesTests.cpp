// Decoding the image files in the shared test data (see its MANIFEST): every listed file
// decodes to the size its header gives, or fails cleanly when marked broken. Pixels are
// checked against siblings that hold the same picture in another encoding, and against the
// file bytes read by hand.
#include <gtest/gtest.h>

#include "support/TestPaths.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "d3dx9/image/ImageFile.h"
#include "formats/SurfaceConvert.h"

using namespace vestra;
using image::Image;

namespace {

std::string ImagesDir()
{
    const std::string shared = test::SharedDir();
    const std::string dir = shared + "/testdata/images/";
    return !shared.empty() && std::filesystem::is_directory(dir) ? dir : std::string();
}

#define REQUIRE_SHARED_IMAGES()                                              \
    const std::string dir = ImagesDir();                                     \
    if (dir.empty())                                                         \
        GTEST_SKIP() << "shared test data not found (VESTRA_SHARED_DIR)"

std::vector<BYTE> ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<BYTE>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

Image Load(const std::string& dir, const std::string& name)
{
    Image image;
    EXPECT_EQ(image::LoadImageFile((dir + name).c_str(), image), D3D_OK) << name;
    return image;
}

std::vector<D3DCOLOR> Argb(const Image& image, UINT face = 0, UINT level = 0)
{
    const UINT w = image.LevelWidth(level), h = image.LevelHeight(level);
    std::vector<formats::Rgba> rgba(static_cast<size_t>(w) * h);
    if (image.levels.empty() ||
        !formats::DecodeSurface(image.format, image.Level(face, level).data(), image.LevelRowPitch(level), w, h,
                                rgba.data(), image.palette.empty() ? nullptr : image.palette.data()))
        return {};
    std::vector<D3DCOLOR> out(rgba.size());
    for (size_t i = 0; i < rgba.size(); ++i)
        out[i] = formats::RgbaToArgb(rgba[i]);
    return out;
}

// Largest difference of any channel (alpha only when `withAlpha`), and the mean.
struct Difference {
    int largest = 0;
    double mean = 0;
};
Difference Compare(const std::vector<D3DCOLOR>& a, const std::vector<D3DCOLOR>& b, bool withAlpha = true)
{
    Difference d;
    if (a.size() != b.size() || a.empty())
        return {1000, 1000};
    for (size_t i = 0; i < a.size(); ++i) {
        for (int shift = withAlpha ? 24 : 16; shift >= 0; shift -= 8) {
            const int diff = std::abs(static_cast<int>((a[i] >> shift) & 0xFF) - static_cast<int>((b[i] >> shift) & 0xFF));
            d.largest = std::max(d.largest, diff);
            d.mean += diff;
        }
    }
    d.mean /= a.size() * (withAlpha ? 4 : 3);
    return d;
}

void ExpectSamePicture(const std::string& dir, const std::string& a, const std::string& b, int tolerance,
                       bool withAlpha = true)
{
    const Difference d = Compare(Argb(Load(dir, a)), Argb(Load(dir, b)), withAlpha);
    EXPECT_LE(d.largest, tolerance) << a << " vs " << b;
}

}  // namespace

TEST(SharedPng, EveryColourTypeAndDepthDecodesToItsFormat)
{
    REQUIRE_SHARED_IMAGES();
    const struct {
        const char* name;
        D3DFORMAT format;
    } cases[] = {
        {"basn0g01.png", D3DFMT_L8},           {"basn0g02.png", D3DFMT_L8},
        {"basn0g04.png", D3DFMT_L8},           {"basn0g08.png", D3DFMT_L8},
        {"basn0g16.png", D3DFMT_L16},          {"basn2c08.png", D3DFMT_R8G8B8},
        {"basn2c16.png", D3DFMT_A16B16G16R16}, {"basn3p01.png", D3DFMT_P8},
        {"basn3p02.png", D3DFMT_P8},           {"basn3p04.png", D3DFMT_P8},
        {"basn3p08.png", D3DFMT_P8},           {"basn4a08.png", D3DFMT_A8L8},
        {"basn4a16.png", D3DFMT_A16B16G16R16}, {"basn6a08.png", D3DFMT_A8R8G8B8},
        {"basn6a16.png", D3DFMT_A16B16G16R16}, {"tbrn2c08.png", D3DFMT_A8R8G8B8},
        {"tbwn0g16.png", D3DFMT_A16B16G16R16}, {"bgwn6a08.png", D3DFMT_A8R8G8B8},
        {"ch1n3p04.png", D3DFMT_P8},           {"cs3n2c16.png", D3DFMT_A16B16G16R16},
        {"g04n0g16.png", D3DFMT_L16},          {"pp0n6a08.png", D3DFMT_A8R8G8B8},
        {"ps2n2c16.png", D3DFMT_A16B16G16R16}, {"tbbn3p08.png", D3DFMT_P8},
    };
    for (const auto& c : cases) {
        const Image image = Load(dir, std::string("png/") + c.name);
        EXPECT_EQ(image.format, c.format) << c.name;
        EXPECT_EQ(image.fileFormat, D3DXIFF_PNG);
    }
}

TEST(SharedPng, InterlacedMatchesNonInterlacedAndCompressionLevelsAgree)
{
    REQUIRE_SHARED_IMAGES();
    for (const char* kind : {"0g01", "0g08", "0g16", "2c08", "2c16", "3p01", "3p08", "4a08", "4a16", "6a08", "6a16"})
        ExpectSamePicture(dir, std::string("png/basi") + kind + ".png", std::string("png/basn") + kind + ".png", 0);
    ExpectSamePicture(dir, "png/z00n2c08.png", "png/z09n2c08.png", 0);
}

TEST(SharedPng, PixelsMatchTheFileBytesAndTransparency)
{
    REQUIRE_SHARED_IMAGES();
    // z00n2c08 is stored without compression: after the 2-byte zlib header and the 5-byte
    // stored-block header comes row 0's filter byte, then its first RGB texel (with the
    // Sub filter the first texel is stored as is).
    const std::vector<BYTE> bytes = ReadBytes(dir + "png/z00n2c08.png");
    const std::string text(bytes.begin(), bytes.end());
    const size_t idat = text.find("IDAT") + 4;
    ASSERT_EQ(bytes[idat + 7], 1);  // Sub filter
    const D3DCOLOR expected = 0xFF000000u | (bytes[idat + 8] << 16) | (bytes[idat + 9] << 8) | bytes[idat + 10];
    EXPECT_EQ(Argb(Load(dir, "png/z00n2c08.png"))[0], expected);

    // tp1 is tp0 with a tRNS chunk: the same opaque texels, and a transparent background.
    const std::vector<D3DCOLOR> opaque = Argb(Load(dir, "png/tp0n3p08.png"));
    const std::vector<D3DCOLOR> keyed = Argb(Load(dir, "png/tp1n3p08.png"));
    ASSERT_EQ(opaque.size(), keyed.size());
    size_t transparent = 0;
    for (size_t i = 0; i < keyed.size(); ++i) {
        if ((keyed[i] >> 24) == 0)
            ++transparent;
        else
            EXPECT_EQ(keyed[i], opaque[i]) << i;
    }
    EXPECT_GT(transparent, 0u);
    EXPECT_LT(transparent, keyed.size());
}

TEST(SharedBmp, EncodingsOfTheSamePictureAgree)
{
    REQUIRE_SHARED_IMAGES();
    const Image pal8 = Load(dir, "bmp/g_pal8.bmp");
    EXPECT_EQ(pal8.format, D3DFMT_P8);
    for (const char* other : {"bmp/g_pal8rle.bmp", "bmp/g_pal8topdown.bmp", "bmp/g_pal8v5.bmp", "bmp/g_pal8os2.bmp"})
        ExpectSamePicture(dir, "bmp/g_pal8.bmp", other, 0);
    ExpectSamePicture(dir, "bmp/g_pal4.bmp", "bmp/g_pal4rle.bmp", 0);
    ExpectSamePicture(dir, "bmp/g_rgb24.bmp", "bmp/g_rgb32.bmp", 0);
    ExpectSamePicture(dir, "bmp/g_rgb24.bmp", "bmp/g_rgb32bf.bmp", 0);
    ExpectSamePicture(dir, "bmp/g_rgb24.bmp", "bmp/g_rgb16-565.bmp", 8);

    EXPECT_EQ(Load(dir, "bmp/g_rgb24.bmp").format, D3DFMT_R8G8B8);
    EXPECT_EQ(Load(dir, "bmp/g_rgb32.bmp").format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(Load(dir, "bmp/g_rgb16-565.bmp").format, D3DFMT_R5G6B5);
    EXPECT_EQ(Load(dir, "bmp/q_rgba32.bmp").format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(Load(dir, "bmp/g_pal1.bmp").format, D3DFMT_P8);
}

TEST(SharedBmp, BottomUpTexelsMatchTheFileBytes)
{
    REQUIRE_SHARED_IMAGES();
    // Bottom-up 24-bit: the file's first texels (B, G, R at offset 54) are the last row's.
    const std::vector<BYTE> bytes = ReadBytes(dir + "bmp/g_rgb24.bmp");
    const std::vector<D3DCOLOR> argb = Argb(Load(dir, "bmp/g_rgb24.bmp"));
    for (size_t x = 0; x < 3; ++x) {
        const BYTE* t = &bytes[54 + 3 * x];
        EXPECT_EQ(argb[63 * 127 + x], 0xFF000000u | (t[2] << 16) | (t[1] << 8) | t[0]);
    }
}

TEST(SharedTga, RawAndRleAndBothOriginsAgree)
{
    REQUIRE_SHARED_IMAGES();
    ExpectSamePicture(dir, "tga/200x32_rgb_bl_raw.tga", "tga/200x32_rgb_bl_rle.tga", 0);
    ExpectSamePicture(dir, "tga/200x32_rgba_tl_raw.tga", "tga/200x32_rgba_tl_rle.tga", 0);
    ExpectSamePicture(dir, "tga/200x32_p_bl_raw.tga", "tga/200x32_p_bl_rle.tga", 0);
    ExpectSamePicture(dir, "tga/1x1_l_bl_raw.tga", "tga/1x1_l_tl_rle.tga", 0);

    const struct {
        const char* name;
        D3DFORMAT format;
    } cases[] = {{"tga/200x32_l_bl_raw.tga", D3DFMT_L8},         {"tga/200x32_la_bl_rle.tga", D3DFMT_A8L8},
                 {"tga/200x32_p_bl_raw.tga", D3DFMT_P8},         {"tga/200x32_rgb_bl_raw.tga", D3DFMT_R8G8B8},
                 {"tga/200x32_rgba_tl_raw.tga", D3DFMT_A8R8G8B8}};
    for (const auto& c : cases) {
        const Image image = Load(dir, c.name);
        EXPECT_EQ(image.format, c.format) << c.name;
        EXPECT_EQ(image.fileFormat, D3DXIFF_TGA);
    }
}

TEST(SharedJpeg, BaselineProgressiveAndGreyDecode)
{
    REQUIRE_SHARED_IMAGES();
    const Image baseline = Load(dir, "jpg/testorig.jpg");
    EXPECT_EQ(baseline.format, D3DFMT_R8G8B8);
    const Difference progressive = Compare(Argb(baseline), Argb(Load(dir, "jpg/testimgp.jpg")));
    EXPECT_LT(progressive.mean, 2.0);

    const Image grey = Load(dir, "jpg/hopper_gray.jpg");
    EXPECT_EQ(grey.format, D3DFMT_L8);
    const Image colour = Load(dir, "jpg/hopper.jpg");
    // The colour picture (also stored losslessly as hopper.dds) decodes close to it.
    EXPECT_LT(Compare(Argb(colour), Argb(Load(dir, "dds/hopper.dds")), false).mean, 6.0);

    std::vector<BYTE> cut = ReadBytes(dir + "jpg/hopper.jpg");
    cut.resize(cut.size() / 2);
    Image image;
    EXPECT_EQ(image::DecodeImage(cut.data(), cut.size(), image), D3DXERR_INVALIDDATA);
}

TEST(SharedDds, HeadersMapToFormatsAndShapes)
{
    REQUIRE_SHARED_IMAGES();
    const struct {
        const char* name;
        D3DFORMAT format;
        UINT depth, faces, levels;
    } cases[] = {
        {"Earth_ReflectionMask.dds", D3DFMT_L8, 1, 1, 1},
        {"LobbyCube.dds", D3DFMT_DXT1, 1, 6, 1},
        {"SmallTexture.dds", D3DFMT_R8G8B8, 1, 1, 1},
        {"dds_A1R5G5B5.dds", D3DFMT_A1R5G5B5, 1, 1, 1},
        {"dds_A4R4G4B4_mipmap.dds", D3DFMT_A4R4G4B4, 1, 1, 9},
        {"dds_A8B8G8R8.dds", D3DFMT_A8B8G8R8, 1, 1, 1},
        {"dds_A8R8G8B8_mipmap.dds", D3DFMT_A8R8G8B8, 1, 1, 9},
        {"dds_DXT1_mipmap.dds", D3DFMT_DXT1, 1, 1, 9},
        {"dds_DXT3.dds", D3DFMT_DXT3, 1, 1, 1},
        {"dds_DXT5.dds", D3DFMT_DXT5, 1, 1, 1},
        {"dds_R5G6B5.dds", D3DFMT_R5G6B5, 1, 1, 1},
        {"dds_X1R5G5B5.dds", D3DFMT_X1R5G5B5, 1, 1, 1},
        {"dds_X4R4G4B4.dds", D3DFMT_X4R4G4B4, 1, 1, 1},
        {"dds_X8B8G8R8.dds", D3DFMT_X8B8G8R8, 1, 1, 1},
        {"hopper.dds", D3DFMT_R8G8B8, 1, 1, 8},
        {"linear.dds", D3DFMT_A8R8G8B8, 1, 1, 5},
        {"seafloor.dds", D3DFMT_DXT1, 1, 1, 9},
        {"smallnoise3d.dds", D3DFMT_A8R8G8B8, 32, 1, 1},
        {"tree01S.dds", D3DFMT_DXT3, 1, 1, 1},
        {"uncompressed_la.dds", D3DFMT_A8L8, 1, 1, 1},
    };
    for (const auto& c : cases) {
        const Image image = Load(dir, std::string("dds/") + c.name);
        EXPECT_EQ(image.format, c.format) << c.name;
        EXPECT_EQ(image.depth, c.depth) << c.name;
        EXPECT_EQ(image.faces, c.faces) << c.name;
        EXPECT_EQ(image.mipLevels, c.levels) << c.name;
        const D3DRESOURCETYPE type =
            c.depth > 1 ? D3DRTYPE_VOLUMETEXTURE : (c.faces == 6 ? D3DRTYPE_CUBETEXTURE : D3DRTYPE_TEXTURE);
        EXPECT_EQ(image.resourceType, type) << c.name;
    }
}

// Share of texels whose colour channels all lie within `tolerance`.
double ShareClose(const std::vector<D3DCOLOR>& a, const std::vector<D3DCOLOR>& b, int tolerance)
{
    if (a.size() != b.size() || a.empty())
        return 0;
    size_t close = 0;
    for (size_t i = 0; i < a.size(); ++i)
        close += Compare({a[i]}, {b[i]}, false).largest <= tolerance;
    return static_cast<double>(close) / a.size();
}

TEST(SharedDds, FormatsOfTheSamePictureAgree)
{
    REQUIRE_SHARED_IMAGES();
    // The files show one picture with the format's name written on it, so they agree
    // everywhere but the label.
    const std::vector<D3DCOLOR> argb = Argb(Load(dir, "dds/dds_A8R8G8B8.dds"));
    const std::vector<D3DCOLOR> xrgb = Argb(Load(dir, "dds/dds_X8R8G8B8.dds"));
    const struct {
        const char* name;
        const std::vector<D3DCOLOR>& reference;
        int tolerance;
    } cases[] = {
        {"dds/dds_A8B8G8R8.dds", argb, 0},     {"dds/dds_A8R8G8B8_mipmap.dds", argb, 0},
        {"dds/dds_X8B8G8R8.dds", xrgb, 0},     {"dds/dds_R8G8B8.dds", xrgb, 0},
        {"dds/dds_R5G6B5.dds", xrgb, 8},       {"dds/dds_X1R5G5B5.dds", xrgb, 8},
        {"dds/dds_A4R4G4B4.dds", argb, 17},    {"dds/dds_X4R4G4B4.dds", xrgb, 17},
        {"dds/dds_DXT1.dds", xrgb, 24},        {"dds/dds_DXT3.dds", argb, 24},
        {"dds/dds_DXT5.dds", argb, 24},
    };
    for (const auto& c : cases)
        EXPECT_GT(ShareClose(c.reference, Argb(Load(dir, c.name)), c.tolerance), 0.85) << c.name;
}

TEST(SharedDds, ChannelOrderMatchesTheFileBytes)
{
    REQUIRE_SHARED_IMAGES();
    // At the first texel whose red and blue differ, read the channels from the bytes by
    // hand: A8B8G8R8 stores R, G, B, A; R8G8B8 stores B, G, R; R5G6B5 a little-endian word.
    const struct {
        const char* name;
        UINT bytesPerTexel;
    } cases[] = {{"dds/dds_A8B8G8R8.dds", 4}, {"dds/dds_R8G8B8.dds", 3}, {"dds/dds_R5G6B5.dds", 2}};
    for (const auto& c : cases) {
        const std::vector<BYTE> bytes = ReadBytes(dir + c.name);
        const std::vector<D3DCOLOR> argb = Argb(Load(dir, c.name));
        size_t i = 0;
        while (i < argb.size() && ((argb[i] >> 16) & 0xFF) == (argb[i] & 0xFF))
            ++i;
        ASSERT_LT(i, argb.size()) << c.name;
        const BYTE* t = &bytes[128 + i * c.bytesPerTexel];
        D3DCOLOR expected = 0;
        if (c.bytesPerTexel == 4) {
            expected = (static_cast<D3DCOLOR>(t[3]) << 24) | (t[0] << 16) | (t[1] << 8) | t[2];
        } else if (c.bytesPerTexel == 3) {
            expected = 0xFF000000u | (t[2] << 16) | (t[1] << 8) | t[0];
        } else {
            const int w = t[0] | (t[1] << 8), r5 = w >> 11, g6 = (w >> 5) & 63, b5 = w & 31;
            auto scale = [](int v, int max) { return static_cast<D3DCOLOR>((v * 255 + max / 2) / max); };
            expected = 0xFF000000u | (scale(r5, 31) << 16) | (scale(g6, 63) << 8) | scale(b5, 31);
        }
        EXPECT_EQ(argb[i], expected) << c.name << " texel " << i;
    }
}

TEST(SharedDds, TruncatedAndDamagedHeadersFail)
{
    REQUIRE_SHARED_IMAGES();
    const std::vector<BYTE> bytes = ReadBytes(dir + "dds/dds_DXT1_mipmap.dds");
    Image image;
    for (size_t cut : {size_t{3}, size_t{100}, size_t{128}, bytes.size() - 1}) {
        EXPECT_EQ(image::DecodeImage(bytes.data(), cut, image), D3DXERR_INVALIDDATA) << cut;
    }
    std::vector<BYTE> partialCube = ReadBytes(dir + "dds/LobbyCube.dds");
    partialCube[4 + 109] &= ~0x04;  // drop the +Y face bit (0x400 << 2 of caps2's second byte)
    EXPECT_EQ(image::DecodeImage(partialCube.data(), partialCube.size(), image), D3DXERR_INVALIDDATA);
    EXPECT_TRUE(image.levels.empty());
}

namespace {

struct ManifestEntry {
    std::string file;
    std::string facts;
    bool broken;  // marked CORRUPT or BAD
};

// The rows of the MANIFEST tables: file, bytes, source, licence, header facts, notes.
std::vector<ManifestEntry> ReadManifest(const std::string& dir)
{
    std::vector<ManifestEntry> entries;
    std::ifstream manifest(dir + "MANIFEST.md");
    for (std::string line; std::getline(manifest, line);) {
        if (line.rfind("| `", 0) != 0)
            continue;
        std::vector<std::string> cells;
        for (size_t start = 1, bar; (bar = line.find(" |", start)) != std::string::npos; start = bar + 2)
            cells.push_back(line.substr(start + 1, bar - start - 1));
        if (cells.size() < 6)
            continue;
        const std::string file = cells[0].substr(1, cells[0].find('`', 1) - 1);
        entries.push_back({file, cells[4], cells[5].find("CORRUPT") != std::string::npos ||
                                               cells[5].find("BAD") != std::string::npos});
    }
    return entries;
}

// The first "<width>x<height>" of the header facts; 0 x 0 when there is none.
std::pair<UINT, UINT> SizeFromFacts(const std::string& facts)
{
    for (size_t i = 0; i < facts.size(); ++i) {
        const auto at = [&](size_t j) { return static_cast<unsigned char>(facts[j]); };
        if (!std::isdigit(at(i)) || (i > 0 && std::isalnum(at(i - 1))))
            continue;
        size_t end = 0;
        const unsigned long width = std::stoul(facts.substr(i), &end);
        if (i + end + 1 < facts.size() && facts[i + end] == 'x' &&
            std::isdigit(static_cast<unsigned char>(facts[i + end + 1])))
            return {static_cast<UINT>(width), static_cast<UINT>(std::stoul(facts.substr(i + end + 1)))};
    }
    return {0, 0};
}

}  // namespace

TEST(SharedImages, EveryListedFileDecodesToItsHeaderSizeOrFailsCleanly)
{
    REQUIRE_SHARED_IMAGES();
    const std::vector<ManifestEntry> entries = ReadManifest(dir);
    ASSERT_GE(entries.size(), 100u);
    size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
        files += entry.is_regular_file() && entry.path().filename() != "MANIFEST.md";
    EXPECT_EQ(files, entries.size()) << "files on disk not listed in the MANIFEST, or listed but missing";

    for (const ManifestEntry& entry : entries) {
        const std::vector<BYTE> bytes = ReadBytes(dir + entry.file);
        Image image;
        image.width = 77;
        const HRESULT hr = image::DecodeImage(bytes.data(), bytes.size(), image);
        D3DXIMAGE_INFO info{};
        const HRESULT infoResult =
            D3DXGetImageInfoFromFileInMemory(bytes.data(), static_cast<UINT>(bytes.size()), &info);
        if (entry.broken) {
            EXPECT_EQ(hr, D3DXERR_INVALIDDATA) << entry.file;
            EXPECT_EQ(infoResult, D3DXERR_INVALIDDATA) << entry.file;
            EXPECT_EQ(image.width, 77u) << entry.file;
            EXPECT_TRUE(image.levels.empty()) << entry.file;
            continue;
        }
        ASSERT_EQ(hr, D3D_OK) << entry.file;
        const auto [width, height] = SizeFromFacts(entry.facts);
        EXPECT_EQ(image.width, width) << entry.file;
        EXPECT_EQ(image.height, height) << entry.file;
        ASSERT_EQ(infoResult, D3D_OK) << entry.file;
        EXPECT_EQ(info.Width, width) << entry.file;
        EXPECT_EQ(info.Format, image.format) << entry.file;
        // Every level holds exactly its bytes.
        for (UINT face = 0; face < image.faces; ++face)
            for (UINT level = 0; level < image.mipLevels; ++level)
                EXPECT_EQ(image.Level(face, level).size(),
                          static_cast<size_t>(image.LevelSliceSize(level)) * image.LevelDepth(level))
                    << entry.file << " level " << level;
    }
}

TEST(SharedImages, UncompressedDdsLevelsAreTheFileBytes)
{
    REQUIRE_SHARED_IMAGES();
    // Data follows the 128-byte header: faces one after another, each with its levels.
    for (const char* name : {"dds/Earth_ReflectionMask.dds", "dds/smallnoise3d.dds", "dds/LobbyCube.dds",
                             "dds/hopper.dds", "dds/dds_A4R4G4B4_mipmap.dds", "dds/uncompressed_la.dds"}) {
        const std::vector<BYTE> bytes = ReadBytes(dir + name);
        const Image image = Load(dir, name);
        size_t offset = 128;
        for (UINT face = 0; face < image.faces; ++face) {
            for (UINT level = 0; level < image.mipLevels; ++level) {
                const std::vector<BYTE>& held = image.Level(face, level);
                ASSERT_LE(offset + held.size(), bytes.size()) << name;
                EXPECT_TRUE(std::equal(held.begin(), held.end(), bytes.begin() + offset))
                    << name << " face " << face << " level " << level;
                offset += held.size();
            }
        }
        EXPECT_EQ(offset, bytes.size()) << name;
    }
    // A8L8 as stored: luminance in the low byte, alpha in the high one.
    const std::vector<BYTE> la = ReadBytes(dir + "dds/uncompressed_la.dds");
    const std::vector<D3DCOLOR> argb = Argb(Load(dir, "dds/uncompressed_la.dds"));
    for (size_t i : {size_t{0}, size_t{4321}, size_t{128 * 128 - 1}}) {
        const D3DCOLOR l = la[128 + 2 * i], a = la[128 + 2 * i + 1];
        EXPECT_EQ(argb[i], a << 24 | l << 16 | l << 8 | l) << i;
    }
}

TEST(SharedImages, TgaAndPaletteBmpTexelsMatchTheFileBytes)
{
    REQUIRE_SHARED_IMAGES();
    // TGA: an 18-byte header, an image id of header[0] bytes, then the colour map.
    {
        const std::vector<BYTE> bytes = ReadBytes(dir + "tga/200x32_rgba_tl_raw.tga");
        const std::vector<D3DCOLOR> argb = Argb(Load(dir, "tga/200x32_rgba_tl_raw.tga"));
        for (size_t i : {size_t{0}, size_t{3 * 200 + 5}, size_t{200 * 32 - 1}}) {  // top-left origin
            const BYTE* t = &bytes[18 + bytes[0] + 4 * i];
            EXPECT_EQ(argb[i], static_cast<D3DCOLOR>(t[3]) << 24 | t[2] << 16 | t[1] << 8 | t[0]) << i;
        }
    }
    {
        // Bottom-left origin: the first stored texel is the last row's first.
        const std::vector<BYTE> bytes = ReadBytes(dir + "tga/200x32_l_bl_raw.tga");
        const std::vector<D3DCOLOR> argb = Argb(Load(dir, "tga/200x32_l_bl_raw.tga"));
        const D3DCOLOR l = bytes[18 + bytes[0]];
        EXPECT_EQ(argb[31 * 200], 0xFF000000u | l << 16 | l << 8 | l);
    }
    {
        // 256 map entries of 24 bits (B, G, R), then 8-bit indices.
        const std::vector<BYTE> bytes = ReadBytes(dir + "tga/200x32_p_bl_raw.tga");
        const std::vector<D3DCOLOR> argb = Argb(Load(dir, "tga/200x32_p_bl_raw.tga"));
        const size_t map = 18 + bytes[0];
        for (UINT x : {0u, 77u, 199u}) {
            const BYTE* entry = &bytes[map + 3 * bytes[map + 768 + x]];
            EXPECT_EQ(argb[31 * 200 + x], 0xFF000000u | entry[2] << 16 | entry[1] << 8 | entry[0]) << x;
        }
    }
    {
        // BMP, 8-bit: palette of B, G, R, 0 after the 54 header bytes; rows of 128 bytes
        // (127 padded) from the bottom, at offset 1062.
        const std::vector<BYTE> bytes = ReadBytes(dir + "bmp/g_pal8.bmp");
        const std::vector<D3DCOLOR> argb = Argb(Load(dir, "bmp/g_pal8.bmp"));
        for (UINT y : {0u, 40u, 63u}) {
            const UINT x = 100;
            const BYTE* entry = &bytes[54 + 4 * bytes[1062 + (63 - y) * 128 + x]];
            EXPECT_EQ(argb[y * 127 + x], 0xFF000000u | entry[2] << 16 | entry[1] << 8 | entry[0]) << y;
        }
    }
}
