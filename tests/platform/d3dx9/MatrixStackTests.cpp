#include "MathExpect.h"

using vestra::test::MatricesNear;

namespace {

D3DXMATRIX Translation(float x, float y, float z) {
    D3DXMATRIX m;
    return *D3DXMatrixTranslation(&m, x, y, z);
}

D3DXMATRIX Scaling(float s) {
    D3DXMATRIX m;
    return *D3DXMatrixScaling(&m, s, s, s);
}

class MatrixStack : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(D3DXCreateMatrixStack(0, &stack), S_OK); }
    void TearDown() override { EXPECT_EQ(stack->Release(), 0u); }
    ID3DXMatrixStack* stack = nullptr;
};

}  // namespace

TEST_F(MatrixStack, StartsWithOneIdentityThatPopNeverRemoves) {
    EXPECT_TRUE(D3DXMatrixIsIdentity(stack->GetTop()));
    stack->Translate(1, 2, 3);
    EXPECT_EQ(stack->Pop(), S_OK);
    EXPECT_EQ(stack->Pop(), S_OK);
    EXPECT_TRUE(MatricesNear(*stack->GetTop(), Translation(1, 2, 3)));
    EXPECT_EQ(stack->LoadIdentity(), S_OK);
    EXPECT_TRUE(D3DXMatrixIsIdentity(stack->GetTop()));
}

TEST_F(MatrixStack, PushCopiesTheTopAndPopRestoresIt) {
    stack->Scale(2, 2, 2);
    ASSERT_EQ(stack->Push(), S_OK);
    EXPECT_TRUE(MatricesNear(*stack->GetTop(), Scaling(2)));
    stack->Translate(5, 0, 0);
    ASSERT_EQ(stack->Push(), S_OK);
    const D3DXMATRIX replaced = Translation(0, 0, 9);
    stack->LoadMatrix(&replaced);
    stack->Pop();
    EXPECT_TRUE(MatricesNear(*stack->GetTop(), Scaling(2) * Translation(5, 0, 0)));
    stack->Pop();
    EXPECT_TRUE(MatricesNear(*stack->GetTop(), Scaling(2)));
}

TEST_F(MatrixStack, LocalOperationsApplyBeforeTheTopOthersAfter) {
    const D3DXMATRIX parent = Translation(10, 0, 0);
    stack->LoadMatrix(&parent);
    stack->ScaleLocal(2, 2, 2);
    EXPECT_TRUE(MatricesNear(*stack->GetTop(), Scaling(2) * parent));
    stack->LoadMatrix(&parent);
    stack->Scale(2, 2, 2);
    EXPECT_TRUE(MatricesNear(*stack->GetTop(), parent * Scaling(2)));  // translation doubled

    // The hierarchy idiom: Push, MultMatrixLocal(child) gives child * parent.
    const D3DXMATRIX child = Translation(0, 1, 0);
    stack->LoadMatrix(&parent);
    stack->Push();
    stack->MultMatrixLocal(&child);
    EXPECT_TRUE(MatricesNear(*stack->GetTop(), child * parent));

    D3DXMATRIX ypr, turn;
    const D3DXVECTOR3 axis(0, 1, 0);
    stack->LoadIdentity();
    stack->TranslateLocal(1, 0, 0);
    stack->RotateAxis(&axis, 0.5f);
    stack->RotateYawPitchRollLocal(0.1f, 0.2f, 0.3f);
    D3DXMatrixRotationYawPitchRoll(&ypr, 0.1f, 0.2f, 0.3f);
    D3DXMatrixRotationAxis(&turn, &axis, 0.5f);
    EXPECT_TRUE(MatricesNear(*stack->GetTop(), ypr * Translation(1, 0, 0) * turn));
    EXPECT_EQ(stack->MultMatrix(nullptr), D3DERR_INVALIDCALL);
}

TEST_F(MatrixStack, InterfacesAndReferenceCounts) {
    IUnknown* unknown = nullptr;
    ASSERT_EQ(stack->QueryInterface(IID_IUnknown, (void**)&unknown), S_OK);
    EXPECT_EQ(unknown->Release(), 1u);
    ID3DXMatrixStack* again = nullptr;
    ASSERT_EQ(stack->QueryInterface(IID_ID3DXMatrixStack, (void**)&again), S_OK);
    EXPECT_EQ(again, stack);
    EXPECT_EQ(stack->AddRef(), 3u);
    EXPECT_EQ(stack->Release(), 2u);
    EXPECT_EQ(again->Release(), 1u);
    void* none = &none;
    EXPECT_EQ(stack->QueryInterface(IID_IDirect3DDevice9, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(D3DXCreateMatrixStack(0, nullptr), D3DERR_INVALIDCALL);
}
