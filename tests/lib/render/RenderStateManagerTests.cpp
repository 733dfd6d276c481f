// The render state manager against a real headless device.
#include <gtest/gtest.h>

#include <cmath>

#include "lib/DeviceQueries.h"
#include "render/RenderStateManager.h"

namespace {

bool SameMatrix(const D3DMATRIX& a, const D3DMATRIX& b)
{
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (std::fabs(a.m[r][c] - b.m[r][c]) > 1e-5f) {
                return false;
            }
        }
    }
    return true;
}

class RenderStateManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(device.get(), nullptr);
        manager.SetDevice(device.get());
    }

    vestra::test::HeadlessDevice device;
    CRenderStateManager manager;
};

TEST_F(RenderStateManagerTest, NestedRenderStatePushesRestoreInReverse)
{
    const DWORD original = RenderStateOf(device.get(), D3DRS_ZWRITEENABLE);
    const DWORD blend = RenderStateOf(device.get(), D3DRS_ALPHABLENDENABLE);
    EXPECT_EQ(manager.PushRenderState(D3DRS_ZWRITEENABLE, FALSE), D3D_OK);
    EXPECT_EQ(manager.PushRenderState(D3DRS_ALPHABLENDENABLE, !blend), D3D_OK);
    EXPECT_EQ(manager.PushRenderState(D3DRS_ZWRITEENABLE, 7), D3D_OK);
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_ZWRITEENABLE), 7u);

    EXPECT_EQ(manager.PopRenderState(D3DRS_ZWRITEENABLE), D3D_OK);
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_ZWRITEENABLE), DWORD(FALSE));
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_ALPHABLENDENABLE), DWORD(!blend));
    EXPECT_EQ(manager.PopRenderState(D3DRS_ZWRITEENABLE), D3D_OK);
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_ZWRITEENABLE), original);
    EXPECT_EQ(manager.PopRenderState(D3DRS_ZWRITEENABLE), E_INVALIDARG);
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_ZWRITEENABLE), original);

    EXPECT_EQ(manager.PopRenderState(D3DRS_ALPHABLENDENABLE), D3D_OK);
    EXPECT_EQ(RenderStateOf(device.get(), D3DRS_ALPHABLENDENABLE), blend);
    EXPECT_EQ(manager.PopRenderState(D3DRS_FOGENABLE), E_INVALIDARG);
}

TEST_F(RenderStateManagerTest, MatrixStackDrivesTheWorldTransform)
{
    D3DXMATRIX view, projection, a, b;
    D3DXMatrixTranslation(&view, 0, 0, 5);
    D3DXMatrixPerspectiveFovLH(&projection, 1.0f, 1.0f, 1.0f, 100.0f);
    manager.SetViewProjection(&view, &projection);
    D3DXMatrixTranslation(&a, 1, 2, 3);
    D3DXMatrixScaling(&b, 2, 2, 2);

    EXPECT_EQ(manager.PushMatrix(&a), D3D_OK);
    EXPECT_TRUE(SameMatrix(TransformOf(device.get(), D3DTS_WORLD), a));
    EXPECT_EQ(manager.PushMatrix(&b), D3D_OK);
    const D3DXMATRIX ba = b * a;
    EXPECT_TRUE(SameMatrix(TransformOf(device.get(), D3DTS_WORLD), ba));
    EXPECT_TRUE(SameMatrix(*manager.GetWorldViewProjectionMatrix(), ba * view * projection));

    EXPECT_EQ(manager.PopMatrix(), D3D_OK);
    EXPECT_TRUE(SameMatrix(TransformOf(device.get(), D3DTS_WORLD), a));
    EXPECT_TRUE(SameMatrix(*manager.GetWorldMatrix(), a));
    // Derived matrices still describe the most recent push.
    EXPECT_TRUE(SameMatrix(*manager.GetWorldViewProjectionMatrix(), ba * view * projection));
    D3DXMATRIX inverse;
    D3DXMatrixInverse(&inverse, nullptr, &ba);
    EXPECT_TRUE(SameMatrix(*manager.GetInverseWorldMatrix(), inverse));

    // A null push starts from the identity, not from the former top.
    EXPECT_EQ(manager.PushMatrix(nullptr), D3D_OK);
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    EXPECT_TRUE(SameMatrix(TransformOf(device.get(), D3DTS_WORLD), identity));
    EXPECT_EQ(manager.PopMatrix(), D3D_OK);
    EXPECT_EQ(manager.PopMatrix(), D3D_OK);
    EXPECT_TRUE(SameMatrix(TransformOf(device.get(), D3DTS_WORLD), identity));
}

