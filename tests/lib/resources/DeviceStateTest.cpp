#include <gtest/gtest.h>

#include <filesystem>

#include "ResourceTestSupport.h"

using namespace resources_test;

namespace {

class DeviceStateTest : public ManagerTest {
protected:
    DeviceStateTest()
    {
        folder.Write("kept.dds", DdsBytes(4, 4));
        folder.Write("dropped.dds", DdsBytes(4, 4));
        folder.Write("fog.dds", DdsBytes(4, 4, 4));
    }
    IDirect3DSurface9* Surface(BOOL create)
    {
        return manager->GetSurface(device.get(), (folder / "kept.dds").c_str(), 4, 4, D3DFMT_A8R8G8B8, create);
    }
};

TEST_F(DeviceStateTest, InvalidateLetsHoldersKeepTheirObjectsAndRestoreLoadsNewOnes)
{
    IDirect3DTexture9* held = Texture("kept.dds", TRUE);
    ASSERT_NE(held, nullptr);
    Texture("dropped.dds", TRUE)->Release();
    IDirect3DSurface9* surface = Surface(TRUE);
    ASSERT_NE(surface, nullptr);
    surface->Release();

    EXPECT_EQ(manager->InvalidateResources(device.get()), S_OK);
    EXPECT_EQ(ReferenceCount(held), 1u); // still usable by its holder
    EXPECT_EQ(Texture("kept.dds", FALSE), nullptr);
    EXPECT_EQ(Surface(FALSE), nullptr);
    D3DPRESENT_PARAMETERS parameters = vestra::test::HeadlessParameters(32, 24);
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);

    std::filesystem::remove(folder / "dropped.dds"); // cannot come back
    EXPECT_EQ(manager->RestoreResources(device.get()), S_OK);
    IDirect3DTexture9* restored = Texture("kept.dds", FALSE);
    ASSERT_NE(restored, nullptr);
    EXPECT_NE(restored, held);
    EXPECT_EQ(ReferenceCount(restored), 2u);
    EXPECT_EQ(Texture("dropped.dds", FALSE), nullptr);
    surface = Surface(FALSE);
    ASSERT_NE(surface, nullptr);
    surface->Release();

    EXPECT_EQ(manager->RestoreResources(device.get()), S_OK); // a second time changes nothing
    EXPECT_EQ(Texture("kept.dds", FALSE), restored);
    EXPECT_EQ(restored->Release(), 2u);

    // The manager's death drops its own references only.
    manager->Release();
    manager = nullptr;
    EXPECT_EQ(restored->Release(), 0u);
    EXPECT_EQ(held->Release(), 0u);
}

TEST_F(DeviceStateTest, FlushReleasesWhatOnlyTheManagerHoldsAndRestoreBringsItBack)
{
    IDirect3DTexture9* held = Texture("kept.dds", TRUE);
    Texture("dropped.dds", TRUE)->Release();
    Surface(TRUE)->Release();
    IDirect3DVolumeTexture9* fog = manager->GetVolumeTexture(device.get(), reference.c_str(), "fog.dds", "", TRUE);
    ASSERT_NE(fog, nullptr);
    fog->Release();

    DebugCapture capture;
    manager->FlushResourcesNotInUse();
    EXPECT_EQ(capture.text, "FlushResourcesNotInUse started.\n"
                            "1 textures removed from resource manager.\n"
                            "1 surfaces removed from resource manager.\n"
                            "1 volume textures removed from resource manager.\n"
                            "0 effects removed from resource manager.\n"
                            "0 resource textures removed from resource manager.\n"
                            "FlushResourcesNotInUse finished.\n");
    EXPECT_EQ(Texture("dropped.dds", FALSE), nullptr);
    EXPECT_EQ(Surface(FALSE), nullptr);
    EXPECT_EQ(ReferenceCount(held), 2u); // held elsewhere, so kept

    manager->RestoreResources(device.get());
    IDirect3DTexture9* back = Texture("dropped.dds", FALSE);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Release(), 1u);
    held->Release();
}

} // namespace
