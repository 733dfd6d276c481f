// Every node type alone in a small scene, checked by the pixels it leaves on the back buffer.
// Expected positions are worked out by hand from the camera described in PixelScene.h.
#include <cmath>

#include "I3DQuad.h"
#include "IWindow.h"
#include "lib/nodes/PixelScene.h"
#include "lib/scene/TestNodes.h"

namespace {

using nodes_test::clearColor;
using nodes_test::PixelSceneTest;

constexpr DWORD red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, yellow = 0xFFFF00;
const D3DXCOLOR white(1, 1, 1, 1);

class NodePixelTest : public PixelSceneTest {
protected:
    // A 2 x 2 image: red top-left, green top-right, blue bottom-left, yellow bottom-right.
    const char* Quadrants()
    {
        nodes_test::WriteImage(device.get(), folder / "quadrants.png", 2, 2, [](UINT x, UINT y) {
            const D3DCOLOR texels[2][2] = {{0xFF000000 | red, 0xFF000000 | green},
                                           {0xFF000000 | blue, 0xFF000000 | yellow}};
            return texels[y][x];
        });
        return "quadrants.png";
    }
    // Adds the node to the scene, which then holds the only reference.
    template <typename Node>
    Node* Add(Node* node)
    {
        scene->AddNode(node);
        node->Release();
        return node;
    }
    // The four quadrants of the square from (16, 16) to (48, 48), sampled away from edges.
    void ExpectUprightQuadrants(const char* view)
    {
        EXPECT_EQ(At(20, 20), red) << view;
        EXPECT_EQ(At(44, 20), green) << view;
        EXPECT_EQ(At(20, 44), blue) << view;
        EXPECT_EQ(At(44, 44), yellow) << view;
        EXPECT_EQ(At(10, 32), clearColor & 0xFFFFFF) << view;
        EXPECT_EQ(At(32, 54), clearColor & 0xFFFFFF) << view;
    }
    // A skybox of six solid faces, coloured as skyFaces, named as skyNames.
    static constexpr D3DCOLOR skyFaces[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};
    static constexpr const char* skyNames[6] = {"pz.png", "nz.png", "px.png", "nx.png", "py.png", "ny.png"};
    ISceneNode* SolidSkybox()
    {
        for (int i = 0; i < 6; ++i) {
            Solid(skyNames[i], skyFaces[i]);
        }
        const char* const* n = skyNames;
        return Add(CreateSkybox(scene, 10.0f, Reference().c_str(), n[0], n[1], n[2], n[3], n[4], n[5]));
    }
};

TEST_F(NodePixelTest, QuadLiesInXZWithUAlongXAndVAlongMinusZ)
{
    Add(CreateQuad(scene, {-5, 0, -5}, {5, 0, 5}, white, Reference().c_str(), Quadrants()));
    // Looking down, +x is right and +z up the screen; the plane is 10 below the eye.
    LookFrom({0, 10, 0}, {0, -1, 0});
    Draw();
    ExpectUprightQuadrants("from above");
    EXPECT_EQ(Count(clearColor), 64 * 64 - 32 * 32) << "exactly 32 x 32 pixels covered";

    LookFrom({0, -10, 0}, {0, 1, 0});
    Draw();
    EXPECT_EQ(Count(clearColor), 64 * 64) << "its back is culled from below";
}

TEST_F(NodePixelTest, BillboardShowsTheSameUprightFaceFromEverySide)
{
    Add(CreateBillboardQuad(scene, {0, 0, 0}, white, 10, 10, Reference().c_str(), Quadrants(), 0.0f));
    const struct {
        D3DXVECTOR3 eye, direction;
        const char* name;
    } views[] = {{{0, 0, -10}, {0, 0, 1}, "front"},
                 {{0, 0, 10}, {0, 0, -1}, "behind"},
                 {{10, 0, 0}, {-1, 0, 0}, "side"},
                 {{0, 10, 0}, {0, -1, 0}, "above"}};
    for (const auto& view : views) {
        LookFrom(view.eye, view.direction);
        Draw();
        ExpectUprightQuadrants(view.name);
    }
}

TEST_F(NodePixelTest, NodeMatricesComposeDownTheTree)
{
    ISceneNode* parent = Add(NewNode("parent"));
    D3DXMATRIX move;
    parent->SetMatrix(D3DXMatrixTranslation(&move, 2, 0, 0));
    ISceneNode* quad = CreateQuad(scene, {-5, 0, -5}, {5, 0, 5}, white, Reference().c_str(),
                                  Solid("red.png", 0xFF000000 | red).c_str());
    quad->SetMatrix(D3DXMatrixTranslation(&move, 0, 0, 2));
    parent->AddChild(quad);
    quad->Release();
    LookFrom({0, 10, 0}, {0, -1, 0});
    Draw();
    // Centred on (2, 0, 2): x from 22.4 to 54.4, y from 9.6 to 41.6 on screen.
    EXPECT_EQ(Count(red), 32 * 32);
    EXPECT_EQ(At(23, 10), red);
    EXPECT_EQ(At(54, 41), red);
    EXPECT_EQ(At(22, 10), clearColor & 0xFFFFFF);
    EXPECT_EQ(At(23, 9), clearColor & 0xFFFFFF);
}

TEST_F(NodePixelTest, BillboardUnderATurnedScaledParentKeepsItsSizeAndMovesWithIt)
{
    ISceneNode* parent = Add(NewNode("parent"));
    D3DXMATRIX scale, turn, move;
    D3DXMatrixScaling(&scale, 3, 3, 3);
    D3DXMatrixRotationZ(&turn, 0.5f);
    D3DXMatrixTranslation(&move, 2, 0, 0);
    const D3DXMATRIX parentMatrix = scale * turn * move;
    parent->SetMatrix(&parentMatrix);
    ISceneNode* billboard = CreateBillboardQuad(scene, {0, 0, 0}, white, 10, 10, Reference().c_str(),
                                                Solid("red.png", 0xFF000000 | red).c_str(), 0.0f);
    parent->AddChild(billboard);
    billboard->Release();
    Draw();
    // Centred on (2, 0, 0), still 10 x 10 and upright: x from 22.4 to 54.4, y 16 to 48.
    EXPECT_EQ(Count(red), 32 * 32);
    EXPECT_EQ(At(23, 16), red);
    EXPECT_EQ(At(54, 47), red);
    EXPECT_EQ(At(22, 32), clearColor & 0xFFFFFF);
    EXPECT_EQ(At(55, 32), clearColor & 0xFFFFFF);
}

TEST_F(NodePixelTest, PulsingBillboardBlendsWithTheAlphaOfItsTime)
{
    ISceneNode* node = Add(CreateBillboardQuad(scene, {0, 0, 0}, white, 10, 10, Reference().c_str(),
                                               Solid("white.png", 0xFFFFFFFF).c_str(), 0.0f));
    // The pulse only shows where the host blends with the vertex alpha: the node sets
    // neither the blend factors nor the alpha operation.
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    IBillboardQuad* billboard = nullptr;
    ASSERT_TRUE(node->QueryInterface(IID_IBillboardQuad, reinterpret_cast<void**>(&billboard)));
    billboard->SetPulse(true, 0.0f, 1.0f, D3DX_PI / 2);
    node->Update(1.0f / 3.0f); // alpha sin(pi / 6) = 0.5
    Draw();
    // Over the clear colour (0x20, 0x30, 0x40) each channel is half way to 255.
    const DWORD pixel = At(32, 32);
    EXPECT_NEAR(static_cast<int>(pixel >> 16), (255 + 0x20) / 2, 2);
    EXPECT_NEAR(static_cast<int>((pixel >> 8) & 0xFF), (255 + 0x30) / 2, 2);
    EXPECT_NEAR(static_cast<int>(pixel & 0xFF), (255 + 0x40) / 2, 2);

    node->Update(2.0f / 3.0f); // sin(pi / 2): opaque
    Draw();
    EXPECT_EQ(At(32, 32), 0xFFFFFFu);
    node->Update(1.0f); // sin(pi) = 0: fully transparent
    Draw();
    EXPECT_EQ(At(32, 32), clearColor & 0xFFFFFF);
    billboard->SetPulse(false, 0.0f, 1.0f, 0.0f);
    Draw();
    EXPECT_EQ(At(32, 32), 0xFFFFFFu) << "without the pulse no blending is switched on";
    billboard->Release();
}

TEST_F(NodePixelTest, BitstripBillboardShowsTheCellOfItsFrame)
{
    nodes_test::WriteStrip(device.get(), folder / "strip.png", 16, 4); // red, green, blue, yellow
    ISceneNode* node = Add(CreateBitstripBillboard(scene, {0, 0, 0}, white, 10, 10, Reference().c_str(),
                                                   "strip.png", 4.0f, true));
    Draw();
    EXPECT_EQ(At(32, 32), red) << "frame 0 before any update";
    node->Update(0.5f);
    Draw();
    EXPECT_EQ(At(32, 32), blue) << "frame 2 at 0.5 s";
    node->Update(0.75f);
    Draw();
    EXPECT_EQ(At(32, 32), green) << "position 5 wraps to frame 1";

    node->SetPaused(true);
    node->Update(0.25f);
    Draw();
    EXPECT_EQ(At(32, 32), green) << "paused: neither frame nor time moves";
    node->SetPaused(false);

    node->SetHidden(true);
    node->Update(0.25f); // position 6, frame 2, but hidden
    Draw();
    EXPECT_EQ(Count(clearColor), 64 * 64);
    node->SetHidden(false);
    Draw();
    EXPECT_EQ(At(32, 32), green) << "the frame waited while hidden";
    node->Update(0.0f);
    Draw();
    EXPECT_EQ(At(32, 32), blue) << "and catches up with the time that ran on";
}

TEST_F(NodePixelTest, BitstripQuadStopsOnItsLastCellWithoutLooping)
{
    nodes_test::WriteStrip(device.get(), folder / "strip.png", 16, 4);
    ISceneNode* node = Add(CreateBitstripQuad(scene, {-5, 0, -5}, {5, 0, 5}, white, Reference().c_str(),
                                              "strip.png", 4.0f, false));
    LookFrom({0, 10, 0}, {0, -1, 0});
    node->Update(0.25f);
    Draw();
    EXPECT_EQ(At(32, 32), green);
    EXPECT_EQ(Count(green), 32 * 32);
    node->Update(10.0f);
    Draw();
    EXPECT_EQ(At(32, 32), yellow);
}

TEST_F(NodePixelTest, BackgroundCornersAndHalfPixelOffsetMapTexelsOntoPixels)
{
    // Texel (x, y) of a 16 x 8 image has its own colour; drawn over 16 x 8 pixels with
    // bilinear filtering, only texel centres on pixel centres give back the exact texels.
    auto texel = [](UINT x, UINT y) { return static_cast<D3DCOLOR>(0xFF000000 | (x * 16) << 16 | (y * 32) << 8 | 0x80); };
    nodes_test::WriteImage(device.get(), folder / "ramp.png", 16, 8, texel);
    Add(CreateBackground(scene, {8, 8, 24, 16}, Reference().c_str(), "ramp.png"));
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    Draw();
    int wrong = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const bool inside = x >= 8 && x < 24 && y >= 8 && y < 16;
            const DWORD expected = inside ? texel(x - 8, y - 8) & 0xFFFFFF : clearColor & 0xFFFFFF;
            wrong += At(x, y) != expected;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(NodePixelTest, BackgroundTextureTransformTilesAndScrolls)
{
    nodes_test::WriteImage(device.get(), folder / "pair.png", 2, 1,
                           [](UINT x, UINT) { return x == 0 ? 0xFFFF0000u : 0xFF00FF00u; });
    ISceneNode* node = Add(CreateBackground(scene, {8, 8, 24, 16}, Reference().c_str(), "pair.png"));
    IBackground* background = nullptr;
    ASSERT_TRUE(node->QueryInterface(IID_IBackground, reinterpret_cast<void**>(&background)));
    D3DXMATRIX transform;
    background->SetTextureTransform(D3DXMatrixScaling(&transform, 2, 1, 1));
    Draw();
    for (int x = 8; x < 24; ++x) {
        EXPECT_EQ(At(x, 12), ((x - 8) / 4) % 2 == 0 ? red : green) << "tiled twice, column " << x;
    }
    background->SetTextureTransform(D3DXMatrixTranslation(&transform, 0.5f, 0, 0));
    Draw();
    for (int x = 8; x < 24; ++x) {
        EXPECT_EQ(At(x, 12), x < 16 ? green : red) << "scrolled by half, column " << x;
    }
    background->Release();
}

TEST_F(NodePixelTest, SkyboxShowsEachFaceAlongItsAxis)
{
    // The skybox takes the projection the device has when it is made.
    scene->GetCamera()->Apply(device.get());
    SolidSkybox();
    const D3DXVECTOR3 axes[6] = {{0, 0, 1}, {0, 0, -1}, {1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    for (int i = 0; i < 6; ++i) {
        LookFrom({0, 0, 0}, axes[i]);
        Draw();
        // At 90 degrees the face (5 away, 10 wide) just fills the view.
        for (const auto& [x, y] : {std::pair{32, 32}, {4, 4}, {59, 4}, {4, 59}, {59, 59}}) {
            EXPECT_EQ(At(x, y), skyFaces[i] & 0xFFFFFF) << "face " << skyNames[i] << " at " << x << ", " << y;
        }
    }
}

TEST_F(NodePixelTest, SkyboxDrawsUnderItsOwnProjection)
{
    ISceneNode* node = SolidSkybox();
    ISkybox* sky = nullptr;
    ASSERT_TRUE(node->QueryInterface(IID_ISkybox, reinterpret_cast<void**>(&sky)));
    // 120 degrees: at the face's distance of 5 the view spans 5 tan 60 = 8.66 each way, so
    // the +z face covers 32 * 5 / 8.66 = 18.5 pixels either side of the centre.
    D3DXMATRIX wide;
    D3DXMatrixPerspectiveFovLH(&wide, D3DX_PI * 2 / 3, 1.0f, 1.0f, 100.0f);
    EXPECT_EQ(sky->SetProjection(&wide), S_OK);
    sky->Release();
    LookFrom({0, 0, 0}, {0, 0, 1});
    Draw();
    EXPECT_EQ(At(32, 32), red);
    EXPECT_EQ(At(15, 32), red);
    EXPECT_EQ(At(12, 32), yellow) << "the -x face to the left";
    EXPECT_EQ(At(52, 32), blue) << "the +x face to the right";
    EXPECT_EQ(At(32, 12), 0x00FFFFu) << "the +y face above";
    const D3DXMATRIX* cameraProjection = scene->GetCamera()->GetTransform(D3DTS_PROJECTION);
    EXPECT_EQ(D3DXMATRIX(TransformOf(device.get(), D3DTS_PROJECTION)), *cameraProjection)
        << "the camera's projection is back after the skybox";
}

TEST_F(NodePixelTest, FreeQuadStandsOnItsAxisAndFacesMinusZViewers)
{
    I3DQuad* quad = Create3DQuad();
    const D3DXVECTOR2 size(10, 10);
    quad->SetSize(&size);
    quad->SetColor(0xFFFF0000);
    scene->GetCamera()->Apply(device.get());
    D3DXMATRIX identity;
    device->SetTransform(D3DTS_WORLD, D3DXMatrixIdentity(&identity));
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    auto drawQuad = [&] {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, clearColor, 1.0f, 0);
        device->BeginScene();
        EXPECT_EQ(quad->Render(device.get()), S_OK);
        device->EndScene();
        pixels = vestra::test::ReadBackBuffer(device.get());
    };
    drawQuad();
    EXPECT_EQ(At(32, 16), red) << "bottom-anchored: above the axis";
    EXPECT_EQ(At(32, 40), clearColor & 0xFFFFFF) << "nothing below it";
    EXPECT_EQ(Count(red), 32 * 32);
    quad->Build(true);
    drawQuad();
    EXPECT_EQ(At(32, 20), red);
    EXPECT_EQ(At(32, 44), red);
    EXPECT_EQ(Count(red), 32 * 32);

    LookFrom({0, 0, 10}, {0, 0, -1});
    scene->GetCamera()->Apply(device.get());
    drawQuad();
    EXPECT_EQ(Count(red), 0) << "its back faces +z viewers";
    quad->Release();
}

TEST_F(NodePixelTest, NestedWindowsDrawAtTheirParentsOffsets)
{
    IWindow* outer = CreateWindow2D(nullptr, "outer", {8, 8, 56, 56}, D3DXCOLOR(0, 0, 1, 1));
    IWindow* inner = CreateWindow2D(outer, "inner", {8, 8, 24, 24}, D3DXCOLOR(1, 0, 0, 1));
    IWindow* innermost = CreateWindow2D(inner, "innermost", {4, 4, 8, 8}, D3DXCOLOR(0, 1, 0, 1));
    device->Clear(0, nullptr, D3DCLEAR_TARGET, clearColor, 1.0f, 0);
    device->BeginScene();
    for (IWindow* window : {outer, inner, innermost}) {
        EXPECT_EQ(window->Render(device.get()), S_OK);
    }
    device->EndScene();
    pixels = vestra::test::ReadBackBuffer(device.get());
    // No half-pixel offset: a window covers the pixels from left/top up to right/bottom - 1.
    EXPECT_EQ(Count(blue), 48 * 48 - 16 * 16);
    EXPECT_EQ(Count(red), 16 * 16 - 4 * 4);
    EXPECT_EQ(Count(green), 4 * 4);
    EXPECT_EQ(At(16, 16), red);
    EXPECT_EQ(At(31, 31), red);
    EXPECT_EQ(At(32, 32), blue);
    EXPECT_EQ(At(20, 20), green);
    EXPECT_EQ(At(23, 23), green);
    EXPECT_EQ(At(24, 24), red);
    EXPECT_EQ(At(7, 7), clearColor & 0xFFFFFF);
    for (IWindow* window : {innermost, inner, outer}) {
        window->Destroy();
    }
}

} // namespace
