// Bitstrip textures (frame layout, frame copies, range checks) and the two bitstrip nodes
// (frame stepping, pause and hide, interfaces).
#include "IBitstripTexture.h"
#include "lib/nodes/NodeTestSupport.h"
#include "scene/nodes/BitstripNodes.h"

namespace {

using nodes_test::FrameColor;
using nodes_test::SceneFixture;
using nodes_test::Texel;

// Frame texel of a bitstrip, through a texture reference of its own.
D3DCOLOR ShownColor(IBitstripTexture* bitstrip)
{
    IDirect3DTexture9* texture = bitstrip->GetTexture();
    if (texture == nullptr) {
        ADD_FAILURE() << "no frame texture";
        return 0;
    }
    const D3DCOLOR texel = Texel(texture, 1, 1);
    texture->Release();
    return texel;
}

TEST(BitstripTexture, WithoutManagerLoadsDirectlyAndCopiesFrames)
{
    resources_test::TempFolder folder;
    vestra::test::HeadlessDevice device;
    const ULONG deviceCount = vestra::test::RefCount(device.get());
    nodes_test::WriteStrip(device.get(), folder / "strip.png", 256, 64);
    IBitstripTexture* bitstrip = CreateBitstripTexture(device.get(), (folder / "strip.png").c_str());
    EXPECT_EQ(bitstrip->GetFrameCount(), 4);
    EXPECT_EQ(bitstrip->GetFrame(), 0);
    IDirect3DTexture9* texture = bitstrip->GetTexture();
    ASSERT_NE(texture, nullptr);
    D3DSURFACE_DESC desc;
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 64u);
    EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(resources_test::ReferenceCount(texture), 2u);
    texture->Release();
    EXPECT_EQ(ShownColor(bitstrip), FrameColor(0));

    EXPECT_EQ(bitstrip->SetFrame(2), S_OK);
    EXPECT_EQ(ShownColor(bitstrip), FrameColor(2)) << "frame 2 is x 128 to 191";
    EXPECT_EQ(bitstrip->SetFrame(4), E_INVALIDARG);
    EXPECT_EQ(bitstrip->SetFrame(-1), E_INVALIDARG);
    EXPECT_EQ(bitstrip->GetFrame(), 2);

    EXPECT_EQ(bitstrip->InvalidateDeviceObjects(), S_OK);
    EXPECT_EQ(bitstrip->GetTexture(), nullptr);
    EXPECT_EQ(vestra::test::RefCount(device.get()), deviceCount);
    EXPECT_EQ(bitstrip->SetFrame(3), S_OK) << "without device objects the index is only recorded";
    EXPECT_EQ(bitstrip->RestoreDeviceObjects(device.get()), S_OK);
    EXPECT_EQ(bitstrip->GetFrame(), 0);
    EXPECT_EQ(ShownColor(bitstrip), FrameColor(0));
    delete bitstrip;
    EXPECT_EQ(vestra::test::RefCount(device.get()), deviceCount);
}

TEST(BitstripTexture, LayoutAndUnreadableFiles)
{
    resources_test::TempFolder folder;
    vestra::test::HeadlessDevice device;
    nodes_test::WriteStrip(device.get(), folder / "odd.png", 100, 30);
    CBitstripTexture odd;
    EXPECT_EQ(odd.Load((folder / "odd.png").c_str()), S_OK);
    EXPECT_EQ(odd.GetFrameCount(), 3) << "the last 10 columns are never shown";
    EXPECT_EQ(odd.GetFrameSize(), 30);

    IBitstripTexture* missing = CreateBitstripTexture(device.get(), (folder / "none.png").c_str());
    EXPECT_EQ(missing->GetFrameCount(), 0);
    EXPECT_EQ(missing->GetTexture(), nullptr);
    EXPECT_EQ(missing->SetFrame(0), E_INVALIDARG);
    EXPECT_NE(missing->Load((folder / "none.png").c_str()), S_OK);
    EXPECT_EQ(static_cast<CBitstripTexture*>(missing)->CreateDeviceObjects(device.get()), E_FAIL);
    delete missing;
}

class BitstripNodeTest : public SceneFixture {
protected:
    BitstripNodeTest() { nodes_test::WriteStrip(device.get(), folder / "strip.png", 256, 64); }

    CBitstripQuadNode* MakeQuad(float rate, bool looping, const char* file = "strip.png")
    {
        return static_cast<CBitstripQuadNode*>(CreateBitstripQuad(scene, {-1, 0, -1}, {1, 0, 1}, D3DXCOLOR(1, 1, 1, 1),
                                                                  Reference().c_str(), file, rate, looping));
    }
};

TEST_F(BitstripNodeTest, PathTakesOnlyTheNameOfTheFile)
{
    CBitstripQuadNode* node = MakeQuad(1.0f, true, "elsewhere/strip.png");
    EXPECT_EQ(node->Bitstrip().GetFrameCount(), 4);
    EXPECT_EQ(ComposeBitstripPath("C:\\data\\scene.x", "a\\b.png"), "C:\\data\\b.png");
    node->Release();
}

TEST_F(BitstripNodeTest, MissingStripStillMakesADrawableNode)
{
    CBitstripQuadNode* node = MakeQuad(4.0f, true, "none.png");
    EXPECT_EQ(node->Update(1.0f), S_OK);
    EXPECT_EQ(node->Bitstrip().GetFrameCount(), 0);
    scene->AddNode(node);
    node->Release();
    EXPECT_EQ(RenderAndCountDraws(), 1u);
}

TEST_F(BitstripNodeTest, BillboardAnswersItsBaseInterfacesAndSkipsPulseWhilePaused)
{
    auto* node = static_cast<CBitstripBillboardNode*>(CreateBitstripBillboard(
        scene, {0, 0, 0}, D3DXCOLOR(1, 1, 1, 1), 2, 2, Reference().c_str(), "strip.png", 4.0f, true));
    IBillboardQuad* billboard = nullptr;
    ASSERT_TRUE(static_cast<ISceneNode*>(node)->QueryInterface(IID_IBillboardQuad, reinterpret_cast<void**>(&billboard)));
    billboard->Release();
    EXPECT_EQ(node->Bitstrip().GetFrameCount(), 4);
    node->Update(0.5f);
    EXPECT_EQ(node->Bitstrip().GetFrame(), 2);

    billboard->SetPulse(true, 0.0f, 1.0f, D3DX_PI);
    const D3DCOLOR pulsed = node->Vertices()[0].color;
    node->SetPaused(true);
    node->Update(0.25f);
    EXPECT_EQ(node->Vertices()[0].color, pulsed);
    node->SetPaused(false);
    node->Update(0.25f);
    EXPECT_NE(node->Vertices()[0].color, pulsed);
    scene->AddNode(node);
    node->Release();
    EXPECT_EQ(RenderAndCountDraws(), 1u);
}

} // namespace
