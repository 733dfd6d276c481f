// The scene over a headless device: construction, ownership, the render pass.
#include <gtest/gtest.h>

#include "lib/DeviceQueries.h"
#include "ResManager.h"
#include "scene/Camera.h"
#include "scene/Scene.h"
#include "lib/scene/TestNodes.h"

namespace {

using Log = std::vector<std::string>;

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(device.get(), nullptr);
        before = vestra::test::RefCount(device.get());
        scene = CreateScene(device.get());
        D3DVIEWPORT9 vp = {0, 0, 64, 64, 1.0f, 1000.0f};
        scene->GetCamera()->SetViewport(&vp);
    }
    void TearDown() override
    {
        if (scene != nullptr) {
            scene->Cleanup();
            scene->Destroy();
        }
        EXPECT_EQ(vestra::test::RefCount(device.get()), before);
    }

    // A recording node under `parent` whose own box is the unit cube moved to (x, 0, 0).
    CRecordingNode* Add(ISceneNode* parent, const char* name, float x)
    {
        auto* node = new CRecordingNode(name, &log);
        CBoundBox box;
        box.Set(D3DXVECTOR3(-1, -1, -1), D3DXVECTOR3(1, 1, 1));
        node->SetBoundingBox(&box);
        D3DXMATRIX m;
        D3DXMatrixTranslation(&m, x, 0, 0);
        node->SetMatrix(&m);
        parent->AddChild(node);
        node->Release();
        return node;
    }

    vestra::test::HeadlessDevice device;
    ULONG before = 0;
    IScene* scene = nullptr;
    Log log;
};

TEST_F(SceneTest, StartsWithRootCameraAndReferences)
{
    EXPECT_EQ(vestra::test::RefCount(device.get()), before + 2); // the scene's and its render state manager's
    EXPECT_EQ(CreateScene(nullptr), nullptr);

    ICamera* first = scene->GetCamera();
    EXPECT_EQ(scene->AddCamera(new CCamera()), 1);
    CCamera* third = new CCamera();
    EXPECT_EQ(scene->AddCamera(third), 2);
    EXPECT_EQ(scene->AddCamera(third), 2);
    scene->SelectCamera(5);
    scene->SelectCamera(-1);
    EXPECT_EQ(scene->GetCamera(), first);
    scene->SelectCamera(2);
    EXPECT_EQ(scene->GetCamera(), third);
}

TEST_F(SceneTest, CleanupReleasesNodesOnlyTheTreeHolds)
{
    ISceneNode* kept = NewNode("kept");
    scene->AddNode(kept);
    Add(kept, "dropped", 0);
    scene->Cleanup();
    EXPECT_EQ(scene->GetRoot(), nullptr);
    EXPECT_EQ(vestra::test::RefCount(device.get()), before);
    EXPECT_EQ(kept->GetParent(), nullptr);
    EXPECT_EQ(kept->GetChildCount(), 0);
    EXPECT_EQ(kept->Release(), 0u);
    EXPECT_EQ(scene->Render(), E_FAIL);
    EXPECT_EQ(scene->AddNode(kept), E_FAIL);
}

TEST_F(SceneTest, RenderSkipsHiddenAndCulledSubtreesAndDrawsDeferredLast)
{
    // The default camera sits at (100, 0, 0) looking at the origin.
    ISceneNode* root = scene->GetRoot();
    CRecordingNode* hidden = Add(root, "hidden", 0);
    Add(hidden, "underHidden", 0);
    CRecordingNode* behind = Add(root, "behind", 150);
    // A node with an empty box is never culled by itself: only its parent's cull hides it.
    auto* underBehind = new CRecordingNode("underBehind", &log);
    behind->AddChild(underBehind);
    underBehind->Release();
    CRecordingNode* a = Add(root, "A", 3);
    CRecordingNode* b = Add(root, "B", 5);
    Add(b, "underB", 2);
    auto* unbounded = new CRecordingNode("unbounded", &log);
    D3DXMATRIX far;
    D3DXMatrixTranslation(&far, 500, 0, 0);
    unbounded->SetMatrix(&far);
    root->AddChild(unbounded);
    unbounded->Release();
    hidden->SetHidden(true);
    a->SetDeferred(true);
    b->SetDeferred(true);

    const DWORD zWrite = RenderStateOf(device.get(), D3DRS_ZWRITEENABLE);
    const DWORD blend = RenderStateOf(device.get(), D3DRS_ALPHABLENDENABLE);
    EXPECT_EQ(scene->Update(0.0f), S_OK);
    EXPECT_EQ(scene->Render(), S_OK);
    EXPECT_EQ(log, (Log{"update:hidden", "update:underHidden", "update:behind", "update:underBehind", "update:A",
                        "update:B", "update:underB", "update:unbounded", "render:underB", "render:unbounded",
                        "render:B", "render:A"}));
    // Deferred nodes draw with their full world matrix, depth writes off; states come back.
    EXPECT_FLOAT_EQ(b->worldX, 5.0f);
    EXPECT_EQ(a->zWrite, DWORD(FALSE));
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_ZWRITEENABLE), zWrite);
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_ALPHABLENDENABLE), blend);
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    EXPECT_EQ(*scene->GetRenderStateManager()->GetWorldMatrix(), identity);
}

TEST_F(SceneTest, DevicePassesReachHiddenNodesAndDetachTheManager)
{
    CRecordingNode* hidden = Add(scene->GetRoot(), "hidden", 0);
    hidden->SetHidden(true);
    EXPECT_EQ(scene->InvalidateDeviceObjects(), S_OK);
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    EXPECT_EQ(scene->GetRenderStateManager()->PushMatrix(&m), E_FAIL);
    EXPECT_EQ(vestra::test::RefCount(device.get()), before + 1);
    EXPECT_EQ(scene->RestoreDeviceObjects(), S_OK);
    EXPECT_EQ(vestra::test::RefCount(device.get()), before + 2);
    EXPECT_EQ(log, (Log{"invalidate:hidden", "restore:hidden"}));
}

TEST_F(SceneTest, FlagsClearAndBracketTheFrame)
{
    scene->SetClearColor(0xFF204060);
    scene->SetRenderFlags(3);
    EXPECT_EQ(scene->Render(), D3D_OK);

    const std::vector<DWORD> pixels = vestra::test::ReadBackBuffer(device.get());
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(pixels[0] & 0xFFFFFF, 0x204060u);

    // Without the bracket flag the scene leaves BeginScene to its owner.
    scene->SetRenderFlags(0);
    EXPECT_EQ(scene->Render(), S_OK);
    EXPECT_EQ(device.get()->BeginScene(), D3D_OK);
    EXPECT_EQ(device.get()->EndScene(), D3D_OK);
}

} // namespace
