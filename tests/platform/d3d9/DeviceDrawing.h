// Screen-space quads drawn through the device, and the statistics they leave behind.
#pragma once

#include <gtest/gtest.h>

#include "VestraDeviceControl.h"
#include "support/HeadlessDevice.h"

namespace vestra::test {

struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR color;
    float u, v;
};
constexpr DWORD kScreenFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct Quad {
    ScreenVertex v[4];
};

// A screen-space rectangle whose edges sit on pixel boundaries (centres are at integers),
// textured 0..1 across.
inline Quad MakeQuad(float left, float top, float right, float bottom, float z, D3DCOLOR color) {
    return Quad{{{left - 0.5f, top - 0.5f, z, 1, color, 0, 0},
                 {right - 0.5f, top - 0.5f, z, 1, color, 1, 0},
                 {left - 0.5f, bottom - 0.5f, z, 1, color, 0, 1},
                 {right - 0.5f, bottom - 0.5f, z, 1, color, 1, 1}}};
}

inline void DrawQuad(IDirect3DDevice9* device, const Quad& quad) {
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.v, sizeof(ScreenVertex)));
}

// Unlit, no depth test, colour taken from stage 0's texture.
inline void TextureOnly(IDirect3DDevice9* device, DWORD fvf = kScreenFvf) {
    device->SetFVF(fvf);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
}

inline VESTRA_FRAME_STATISTICS Statistics(IDirect3DDevice9* device) {
    IVestraDeviceControl* control = nullptr;
    VESTRA_FRAME_STATISTICS stats{};
    if (SUCCEEDED(device->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control)))) {
        control->GetFrameStatistics(&stats);
        control->Release();
    }
    return stats;
}

// A vertex whose one texture coordinate set has three components, for cube and volume
// textures.
struct DirectionVertex {
    float x, y, z, rhw;
    float u, v, w;
};
constexpr DWORD kDirectionFvf = D3DFVF_XYZRHW | D3DFVF_TEX1 | D3DFVF_TEXCOORDSIZE3(0);

}  // namespace vestra::test
