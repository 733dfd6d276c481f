// Whole small scenes of several node types compared with reviewed images in tests/golden/
// (VESTRA_UPDATE_GOLDEN=1 rewrites them for review).
#include "IWindow.h"
#include "lib/nodes/PixelScene.h"
#include "support/GoldenImage.h"

namespace {

const D3DXCOLOR white(1, 1, 1, 1);

class GoldenSceneTest : public nodes_test::PixelSceneTest {
protected:
    // A 4 x 4 image in four colours, one per quadrant, with a dark texel at the top-left
    // corner so that flips and turns show.
    std::string Quadrants(const std::string& name, D3DCOLOR a, D3DCOLOR b, D3DCOLOR c, D3DCOLOR d)
    {
        nodes_test::WriteImage(device.get(), folder / name, 4, 4, [=](UINT x, UINT y) -> D3DCOLOR {
            if (x == 0 && y == 0) {
                return 0xFF000000;
            }
            return y < 2 ? (x < 2 ? a : b) : (x < 2 ? c : d);
        });
        return name;
    }
    void Attach(ISceneNode* parent, ISceneNode* node)
    {
        parent->AddChild(node);
        node->Release();
    }
};

TEST_F(GoldenSceneTest, GroundBillboardsStripAndPanel)
{
    const std::string ref = Reference();
    const std::string ground = Quadrants("ground.png", 0xFF306030, 0xFF408040, 0xFF508050, 0xFF60A060);
    const std::string sign = Quadrants("sign.png", 0xFFE04040, 0xFFE0E040, 0xFF4040E0, 0xFFE0E0E0);
    nodes_test::WriteStrip(device.get(), folder / "strip.png", 16, 4);
    ISceneNode* root = scene->GetRoot();
    Attach(root, CreateBackground(scene, {2, 2, 18, 10}, ref.c_str(), sign.c_str()));
    Attach(root, CreateQuad(scene, {-6, 0, -6}, {6, 0, 6}, white, ref.c_str(), ground.c_str()));
    Attach(root, CreateBillboardQuad(scene, {-2, 2, 0}, white, 3, 3, ref.c_str(), sign.c_str(), 0));
    ISceneNode* strip = CreateBitstripBillboard(scene, {2.5f, 1.5f, 1}, white, 2, 2, ref.c_str(), "strip.png", 4, true);
    Attach(root, strip);
    ISceneNode* overlay = CreateBillboardQuad(scene, {-1, 1, -1}, D3DXCOLOR(1, 1, 1, 1), 2, 2, ref.c_str(),
                                              Quadrants("overlay.png", 0xFF80FFFF, 0xFF80FFFF, 0xFFFF80FF,
                                                        0xFFFF80FF).c_str(), 0);
    overlay->SetDeferred(true);
    Attach(root, overlay);
    scene->Update(0.5f); // strip on frame 2
    LookFrom({0, 6, -10}, {0, -0.5f, 1});
    Draw();
    EXPECT_TRUE(vestra::test::BackBufferMatchesGolden(device.get(), "scene_ground_billboards"));
}

TEST_F(GoldenSceneTest, SkyboxCornerUnderNestedWindows)
{
    const std::string ref = Reference();
    const D3DCOLOR shades[6][2] = {{0xFFC04040, 0xFF802020}, {0xFF40C040, 0xFF208020}, {0xFF4040C0, 0xFF202080},
                                   {0xFFC0C040, 0xFF808020}, {0xFF40C0C0, 0xFF208080}, {0xFFC040C0, 0xFF802080}};
    std::string names[6];
    for (int i = 0; i < 6; ++i) {
        names[i] = Quadrants("face" + std::to_string(i) + ".png", shades[i][0], shades[i][1], shades[i][1],
                             shades[i][0]);
    }
    scene->GetCamera()->Apply(device.get());
    Attach(scene->GetRoot(), CreateSkybox(scene, 10, ref.c_str(), names[0].c_str(), names[1].c_str(),
                                          names[2].c_str(), names[3].c_str(), names[4].c_str(), names[5].c_str()));
    // Looking into the corner of +x, +y and +z.
    LookFrom({0, 0, 0}, {1, 0.8f, 1});
    scene->SetRenderFlags(SCENE_RENDER_CLEAR);
    device->BeginScene();
    EXPECT_EQ(scene->Render(), S_OK);
    IWindow* outer = CreateWindow2D(nullptr, "outer", {36, 40, 60, 60}, D3DXCOLOR(0.1f, 0.1f, 0.1f, 1));
    IWindow* inner = CreateWindow2D(outer, "inner", {4, 4, 20, 12}, D3DXCOLOR(0.9f, 0.9f, 0.9f, 1));
    device->SetTexture(0, nullptr);
    outer->Render(device.get());
    inner->Render(device.get());
    device->EndScene();
    inner->Destroy();
    outer->Destroy();
    EXPECT_TRUE(vestra::test::BackBufferMatchesGolden(device.get(), "scene_skybox_windows"));
}

} // namespace
