// The resource manager as a host program uses it, through the exported functions: a
// folder of image files written with D3DX, registered and then asked for by short names,
// shared between requests, carried across a device reset, and flushed.
#include <gtest/gtest.h>

#include <Vestra.h>
#include <PlatformWin32.h>
#include <VestraDeviceControl.h>

#include <string>

#include "ResourceTestSupport.h"

using namespace resources_test;

namespace {

D3DCOLOR TopLeftTexel(IDirect3DTexture9* texture)
{
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY)))
        return 0xDEADBEEF;
    const D3DCOLOR texel = *static_cast<const D3DCOLOR*>(locked.pBits);
    texture->UnlockRect(0);
    return texel;
}

class HostResourceFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(device->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control)), S_OK);
        SaveImage("Media/tex/stone.png", D3DXIFF_PNG, 0xFF806040);
        SaveImage("Media/tex/sky/clouds.dds", D3DXIFF_DDS, 0xFF2080FF);
    }
    void TearDown() override
    {
        if (control)
            control->Release();
    }

    // A 4x4 file of one colour, written with D3DX from a system-memory surface.
    void SaveImage(const std::string& relative, D3DXIMAGE_FILEFORMAT format, D3DCOLOR colour)
    {
        folder.Write(relative, ""); // creates the parent folders
        IDirect3DSurface9* surface = nullptr;
        ASSERT_EQ(device->CreateOffscreenPlainSurface(4, 4, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &surface, nullptr),
                  D3D_OK);
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(surface->LockRect(&locked, nullptr, 0), D3D_OK);
        for (UINT y = 0; y < 4; ++y)
            for (UINT x = 0; x < 4; ++x)
                reinterpret_cast<D3DCOLOR*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch)[x] = colour;
        surface->UnlockRect();
        EXPECT_EQ(D3DXSaveSurfaceToFileA((folder / relative).c_str(), format, surface, nullptr, nullptr), D3D_OK);
        surface->Release();
    }

    UINT ManagedTextures() const
    {
        UINT count = 0;
        control->GetLiveResourceCount(D3DPOOL_MANAGED, &count);
        return count;
    }

    TempFolder folder;
    HeadlessDevice device{32, 32};
    IVestraDeviceControl* control = nullptr;
};

}  // namespace

TEST_F(HostResourceFlow, RegisteredFilesAreSharedSurviveAResetAndAreFlushed)
{
    IScene* scene = CreateScene(device.get());
    ASSERT_NE(scene, nullptr);
    // Keys start at the base directory, so the files are found whatever lies before it; the
    // pattern matches nothing at the top, so every folder below is searched.
    ASSERT_EQ(ResourceManagerSetBaseDirectory("media"), S_OK);
    ASSERT_EQ(ResourceManagerRegisterFiles(folder.root.c_str(), "*.dds"), S_OK);
    ASSERT_EQ(ResourceManagerRegisterFiles((folder / "Media").c_str(), "*.png"), S_OK);
    EXPECT_TRUE(ResourceManagerFileExists("media\\tex\\stone.dds"));
    EXPECT_TRUE(ResourceManagerFileExists("C:\\elsewhere\\media\\tex\\sky\\clouds.png"));

    // A .dds request finds the registered .png of the same name; case, separators and the
    // image extension do not matter, and both requests share one texture.
    IDirect3DTexture9* stone = GetTextureFromFile(scene, "", "media\\tex\\stone.dds", ".dds", TRUE);
    ASSERT_NE(stone, nullptr);
    IDirect3DTexture9* again = GetTextureFromFile(scene, "", "MEDIA/TEX/STONE.PNG", ".dds", FALSE);
    EXPECT_EQ(again, stone);
    EXPECT_EQ(ReferenceCount(stone), 3u);  // the manager's and two requests'
    EXPECT_EQ(TopLeftTexel(stone) & 0xFFFFFF, 0x806040u);
    again->Release();
    IDirect3DTexture9* clouds = GetTextureFromFile(scene, "D:\\game\\level.x", "media\\tex\\sky\\clouds.dds", "", TRUE);
    ASSERT_NE(clouds, nullptr);
    EXPECT_EQ(TopLeftTexel(clouds), 0xFF2080FFu);
    clouds->Release();  // now only the manager holds the clouds
    EXPECT_EQ(ManagedTextures(), 2u);

    // Device reset: the host lets go first, the manager drops everything, and afterwards
    // hands out new objects loaded from the same files.
    stone->Release();
    EXPECT_EQ(InvalidateGlobalResourceManager(device.get()), S_OK);
    EXPECT_EQ(ManagedTextures(), 0u);
    EXPECT_EQ(GetTextureFromFile(scene, "", "media\\tex\\stone.dds", ".dds", FALSE), nullptr);
    D3DPRESENT_PARAMETERS parameters = vestra::test::HeadlessParameters(32, 32);
    ASSERT_EQ(device->Reset(&parameters), D3D_OK);
    EXPECT_EQ(RestoreGlobalResourceManager(device.get()), S_OK);
    EXPECT_EQ(ManagedTextures(), 2u);
    stone = GetTextureFromFile(scene, "", "media\\tex\\stone.dds", ".dds", FALSE);
    ASSERT_NE(stone, nullptr);
    EXPECT_EQ(TopLeftTexel(stone) & 0xFFFFFF, 0x806040u);

    // A flush frees what nobody but the manager holds (the clouds), not what the host holds.
    {
        DebugCapture capture;
        EXPECT_EQ(FlushGlobalResourceManager(), S_OK);
        EXPECT_NE(capture.text.find("\n1 textures removed from resource manager.\n"), std::string::npos)
            << capture.text;
    }
    EXPECT_EQ(ManagedTextures(), 1u);
    EXPECT_EQ(GetTextureFromFile(scene, "", "media\\tex\\sky\\clouds.dds", "", FALSE), nullptr);
    EXPECT_EQ(ReferenceCount(stone), 2u);

    // The manager dies with the scene, leaving the host's texture alone.
    scene->Cleanup();
    scene->Destroy();
    {
        DebugCapture capture;
        EXPECT_EQ(FlushGlobalResourceManager(), S_OK);
        EXPECT_EQ(capture.text, "FlushGlobalResourceManager called, but no global resource manager exists\n");
    }
    EXPECT_EQ(ReferenceCount(stone), 1u);
    EXPECT_EQ(stone->Release(), 0u);
    EXPECT_EQ(ManagedTextures(), 0u);
}
