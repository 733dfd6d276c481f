// R1 built from engine nodes must show the same picture as R1 drawn straight through the
// device: the same sky, the same ground, billboards of the same size in the same places.
// The sprite cloud is an emitter in the engine's version, so the rows it can reach are
// compared by average only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "R1DeviceScene.h"
#include "R1EngineScene.h"
#include "support/HeadlessDevice.h"

namespace {

std::vector<DWORD> BackBuffer(IDirect3DDevice9* device)
{
    IDirect3DSurface9* back = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    std::vector<DWORD> pixels = vestra::test::ReadRenderTarget(device, back);
    back->Release();
    return pixels;
}

std::vector<DWORD> DeviceFrame()
{
    IDirect3DDevice9* device = nullptr;
    EXPECT_EQ(r1::CreateDevice(nullptr, &device), D3D_OK);
    std::vector<DWORD> pixels;
    {
        r1::DeviceScene scene;
        EXPECT_EQ(scene.Create(device), D3D_OK);
        EXPECT_EQ(scene.Render(), D3D_OK);
        pixels = BackBuffer(device);
    }
    EXPECT_EQ(device->Release(), 0u);
    return pixels;
}

std::vector<DWORD> EngineFrame()
{
    IDirect3DDevice9* device = nullptr;
    EXPECT_EQ(r1::CreateDevice(nullptr, &device), D3D_OK);
    IScene* scene = CreateScene(device);
    r1::SetEngineHostStates(device);
    r1::EngineScene r1Scene;
    const std::string media = (std::filesystem::path(::testing::TempDir()) / "vestra-r1-engine-test").string();
    EXPECT_EQ(r1Scene.Build(scene, media), D3D_OK);
    scene->SetRenderFlags(SCENE_RENDER_CLEAR | SCENE_RENDER_BEGINEND);
    scene->Update(0.0f);
    r1Scene.Update(0.0f);
    EXPECT_EQ(scene->Render(), D3D_OK);
    std::vector<DWORD> pixels = BackBuffer(device);
    scene->Cleanup();
    scene->Destroy();
    device->Release();
    return pixels;
}

// Mean absolute difference per channel over rows [top, bottom).
double MeanDifference(const std::vector<DWORD>& a, const std::vector<DWORD>& b, UINT top, UINT bottom)
{
    double sum = 0;
    for (UINT y = top; y < bottom; ++y) {
        for (UINT x = 0; x < r1::kWidth; ++x) {
            const DWORD p = a[y * r1::kWidth + x], q = b[y * r1::kWidth + x];
            for (int shift : {0, 8, 16}) sum += std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF));
        }
    }
    return sum / (3.0 * r1::kWidth * (bottom - top));
}

double MeanBrightness(const std::vector<DWORD>& a, UINT top, UINT bottom)
{
    double sum = 0;
    for (UINT y = top; y < bottom; ++y) {
        for (UINT x = 0; x < r1::kWidth; ++x) {
            const DWORD p = a[y * r1::kWidth + x];
            sum += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        }
    }
    return sum / (3.0 * r1::kWidth * (bottom - top));
}

TEST(R1EngineScene, ShowsTheSamePictureAsTheDeviceLevelScene)
{
    const std::vector<DWORD> device = DeviceFrame();
    const std::vector<DWORD> engine = EngineFrame();
    ASSERT_EQ(device.size(), static_cast<size_t>(r1::kWidth) * r1::kHeight);
    ASSERT_EQ(engine.size(), device.size());
    // The sky above the horizon and the ground in front of the billboards: the same texels
    // through the same geometry, up to filtering differences.
    EXPECT_LT(MeanDifference(device, engine, 0, 100), 1.0);
    EXPECT_LT(MeanDifference(device, engine, 400, r1::kHeight), 1.0);
    // The billboard band: as bright overall (billboards of another size or alpha would not be).
    const double deviceBand = MeanBrightness(device, 150, 330), engineBand = MeanBrightness(engine, 150, 330);
    EXPECT_NEAR(engineBand, deviceBand, deviceBand * 0.05);
}

}  // namespace
