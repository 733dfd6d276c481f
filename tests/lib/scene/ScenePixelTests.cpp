// The render pass seen on screen: hiding, culling near the eye and the deferred pass, with
// screen-space background panels as the drawn children (the node matrices and the camera
// never move them, so only the pass decides whether they appear).
#include "lib/nodes/PixelScene.h"
#include "lib/scene/TestNodes.h"

namespace {

using nodes_test::clearColor;

constexpr DWORD red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;

class ScenePixelTest : public nodes_test::PixelSceneTest {
protected:
    // A panel of one colour, held by `parent` only.
    ISceneNode* Panel(ISceneNode* parent, RECT rect, D3DCOLOR color)
    {
        const std::string name = Solid(std::to_string(color) + ".png", 0xFF000000 | color);
        ISceneNode* node = CreateBackground(scene, rect, Reference().c_str(), name.c_str());
        parent->AddChild(node);
        node->Release();
        return node;
    }
    // A plain node under the root whose own box spans z0 to z1 (empty when equal), 2 wide.
    ISceneNode* Holder(float z0, float z1) { return Holder({-1, -1, z0}, {1, 1, z1}); }
    ISceneNode* Holder(D3DXVECTOR3 low, D3DXVECTOR3 high)
    {
        ISceneNode* node = NewNode("holder");
        if (low.z != high.z) {
            CBoundBox box;
            box.Set(low, high);
            node->SetBoundingBox(&box);
        }
        scene->AddNode(node);
        node->Release();
        return node;
    }
};

TEST_F(ScenePixelTest, HiddenNodeTakesItsVisibleChildrenWithIt)
{
    ISceneNode* parent = Panel(scene->GetRoot(), {0, 0, 32, 32}, red);
    ISceneNode* child = Panel(parent, {32, 32, 64, 64}, green);
    parent->SetHidden(true);
    Draw();
    EXPECT_EQ(Count(clearColor), 64 * 64);
    parent->SetHidden(false);
    child->SetHidden(true);
    Draw();
    EXPECT_EQ(Count(red), 32 * 32);
    EXPECT_EQ(Count(green), 0);
}

TEST_F(ScenePixelTest, BoxWhollyBeforeTheNearPlaneCullsTheSubtree)
{
    // The eye is at z = -10 looking along +z; the near plane is at z = -9.
    Panel(Holder(-9.75f, -9.25f), {0, 0, 16, 16}, red);
    Panel(Holder(-9.5f, -8.5f), {16, 0, 32, 16}, green);
    Panel(Holder(-30.0f, -20.0f), {32, 0, 48, 16}, blue);
    Panel(Holder(0.0f, 0.0f), {48, 0, 64, 16}, 0xFFFFFF);
    ISceneNode* behind = Holder(0.0f, 0.0f);
    D3DXMATRIX away;
    behind->SetMatrix(D3DXMatrixTranslation(&away, 0, 0, -50));
    Panel(behind, {0, 16, 16, 32}, 0x808080);
    Draw();
    EXPECT_EQ(Count(red), 0) << "between the eye and the near plane";
    EXPECT_EQ(Count(green), 16 * 16) << "straddling the near plane is not culled";
    EXPECT_EQ(Count(blue), 0) << "behind the eye";
    EXPECT_EQ(Count(0xFFFFFF), 16 * 16) << "an empty box is never culled";
    EXPECT_EQ(Count(0x808080), 16 * 16) << "not even behind the eye";
}

TEST_F(ScenePixelTest, BoxesJustOutsideEachSideAreCulledAndBoxesAcrossItAreNot)
{
    // At z = 0 (10 from the eye) the view spans -10 to 10 in x and y; the far plane is at
    // 90. The boxes beside the view are thin in z, since the view widens with depth.
    const struct {
        D3DXVECTOR3 outsideLow, outsideHigh, acrossLow, acrossHigh;
    } sides[] = {
        {{10.5f, -1, -0.1f}, {11.5f, 1, 0.1f}, {9.5f, -1, -0.1f}, {10.5f, 1, 0.1f}},      // right
        {{-11.5f, -1, -0.1f}, {-10.5f, 1, 0.1f}, {-10.5f, -1, -0.1f}, {-9.5f, 1, 0.1f}},  // left
        {{-1, 10.5f, -0.1f}, {1, 11.5f, 0.1f}, {-1, 9.5f, -0.1f}, {1, 10.5f, 0.1f}},      // top
        {{-1, -11.5f, -0.1f}, {1, -10.5f, 0.1f}, {-1, -10.5f, -0.1f}, {1, -9.5f, 0.1f}},  // bottom
        {{-1, -1, 91}, {1, 1, 92}, {-1, -1, 89}, {1, 1, 91}},                             // far
    };
    int side = 0;
    for (const auto& s : sides) {
        const LONG x = side * 12;
        Panel(Holder(s.outsideLow, s.outsideHigh), {x, 0, x + 12, 8}, red);
        Panel(Holder(s.acrossLow, s.acrossHigh), {x, 8, x + 12, 16}, green);
        ++side;
    }
    Draw();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(At(i * 12 + 6, 4), clearColor & 0xFFFFFF) << "side " << i << " outside";
        EXPECT_EQ(At(i * 12 + 6, 12), green) << "side " << i << " across";
    }
}

TEST_F(ScenePixelTest, DeferredNodesDrawAfterTheTreeLastDeferredFirst)
{
    // a and b are deferred in that order; c, after them in the tree, is drawn at once.
    ISceneNode* a = Panel(scene->GetRoot(), {0, 0, 40, 40}, red);
    ISceneNode* b = Panel(scene->GetRoot(), {12, 12, 52, 52}, green);
    Panel(scene->GetRoot(), {24, 24, 64, 64}, blue);
    a->SetDeferred(true);
    b->SetDeferred(true);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    Draw();
    EXPECT_EQ(At(30, 30), red) << "a, drawn last, covers b and c";
    EXPECT_EQ(At(45, 45), green) << "b covers c";
    EXPECT_EQ(At(60, 60), blue);
    EXPECT_EQ(At(5, 5), red);
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_ALPHABLENDENABLE), static_cast<DWORD>(FALSE));
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_ZWRITEENABLE), static_cast<DWORD>(TRUE));
}

} // namespace
