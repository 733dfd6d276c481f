#include <gtest/gtest.h>

#include "support/HeadlessDevice.h"

using vestra::test::HeadlessDevice;
using vestra::test::ReadBackBuffer;

namespace {

constexpr UINT kWidth = 8;
constexpr UINT kHeight = 6;

DWORD At(const std::vector<DWORD>& texels, UINT x, UINT y) { return texels[y * kWidth + x]; }

TEST(Clear, RectsAreIntersectedWithTheViewportAndScissor) {
    HeadlessDevice device(kWidth, kHeight, D3DFMT_D24S8, D3DFMT_A8R8G8B8);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    D3DVIEWPORT9 vp{2, 1, 4, 4, 0.0f, 1.0f};  // x 2..5, y 1..4
    device->SetViewport(&vp);
    const D3DRECT rects[] = {{0, 0, 3, 3}, {5, 4, 100, 100}};
    ASSERT_EQ(device->Clear(2, rects, D3DCLEAR_TARGET, 0xFFFFFFFF, 1.0f, 0), D3D_OK);
    std::vector<DWORD> texels = ReadBackBuffer(device.get());
    for (UINT y = 0; y < kHeight; ++y)
        for (UINT x = 0; x < kWidth; ++x) {
            const bool first = x == 2 && y >= 1 && y <= 2;
            const bool second = x == 5 && y == 4;
            EXPECT_EQ(At(texels, x, y), first || second ? 0xFFFFFFFFu : 0xFF000000u) << x << "," << y;
        }

    // Without rects the whole viewport is cleared, cut by the scissor rectangle when enabled.
    const RECT scissor{0, 0, 4, 2};
    device->SetScissorRect(&scissor);
    device->SetRenderState(D3DRS_SCISSORTESTENABLE, TRUE);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    texels = ReadBackBuffer(device.get());
    EXPECT_EQ(At(texels, 2, 1), 0xFF0000FFu);
    EXPECT_EQ(At(texels, 3, 1), 0xFF0000FFu);
    EXPECT_EQ(At(texels, 4, 1), 0xFF000000u);
    EXPECT_EQ(At(texels, 2, 2), 0xFFFFFFFFu);
}

TEST(Clear, DepthAndStencilFollowTheirFormats) {
    HeadlessDevice device(kWidth, kHeight, D3DFMT_D16_LOCKABLE);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, 1), D3DERR_INVALIDCALL);  // D16 has no stencil
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.5f, 0), D3DERR_INVALIDCALL);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 0.5f, 0), D3D_OK);
    IDirect3DSurface9* depth = nullptr;
    device->GetDepthStencilSurface(&depth);
    D3DLOCKED_RECT locked;
    ASSERT_EQ(depth->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(static_cast<const WORD*>(locked.pBits)[0], 32768);  // 0.5 * 65535 rounded
    EXPECT_EQ(locked.Pitch, static_cast<INT>(kWidth * 2));
    depth->UnlockRect();
    depth->Release();

    HeadlessDevice noDepth(kWidth, kHeight, D3DFMT_UNKNOWN);
    EXPECT_EQ(noDepth->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(noDepth->Clear(1, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(noDepth->Clear(0, nullptr, 0, 0, 1.0f, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(noDepth->Clear(0, nullptr, 0x8, 0, 1.0f, 0), D3DERR_INVALIDCALL);
}

TEST(Clear, RenderTargetTextureAndColorFill) {
    HeadlessDevice device(kWidth, kHeight);
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture,
                                    nullptr),
              D3D_OK);
    IDirect3DSurface9* level = nullptr;
    texture->GetSurfaceLevel(0, &level);
    ASSERT_EQ(device->SetRenderTarget(0, level), D3D_OK);
    D3DVIEWPORT9 vp;
    device->GetViewport(&vp);
    EXPECT_EQ(vp.Width, 4u);  // follows the new target
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x11223344, 1.0f, 0);
    const RECT corner{2, 2, 4, 4};
    ASSERT_EQ(device->ColorFill(level, &corner, 0xFF00FF00), D3D_OK);
    const std::vector<DWORD> texels = vestra::test::ReadRenderTarget(device.get(), level);
    ASSERT_EQ(texels.size(), 16u);
    EXPECT_EQ(texels[0], 0x11223344u);
    EXPECT_EQ(texels[2 * 4 + 2], 0xFF00FF00u);
    EXPECT_EQ(texels[3 * 4 + 3], 0xFF00FF00u);
    const RECT outside{2, 2, 5, 4};
    EXPECT_EQ(device->ColorFill(level, &outside, 0), D3DERR_INVALIDCALL);
    level->Release();
    texture->Release();
}

TEST(Copies, UpdateSurfaceAndStretchRect) {
    HeadlessDevice device(kWidth, kHeight, D3DFMT_D24S8, D3DFMT_A8R8G8B8);
    IDirect3DSurface9* system = nullptr;
    device->CreateOffscreenPlainSurface(2, 2, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &system, nullptr);
    D3DLOCKED_RECT locked;
    system->LockRect(&locked, nullptr, 0);
    DWORD* bits = static_cast<DWORD*>(locked.pBits);
    const DWORD pattern[4] = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004};
    for (int i = 0; i < 2; ++i) {
        bits[i] = pattern[i];
        reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.pBits) + locked.Pitch)[i] = pattern[2 + i];
    }
    system->UnlockRect();

    IDirect3DSurface9* plain = nullptr;
    device->CreateOffscreenPlainSurface(2, 2, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &plain, nullptr);
    const POINT at{0, 0};
    ASSERT_EQ(device->UpdateSurface(system, nullptr, plain, &at), D3D_OK);
    EXPECT_EQ(device->UpdateSurface(plain, nullptr, system, &at), D3DERR_INVALIDCALL);  // wrong pools

    IDirect3DSurface9* back = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    const RECT dest{4, 2, 8, 6};  // 2x2 scaled to 4x4 with point sampling
    ASSERT_EQ(device->StretchRect(plain, nullptr, back, &dest, D3DTEXF_POINT), D3D_OK);
    const std::vector<DWORD> texels = ReadBackBuffer(device.get());
    EXPECT_EQ(At(texels, 4, 2), pattern[0]);
    EXPECT_EQ(At(texels, 5, 3), pattern[0]);
    EXPECT_EQ(At(texels, 7, 2), pattern[1]);
    EXPECT_EQ(At(texels, 4, 5), pattern[2]);
    EXPECT_EQ(At(texels, 7, 5), pattern[3]);
    EXPECT_EQ(device->StretchRect(system, nullptr, back, nullptr, D3DTEXF_POINT), D3DERR_INVALIDCALL);
    back->Release();
    plain->Release();
    system->Release();
}