TEST_F(RenderStateManagerTest, WithoutADeviceNothingMoves)
{
    D3DXMATRIX a;
    D3DXMatrixTranslation(&a, 1, 0, 0);
    manager.PushMatrix(&a);
    manager.PushRenderState(D3DRS_ZWRITEENABLE, FALSE);

    manager.SetDevice(nullptr);
    EXPECT_EQ(manager.PushMatrix(&a), E_FAIL);
    EXPECT_EQ(manager.PushRenderState(D3DRS_ZWRITEENABLE, TRUE), E_FAIL);
    EXPECT_EQ(manager.PopRenderState(D3DRS_ZWRITEENABLE), E_FAIL);
    EXPECT_EQ(manager.SetColorStage(0, D3DTOP_ADD, D3DTA_TEXTURE, D3DTA_DIFFUSE), E_FAIL);

    // The saved state and the stack depth survived: one push is left of each.
    manager.SetDevice(device.get());
    EXPECT_EQ(manager.PopMatrix(), D3D_OK);
    EXPECT_EQ(manager.PopRenderState(D3DRS_ZWRITEENABLE), D3D_OK);
    EXPECT_EQ(manager.PopRenderState(D3DRS_ZWRITEENABLE), E_INVALIDARG);
}

TEST_F(RenderStateManagerTest, HoldsOneDeviceReference)
{
    const ULONG before = vestra::test::RefCount(device.get());
    manager.SetDevice(device.get());
    EXPECT_EQ(vestra::test::RefCount(device.get()), before);
    manager.SetDevice(nullptr);
    EXPECT_EQ(vestra::test::RefCount(device.get()), before - 1);
}

TEST_F(RenderStateManagerTest, StageShortcutsSetOperationAndArguments)
{
    EXPECT_EQ(manager.SetAlphaStage(1, D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_CURRENT), S_OK);
    EXPECT_EQ(manager.SetColorStage(0, D3DTOP_ADD, D3DTA_DIFFUSE, D3DTA_TFACTOR), S_OK);
    DWORD value = 0;
    device.get()->GetTextureStageState(1, D3DTSS_ALPHAOP, &value);
    EXPECT_EQ(value, DWORD(D3DTOP_MODULATE));
    device.get()->GetTextureStageState(1, D3DTSS_ALPHAARG2, &value);
    EXPECT_EQ(value, DWORD(D3DTA_CURRENT));
    device.get()->GetTextureStageState(0, D3DTSS_COLORARG2, &value);
    EXPECT_EQ(value, DWORD(D3DTA_TFACTOR));
}

} // namespace

namespace {

TEST_F(RenderStateManagerTest, CountsWhatIsPushedAndNotYetPopped)
{
    EXPECT_EQ(manager.SavedStateCount(), 0u);
    EXPECT_EQ(manager.MatrixDepth(), 0);
    manager.PushRenderState(D3DRS_ZWRITEENABLE, FALSE);
    manager.PushRenderState(D3DRS_ZWRITEENABLE, TRUE);
    manager.PushRenderState(D3DRS_LIGHTING, FALSE);
    manager.PushMatrix(nullptr);
    manager.PushMatrix(nullptr);
    EXPECT_EQ(manager.SavedStateCount(), 3u) << "counted over all states";
    EXPECT_EQ(manager.MatrixDepth(), 2);
    manager.PopRenderState(D3DRS_LIGHTING);
    manager.PopRenderState(D3DRS_LIGHTING); // nothing saved: refused, not counted
    manager.PopMatrix();
    EXPECT_EQ(manager.SavedStateCount(), 2u);
    EXPECT_EQ(manager.MatrixDepth(), 1);
    manager.PopMatrix();
    manager.PopMatrix();
    EXPECT_EQ(manager.MatrixDepth(), -1) << "an extra pop shows although the stack stays at its base";

    manager.SetDevice(nullptr);
    EXPECT_EQ(manager.PushMatrix(nullptr), E_FAIL);
    EXPECT_EQ(manager.MatrixDepth(), -1) << "a refused push counts nothing";
}

} // namespace
