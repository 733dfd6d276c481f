// Draws are queued and rasterized at the next point where anything could see or change
// their memory; a host sees the same pixels as if each draw ran at once, for any number
// of threads.
#include <gtest/gtest.h>

#include "DeviceDrawing.h"
#include "d3d9/raster/Pipeline.h"

using namespace vestra::test;

namespace {

IDirect3DTexture9* SolidTexture(IDirect3DDevice9* device, D3DCOLOR colour) {
    IDirect3DTexture9* texture = nullptr;
    if (FAILED(device->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr))) return nullptr;
    D3DLOCKED_RECT locked;
    texture->LockRect(0, &locked, nullptr, 0);
    *static_cast<DWORD*>(locked.pBits) = colour;
    texture->UnlockRect(0);
    return texture;
}

// Many small blended quads over a large one, with depth: enough work to be shared out,
// and overlaps whose result depends on the order of the draws.
std::vector<DWORD> RenderOverlaps(UINT threads) {
    vestra::raster::SetThreadCount(threads);
    HeadlessDevice device(160, 120);
    if (!device.get()) return {};
    IDirect3DTexture9* texture = nullptr;
    device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
    D3DLOCKED_RECT locked;
    texture->LockRect(0, &locked, nullptr, 0);
    for (UINT i = 0; i < 16; ++i) static_cast<DWORD*>(locked.pBits)[i] = 0x40102030u * (i + 1) + (i << 24);
    texture->UnlockRect(0);

    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF204060, 1.0f, 0);
    device->SetFVF(kScreenFvf);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetTexture(0, texture);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->BeginScene();
    DrawQuad(device.get(), MakeQuad(0, 0, 160, 120, 0.9f, 0xFFFFFFFF));
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    for (int i = 0; i < 150; ++i) {
        const float x = static_cast<float>((i * 37) % 150), y = static_cast<float>((i * 53) % 110);
        device->SetRenderState(D3DRS_ZWRITEENABLE, i % 3 != 0);
        DrawQuad(device.get(), MakeQuad(x, y, x + 13, y + 11, 0.8f - 0.004f * static_cast<float>(i % 40),
                                        0xFF000000u | (0x010305u * static_cast<DWORD>(i))));
    }
    device->EndScene();
    std::vector<DWORD> pixels = ReadBackBuffer(device.get());
    device->SetTexture(0, nullptr);
    texture->Release();
    vestra::raster::SetThreadCount(0);
    return pixels;
}

}  // namespace

TEST(DeferredDraw, OutputIsByteIdenticalForEveryThreadCount) {
    const std::vector<DWORD> one = RenderOverlaps(1);
    ASSERT_EQ(160u * 120u, one.size());
    EXPECT_EQ(one, RenderOverlaps(2));
    EXPECT_EQ(one, RenderOverlaps(3));
}

// Everything a draw reads after it returns (texels, the target) must be as it was at the
// draw: locks, releases and clears in the middle of a scene come after the draws before
// them and before the ones after.
TEST(DeferredDraw, ChangesInsideASceneOrderWithTheDraws) {
    HeadlessDevice device(4, 1);
    ASSERT_TRUE(device.get());
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    TextureOnly(device.get());
    IDirect3DTexture9* texture = SolidTexture(device.get(), 0xFFFF0000);
    IDirect3DTexture9* doomed = SolidTexture(device.get(), 0xFF0000FF);
    ASSERT_TRUE(texture && doomed);

    ASSERT_EQ(D3D_OK, device->BeginScene());
    device->SetTexture(0, texture);
    DrawQuad(device.get(), MakeQuad(0, 0, 1, 1, 0.5f, 0xFFFFFFFF));
    D3DLOCKED_RECT locked;
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
    *static_cast<DWORD*>(locked.pBits) = 0xFF00FF00;
    texture->UnlockRect(0);
    DrawQuad(device.get(), MakeQuad(1, 0, 2, 1, 0.5f, 0xFFFFFFFF));

    // A texture destroyed while its draw is queued.
    device->SetTexture(0, doomed);
    DrawQuad(device.get(), MakeQuad(2, 0, 3, 1, 0.5f, 0xFFFFFFFF));
    device->SetTexture(0, nullptr);
    EXPECT_EQ(0u, doomed->Release());

    // Vertices given by pointer are read by the draw call itself.
    Quad moving = MakeQuad(3, 0, 4, 1, 0.5f, 0xFFFFFFFF);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    DrawQuad(device.get(), moving);
    moving = MakeQuad(0, 0, 4, 1, 0.5f, 0xFF808080);
    EXPECT_EQ(4u, Statistics(device.get()).PixelsWritten);
    ASSERT_EQ(D3D_OK, device->EndScene());
    EXPECT_EQ((std::vector<DWORD>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}), ReadBackBuffer(device.get()));

    // A clear after a draw covers it.
    ASSERT_EQ(D3D_OK, device->BeginScene());
    DrawQuad(device.get(), MakeQuad(0, 0, 4, 1, 0.5f, 0xFFFFFFFF));
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF123456, 1.0f, 0);
    ASSERT_EQ(D3D_OK, device->EndScene());
    EXPECT_EQ(0xFF123456u, ReadBackBuffer(device.get())[2]);
    EXPECT_EQ(0u, texture->Release());
}

// Drawing into a texture, then sampling it: changing the target ends the first pass.
TEST(DeferredDraw, RenderTargetTextureIsCompleteBeforeItIsSampled) {
    HeadlessDevice device(2, 1);
    ASSERT_TRUE(device.get());
    IDirect3DTexture9* canvas = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(1, 1, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT,
                                            &canvas, nullptr));
    IDirect3DSurface9* back = nullptr;
    IDirect3DSurface9* level = nullptr;
    device->GetRenderTarget(0, &back);
    canvas->GetSurfaceLevel(0, &level);
    TextureOnly(device.get());
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);

    ASSERT_EQ(D3D_OK, device->BeginScene());
    ASSERT_EQ(D3D_OK, device->SetRenderTarget(0, level));
    device->SetDepthStencilSurface(nullptr);
    DrawQuad(device.get(), MakeQuad(0, 0, 1, 1, 0.5f, 0xFF336699));
    ASSERT_EQ(D3D_OK, device->SetRenderTarget(0, back));
    device->SetTexture(0, canvas);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    DrawQuad(device.get(), MakeQuad(0, 0, 2, 1, 0.5f, 0xFFFFFFFF));
    ASSERT_EQ(D3D_OK, device->EndScene());
    EXPECT_EQ((std::vector<DWORD>{0xFF336699, 0xFF336699}), ReadBackBuffer(device.get()));

    device->SetTexture(0, nullptr);
    level->Release();
    back->Release();
    EXPECT_EQ(0u, canvas->Release());
}
