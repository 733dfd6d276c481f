// The D3DX texture and surface functions against a device: image information, textures of
// every kind made from files and module resources, surface loads with conversion and
// rectangles, the D3DX_DEFAULT rules, saving and reading back. The image files are written
// here byte by byte, so every expected texel is worked out from the values put in.
#include <gtest/gtest.h>

#include <d3dx9.h>
#include <unistd.h>
#include <windows.h>

#include <PlatformWin32.h>
#include <VestraDeviceControl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/HeadlessDevice.h"

namespace {

using TexelFunction = std::function<D3DCOLOR(UINT x, UINT y)>;

void Put16(std::vector<BYTE>& out, size_t at, UINT v)
{
    out[at] = static_cast<BYTE>(v);
    out[at + 1] = static_cast<BYTE>(v >> 8);
}
void Put32(std::vector<BYTE>& out, size_t at, UINT v)
{
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

// A 24-bit bottom-up BMP; rows are padded to four bytes.
std::vector<BYTE> Bmp24(UINT width, UINT height, const TexelFunction& texel)
{
    const UINT pitch = (width * 3 + 3) & ~3u;
    std::vector<BYTE> out(54 + static_cast<size_t>(pitch) * height);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<UINT>(out.size()));
    Put32(out, 10, 54);
    Put32(out, 14, 40);
    Put32(out, 18, width);
    Put32(out, 22, height);
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    for (UINT y = 0; y < height; ++y) {
        BYTE* row = &out[54 + static_cast<size_t>(height - 1 - y) * pitch];
        for (UINT x = 0; x < width; ++x) {
            const D3DCOLOR c = texel(x, y);
            row[3 * x] = static_cast<BYTE>(c);
            row[3 * x + 1] = static_cast<BYTE>(c >> 8);
            row[3 * x + 2] = static_cast<BYTE>(c >> 16);
        }
    }
    return out;
}

enum class DdsKind { Plain, Cube, Volume };

// An A8R8G8B8 DDS; `texels` holds every level of every face (or every slice of a level)
// in file order.
std::vector<BYTE> DdsArgb(UINT width, UINT height, UINT depth, UINT levels, DdsKind kind,
                          const std::vector<D3DCOLOR>& texels)
{
    std::vector<BYTE> out(128);
    out[0] = 'D';
    out[1] = 'D';
    out[2] = 'S';
    out[3] = ' ';
    Put32(out, 4, 124);
    UINT flags = 0x1 | 0x2 | 0x4 | 0x1000 | 0x20000;  // caps, height, width, pixel format, mip count
    if (kind == DdsKind::Volume)
        flags |= 0x800000;
    Put32(out, 8, flags);
    Put32(out, 12, height);
    Put32(out, 16, width);
    Put32(out, 24, kind == DdsKind::Volume ? depth : 0);
    Put32(out, 28, levels);
    Put32(out, 76, 32);
    Put32(out, 80, 0x41);  // RGB with alpha
    Put32(out, 88, 32);
    Put32(out, 92, 0x00FF0000);
    Put32(out, 96, 0x0000FF00);
    Put32(out, 100, 0x000000FF);
    Put32(out, 104, 0xFF000000);
    Put32(out, 108, 0x1000 | (levels > 1 ? 0x400008 : 0) | (kind != DdsKind::Plain ? 0x8 : 0));
    Put32(out, 112, kind == DdsKind::Cube ? 0xFE00 : (kind == DdsKind::Volume ? 0x200000 : 0));
    for (D3DCOLOR c : texels)
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<BYTE>(c >> shift));
    return out;
}

// The 4x4 picture the mip checks use: every box average below is an integer.
D3DCOLOR Picture(UINT x, UINT y) { return D3DCOLOR_XRGB(x * 40 + y * 10, y * 60, 200 - x * y * 8); }

const D3DCOLOR kFaceColours[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};

D3DCOLOR TexelAt(const D3DLOCKED_RECT& locked, UINT x, UINT y)
{
    return reinterpret_cast<const D3DCOLOR*>(static_cast<const BYTE*>(locked.pBits) + y * locked.Pitch)[x];
}

D3DCOLOR Texel(IDirect3DTexture9* texture, UINT level, UINT x, UINT y)
{
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY)))
        return 0xDEADBEEF;
    const D3DCOLOR c = TexelAt(locked, x, y);
    texture->UnlockRect(level);
    return c;
}

D3DCOLOR Texel(IDirect3DCubeTexture9* cube, D3DCUBEMAP_FACES face, UINT level, UINT x, UINT y)
{
    D3DLOCKED_RECT locked{};
    if (FAILED(cube->LockRect(face, level, &locked, nullptr, D3DLOCK_READONLY)))
        return 0xDEADBEEF;
    const D3DCOLOR c = TexelAt(locked, x, y);
    cube->UnlockRect(face, level);
    return c;
}

