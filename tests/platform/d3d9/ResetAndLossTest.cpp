#include <gtest/gtest.h>

#include "VestraDeviceControl.h"
#include "support/HeadlessDevice.h"

using vestra::test::HeadlessDevice;
using vestra::test::HeadlessParameters;

namespace {

class ResetAndLoss : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(device_.CreationResult(), D3D_OK);
        ASSERT_EQ(device_->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control_)), S_OK);
    }
    void TearDown() override { control_->Release(); }

    HRESULT Reset(UINT width = 40, UINT height = 30) {
        D3DPRESENT_PARAMETERS pp = HeadlessParameters(width, height);
        return device_->Reset(&pp);
    }

    HeadlessDevice device_{32, 24};
    IVestraDeviceControl* control_ = nullptr;
};

TEST_F(ResetAndLoss, ResetIsRefusedWhileADefaultPoolResourceLives) {
    IDirect3DVertexBuffer9* vb = nullptr;
    IDirect3DTexture9* managed = nullptr;
    device_->CreateVertexBuffer(64, D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT, &vb, nullptr);
    device_->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &managed, nullptr);

    EXPECT_EQ(Reset(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);

    vb->Release();
    ASSERT_EQ(Reset(), D3D_OK);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);

    // The managed texture survived and the new back buffer has the new size.
    D3DSURFACE_DESC desc;
    EXPECT_EQ(managed->GetLevelDesc(0, &desc), D3D_OK);
    IDirect3DSurface9* back = nullptr;
    device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    back->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 40u);
    back->Release();
    D3DVIEWPORT9 vp;
    device_->GetViewport(&vp);
    EXPECT_EQ(vp.Height, 30u);
    managed->Release();
}

TEST_F(ResetAndLoss, HeldBackBufferAndExplicitTargetsBlockReset) {
    IDirect3DSurface9* back = nullptr;
    device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    EXPECT_EQ(Reset(), D3DERR_INVALIDCALL);
    back->Release();
    EXPECT_EQ(Reset(), D3D_OK);

    IDirect3DSurface9* depth = nullptr;
    device_->CreateDepthStencilSurface(8, 8, D3DFMT_D16, D3DMULTISAMPLE_NONE, 0, TRUE, &depth, nullptr);
    EXPECT_EQ(Reset(), D3DERR_INVALIDCALL);
    depth->Release();
    EXPECT_EQ(Reset(), D3D_OK);

    // A resource released by the application but still bound does not block Reset; the
    // Reset unbinds and destroys it.
    IDirect3DTexture9* target = nullptr;
    device_->CreateTexture(8, 8, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target, nullptr);
    device_->SetTexture(0, target);
    target->Release();
    UINT live = 0;
    control_->GetLiveResourceCount(D3DPOOL_DEFAULT, &live);
    EXPECT_EQ(live, 1u);
    EXPECT_EQ(Reset(), D3D_OK);
    control_->GetLiveResourceCount(D3DPOOL_DEFAULT, &live);
    EXPECT_EQ(live, 0u);
}

TEST_F(ResetAndLoss, ForcedLossReportsLostThenNotResetUntilReset) {
    ASSERT_EQ(control_->LoseDevice(2), S_OK);
    EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
    EXPECT_EQ(Reset(), D3DERR_DEVICELOST);  // too early: the device cannot be reset yet
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);

    // Calls still succeed while lost, doing nothing.
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0), D3D_OK);
    EXPECT_EQ(device_->BeginScene(), D3D_OK);
    EXPECT_EQ(device_->EndScene(), D3D_OK);

    // A failed Reset keeps the device waiting for one.
    IDirect3DIndexBuffer9* ib = nullptr;
    device_->CreateIndexBuffer(6, 0, D3DFMT_INDEX16, D3DPOOL_DEFAULT, &ib, nullptr);
    EXPECT_EQ(Reset(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    ib->Release();
    EXPECT_EQ(Reset(), D3D_OK);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3D_OK);

    VESTRA_FRAME_STATISTICS stats;
    control_->GetFrameStatistics(&stats);
    EXPECT_EQ(stats.Presents, 1u);
    EXPECT_EQ(stats.Frames, 0u);
    EXPECT_EQ(stats.Clears, 0u);  // the clear while lost did nothing
}

TEST_F(ResetAndLoss, ResetWithBadParametersLosesTheDevice) {
    D3DPRESENT_PARAMETERS pp = HeadlessParameters(16, 16);
    pp.SwapEffect = static_cast<D3DSWAPEFFECT>(9);
    EXPECT_EQ(device_->Reset(&pp), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(Reset(16, 16), D3D_OK);
    EXPECT_EQ(device_->Reset(nullptr), D3DERR_INVALIDCALL);
}

}  // namespace
