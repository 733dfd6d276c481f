// R1 drawn through the device: what a frame does, where its parts land, and that the bytes
// do not depend on the thread count.
#include <gtest/gtest.h>

#include <d3dx9.h>

#include <VestraDeviceControl.h>

#include <string>
#include <vector>

#include "R1DeviceScene.h"
#include "d3d9/raster/Pipeline.h"
#include "support/GoldenImage.h"
#include "support/HeadlessDevice.h"

namespace {

struct R1Frame {
    std::vector<DWORD> pixels;
    VESTRA_FRAME_STATISTICS statistics{};
    ::testing::AssertionResult matchesGolden = ::testing::AssertionFailure();
};

R1Frame RenderR1(UINT threads, const char* savePath = nullptr)
{
    vestra::raster::SetThreadCount(threads);
    R1Frame frame;
    IDirect3DDevice9* device = nullptr;
    EXPECT_EQ(r1::CreateDevice(nullptr, &device), D3D_OK);
    if (device == nullptr) return frame;
    {
        r1::DeviceScene scene;
        EXPECT_EQ(scene.Create(device), D3D_OK);
        IVestraDeviceControl* control = nullptr;
        device->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control));
        EXPECT_NE(control, nullptr);
        EXPECT_EQ(scene.Render(), D3D_OK);
        EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
        control->ResetFrameStatistics();  // the second frame is measured: nothing is made twice
        EXPECT_EQ(scene.Render(), D3D_OK);
        control->GetFrameStatistics(&frame.statistics);
        control->Release();
        IDirect3DSurface9* backBuffer = nullptr;
        device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
        frame.pixels = vestra::test::ReadRenderTarget(device, backBuffer);
        frame.matchesGolden = vestra::test::BackBufferMatchesGolden(device, "r1_device");
        if (savePath) {
            EXPECT_EQ(D3DXSaveSurfaceToFileA(savePath, D3DXIFF_PNG, backBuffer, nullptr, nullptr), D3D_OK);
        }
        backBuffer->Release();
    }
    EXPECT_EQ(device->Release(), 0u);
    vestra::raster::SetThreadCount(0);
    return frame;
}

DWORD At(const R1Frame& frame, int x, int y) { return frame.pixels[static_cast<size_t>(y) * r1::kWidth + x]; }
int Red(DWORD c) { return (c >> 16) & 0xFF; }
int Green(DWORD c) { return (c >> 8) & 0xFF; }
int Blue(DWORD c) { return c & 0xFF; }

TEST(R1DeviceScene, FrameIsTheDefinedDrawsAndLandsWhereExpected)
{
    const std::string saved = std::string(::testing::TempDir()) + "r1_device.png";
    const R1Frame frame = RenderR1(1, saved.c_str());
    ASSERT_EQ(frame.pixels.size(), static_cast<size_t>(r1::kWidth) * r1::kHeight);
    // The reviewed picture of the whole scene, byte for byte.
    EXPECT_TRUE(frame.matchesGolden);

    // Six sky faces, the ground, one draw per billboard and one for all sprites.
    EXPECT_EQ(frame.statistics.DrawCalls, 6u + 1u + 200u + 1u);
    EXPECT_EQ(frame.statistics.Primitives, 6u * 2u + 2u + 200u * 2u + 100u);
    EXPECT_EQ(frame.statistics.Clears, 1u);
    EXPECT_GT(frame.statistics.PixelsWritten, r1::kWidth * r1::kHeight);  // sky covers all, the rest on top

    // The top row looks into the sky: blue dominates, as every sky face is painted.
    const DWORD sky = At(frame, 320, 2);
    EXPECT_GT(Blue(sky), Red(sky));
    EXPECT_GT(Blue(sky), 150);
    // Straight below the eye's line of sight, near the bottom edge, is the green ground.
    const DWORD ground = At(frame, 320, 470);
    EXPECT_GT(Green(ground), Red(ground));
    EXPECT_GT(Green(ground), Blue(ground));
    // The origin projects to the screen centre; the billboard grid is centred on it, so the
    // centre is covered by blended, warm billboards (more red than the ground under them).
    const DWORD centre = At(frame, 320, 240);
    EXPECT_GT(Red(centre), Red(ground));
    // Nothing is left at the clear colour.
    size_t cleared = 0;
    for (DWORD p : frame.pixels) cleared += (p & 0xFFFFFF) == 0;
    EXPECT_EQ(cleared, 0u);
}

TEST(R1DeviceScene, BytesDoNotDependOnTheThreadCount)
{
    const R1Frame one = RenderR1(1);
    const R1Frame two = RenderR1(2);
    const R1Frame three = RenderR1(3);
    ASSERT_FALSE(one.pixels.empty());
    EXPECT_TRUE(one.pixels == two.pixels);
    EXPECT_TRUE(one.pixels == three.pixels);
    EXPECT_EQ(one.statistics.PixelsWritten, two.statistics.PixelsWritten);
}

}  // namespace