template <class T>
T SurfaceTexel(IDirect3DSurface9* surface, UINT x, UINT y)
{
    D3DLOCKED_RECT locked{};
    if (FAILED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY)))
        return static_cast<T>(0xDEADBEEF);
    const T c = reinterpret_cast<const T*>(static_cast<const BYTE*>(locked.pBits) + y * locked.Pitch)[x];
    surface->UnlockRect();
    return c;
}
D3DCOLOR Texel(IDirect3DSurface9* surface, UINT x, UINT y) { return SurfaceTexel<D3DCOLOR>(surface, x, y); }
WORD Texel16(IDirect3DSurface9* surface, UINT x, UINT y) { return SurfaceTexel<WORD>(surface, x, y); }

void Fill(IDirect3DSurface9* surface, const TexelFunction& texel)
{
    D3DSURFACE_DESC desc{};
    surface->GetDesc(&desc);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(surface->LockRect(&locked, nullptr, 0), D3D_OK);
    for (UINT y = 0; y < desc.Height; ++y)
        for (UINT x = 0; x < desc.Width; ++x)
            reinterpret_cast<D3DCOLOR*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch)[x] = texel(x, y);
    surface->UnlockRect();
}

class TextureFunctions : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(device_.CreationResult(), D3D_OK);
        ASSERT_EQ(device_->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control_)), S_OK);
        folder_ = std::filesystem::temp_directory_path() /
                  ("vestra_texture_functions_" + std::to_string(getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override
    {
        if (control_)
            control_->Release();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    std::string Write(const std::string& name, const std::vector<BYTE>& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                          static_cast<std::streamsize>(bytes.size()));
        return Path(name);
    }
    // The 4x4 picture as a BMP, the cube (4x4, two stored levels: the second the inverse of
    // the face colour) and a 2x2x2 volume.
    std::string PictureFile() const { return Write("picture.bmp", Bmp24(4, 4, Picture)); }
    std::string CubeFile() const
    {
        std::vector<D3DCOLOR> texels;
        for (D3DCOLOR c : kFaceColours) {
            texels.insert(texels.end(), 16, c);
            texels.insert(texels.end(), 4, c ^ 0x00FFFFFF);
        }
        return Write("cube.dds", DdsArgb(4, 4, 1, 2, DdsKind::Cube, texels));
    }
    std::string VolumeFile() const
    {
        std::vector<D3DCOLOR> texels;
        for (UINT i = 0; i < 8; ++i)
            texels.push_back(D3DCOLOR_ARGB(255, i * 30, 200 - i * 20, (i & 1) * 100));
        return Write("volume.dds", DdsArgb(2, 2, 2, 1, DdsKind::Volume, texels));
    }

    UINT Live(D3DPOOL pool) const
    {
        UINT count = 0;
        control_->GetLiveResourceCount(pool, &count);
        return count;
    }
    UINT LiveTotal() const { return Live(D3DPOOL_DEFAULT) + Live(D3DPOOL_MANAGED) + Live(D3DPOOL_SYSTEMMEM); }

    IDirect3DSurface9* Surface(UINT width, UINT height, D3DFORMAT format) const
    {
        IDirect3DSurface9* surface = nullptr;
        EXPECT_EQ(device_->CreateOffscreenPlainSurface(width, height, format, D3DPOOL_SYSTEMMEM, &surface, nullptr),
                  D3D_OK);
        return surface;
    }

    vestra::test::HeadlessDevice device_;
    IVestraDeviceControl* control_ = nullptr;
    std::filesystem::path folder_;
};

}  // namespace

