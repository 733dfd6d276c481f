#include <gtest/gtest.h>

#include "support/HeadlessDevice.h"

using vestra::test::HeadlessDevice;

namespace {

TEST(Locks, SubRectPointsIntoTheLevelAndDoubleLocksAreRefused) {
    HeadlessDevice device;
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(16, 8, 2, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    D3DLOCKED_RECT whole, part;
    ASSERT_EQ(texture->LockRect(1, &whole, nullptr, 0), D3D_OK);
    EXPECT_EQ(whole.Pitch, 16);  // level 1 is 8x4 texels of 2 bytes
    EXPECT_EQ(texture->LockRect(1, &part, nullptr, 0), D3DERR_INVALIDCALL);
    ASSERT_EQ(texture->UnlockRect(1), D3D_OK);
    EXPECT_EQ(texture->UnlockRect(1), D3DERR_INVALIDCALL);

    const RECT rect{3, 2, 5, 4};
    ASSERT_EQ(texture->LockRect(1, &part, &rect, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(static_cast<BYTE*>(part.pBits) - static_cast<BYTE*>(whole.pBits), 2 * 16 + 3 * 2);
    texture->UnlockRect(1);

    const RECT outside{6, 0, 9, 1};
    const RECT empty{2, 2, 2, 3};
    EXPECT_EQ(texture->LockRect(1, &part, &outside, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture->LockRect(1, &part, &empty, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture->LockRect(2, &part, nullptr, 0), D3DERR_INVALIDCALL);  // no such level
    texture->Release();
}

TEST(Locks, BlockCompressedLevelsLockWholeBlocks) {
    HeadlessDevice device;
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(12, 8, 0, 0, D3DFMT_DXT1, D3DPOOL_SYSTEMMEM, &texture, nullptr), D3D_OK);
    EXPECT_EQ(texture->GetLevelCount(), 4u);
    D3DLOCKED_RECT whole, part;
    texture->LockRect(0, &whole, nullptr, 0);
    EXPECT_EQ(whole.Pitch, 3 * 8);  // three blocks of 8 bytes
    texture->UnlockRect(0);
    const RECT aligned{4, 4, 12, 8};
    ASSERT_EQ(texture->LockRect(0, &part, &aligned, 0), D3D_OK);
    EXPECT_EQ(static_cast<BYTE*>(part.pBits) - static_cast<BYTE*>(whole.pBits), 24 + 8);
    texture->UnlockRect(0);
    const RECT unaligned{2, 0, 6, 4};
    EXPECT_EQ(texture->LockRect(0, &part, &unaligned, 0), D3DERR_INVALIDCALL);
    // The 3x2 level is smaller than a block: its full size is a valid edge.
    const RECT small{0, 0, 3, 2};
    EXPECT_EQ(texture->LockRect(2, &part, &small, 0), D3D_OK);
    EXPECT_EQ(part.Pitch, 8);
    texture->UnlockRect(2);
    texture->Release();

    IDirect3DTexture9* dxt5 = nullptr;
    device->CreateTexture(10, 4, 1, 0, D3DFMT_DXT5, D3DPOOL_MANAGED, &dxt5, nullptr);
    dxt5->LockRect(0, &whole, nullptr, 0);
    EXPECT_EQ(whole.Pitch, 3 * 16);
    dxt5->UnlockRect(0);
    dxt5->Release();
}

TEST(Locks, PoolAndUsageDecideWhatIsLockable) {
    HeadlessDevice device;
    D3DLOCKED_RECT locked;
    IDirect3DTexture9* texture = nullptr;
    device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture, nullptr);
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);
    texture->Release();
    device->CreateTexture(4, 4, 1, D3DUSAGE_DYNAMIC, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture, nullptr);
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_DISCARD), D3D_OK);
    texture->UnlockRect(0);
    texture->Release();

    IDirect3DSurface9* target = nullptr;
    device->CreateRenderTarget(4, 4, D3DFMT_X8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE, &target, nullptr);
    EXPECT_EQ(target->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);
    target->Release();
    device->CreateRenderTarget(4, 4, D3DFMT_X8R8G8B8, D3DMULTISAMPLE_NONE, 0, TRUE, &target, nullptr);
    EXPECT_EQ(target->LockRect(&locked, nullptr, 0), D3D_OK);
    target->UnlockRect();
    target->Release();

    IDirect3DSurface9* back = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    EXPECT_EQ(back->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);  // no LOCKABLE_BACKBUFFER flag
    back->Release();
}

TEST(Locks, CreationRulesForPoolsAndUsages) {
    HeadlessDevice device;
    IDirect3DTexture9* texture = nullptr;
    IDirect3DSurface9* surface = nullptr;
    EXPECT_EQ(device->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateTexture(4, 4, 1, D3DUSAGE_DYNAMIC, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateTexture(8, 2, 5, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
              D3DERR_INVALIDCALL);  // 8x2 has four levels
    EXPECT_EQ(device->CreateTexture(0, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &texture, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateOffscreenPlainSurface(4, 4, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &surface, nullptr),
              D3DERR_INVALIDCALL);
    ASSERT_EQ(device->CreateTexture(8, 8, 0, D3DUSAGE_AUTOGENMIPMAP, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture,
                                    nullptr),
              D3D_OK);
    EXPECT_EQ(texture->GetLevelCount(), 1u);
    texture->Release();

    IDirect3DVertexBuffer9* vb = nullptr;
    EXPECT_EQ(device->CreateVertexBuffer(8, 0, D3DFVF_XYZ, D3DPOOL_MANAGED, &vb, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateVertexBuffer(12, 0, 0, D3DPOOL_SCRATCH, &vb, nullptr), D3DERR_INVALIDCALL);
    ASSERT_EQ(device->CreateVertexBuffer(24, 0, D3DFVF_XYZ, D3DPOOL_MANAGED, &vb, nullptr), D3D_OK);
    void* data = nullptr;
    EXPECT_EQ(vb->Lock(20, 8, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(vb->Lock(12, 0, &data, 0), D3D_OK);  // size 0 locks to the end
    vb->Unlock();
    vb->Release();
    IDirect3DIndexBuffer9* ib = nullptr;
    EXPECT_EQ(device->CreateIndexBuffer(12, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &ib, nullptr), D3DERR_INVALIDCALL);
}

TEST(Locks, VolumeAndCubeLevels) {
    HeadlessDevice device;
    IDirect3DVolumeTexture9* volume = nullptr;
    ASSERT_EQ(device->CreateVolumeTexture(4, 4, 4, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &volume, nullptr), D3D_OK);
    EXPECT_EQ(volume->GetLevelCount(), 3u);
    D3DLOCKED_BOX whole, part;
    volume->LockBox(0, &whole, nullptr, 0);
    EXPECT_EQ(whole.RowPitch, 16);
    EXPECT_EQ(whole.SlicePitch, 64);
    volume->UnlockBox(0);
    const D3DBOX box{1, 2, 3, 4, 3, 4};
    ASSERT_EQ(volume->LockBox(0, &part, &box, 0), D3D_OK);
    EXPECT_EQ(static_cast<BYTE*>(part.pBits) - static_cast<BYTE*>(whole.pBits), 3 * 64 + 2 * 16 + 4);
    EXPECT_EQ(volume->LockBox(0, &part, &box, 0), D3DERR_INVALIDCALL);
    volume->UnlockBox(0);
    volume->Release();

    IDirect3DCubeTexture9* cube = nullptr;
    ASSERT_EQ(device->CreateCubeTexture(8, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &cube, nullptr), D3D_OK);
    IDirect3DSurface9* face = nullptr;
    ASSERT_EQ(cube->GetCubeMapSurface(D3DCUBEMAP_FACE_NEGATIVE_Z, 1, &face), D3D_OK);
    D3DSURFACE_DESC desc;
    face->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 4u);
    EXPECT_EQ(vestra::test::RefCount(cube), 2u);
    face->Release();
    EXPECT_EQ(cube->GetCubeMapSurface(static_cast<D3DCUBEMAP_FACES>(6), 0, &face), D3DERR_INVALIDCALL);
    cube->Release();
}

}  // namespace
