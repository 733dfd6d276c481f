// Draws through the device reach the rasterizer: pixels, statistics, and the texels of
// bound textures in formats other than A8R8G8B8, kept current as the texture changes.
#include <gtest/gtest.h>

#include "DeviceDrawing.h"

using namespace vestra::test;

namespace {

void DrawRect(IDirect3DDevice9* device, float left, float top, float right, float bottom, D3DCOLOR color) {
    device->SetFVF(kScreenFvf);
    ASSERT_EQ(D3D_OK, device->BeginScene());
    DrawQuad(device, MakeQuad(left, top, right, bottom, 0.5f, color));
    ASSERT_EQ(D3D_OK, device->EndScene());
}

// A 2x2 R5G6B5 texture: red, green / blue, white.
IDirect3DTexture9* MakeTexture565(IDirect3DDevice9* device) {
    IDirect3DTexture9* texture = nullptr;
    if (FAILED(device->CreateTexture(2, 2, 1, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &texture, nullptr))) return nullptr;
    D3DLOCKED_RECT locked;
    texture->LockRect(0, &locked, nullptr, 0);
    auto* rows = static_cast<BYTE*>(locked.pBits);
    reinterpret_cast<WORD*>(rows)[0] = 0xF800;
    reinterpret_cast<WORD*>(rows)[1] = 0x07E0;
    reinterpret_cast<WORD*>(rows + locked.Pitch)[0] = 0x001F;
    reinterpret_cast<WORD*>(rows + locked.Pitch)[1] = 0xFFFF;
    texture->UnlockRect(0);
    return texture;
}

}  // namespace

TEST(DrawPixels, ScreenQuadCoversExactlyItsPixelsAndIsCounted) {
    HeadlessDevice device(8, 6);
    ASSERT_TRUE(device.get());
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    DrawRect(device.get(), 2, 1, 6, 4, 0xFFFF0000);

    const std::vector<DWORD> pixels = ReadBackBuffer(device.get());
    ASSERT_EQ(48u, pixels.size());
    for (UINT y = 0; y < 6; ++y)
        for (UINT x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 1 && y < 4;
            EXPECT_EQ(inside ? 0xFFFF0000u : 0xFF000000u, pixels[y * 8 + x]) << x << "," << y;
        }
    EXPECT_EQ(12u, Statistics(device.get()).PixelsWritten);
}

TEST(DrawPixels, ConvertedTextureIsSampledAndFollowsLaterWrites) {
    HeadlessDevice device(2, 2);
    ASSERT_TRUE(device.get());
    IDirect3DTexture9* texture = MakeTexture565(device.get());
    ASSERT_TRUE(texture);
    TextureOnly(device.get());
    device->SetTexture(0, texture);
    DrawRect(device.get(), 0, 0, 2, 2, 0xFFFFFFFF);
    EXPECT_EQ((std::vector<DWORD>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}), ReadBackBuffer(device.get()));

    // A later write through a lock must show at the next draw.
    D3DLOCKED_RECT locked;
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
    static_cast<WORD*>(locked.pBits)[0] = 0x0000;
    texture->UnlockRect(0);
    DrawRect(device.get(), 0, 0, 2, 2, 0xFFFFFFFF);
    EXPECT_EQ(0xFF000000u, ReadBackBuffer(device.get())[0]);

    device->SetTexture(0, nullptr);
    EXPECT_EQ(0u, texture->Release());
}

TEST(DrawPixels, TextureWithoutAlphaSamplesOpaque) {
    HeadlessDevice device(1, 1);
    ASSERT_TRUE(device.get());
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(1, 1, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr));
    D3DLOCKED_RECT locked;
    texture->LockRect(0, &locked, nullptr, 0);
    *static_cast<DWORD*>(locked.pBits) = 0x00336699;  // the unused byte holds 0
    texture->UnlockRect(0);

    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFFFFFF, 1.0f, 0);
    device->SetTexture(0, texture);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    DrawRect(device.get(), 0, 0, 1, 1, 0xFFFFFFFF);
    EXPECT_EQ(0xFF336699u, ReadBackBuffer(device.get())[0]);

    device->SetTexture(0, nullptr);
    texture->Release();
}