TEST_F(TextureFunctions, ImageInfoDescribesEachKindOfFile)
{
    D3DXIMAGE_INFO info{};
    ASSERT_EQ(D3DXGetImageInfoFromFileA(Write("wide.bmp", Bmp24(5, 3, Picture)).c_str(), &info), D3D_OK);
    EXPECT_EQ(info.Width, 5u);
    EXPECT_EQ(info.Height, 3u);
    EXPECT_EQ(info.Format, D3DFMT_R8G8B8);
    EXPECT_EQ(info.ResourceType, D3DRTYPE_TEXTURE);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_BMP);

    ASSERT_EQ(D3DXGetImageInfoFromFileA(CubeFile().c_str(), &info), D3D_OK);
    EXPECT_EQ(info.ResourceType, D3DRTYPE_CUBETEXTURE);
    EXPECT_EQ(info.MipLevels, 2u);
    EXPECT_EQ(info.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_DDS);

    ASSERT_EQ(D3DXGetImageInfoFromFileA(VolumeFile().c_str(), &info), D3D_OK);
    EXPECT_EQ(info.ResourceType, D3DRTYPE_VOLUMETEXTURE);
    EXPECT_EQ(info.Depth, 2u);

    EXPECT_EQ(D3DXGetImageInfoFromFileA(nullptr, &info), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXGetImageInfoFromFileA(Path("missing.png").c_str(), &info), D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXGetImageInfoFromFileA("", &info), D3DXERR_INVALIDDATA);
    const std::string text = Write("notes.png", {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(D3DXGetImageInfoFromFileA(text.c_str(), &info), D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXGetImageInfoFromFileA(text.c_str(), nullptr), D3D_OK);  // recorded D3DX behaviour
}

TEST_F(TextureFunctions, DefaultLoadKeepsTheFileFormatAndBoxFiltersTheMipChain)
{
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileA(device_.get(), PictureFile().c_str(), &texture), D3D_OK);
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 4u);
    EXPECT_EQ(desc.Height, 4u);
    EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);  // 24-bit files become 32-bit textures
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(texture->GetLevelCount(), 3u);
    EXPECT_EQ(vestra::test::RefCount(texture), 1u);

    EXPECT_EQ(Texel(texture, 0, 2, 1) & 0xFFFFFF, Picture(2, 1) & 0xFFFFFF);
    // Level 1 texel (1, 0) averages x 2..3, y 0..1: red (80+120+90+130)/4, green
    // (0+0+60+60)/4, blue (200+200+184+176)/4.
    EXPECT_EQ(Texel(texture, 1, 1, 0) & 0xFFFFFF, 0x691EBEu);  // 105, 30, 190
    EXPECT_EQ(Texel(texture, 1, 0, 1) & 0xFFFFFF, 0x2D96BEu);  // 45, 150, 190
    // Level 2 is the mean of all sixteen: red 1.5*40 + 1.5*10, green 1.5*60, blue 200 - 8*2.25.
    EXPECT_EQ(Texel(texture, 2, 0, 0) & 0xFFFFFF, 0x4B5AB6u);  // 75, 90, 182
    texture->Release();
    EXPECT_EQ(Live(D3DPOOL_MANAGED), 0u);
}

TEST_F(TextureFunctions, ExSizesLevelsFormatAndPoolFollowTheRequest)
{
    const std::string wide = Write("wide.bmp", Bmp24(5, 3, Picture));
    // D3DFMT_FROM_FILE lies outside the enumeration's values, so formats are held as DWORDs.
    const struct {
        UINT width, height, levels;
        DWORD format;
        UINT expectWidth, expectHeight, expectLevels;
        D3DFORMAT expectFormat;
    } cases[] = {
        {D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, D3DFMT_UNKNOWN, 8, 4, 4, D3DFMT_X8R8G8B8},
        {0, 0, 0, D3DFMT_UNKNOWN, 8, 4, 4, D3DFMT_X8R8G8B8},
        {D3DX_DEFAULT_NONPOW2, D3DX_DEFAULT_NONPOW2, D3DX_DEFAULT, D3DFMT_UNKNOWN, 5, 3, 3, D3DFMT_X8R8G8B8},
        {D3DX_FROM_FILE, D3DX_FROM_FILE, D3DX_FROM_FILE, D3DFMT_FROM_FILE, 5, 3, 1, D3DFMT_R8G8B8},
        {16, 2, 2, D3DFMT_A8R8G8B8, 16, 2, 2, D3DFMT_A8R8G8B8},
        {16, 2, 20, D3DFMT_R5G6B5, 16, 2, 5, D3DFMT_R5G6B5},  // a count past the chain is clamped
    };
    for (const auto& c : cases) {
        IDirect3DTexture9* texture = nullptr;
        D3DXIMAGE_INFO info{};
        ASSERT_EQ(D3DXCreateTextureFromFileExA(device_.get(), wide.c_str(), c.width, c.height, c.levels, 0,
                                               static_cast<D3DFORMAT>(c.format),
                                               D3DPOOL_SYSTEMMEM, D3DX_DEFAULT, D3DX_DEFAULT, 0, &info, nullptr,
                                               &texture),
                  D3D_OK)
            << c.width << "x" << c.height;
        D3DSURFACE_DESC desc{};
        texture->GetLevelDesc(0, &desc);
        EXPECT_EQ(desc.Width, c.expectWidth);
        EXPECT_EQ(desc.Height, c.expectHeight);
        EXPECT_EQ(texture->GetLevelCount(), c.expectLevels) << c.width << "x" << c.height;
        EXPECT_EQ(desc.Format, c.expectFormat) << c.width << "x" << c.height;
        EXPECT_EQ(desc.Pool, D3DPOOL_SYSTEMMEM);
        // The information is the file's, not the texture's.
        EXPECT_EQ(info.Width, 5u);
        EXPECT_EQ(info.Height, 3u);
        EXPECT_EQ(info.Format, D3DFMT_R8G8B8);
        EXPECT_EQ(Live(D3DPOOL_SYSTEMMEM), 1u);
        texture->Release();
    }
}