TEST(Copies, UpdateTextureStartsAtTheMatchingSourceLevel) {
    HeadlessDevice device;
    IDirect3DTexture9* system = nullptr;
    IDirect3DTexture9* video = nullptr;
    device->CreateTexture(8, 8, 0, 0, D3DFMT_L8, D3DPOOL_SYSTEMMEM, &system, nullptr);  // 8, 4, 2, 1
    device->CreateTexture(4, 4, 2, D3DUSAGE_DYNAMIC, D3DFMT_L8, D3DPOOL_DEFAULT, &video, nullptr);
    for (UINT level = 0; level < 4; ++level) {
        D3DLOCKED_RECT locked;
        system->LockRect(level, &locked, nullptr, 0);
        static_cast<BYTE*>(locked.pBits)[0] = static_cast<BYTE>(10 + level);
        system->UnlockRect(level);
    }
    ASSERT_EQ(device->UpdateTexture(system, video), D3D_OK);
    for (UINT level = 0; level < 2; ++level) {
        D3DLOCKED_RECT locked;
        video->LockRect(level, &locked, nullptr, D3DLOCK_READONLY);
        EXPECT_EQ(static_cast<BYTE*>(locked.pBits)[0], 11 + level);  // source levels 1 and 2
        video->UnlockRect(level);
    }
    EXPECT_EQ(device->UpdateTexture(video, system), D3DERR_INVALIDCALL);
    video->Release();
    system->Release();
}

}  // namespace
