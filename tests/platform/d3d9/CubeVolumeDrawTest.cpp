// Cube and volume textures bound to a stage are sampled through the device, converted
// from their own format and kept current as they change.
#include <gtest/gtest.h>

#include "DeviceDrawing.h"

using namespace vestra::test;

namespace {

void DirectionPixel(IDirect3DDevice9* device, float x, float u, float v, float w) {
    const float l = x - 0.5f, r = x + 0.5f;
    const DirectionVertex quad[4] = {{l, -0.5f, 0.5f, 1, u, v, w},
                                     {r, -0.5f, 0.5f, 1, u, v, w},
                                     {l, 0.5f, 0.5f, 1, u, v, w},
                                     {r, 0.5f, 0.5f, 1, u, v, w}};
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(DirectionVertex)));
}

}  // namespace

TEST(CubeVolumeDraw, ConvertedCubeFacesFollowLaterWrites) {
    HeadlessDevice device(2, 1);
    ASSERT_TRUE(device.get());
    IDirect3DCubeTexture9* cube = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateCubeTexture(1, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &cube, nullptr));
    for (DWORD face = 0; face < 6; ++face) {
        D3DLOCKED_RECT locked;
        ASSERT_EQ(D3D_OK, cube->LockRect(static_cast<D3DCUBEMAP_FACES>(face), 0, &locked, nullptr, 0));
        *static_cast<DWORD*>(locked.pBits) = 0x00101010u * (face + 1);  // X byte 0: read as opaque
        cube->UnlockRect(static_cast<D3DCUBEMAP_FACES>(face), 0);
    }
    TextureOnly(device.get(), kDirectionFvf);
    device->SetTexture(0, cube);
    ASSERT_EQ(D3D_OK, device->BeginScene());
    DirectionPixel(device.get(), 0, 0.1f, -2.0f, 0.3f);  // -Y
    DirectionPixel(device.get(), 1, 0.1f, 0.2f, -0.3f);  // -Z
    ASSERT_EQ(D3D_OK, device->EndScene());
    EXPECT_EQ((std::vector<DWORD>{0xFF404040, 0xFF606060}), ReadBackBuffer(device.get()));

    D3DLOCKED_RECT locked;
    ASSERT_EQ(D3D_OK, cube->LockRect(D3DCUBEMAP_FACE_NEGATIVE_Z, 0, &locked, nullptr, 0));
    *static_cast<DWORD*>(locked.pBits) = 0x00ABCDEF;
    cube->UnlockRect(D3DCUBEMAP_FACE_NEGATIVE_Z, 0);
    ASSERT_EQ(D3D_OK, device->BeginScene());
    DirectionPixel(device.get(), 1, 0.1f, 0.2f, -0.3f);
    ASSERT_EQ(D3D_OK, device->EndScene());
    EXPECT_EQ(0xFFABCDEFu, ReadBackBuffer(device.get())[1]);

    device->SetTexture(0, nullptr);
    EXPECT_EQ(0u, cube->Release());
}

TEST(CubeVolumeDraw, VolumeSlicesAreSampledByTheThirdCoordinate) {
    HeadlessDevice device(2, 1);
    ASSERT_TRUE(device.get());
    IDirect3DVolumeTexture9* volume = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateVolumeTexture(1, 1, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &volume, nullptr));
    D3DLOCKED_BOX box;
    ASSERT_EQ(D3D_OK, volume->LockBox(0, &box, nullptr, 0));
    *static_cast<DWORD*>(box.pBits) = 0xFF112233;
    *reinterpret_cast<DWORD*>(static_cast<BYTE*>(box.pBits) + box.SlicePitch) = 0xFF445566;
    volume->UnlockBox(0);
    TextureOnly(device.get(), kDirectionFvf);
    device->SetTexture(0, volume);
    ASSERT_EQ(D3D_OK, device->BeginScene());
    DirectionPixel(device.get(), 0, 0.5f, 0.5f, 0.25f);
    DirectionPixel(device.get(), 1, 0.5f, 0.5f, 0.75f);
    ASSERT_EQ(D3D_OK, device->EndScene());
    EXPECT_EQ((std::vector<DWORD>{0xFF112233, 0xFF445566}), ReadBackBuffer(device.get()));
    device->SetTexture(0, nullptr);
    EXPECT_EQ(0u, volume->Release());
}
