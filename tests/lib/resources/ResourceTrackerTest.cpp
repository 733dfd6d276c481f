#include <gtest/gtest.h>

#include "ResourceTestSupport.h"
#include "ResourceTracking.h"

using namespace resources_test;

namespace {

std::string Dump()
{
    DebugCapture capture;
    DumpTrackedResources();
    return capture.text;
}

IDirect3DTexture9* NewTexture(IDirect3DDevice9* device)
{
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    return texture;
}

TEST(ResourceTracking, ListsTrackersWhileTheirResourcesLive)
{
    HeadlessDevice device;
    InitResourceTracking();
    EXPECT_EQ(Dump(), "LeakedResources:\n");
    EXPECT_EQ(TrackResource(nullptr, "none"), E_INVALIDARG);
    EXPECT_EQ(Dump(), "LeakedResources:\n");

    IDirect3DTexture9* sky = NewTexture(device.get());
    IDirect3DTexture9* ground = NewTexture(device.get());
    EXPECT_EQ(TrackResource(sky, "sky"), D3D_OK);
    EXPECT_EQ(TrackResource(ground, nullptr), D3D_OK);
    EXPECT_EQ(Dump(), "LeakedResources:\n\t#0 sky, 3\n\t#1 , 3\n");

    // The tracker dies with its resource; numbers count the trackers listed, so they repeat.
    EXPECT_EQ(sky->Release(), 0u);
    IDirect3DSurface9* surface = nullptr;
    ASSERT_EQ(device.get()->CreateOffscreenPlainSurface(4, 4, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &surface, nullptr),
              D3D_OK);
    EXPECT_EQ(TrackResource(surface, "face"), D3D_OK);
    EXPECT_EQ(Dump(), "LeakedResources:\n\t#1 , 3\n\t#1 face, 1\n");

    // Forgotten trackers stay attached but are never listed again.
    InitResourceTracking();
    EXPECT_EQ(Dump(), "LeakedResources:\n");
    EXPECT_EQ(TrackResource(ground, "ground"), D3D_OK); // replaces the earlier tracker
    EXPECT_EQ(Dump(), "LeakedResources:\n\t#0 ground, 3\n");

    surface->Release();
    ground->Release();
    EXPECT_EQ(Dump(), "LeakedResources:\n");
}

} // namespace
