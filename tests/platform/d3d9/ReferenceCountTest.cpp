#include <gtest/gtest.h>

#include "VestraDeviceControl.h"
#include "support/HeadlessDevice.h"

using vestra::test::HeadlessDevice;
using vestra::test::RefCount;

namespace {

TEST(ReferenceCounts, EveryResourceHoldsTheDeviceUntilItsLastRelease) {
    HeadlessDevice device;
    const ULONG base = RefCount(device.get());
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(8, 8, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    EXPECT_EQ(RefCount(device.get()), base + 1);
    EXPECT_EQ(texture->GetLevelCount(), 4u);

    // A level shares the texture's count and holds no device reference of its own.
    IDirect3DSurface9* level = nullptr;
    ASSERT_EQ(texture->GetSurfaceLevel(2, &level), D3D_OK);
    EXPECT_EQ(RefCount(texture), 2u);
    EXPECT_EQ(RefCount(device.get()), base + 1);
    IDirect3DTexture9* container = nullptr;
    ASSERT_EQ(level->GetContainer(IID_IDirect3DTexture9, reinterpret_cast<void**>(&container)), D3D_OK);
    EXPECT_EQ(container, texture);
    container->Release();
    IDirect3DCubeTexture9* wrong = nullptr;
    EXPECT_EQ(level->GetContainer(IID_IDirect3DCubeTexture9, reinterpret_cast<void**>(&wrong)), E_NOINTERFACE);

    // The texture goes away with its last reference even if that is the level's.
    EXPECT_EQ(texture->Release(), 1u);
    D3DSURFACE_DESC desc;
    ASSERT_EQ(level->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Width, 2u);
    EXPECT_EQ(level->Release(), 0u);
    EXPECT_EQ(RefCount(device.get()), base);
}

TEST(ReferenceCounts, GettersAddRefWhatTheyReturn) {
    HeadlessDevice device;
    const ULONG base = RefCount(device.get());
    IDirect3DSurface9* back = nullptr;
    ASSERT_EQ(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
    EXPECT_EQ(RefCount(device.get()), base + 1);
    IDirect3DSurface9* target = nullptr;
    device->GetRenderTarget(0, &target);
    EXPECT_EQ(target, back);
    EXPECT_EQ(RefCount(back), 2u);
    target->Release();
    IDirect3DSwapChain9* swapChain = nullptr;
    back->GetContainer(IID_IDirect3DSwapChain9, reinterpret_cast<void**>(&swapChain));
    ASSERT_NE(swapChain, nullptr);
    swapChain->Release();
    EXPECT_EQ(back->Release(), 0u);

    IDirect3DSurface9* depth = nullptr;
    ASSERT_EQ(device->GetDepthStencilSurface(&depth), D3D_OK);
    EXPECT_EQ(RefCount(device.get()), base + 1);
    depth->Release();
    IDirect3D9* d3d = nullptr;
    device->GetDirect3D(&d3d);
    EXPECT_EQ(RefCount(d3d), 2u);  // the device's and ours
    d3d->Release();
    IDirect3DDevice9* same = nullptr;
    IDirect3DVertexBuffer9* vb = nullptr;
    device->CreateVertexBuffer(64, 0, 0, D3DPOOL_MANAGED, &vb, nullptr);
    vb->GetDevice(&same);
    EXPECT_EQ(same, device.get());
    same->Release();
    vb->Release();
    EXPECT_EQ(RefCount(device.get()), base);

    HeadlessDevice noDepth(8, 8, D3DFMT_UNKNOWN);
    depth = back;
    EXPECT_EQ(noDepth->GetDepthStencilSurface(&depth), D3DERR_NOTFOUND);
    EXPECT_EQ(depth, nullptr);
}

TEST(ReferenceCounts, BindingKeepsAReleasedResourceAliveWithoutAPublicReference) {
    HeadlessDevice device;
    IVestraDeviceControl* control = nullptr;
    ASSERT_EQ(device->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control)), S_OK);
    const ULONG base = RefCount(device.get());

    IDirect3DTexture9* texture = nullptr;
    device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
    ASSERT_EQ(device->SetTexture(1, texture), D3D_OK);
    EXPECT_EQ(RefCount(texture), 1u);  // the binding is internal
    EXPECT_EQ(texture->Release(), 0u);
    EXPECT_EQ(RefCount(device.get()), base);
    UINT live = 0;
    control->GetLiveResourceCount(D3DPOOL_MANAGED, &live);
    EXPECT_EQ(live, 1u);

    IDirect3DBaseTexture9* bound = nullptr;
    ASSERT_EQ(device->GetTexture(1, &bound), D3D_OK);
    EXPECT_EQ(bound, static_cast<IDirect3DBaseTexture9*>(texture));
    EXPECT_EQ(RefCount(device.get()), base + 1);  // public again, so it holds the device
    bound->Release();
    device->SetTexture(1, nullptr);
    control->GetLiveResourceCount(D3DPOOL_MANAGED, &live);
    EXPECT_EQ(live, 0u);

    IDirect3DVertexBuffer9* vb = nullptr;
    device->CreateVertexBuffer(96, 0, D3DFVF_XYZ, D3DPOOL_DEFAULT, &vb, nullptr);
    device->SetStreamSource(0, vb, 0, 12);
    vb->Release();
    IDirect3DVertexBuffer9* stream = nullptr;
    UINT offset, stride;
    device->GetStreamSource(0, &stream, &offset, &stride);
    EXPECT_EQ(stream, vb);  // still alive through the binding
    stream->Release();
    control->Release();
}

TEST(ReferenceCounts, ControlExtensionSharesTheDeviceCount) {
    HeadlessDevice device;
    const ULONG base = RefCount(device.get());
    IVestraDeviceControl* control = nullptr;
    ASSERT_EQ(device->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control)), S_OK);
    EXPECT_EQ(RefCount(device.get()), base + 1);
    IUnknown* unknown = nullptr;
    control->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown));
    EXPECT_EQ(unknown, static_cast<IUnknown*>(device.get()));  // one identity
    unknown->Release();
    EXPECT_EQ(control->Release(), base);
    void* none = &control;
    EXPECT_EQ(device->QueryInterface(IID_IDirect3DTexture9, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
}

TEST(ReferenceCounts, DeviceReleasedFirstDiesWithTheLastResource) {
    HeadlessDevice device;
    IDirect3DIndexBuffer9* ib = nullptr;
    IDirect3DSurface9* target = nullptr;
    device->CreateIndexBuffer(12, 0, D3DFMT_INDEX16, D3DPOOL_DEFAULT, &ib, nullptr);
    device->CreateRenderTarget(8, 8, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE, &target, nullptr);
    device->SetIndices(ib);
    device->SetRenderTarget(0, target);
    EXPECT_EQ(device.ReleaseDevice(), 2u);  // the two resources still hold it
    EXPECT_EQ(ib->Release(), 0u);
    EXPECT_EQ(target->Release(), 0u);  // destroys the device, which unbinds both
}

TEST(ReferenceCounts, ObjectsOfAnotherDeviceAreRefused) {
    HeadlessDevice first;
    HeadlessDevice second;
    IDirect3DTexture9* texture = nullptr;
    second->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
    EXPECT_EQ(first->SetTexture(0, texture), D3DERR_INVALIDCALL);
    IDirect3DSurface9* level = nullptr;
    texture->GetSurfaceLevel(0, &level);
    EXPECT_EQ(first->SetRenderTarget(0, level), D3DERR_INVALIDCALL);
    level->Release();
    texture->Release();
}

}  // namespace
