#include "lib/nodes/PixelScene.h"

#include <algorithm>

namespace nodes_test {

PixelSceneTest::PixelSceneTest()
{
    ICamera* camera = scene->GetCamera();
    D3DVIEWPORT9 viewport = {0, 0, 64, 64, 1.0f, 100.0f};
    camera->SetViewport(&viewport);
    camera->SetFOV(D3DX_PI / 2);
    camera->SetYUp(true);
    camera->SetFreeMode(true);
    LookFrom({0, 0, -10}, {0, 0, 1});
    scene->SetClearColor(clearColor);
    scene->SetRenderFlags(SCENE_RENDER_CLEAR | SCENE_RENDER_BEGINEND);
}

void PixelSceneTest::LookFrom(D3DXVECTOR3 eye, D3DXVECTOR3 direction)
{
    scene->GetCamera()->SetFreeView(&eye, &direction);
}

void PixelSceneTest::Draw()
{
    EXPECT_EQ(scene->Render(), S_OK);
    pixels = vestra::test::ReadBackBuffer(device.get());
    ASSERT_EQ(pixels.size(), 64u * 64u);
}

DWORD PixelSceneTest::At(int x, int y) const
{
    return pixels.at(static_cast<size_t>(y) * 64 + static_cast<size_t>(x)) & 0xFFFFFFu;
}

int PixelSceneTest::Count(DWORD color) const
{
    return static_cast<int>(
        std::count_if(pixels.begin(), pixels.end(), [color](DWORD p) { return (p & 0xFFFFFF) == (color & 0xFFFFFF); }));
}

std::string PixelSceneTest::Solid(const std::string& name, D3DCOLOR color)
{
    WriteImage(device.get(), folder / name, 4, 4, [color](UINT, UINT) { return color; });
    return name;
}

} // namespace nodes_test
