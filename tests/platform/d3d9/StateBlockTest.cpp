#include <gtest/gtest.h>

#include "support/HeadlessDevice.h"

using vestra::test::HeadlessDevice;
using vestra::test::RefCount;

namespace {

DWORD RenderState(IDirect3DDevice9* device, D3DRENDERSTATETYPE state) {
    DWORD value = 0;
    device->GetRenderState(state, &value);
    return value;
}

TEST(StateBlocks, RecordingLeavesTheDeviceAloneAndApplyReplaysOnlyWhatWasRecorded) {
    HeadlessDevice device;
    ASSERT_EQ(device->BeginStateBlock(), D3D_OK);
    EXPECT_EQ(device->BeginStateBlock(), D3DERR_INVALIDCALL);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADD);
    EXPECT_EQ(RenderState(device.get(), D3DRS_LIGHTING), 1u);  // not applied while recording
    IDirect3DStateBlock9* block = nullptr;
    ASSERT_EQ(device->EndStateBlock(&block), D3D_OK);
    EXPECT_EQ(device->EndStateBlock(&block), D3DERR_INVALIDCALL);

    device->SetRenderState(D3DRS_ZFUNC, D3DCMP_ALWAYS);
    ASSERT_EQ(block->Apply(), D3D_OK);
    EXPECT_EQ(RenderState(device.get(), D3DRS_LIGHTING), 0u);
    EXPECT_EQ(RenderState(device.get(), D3DRS_ZFUNC), static_cast<DWORD>(D3DCMP_ALWAYS));  // not recorded
    DWORD op = 0;
    device->GetTextureStageState(1, D3DTSS_COLOROP, &op);
    EXPECT_EQ(op, static_cast<DWORD>(D3DTOP_ADD));

    // Capture refreshes the recorded states only.
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    block->Capture();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    block->Apply();
    EXPECT_EQ(RenderState(device.get(), D3DRS_LIGHTING), 1u);
    block->Release();
}

TEST(StateBlocks, CapturedBindingsKeepTheirObjectsAlive) {
    HeadlessDevice device;
    IDirect3DTexture9* texture = nullptr;
    device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
    device->SetTexture(0, texture);
    IDirect3DStateBlock9* block = nullptr;
    ASSERT_EQ(device->CreateStateBlock(D3DSBT_ALL, &block), D3D_OK);
    device->SetTexture(0, nullptr);
    EXPECT_EQ(texture->Release(), 0u);  // only the block holds it now

    block->Apply();
    IDirect3DBaseTexture9* bound = nullptr;
    device->GetTexture(0, &bound);
    ASSERT_NE(bound, nullptr);
    EXPECT_EQ(RefCount(bound), 1u);
    bound->Release();

    // A live state block blocks Reset like a default-pool resource.
    D3DPRESENT_PARAMETERS pp = vestra::test::HeadlessParameters(32, 24);
    EXPECT_EQ(device->Reset(&pp), D3DERR_INVALIDCALL);
    block->Release();
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Reset(&pp), D3D_OK);
}

TEST(StateBlocks, PixelBlocksLeaveVertexStateAlone) {
    HeadlessDevice device;
    IDirect3DStateBlock9* pixel = nullptr;
    ASSERT_EQ(device->CreateStateBlock(D3DSBT_PIXELSTATE, &pixel), D3D_OK);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);  // pixel state
    device->SetRenderState(D3DRS_LIGHTING, FALSE);         // vertex state
    pixel->Apply();
    EXPECT_EQ(RenderState(device.get(), D3DRS_ALPHABLENDENABLE), 0u);
    EXPECT_EQ(RenderState(device.get(), D3DRS_LIGHTING), 0u);
    pixel->Release();
    IDirect3DStateBlock9* none = nullptr;
    EXPECT_EQ(device->CreateStateBlock(static_cast<D3DSTATEBLOCKTYPE>(4), &none), D3DERR_INVALIDCALL);
}

}  // namespace
