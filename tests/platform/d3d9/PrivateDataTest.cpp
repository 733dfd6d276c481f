#include <gtest/gtest.h>

#include "support/HeadlessDevice.h"

using vestra::test::HeadlessDevice;

namespace {

DEFINE_GUID(kTag, 0x1b2c3d4e, 0x5f60, 0x4172, 0x83, 0x94, 0xa5, 0xb6, 0xc7, 0xd8, 0xe9, 0xf0);

// Counts the references the device's private-data store takes and gives back.
struct CountedObject final : IUnknown {
    ULONG refs = 1;
    STDMETHOD(QueryInterface)(REFIID, void**) override { return E_NOINTERFACE; }
    STDMETHOD_(ULONG, AddRef)() override { return ++refs; }
    STDMETHOD_(ULONG, Release)() override { return --refs; }
};

TEST(PrivateData, StoresACopyOfPlainBytes) {
    HeadlessDevice device;
    IDirect3DVertexBuffer9* vb = nullptr;
    device->CreateVertexBuffer(16, 0, 0, D3DPOOL_SYSTEMMEM, &vb, nullptr);
    DWORD size = 0;
    char buffer[8] = {};
    EXPECT_EQ(vb->GetPrivateData(kTag, buffer, &size), D3DERR_NOTFOUND);
    char data[6] = "hello";
    ASSERT_EQ(vb->SetPrivateData(kTag, data, sizeof data, 0), D3D_OK);
    data[0] = 'j';  // the store has its own copy

    size = 0;
    EXPECT_EQ(vb->GetPrivateData(kTag, nullptr, &size), D3D_OK);
    EXPECT_EQ(size, 6u);
    size = 3;
    EXPECT_EQ(vb->GetPrivateData(kTag, buffer, &size), D3DERR_MOREDATA);
    EXPECT_EQ(size, 6u);
    ASSERT_EQ(vb->GetPrivateData(kTag, buffer, &size), D3D_OK);
    EXPECT_STREQ(buffer, "hello");

    EXPECT_EQ(vb->FreePrivateData(kTag), D3D_OK);
    EXPECT_EQ(vb->FreePrivateData(kTag), D3DERR_NOTFOUND);
    vb->Release();
}

TEST(PrivateData, InterfaceEntriesHoldAReferenceUntilReplacedFreedOrDestroyed) {
    HeadlessDevice device;
    IDirect3DTexture9* texture = nullptr;
    device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
    CountedObject object;
    EXPECT_EQ(texture->SetPrivateData(kTag, &object, 3, D3DSPD_IUNKNOWN), D3DERR_INVALIDCALL);
    ASSERT_EQ(texture->SetPrivateData(kTag, &object, sizeof(IUnknown*), D3DSPD_IUNKNOWN), D3D_OK);
    EXPECT_EQ(object.refs, 2u);

    IUnknown* out = nullptr;
    DWORD size = sizeof out;
    ASSERT_EQ(texture->GetPrivateData(kTag, &out, &size), D3D_OK);
    EXPECT_EQ(out, &object);
    EXPECT_EQ(object.refs, 3u);  // the caller's copy is AddRef'd
    out->Release();

    char bytes[2] = {1, 2};
    texture->SetPrivateData(kTag, bytes, sizeof bytes, 0);  // replacing releases the interface
    EXPECT_EQ(object.refs, 1u);

    // Code written for 32-bit Windows passes 4 as the size of the pointer.
    texture->SetPrivateData(kTag, &object, 4, D3DSPD_IUNKNOWN);
    EXPECT_EQ(object.refs, 2u);
    texture->FreePrivateData(kTag);
    EXPECT_EQ(object.refs, 1u);

    // Each level has a store of its own, emptied when the texture dies.
    IDirect3DSurface9* level = nullptr;
    texture->GetSurfaceLevel(0, &level);
    level->SetPrivateData(kTag, &object, sizeof(IUnknown*), D3DSPD_IUNKNOWN);
    EXPECT_EQ(texture->GetPrivateData(kTag, nullptr, &size), D3DERR_NOTFOUND);
    level->Release();
    EXPECT_EQ(object.refs, 2u);
    texture->Release();
    EXPECT_EQ(object.refs, 1u);
}

}  // namespace