TEST_F(TextureFunctions, ExColourKeyPunchesThroughAndAddsAlpha)
{
    const std::string file = PictureFile();
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileExA(device_.get(), file.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0,
                                           D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE,
                                           Picture(1, 1), nullptr, nullptr, &texture),
              D3D_OK);
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(Texel(texture, 0, 1, 1), 0x00000000u);
    EXPECT_EQ(Texel(texture, 0, 2, 1), Picture(2, 1));
    texture->Release();

    // A key that differs only in alpha matches nothing.
    ASSERT_EQ(D3DXCreateTextureFromFileExA(device_.get(), file.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0,
                                           D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE,
                                           Picture(1, 1) & 0x7FFFFFFF, nullptr, nullptr, &texture),
              D3D_OK);
    EXPECT_EQ(Texel(texture, 0, 1, 1), Picture(1, 1));
    texture->Release();
}

TEST_F(TextureFunctions, VolumeFromFileAveragesEightTexelsIntoItsLastLevel)
{
    IDirect3DVolumeTexture9* volume = nullptr;
    ASSERT_EQ(D3DXCreateVolumeTextureFromFileA(device_.get(), VolumeFile().c_str(), &volume), D3D_OK);
    EXPECT_EQ(volume->GetLevelCount(), 2u);
    D3DVOLUME_DESC desc{};
    volume->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 2u);
    EXPECT_EQ(desc.Depth, 2u);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);

    D3DLOCKED_BOX box{};
    ASSERT_EQ(volume->LockBox(0, &box, nullptr, D3DLOCK_READONLY), D3D_OK);
    // Slice 1, texel (1, 0) is the sixth in the file: i = 5.
    EXPECT_EQ(*reinterpret_cast<const D3DCOLOR*>(static_cast<const BYTE*>(box.pBits) + box.SlicePitch + 4),
              D3DCOLOR_ARGB(255, 150, 100, 100));
    volume->UnlockBox(0);
    ASSERT_EQ(volume->LockBox(1, &box, nullptr, D3DLOCK_READONLY), D3D_OK);
    // Means over i = 0..7: red 30*3.5, green 200 - 20*3.5, blue 50.
    EXPECT_EQ(*static_cast<const D3DCOLOR*>(box.pBits), D3DCOLOR_ARGB(255, 105, 130, 50));
    volume->UnlockBox(1);
    volume->Release();
}

TEST_F(TextureFunctions, CubeFromFileKeepsFaceOrderAndStoredLevels)
{
    IDirect3DCubeTexture9* cube = nullptr;
    ASSERT_EQ(D3DXCreateCubeTextureFromFileA(device_.get(), CubeFile().c_str(), &cube), D3D_OK);
    // The full chain of a 4x4 face has three levels: the file gives two, the third is made.
    ASSERT_EQ(cube->GetLevelCount(), 3u);
    for (UINT face = 0; face < 6; ++face) {
        const auto f = static_cast<D3DCUBEMAP_FACES>(face);
        EXPECT_EQ(Texel(cube, f, 0, 3, 3), kFaceColours[face]) << face;
        EXPECT_EQ(Texel(cube, f, 1, 1, 0), kFaceColours[face] ^ 0x00FFFFFF) << face;
        EXPECT_EQ(Texel(cube, f, 2, 0, 0), kFaceColours[face] ^ 0x00FFFFFF) << face;
    }
    cube->Release();
}

TEST_F(TextureFunctions, KindOfFileMustMatchTheFunction)
{
    const UINT before = LiveTotal();
    IDirect3DTexture9* texture = nullptr;
    IDirect3DCubeTexture9* cube = nullptr;
    IDirect3DVolumeTexture9* volume = nullptr;
    EXPECT_EQ(D3DXCreateTextureFromFileA(device_.get(), CubeFile().c_str(), &texture), D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXCreateTextureFromFileA(device_.get(), VolumeFile().c_str(), &texture), D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXCreateCubeTextureFromFileA(device_.get(), PictureFile().c_str(), &cube), D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXCreateVolumeTextureFromFileA(device_.get(), PictureFile().c_str(), &volume), D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXCreateVolumeTextureFromFileA(device_.get(), CubeFile().c_str(), &volume), D3DXERR_INVALIDDATA);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(cube, nullptr);
    EXPECT_EQ(volume, nullptr);
    EXPECT_EQ(LiveTotal(), before);
}

