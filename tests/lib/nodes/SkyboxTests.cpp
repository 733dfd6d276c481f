// CreateSkybox: face placement, textures per face, projection, states around the subtree.
#include "lib/nodes/NodeTestSupport.h"
#include "scene/nodes/Skybox.h"

namespace {

using nodes_test::SceneFixture;

class SkyboxTest : public SceneFixture {
protected:
    CSkybox* Make(float size, const char* missingFace = nullptr)
    {
        const char* names[6] = {"pz.png", "nz.png", "px.png", "nx.png", "py.png", "ny.png"};
        for (const char*& name : names) {
            if (missingFace == nullptr || std::string(name) != missingFace) {
                nodes_test::WriteStrip(device.get(), folder / name, 4, 4);
            }
        }
        return static_cast<CSkybox*>(CreateSkybox(scene, size, Reference().c_str(), names[0], names[1], names[2],
                                                  names[3], names[4], names[5]));
    }
};

TEST_F(SkyboxTest, TexturesPerFaceAndTheMissingOneStaysEmpty)
{
    CSkybox* sky = Make(10.0f, "nx.png");
    for (int face = 0; face < 6; ++face) {
        EXPECT_EQ(sky->FaceTexture(face) == nullptr, face == 3) << face;
    }
    void* out = nullptr;
    EXPECT_FALSE(static_cast<ISceneNode*>(sky)->QueryInterface(IID_IColoredNode, &out));
    ISkybox* skybox = nullptr;
    ASSERT_TRUE(static_cast<ISceneNode*>(sky)->QueryInterface(IID_ISkybox, reinterpret_cast<void**>(&skybox)));
    EXPECT_EQ(skybox->Release(), 1u);
    sky->Release();
}

TEST_F(SkyboxTest, ProjectionIsTheDevicesAgainAfterRestore)
{
    D3DXMATRIX deviceProjection;
    D3DXMatrixPerspectiveFovLH(&deviceProjection, 1.0f, 1.0f, 1.0f, 100.0f);
    device->SetTransform(D3DTS_PROJECTION, &deviceProjection);
    CSkybox* sky = Make(10.0f);
    EXPECT_EQ(sky->Projection(), deviceProjection);
    D3DXMATRIX own;
    D3DXMatrixPerspectiveFovLH(&own, 2.0f, 1.0f, 0.1f, 10.0f);
    ISkybox* skybox = sky;
    EXPECT_EQ(skybox->SetProjection(nullptr), E_POINTER);
    EXPECT_EQ(skybox->SetProjection(&own), S_OK);
    EXPECT_EQ(sky->Projection(), own);
    EXPECT_EQ(sky->RestoreDeviceObjects(scene), S_OK);
    EXPECT_EQ(sky->Projection(), deviceProjection);
    sky->Release();
}

TEST_F(SkyboxTest, DrawsSixFacesAndChildrenUnderItsStatesThenRestores)
{
    CSkybox* sky = Make(10.0f);
    ISceneNode* child = CreateQuad(scene, {-1, 0, -1}, {1, 0, 1}, D3DXCOLOR(1, 1, 1, 1), nullptr, nullptr);
    sky->AddChild(child);
    child->Release();
    scene->AddNode(sky);
    sky->Release();
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    const std::vector<DWORD> before = nodes_test::StateSnapshot(device.get());
    // The render pass sets the camera's projection; the skybox must leave that in place.
    EXPECT_EQ(RenderAndCountDraws(), 7u);
    EXPECT_EQ(nodes_test::StateSnapshot(device.get()), before);
    EXPECT_EQ(D3DXMATRIX(TransformOf(device.get(), D3DTS_PROJECTION)),
              *scene->GetRenderStateManager()->GetProjectionMatrix());

    // Children are drawn between PreRender and PostRender, so under these states.
    ASSERT_EQ(sky->PreRender(scene), S_OK);
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_ZENABLE), DWORD(FALSE));
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_ZWRITEENABLE), DWORD(FALSE));
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_LIGHTING), DWORD(FALSE));
    ASSERT_EQ(sky->PostRender(scene), S_OK);
    EXPECT_EQ(nodes_test::StateSnapshot(device.get()), before);
}

} // namespace
