#include <gtest/gtest.h>

#include "support/HeadlessDevice.h"

using vestra::test::HeadlessParameters;
using vestra::test::ReadRenderTarget;
using vestra::test::RefCount;

namespace {

constexpr UINT kWidth = 8;
constexpr UINT kHeight = 4;
constexpr D3DCOLOR kFirst = 0xFF102030;
constexpr D3DCOLOR kSecond = 0xFF405060;

IDirect3DDevice9* CreateDevice(D3DSWAPEFFECT effect) {
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS pp = HeadlessParameters(kWidth, kHeight);
    pp.SwapEffect = effect;
    IDirect3DDevice9* device = nullptr;
    d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device);
    d3d->Release();
    return device;
}

// One texel of the front buffer, or 0 when reading it fails.
DWORD FrontTexel(IDirect3DDevice9* device) {
    IDirect3DSurface9* copy = nullptr;
    device->CreateOffscreenPlainSurface(kWidth, kHeight, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &copy, nullptr);
    DWORD texel = 0;
    D3DLOCKED_RECT locked;
    if (SUCCEEDED(device->GetFrontBufferData(0, copy)) && SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        texel = static_cast<const DWORD*>(locked.pBits)[kWidth + 3];
        copy->UnlockRect();
    }
    copy->Release();
    return texel;
}

// Presents kFirst then kSecond through a back buffer the test holds all along, and returns
// what that same surface holds afterwards.
DWORD PresentTwoFrames(IDirect3DDevice9* device) {
    IDirect3DSurface9* back = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, kFirst, 1.0f, 0);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, kSecond, 1.0f, 0);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    IDirect3DSurface9* again = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &again);
    EXPECT_EQ(again, back);
    again->Release();
    const std::vector<DWORD> texels = ReadRenderTarget(device, back);
    back->Release();
    return texels.empty() ? 0 : texels[kWidth + 3];
}

TEST(Present, FlipExchangesFrontAndBackWhileCopyKeepsTheBackBuffer) {
    struct Case {
        D3DSWAPEFFECT effect;
        D3DCOLOR backAfterwards;
    };
    for (const Case& k : {Case{D3DSWAPEFFECT_FLIP, kFirst}, Case{D3DSWAPEFFECT_COPY, kSecond}}) {
        SCOPED_TRACE(k.effect);
        IDirect3DDevice9* device = CreateDevice(k.effect);
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(PresentTwoFrames(device), k.backAfterwards);
        EXPECT_EQ(FrontTexel(device), kSecond);
        EXPECT_EQ(device->Release(), 0u);
    }
}

// A back buffer the host holds across Present stays the surface drawing goes to, and its
// count (shared with the swap chain) does not move.
TEST(Present, DiscardedBackBufferHeldByTheHostStaysTheTarget) {
    IDirect3DDevice9* device = CreateDevice(D3DSWAPEFFECT_DISCARD);
    ASSERT_NE(device, nullptr);
    IDirect3DSurface9* back = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    const ULONG held = RefCount(back);
    for (D3DCOLOR colour : {kFirst, kSecond}) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0);
        ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
        EXPECT_EQ(FrontTexel(device), colour);
    }
    EXPECT_EQ(RefCount(back), held);
    IDirect3DSurface9* target = nullptr;
    device->GetRenderTarget(0, &target);
    EXPECT_EQ(target, back);
    target->Release();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    EXPECT_EQ(ReadRenderTarget(device, back)[0], 0xFF0000FFu);
    back->Release();
    EXPECT_EQ(device->Release(), 0u);
}

}  // namespace