TEST_F(TextureFunctions, ResourceTexturesComeFromRawDataOrBitmaps)
{
    const std::vector<BYTE> file = Bmp24(4, 4, Picture);
    ASSERT_TRUE(VestraRegisterResource(nullptr, MAKEINTRESOURCEA(10), "TEXFN_RAW", file.data(),
                                       static_cast<DWORD>(file.size())));
    // A bitmap resource is the file without its 14-byte header.
    ASSERT_TRUE(VestraRegisterResource(nullptr, RT_BITMAP, "TEXFN_BITMAP", file.data() + 14,
                                       static_cast<DWORD>(file.size() - 14)));
    for (const char* name : {"TEXFN_RAW", "texfn_bitmap"}) {
        IDirect3DTexture9* texture = nullptr;
        ASSERT_EQ(D3DXCreateTextureFromResourceA(device_.get(), nullptr, name, &texture), D3D_OK) << name;
        EXPECT_EQ(texture->GetLevelCount(), 3u);
        EXPECT_EQ(Texel(texture, 0, 3, 0) & 0xFFFFFF, Picture(3, 0) & 0xFFFFFF) << name;
        EXPECT_EQ(Texel(texture, 0, 0, 3) & 0xFFFFFF, Picture(0, 3) & 0xFFFFFF) << name;
        texture->Release();
    }
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(D3DXCreateTextureFromResourceA(device_.get(), nullptr, "TEXFN_NONE", &texture), D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXCreateTextureFromResourceA(device_.get(), nullptr, nullptr, &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXCreateTextureFromResourceA(nullptr, nullptr, "TEXFN_RAW", &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(LiveTotal(), 0u);
}

TEST_F(TextureFunctions, LoadSurfaceFromFileConvertsAndHonoursRectangles)
{
    const std::string file = PictureFile();
    IDirect3DSurface9* rgb565 = Surface(4, 4, D3DFMT_R5G6B5);
    D3DXIMAGE_INFO info{};
    ASSERT_EQ(D3DXLoadSurfaceFromFileA(rgb565, nullptr, nullptr, file.c_str(), nullptr, D3DX_FILTER_NONE, 0, &info),
              D3D_OK);
    EXPECT_EQ(info.Width, 4u);
    EXPECT_EQ(info.Format, D3DFMT_R8G8B8);
    // Texel (1, 2) is (60, 120, 184): 60*31/255 = 7.3 -> 7, 120*63/255 = 29.6 -> 30,
    // 184*31/255 = 22.4 -> 22, so (7 << 11) | (30 << 5) | 22.
    EXPECT_EQ(Texel16(rgb565, 1, 2), 0x3BD6);
    rgb565->Release();

    IDirect3DSurface9* target = Surface(4, 4, D3DFMT_A8R8G8B8);
    Fill(target, [](UINT, UINT) { return 0xFFABCDEFu; });
    const RECT source{1, 1, 3, 3}, dest{2, 0, 4, 2};
    ASSERT_EQ(D3DXLoadSurfaceFromFileA(target, nullptr, &dest, file.c_str(), &source, D3DX_FILTER_NONE, 0, nullptr),
              D3D_OK);
    EXPECT_EQ(Texel(target, 2, 0), Picture(1, 1));
    EXPECT_EQ(Texel(target, 3, 1), Picture(2, 2));
    EXPECT_EQ(Texel(target, 1, 0), 0xFFABCDEFu);
    EXPECT_EQ(Texel(target, 2, 2), 0xFFABCDEFu);

    // Rectangles outside either side, and files that cannot be read, change nothing.
    const RECT outside{3, 3, 5, 5}, tooBig{0, 0, 5, 4};
    EXPECT_EQ(D3DXLoadSurfaceFromFileA(target, nullptr, &outside, file.c_str(), nullptr, D3DX_FILTER_NONE, 0, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXLoadSurfaceFromFileA(target, nullptr, nullptr, file.c_str(), &tooBig, D3DX_FILTER_NONE, 0, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXLoadSurfaceFromFileA(target, nullptr, nullptr, Path("none.bmp").c_str(), nullptr, D3DX_FILTER_NONE,
                                       0, nullptr),
              D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXLoadSurfaceFromFileA(nullptr, nullptr, nullptr, file.c_str(), nullptr, D3DX_FILTER_NONE, 0, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(Texel(target, 0, 0), 0xFFABCDEFu);
    target->Release();
}

TEST_F(TextureFunctions, LoadSurfaceFromSurfaceBoxFiltersAndConverts)
{
    IDirect3DSurface9* source = Surface(4, 4, D3DFMT_A8R8G8B8);
    Fill(source, Picture);
    IDirect3DSurface9* half = Surface(2, 2, D3DFMT_A8R8G8B8);
    ASSERT_EQ(D3DXLoadSurfaceFromSurface(half, nullptr, nullptr, source, nullptr, nullptr, D3DX_FILTER_BOX, 0), D3D_OK);
    EXPECT_EQ(Texel(half, 1, 0), D3DCOLOR_XRGB(105, 30, 190));
    EXPECT_EQ(Texel(half, 1, 1), D3DCOLOR_XRGB(125, 150, 150));

    IDirect3DSurface9* rgb565 = Surface(2, 2, D3DFMT_R5G6B5);
    const RECT from{1, 2, 2, 3}, to{1, 1, 2, 2};
    ASSERT_EQ(D3DXLoadSurfaceFromSurface(rgb565, nullptr, &to, source, nullptr, &from, D3DX_FILTER_NONE, 0), D3D_OK);
    EXPECT_EQ(Texel16(rgb565, 1, 1), 0x3BD6);  // texel (1, 2) again
    EXPECT_EQ(D3DXLoadSurfaceFromSurface(rgb565, nullptr, nullptr, nullptr, nullptr, nullptr, D3DX_FILTER_NONE, 0),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXLoadSurfaceFromSurface(rgb565, nullptr, nullptr, source, nullptr, nullptr, 7, 0),
              D3DERR_INVALIDCALL);
    rgb565->Release();
    half->Release();
    source->Release();
}

TEST_F(TextureFunctions, CreateWithDefaultsAppliesTheRequirementRules)
{
    IDirect3DTexture9* texture = nullptr;
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(D3DXCreateTexture(device_.get(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                D3DPOOL_MANAGED, &texture),
              D3D_OK);
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 256u);
    EXPECT_EQ(desc.Height, 256u);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(texture->GetLevelCount(), 9u);
    texture->Release();

    // One default size copies the other; the device takes any size, so nothing is rounded:
    // 48 -> 24 -> 12 -> 6 -> 3 -> 1 is six levels.
    ASSERT_EQ(D3DXCreateTexture(device_.get(), D3DX_DEFAULT, 48, 0, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture),
              D3D_OK);
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 48u);
    EXPECT_EQ(desc.Height, 48u);
    EXPECT_EQ(texture->GetLevelCount(), 6u);
    texture->Release();

    IDirect3DCubeTexture9* cube = nullptr;
    ASSERT_EQ(D3DXCreateCubeTexture(device_.get(), D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED,
                                    &cube),
              D3D_OK);
    cube->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 256u);
    EXPECT_EQ(cube->GetLevelCount(), 9u);
    cube->Release();
    ASSERT_EQ(D3DXCreateCubeTexture(device_.get(), 12, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &cube), D3D_OK);
    cube->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 12u);
    EXPECT_EQ(cube->GetLevelCount(), 2u);
    cube->Release();

    IDirect3DVolumeTexture9* volume = nullptr;
    ASSERT_EQ(D3DXCreateVolumeTexture(device_.get(), 4, 4, 16, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED,
                                      &volume),
              D3D_OK);
    D3DVOLUME_DESC volumeDesc{};
    volume->GetLevelDesc(0, &volumeDesc);
    EXPECT_EQ(volumeDesc.Depth, 16u);
    EXPECT_EQ(volumeDesc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(volume->GetLevelCount(), 5u);  // the depth sets the chain: 16, 8, 4, 2, 1
    volume->Release();

    EXPECT_EQ(D3DXCreateTexture(nullptr, 4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXCreateTexture(device_.get(), 4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(LiveTotal(), 0u);
}

TEST_F(TextureFunctions, SavedSurfacesReadBackTexelForTexel)
{
    IDirect3DSurface9* source = Surface(3, 2, D3DFMT_A8R8G8B8);
    const TexelFunction pattern = [](UINT x, UINT y) { return D3DCOLOR_ARGB(80 + x * 60 + y, x * 70, y * 200, 9 + x); };
    Fill(source, pattern);
    const struct {
        D3DXIMAGE_FILEFORMAT format;
        const char* name;
    } cases[] = {{D3DXIFF_PNG, "saved.png"}, {D3DXIFF_BMP, "saved.bmp"}, {D3DXIFF_DDS, "saved.dds"}};
    for (const auto& c : cases) {
        const std::string path = Path(c.name);
        ASSERT_EQ(D3DXSaveSurfaceToFileA(path.c_str(), c.format, source, nullptr, nullptr), D3D_OK) << c.name;
        D3DXIMAGE_INFO info{};
        ASSERT_EQ(D3DXGetImageInfoFromFileA(path.c_str(), &info), D3D_OK) << c.name;
        EXPECT_EQ(info.ImageFileFormat, c.format);
        EXPECT_EQ(info.Width, 3u);
        EXPECT_EQ(info.Height, 2u);
        EXPECT_EQ(info.Format, D3DFMT_A8R8G8B8) << c.name;

        IDirect3DSurface9* back = Surface(3, 2, D3DFMT_A8R8G8B8);
        ASSERT_EQ(D3DXLoadSurfaceFromFileA(back, nullptr, nullptr, path.c_str(), nullptr, D3DX_FILTER_NONE, 0, nullptr),
                  D3D_OK);
        for (UINT y = 0; y < 2; ++y)
            for (UINT x = 0; x < 3; ++x)
                EXPECT_EQ(Texel(back, x, y), pattern(x, y)) << c.name << " " << x << "," << y;
        back->Release();
    }

    // A source rectangle saves just that part; an opaque format saves no alpha.
    const RECT right{1, 0, 3, 2};
    ASSERT_EQ(D3DXSaveSurfaceToFileA(Path("part.png").c_str(), D3DXIFF_PNG, source, nullptr, &right), D3D_OK);
    IDirect3DSurface9* opaque = Surface(2, 2, D3DFMT_X8R8G8B8);
    ASSERT_EQ(D3DXLoadSurfaceFromFileA(opaque, nullptr, nullptr, Path("part.png").c_str(), nullptr, D3DX_FILTER_NONE, 0,
                                       nullptr),
              D3D_OK);
    EXPECT_EQ(Texel(opaque, 0, 1) & 0xFFFFFF, pattern(1, 1) & 0xFFFFFF);
    ASSERT_EQ(D3DXSaveSurfaceToFileA(Path("opaque.png").c_str(), D3DXIFF_PNG, opaque, nullptr, nullptr), D3D_OK);
    D3DXIMAGE_INFO info{};
    ASSERT_EQ(D3DXGetImageInfoFromFileA(Path("opaque.png").c_str(), &info), D3D_OK);
    EXPECT_EQ(info.Format, D3DFMT_R8G8B8);
    EXPECT_EQ(info.Width, 2u);
    opaque->Release();

    EXPECT_EQ(D3DXSaveSurfaceToFileA(Path("saved.tga").c_str(), D3DXIFF_TGA, source, nullptr, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_FALSE(std::filesystem::exists(Path("saved.tga")));
    EXPECT_EQ(D3DXSaveSurfaceToFileA(Path("null.png").c_str(), D3DXIFF_PNG, nullptr, nullptr, nullptr),
              D3DERR_INVALIDCALL);
    source->Release();
}

TEST_F(TextureFunctions, SavedTexturesKeepEveryLevelFaceAndSlice)
{
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileA(device_.get(), PictureFile().c_str(), &texture), D3D_OK);
    const std::string dds = Path("chain.dds");
    ASSERT_EQ(D3DXSaveTextureToFileA(dds.c_str(), D3DXIFF_DDS, texture, nullptr), D3D_OK);
    D3DXIMAGE_INFO info{};
    ASSERT_EQ(D3DXGetImageInfoFromFileA(dds.c_str(), &info), D3D_OK);
    EXPECT_EQ(info.MipLevels, 3u);
    EXPECT_EQ(info.Format, D3DFMT_X8R8G8B8);
    IDirect3DTexture9* back = nullptr;
    // The stored levels come back as they were, not filtered again.
    ASSERT_EQ(D3DXCreateTextureFromFileExA(device_.get(), dds.c_str(), D3DX_FROM_FILE, D3DX_FROM_FILE, D3DX_FROM_FILE,
                                           0, D3DFMT_FROM_FILE, D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0,
                                           nullptr, nullptr, &back),
              D3D_OK);
    EXPECT_EQ(Texel(back, 1, 1, 0) & 0xFFFFFF, 0x691EBEu);
    EXPECT_EQ(Texel(back, 2, 0, 0) & 0xFFFFFF, 0x4B5AB6u);
    back->Release();

    // PNG and BMP hold the top level.
    ASSERT_EQ(D3DXSaveTextureToFileA(Path("top.bmp").c_str(), D3DXIFF_BMP, texture, nullptr), D3D_OK);
    ASSERT_EQ(D3DXGetImageInfoFromFileA(Path("top.bmp").c_str(), &info), D3D_OK);
    EXPECT_EQ(info.Width, 4u);
    EXPECT_EQ(info.MipLevels, 1u);
    texture->Release();

    IDirect3DCubeTexture9* cube = nullptr;
    ASSERT_EQ(D3DXCreateCubeTextureFromFileA(device_.get(), CubeFile().c_str(), &cube), D3D_OK);
    ASSERT_EQ(D3DXSaveTextureToFileA(Path("cube_again.dds").c_str(), D3DXIFF_DDS, cube, nullptr), D3D_OK);
    cube->Release();
    ASSERT_EQ(D3DXCreateCubeTextureFromFileA(device_.get(), Path("cube_again.dds").c_str(), &cube), D3D_OK);
    for (UINT face = 0; face < 6; ++face)
        EXPECT_EQ(Texel(cube, static_cast<D3DCUBEMAP_FACES>(face), 0, 0, 0), kFaceColours[face]) << face;
    cube->Release();

    IDirect3DVolumeTexture9* volume = nullptr;
    ASSERT_EQ(D3DXCreateVolumeTextureFromFileA(device_.get(), VolumeFile().c_str(), &volume), D3D_OK);
    ASSERT_EQ(D3DXSaveTextureToFileA(Path("volume_again.dds").c_str(), D3DXIFF_DDS, volume, nullptr), D3D_OK);
    volume->Release();
    ASSERT_EQ(D3DXGetImageInfoFromFileA(Path("volume_again.dds").c_str(), &info), D3D_OK);
    EXPECT_EQ(info.ResourceType, D3DRTYPE_VOLUMETEXTURE);
    EXPECT_EQ(info.Depth, 2u);
    EXPECT_EQ(info.MipLevels, 2u);
    EXPECT_EQ(LiveTotal(), 0u);
}

TEST_F(TextureFunctions, FailuresReportTheDocumentedCodeAndLeaveNothingBehind)
{
    const std::string good = PictureFile();
    std::vector<BYTE> cut = Bmp24(4, 4, Picture);
    cut.resize(cut.size() - 7);
    const std::string truncated = Write("truncated.bmp", cut);
    const std::string text = Write("text.png", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'});
    IDirect3DDevice9* device = device_.get();
    IDirect3DTexture9* texture = nullptr;

    const struct {
        const char* what;
        std::function<HRESULT()> call;
        HRESULT expected;
    } cases[] = {
        {"null device", [&] { return D3DXCreateTextureFromFileA(nullptr, good.c_str(), &texture); },
         D3DERR_INVALIDCALL},
        {"null file", [&] { return D3DXCreateTextureFromFileA(device, nullptr, &texture); }, D3DERR_INVALIDCALL},
        {"null out", [&] { return D3DXCreateTextureFromFileA(device, good.c_str(), nullptr); }, D3DERR_INVALIDCALL},
        {"missing", [&] { return D3DXCreateTextureFromFileA(device, Path("gone.png").c_str(), &texture); },
         D3DXERR_INVALIDDATA},
        {"truncated", [&] { return D3DXCreateTextureFromFileA(device, truncated.c_str(), &texture); },
         D3DXERR_INVALIDDATA},
        {"not an image", [&] { return D3DXCreateTextureFromFileA(device, text.c_str(), &texture); },
         D3DXERR_INVALIDDATA},
        // The mip filter is judged after the texture exists: it must be released again.
        {"bad mip filter",
         [&] {
             return D3DXCreateTextureFromFileExA(device, good.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                                 D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, 9, 0, nullptr, nullptr,
                                                 &texture);
         },
         D3DERR_INVALIDCALL},
        {"bad filter",
         [&] {
             return D3DXCreateTextureFromFileExA(device, good.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                                 D3DFMT_UNKNOWN, D3DPOOL_SYSTEMMEM, 0, D3DX_DEFAULT, 0, nullptr,
                                                 nullptr, &texture);
         },
         D3DERR_INVALIDCALL},
        {"render target outside the default pool",
         [&] {
             return D3DXCreateTextureFromFileExA(device, good.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT,
                                                 D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_DEFAULT,
                                                 D3DX_DEFAULT, 0, nullptr, nullptr, &texture);
         },
         D3DERR_INVALIDCALL},
        {"in memory, empty", [&] { return D3DXCreateTextureFromFileInMemory(device, cut.data(), 0, &texture); },
         D3DERR_INVALIDCALL},
        {"in memory, truncated",
         [&] {
             return D3DXCreateTextureFromFileInMemory(device, cut.data(), static_cast<UINT>(cut.size()), &texture);
         },
         D3DXERR_INVALIDDATA},
    };
    for (const auto& c : cases) {
        const UINT before = LiveTotal();
        texture = nullptr;
        EXPECT_EQ(c.call(), c.expected) << c.what;
        EXPECT_EQ(texture, nullptr) << c.what;
        EXPECT_EQ(LiveTotal(), before) << c.what;
    }
    EXPECT_EQ(vestra::test::RefCount(device), 2u);  // the fixture's reference and the control's
}
