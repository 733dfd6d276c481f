#include <gtest/gtest.h>

#include "ResourceTestSupport.h"

using namespace resources_test;

namespace {

using ResourceManagerTest = ManagerTest;

TEST_F(ResourceManagerTest, TextureIsLoadedOnceAndSharedWithOneReferencePerRequest)
{
    folder.Write("tex/wood.dds", DdsBytes(8, 4));
    EXPECT_EQ(Texture("tex\\wood.dds", FALSE), nullptr); // never loaded, nothing recorded

    IDirect3DTexture9* first = Texture("tex\\wood.dds", TRUE);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ReferenceCount(first), 2u); // the manager's and ours
    IDirect3DTexture9* second = Texture("tex\\wood.dds", FALSE);
    EXPECT_EQ(second, first);
    EXPECT_EQ(ReferenceCount(first), 3u);

    // Unregistered names differing in case are different keys, so different objects.
    IDirect3DTexture9* upper = Texture("TEX\\WOOD.DDS", TRUE);
    ASSERT_NE(upper, nullptr);
    EXPECT_NE(upper, first);
    EXPECT_EQ(Texture("tex\\missing.dds", TRUE), nullptr);
    upper->Release();
    second->Release();
    EXPECT_EQ(first->Release(), 1u);
}

TEST_F(ResourceManagerTest, RegisteredFileOfTheSameKeyIsLoadedAndCachedUnderItsPath)
{
    folder.Write("tex/a.dds", DdsBytes(16, 8));
    manager->Registry().RegisterFiles(folder.root.c_str(), "*.dds");

    IDirect3DTexture9* requested = Texture("tex\\a.png", TRUE);
    ASSERT_NE(requested, nullptr);
    IDirect3DTexture9* byRealName = Texture("tex/a.dds", FALSE);
    EXPECT_EQ(byRealName, requested);
    D3DXIMAGE_INFO info = {};
    EXPECT_EQ(manager->GetImageInfo(&info, reference.c_str(), "tex\\a.png", ".dds"), D3D_OK);
    EXPECT_EQ(info.Width, 16u);
    EXPECT_NE(manager->GetImageInfo(&info, reference.c_str(), "tex\\b.png", ""), D3D_OK);
    byRealName->Release();
    requested->Release();
}

TEST_F(ResourceManagerTest, SurfaceIsKeyedByTheNameAloneInSystemMemory)
{
    folder.Write("face.dds", DdsBytes(8, 8));
    const std::string path = folder / "face.dds";
    EXPECT_EQ(manager->GetSurface(device.get(), path.c_str(), 8, 8, D3DFMT_A8R8G8B8, FALSE), nullptr);
    IDirect3DSurface9* first = manager->GetSurface(device.get(), path.c_str(), 8, 8, D3DFMT_A8R8G8B8, TRUE);
    ASSERT_NE(first, nullptr);
    D3DSURFACE_DESC desc = {};
    first->GetDesc(&desc);
    EXPECT_EQ(desc.Pool, D3DPOOL_SYSTEMMEM);

    IDirect3DSurface9* resized = manager->GetSurface(device.get(), path.c_str(), 4, 4, D3DFMT_X8R8G8B8, TRUE);
    EXPECT_EQ(resized, first);
    EXPECT_EQ(manager->GetSurface(device.get(), (folder / "no.dds").c_str(), 8, 8, D3DFMT_A8R8G8B8, TRUE), nullptr);
    resized->Release();
    EXPECT_EQ(first->Release(), 1u);
}

TEST_F(ResourceManagerTest, ResourceTextureIsKeyedByNameWhicheverModuleAsks)
{
    const HMODULE first = reinterpret_cast<HMODULE>(0x10000), second = reinterpret_cast<HMODULE>(0x20000);
    const std::string big = DdsBytes(8, 8), small = DdsBytes(2, 2);
    ASSERT_TRUE(VestraRegisterResource(first, RT_RCDATA, "SKY", big.data(), static_cast<DWORD>(big.size())));
    ASSERT_TRUE(VestraRegisterResource(second, RT_RCDATA, "SKY", small.data(), static_cast<DWORD>(small.size())));
    ASSERT_TRUE(VestraRegisterResource(first, RT_RCDATA, MAKEINTRESOURCEA(7), small.data(),
                                       static_cast<DWORD>(small.size())));

    EXPECT_EQ(manager->GetResourceTexture(device.get(), first, "SKY", FALSE), nullptr);
    IDirect3DTexture9* sky = manager->GetResourceTexture(device.get(), first, "SKY", TRUE);
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ(manager->GetResourceTexture(device.get(), second, "SKY", TRUE), sky);
    D3DSURFACE_DESC level = {};
    sky->GetLevelDesc(0, &level);
    EXPECT_EQ(level.Width, 8u);
    IDirect3DTexture9* byId = manager->GetResourceTexture(device.get(), first, MAKEINTRESOURCEA(7), TRUE);
    ASSERT_NE(byId, nullptr);
    EXPECT_EQ(manager->GetResourceTexture(device.get(), first, "#7", FALSE), byId); // the text form of id 7
    for (IDirect3DTexture9* texture : {sky, sky, byId, byId}) {
        texture->Release();
    }
    EXPECT_EQ(ReferenceCount(sky), 1u);
}

} // namespace
