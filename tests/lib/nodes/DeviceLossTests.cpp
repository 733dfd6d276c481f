// Every node type through a device loss: nothing of the default pool survives the scene's
// invalidation, so Reset succeeds, and every node has its texture back after restoring.
#include "lib/nodes/NodeTestSupport.h"
#include "scene/nodes/BackgroundNode.h"
#include "scene/nodes/BitstripNodes.h"
#include "scene/nodes/Skybox.h"

namespace {

class DeviceLossTest : public nodes_test::SceneFixture {};

TEST_F(DeviceLossTest, ResetSucceedsAndTexturesReturn)
{
    nodes_test::WriteStrip(device.get(), folder / "strip.png", 256, 64);
    nodes_test::WriteStrip(device.get(), folder / "tile.png", 8, 8);
    const std::string reference = Reference();
    const char* ref = reference.c_str();
    const D3DXCOLOR white(1, 1, 1, 1);

    ISceneNode* quad = CreateQuad(scene, {-1, 0, -1}, {1, 0, 1}, white, ref, "tile.png");
    ISceneNode* billboard = CreateBillboardQuad(scene, {0, 0, 0}, white, 1, 1, ref, "tile.png", 0);
    auto* stripQuad =
        static_cast<CBitstripQuadNode*>(CreateBitstripQuad(scene, {-1, 0, -1}, {1, 0, 1}, white, ref, "strip.png", 4, true));
    auto* stripBillboard = static_cast<CBitstripBillboardNode*>(
        CreateBitstripBillboard(scene, {0, 0, 0}, white, 1, 1, ref, "strip.png", 4, true));
    auto* background = static_cast<CBackgroundNode*>(CreateBackground(scene, {0, 0, 8, 8}, ref, "tile.png"));
    auto* sky = static_cast<CSkybox*>(
        CreateSkybox(scene, 10, ref, "tile.png", "tile.png", "tile.png", "tile.png", "tile.png", "tile.png"));
    ISceneNode* nodes[] = {quad, billboard, stripQuad, stripBillboard, background, sky};
    for (ISceneNode* node : nodes) {
        scene->AddNode(node);
        node->Release();
    }
    IDirect3DTexture9* tile = scene->GetResourceManager()->GetTexture(device.get(), ref, "tile.png", ".dds", FALSE);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(resources_test::ReferenceCount(tile), 1u + 3u + 6u + 1u) << "manager, three nodes, six faces, test";
    stripQuad->Update(0.5f);
    EXPECT_EQ(stripQuad->Bitstrip().GetFrame(), 2);
    EXPECT_EQ(LiveDefaultPoolResources(), 2u) << "the two frame textures";

    EXPECT_EQ(scene->InvalidateDeviceObjects(), S_OK);
    EXPECT_EQ(LiveDefaultPoolResources(), 0u);
    EXPECT_EQ(resources_test::ReferenceCount(tile), 2u) << "nodes hold nothing while the device is lost";
    EXPECT_EQ(sky->FaceTexture(0), nullptr);
    D3DPRESENT_PARAMETERS pp = vestra::test::HeadlessParameters(64, 64);
    ASSERT_EQ(device->Reset(&pp), S_OK);

    EXPECT_EQ(scene->RestoreDeviceObjects(), S_OK);
    EXPECT_EQ(resources_test::ReferenceCount(tile), 11u);
    EXPECT_EQ(sky->FaceTexture(5), tile);
    EXPECT_EQ(stripQuad->Bitstrip().GetFrame(), 0) << "frame 0 until the next update";
    EXPECT_EQ(LiveDefaultPoolResources(), 2u);
    IDirect3DTexture9* frames = stripBillboard->Bitstrip().GetTexture();
    ASSERT_NE(frames, nullptr);
    EXPECT_EQ(resources_test::ReferenceCount(frames), 3u) << "the bitstrip, its node and this test";
    frames->Release();
    tile->Release();

    EXPECT_EQ(RenderAndCountDraws(), 5u + 6u);
}

} // namespace
