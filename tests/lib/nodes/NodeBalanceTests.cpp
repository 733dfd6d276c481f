// A frame of every node type leaves the device exactly as it found it and the render state
// manager's stacks empty; reference counts of nodes, textures and the resource manager follow
// the nodes through the tree's operations and the scene's end.
#include "lib/nodes/PixelScene.h"
#include "lib/scene/TestNodes.h"
#include "render/RenderStateManager.h"

namespace {

const D3DXCOLOR white(1, 1, 1, 1);

class NodeBalanceTest : public nodes_test::PixelSceneTest {
protected:
    void Attach(ISceneNode* parent, ISceneNode* node)
    {
        parent->AddChild(node);
        node->Release();
    }
    ULONG Count(ICoreUnknown* object)
    {
        object->AddRef();
        return object->Release();
    }
};

TEST_F(NodeBalanceTest, FrameOfEveryNodeTypeRestoresEveryDeviceState)
{
    nodes_test::WriteStrip(device.get(), folder / "strip.png", 16, 4);
    const std::string tile = Solid("tile.png", 0xFF8040C0);
    const std::string reference = Reference();
    const char* ref = reference.c_str();
    scene->GetCamera()->Apply(device.get());

    ISceneNode* root = scene->GetRoot();
    Attach(root, CreateQuad(scene, {-5, 0, -5}, {5, 0, 5}, white, ref, tile.c_str()));
    ISceneNode* pulsing = CreateBillboardQuad(scene, {0, 0, 0}, white, 4, 4, ref, tile.c_str(), 0);
    IBillboardQuad* billboard = nullptr;
    ASSERT_TRUE(pulsing->QueryInterface(IID_IBillboardQuad, reinterpret_cast<void**>(&billboard)));
    billboard->SetPulse(true, 0.2f, 0.8f, 1.0f);
    billboard->Release();
    Attach(root, pulsing);
    ISceneNode* deferred = CreateBillboardQuad(scene, {1, 1, 0}, white, 2, 2, ref, tile.c_str(), 0);
    deferred->SetDeferred(true);
    Attach(root, deferred);
    Attach(root, CreateBitstripBillboard(scene, {-2, 0, 0}, white, 3, 3, ref, "strip.png", 4, true));
    Attach(root, CreateBitstripQuad(scene, {-1, 0, -1}, {1, 0, 1}, white, ref, "strip.png", 4, false));
    Attach(root, CreateBackground(scene, {0, 0, 16, 16}, ref, tile.c_str()));
    ISceneNode* sky = CreateSkybox(scene, 50, ref, tile.c_str(), tile.c_str(), tile.c_str(), tile.c_str(),
                                   tile.c_str(), tile.c_str());
    Attach(root, sky);
    Attach(sky, CreateQuad(scene, {-1, 0, -1}, {1, 0, 1}, white, ref, tile.c_str()));
    ISceneNode* hidden = CreateQuad(scene, {-1, 0, -1}, {1, 0, 1}, white, ref, tile.c_str());
    hidden->SetHidden(true);
    Attach(root, hidden);
    scene->Update(0.3f);

    // Values away from the defaults where the nodes push their own.
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    D3DXMATRIX world;
    device->SetTransform(D3DTS_WORLD, D3DXMatrixIdentity(&world));
    const auto before = nodes_test::FullStateSnapshot(device.get());
    ASSERT_GT(before.size(), 200u);
    for (int frame = 0; frame < 2; ++frame) {
        Draw();
        const auto after = nodes_test::FullStateSnapshot(device.get());
        ASSERT_EQ(after.size(), before.size());
        for (size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(after[i].second, before[i].second) << before[i].first << " after frame " << frame;
        }
        auto* manager = static_cast<CRenderStateManager*>(scene->GetRenderStateManager());
        EXPECT_EQ(manager->SavedStateCount(), 0u) << "frame " << frame;
        EXPECT_EQ(manager->MatrixDepth(), 0) << "frame " << frame;
    }
}

TEST_F(NodeBalanceTest, CountsFollowTheTreeDeviceLossAndTheSceneEnd)
{
    const std::string tile = Solid("tile.png", 0xFF8040C0);
    const std::string reference = Reference();
    IResManager* manager = scene->GetResourceManager();
    const ULONG managerCount = Count(manager);

    ISceneNode* quad = CreateQuad(scene, {-1, 0, -1}, {1, 0, 1}, white, reference.c_str(), tile.c_str());
    IDirect3DTexture9* texture = manager->GetTexture(device.get(), reference.c_str(), tile.c_str(), ".dds", FALSE);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(vestra::test::RefCount(texture), 3u) << "manager, node, test";
    EXPECT_EQ(Count(quad), 1u);

    ISceneNode* holder = NewNode("holder");
    scene->AddNode(holder);
    holder->AddChild(quad);
    EXPECT_EQ(Count(quad), 2u);
    scene->InvalidateDeviceObjects();
    EXPECT_EQ(vestra::test::RefCount(texture), 2u) << "manager, test";
    scene->RestoreDeviceObjects();
    EXPECT_EQ(vestra::test::RefCount(texture), 3u);

    quad->Release(); // the tree holds the last reference now
    holder->Release();
    EXPECT_EQ(scene->Cleanup(), S_OK);
    EXPECT_EQ(vestra::test::RefCount(texture), 2u) << "the cleanup freed the quad and its reference";
    EXPECT_EQ(Count(manager), managerCount) << "the scene keeps its manager until Destroy";
    texture->Release();
    manager->AddRef();
    scene->Destroy();
    EXPECT_EQ(manager->Release(), managerCount - 1) << "Destroy let go of the scene's reference";
    scene = CreateScene(device.get()); // for the fixture's own end
}

} // namespace
