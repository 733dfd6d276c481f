// A small render target with depth-stencil and default device state, for driving the
// rasterizer directly in tests.
#pragma once

#include <cstring>
#include <vector>

#include "d3d9/raster/StateStorage.h"

namespace vestra::raster::testing {

struct ScreenVertex {  // D3DFVF_XYZRHW | D3DFVF_DIFFUSE
    float x, y, z, rhw;
    D3DCOLOR diffuse;
};
constexpr DWORD kScreenFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;

struct ScreenTexVertex {  // D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u, v;
};
constexpr DWORD kScreenTexFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

class Canvas {
public:
    Canvas(UINT width, UINT height, D3DFORMAT depthFormat = D3DFMT_D24S8)
        : width_(width), height_(height), colour_(width * height, 0), depth_(width * height, 0xFFFFFFFF),
          state(width, height, depthFormat != D3DFMT_UNKNOWN) {
        state.target = ColorBuffer{D3DFMT_A8R8G8B8, width, height, static_cast<INT>(width * 4),
                                   reinterpret_cast<BYTE*>(colour_.data())};
        if (depthFormat != D3DFMT_UNKNOWN) {
            const INT pitch = static_cast<INT>(width * (depthFormat == D3DFMT_D16 ? 2 : 4));
            state.depth = DepthBuffer{depthFormat, width, height, pitch, reinterpret_cast<BYTE*>(depth_.data())};
        }
        state.renderStates[D3DRS_LIGHTING] = FALSE;
    }

    void Fill(DWORD colour) { std::fill(colour_.begin(), colour_.end(), colour); }
    void FillDepth(DWORD raw) { std::fill(depth_.begin(), depth_.end(), raw); }
    DWORD At(UINT x, UINT y) const { return colour_[y * width_ + x]; }
    DWORD DepthAt(UINT x, UINT y) const { return depth_[y * width_ + x]; }
    WORD Depth16At(UINT x, UINT y) const {
        WORD w;
        std::memcpy(&w, reinterpret_cast<const BYTE*>(depth_.data()) + (y * width_ + x) * 2, 2);
        return w;
    }
    const std::vector<DWORD>& Pixels() const { return colour_; }

    template <class V>
    DrawStats Draw(D3DPRIMITIVETYPE type, UINT count, const std::vector<V>& v, DWORD fvf) {
        return raster::Draw(state.View(), DrawCall{type, count, v.data(), static_cast<UINT>(v.size()), sizeof(V), fvf});
    }

    // An axis-aligned XYZRHW rectangle of one colour at depth z, as a two-triangle strip.
    DrawStats Rect(float x0, float y0, float x1, float y1, D3DCOLOR colour, float z = 0.5f) {
        const std::vector<ScreenVertex> v = {
            {x0, y0, z, 1, colour}, {x1, y0, z, 1, colour}, {x0, y1, z, 1, colour}, {x1, y1, z, 1, colour}};
        return Draw(D3DPT_TRIANGLESTRIP, 2, v, kScreenFvf);
    }

    // Number of pixels different from `background`.
    int CountNot(DWORD background) const {
        int n = 0;
        for (DWORD p : colour_) n += p != background;
        return n;
    }

    void SetFloat(D3DRENDERSTATETYPE s, float f) { state.SetFloat(s, f); }

private:
    UINT width_, height_;
    std::vector<DWORD> colour_;
    std::vector<DWORD> depth_;

public:
    StateStorage state;
};

// A texture whose texels the test owns.
struct TestTexture {
    std::vector<std::vector<DWORD>> levels;
    Texture view;

    void AddLevel(UINT w, UINT h, std::vector<DWORD> texels) {
        levels.push_back(std::move(texels));
        view.levels[view.levelCount++] =
            TextureLevel{w, h, static_cast<INT>(w * 4), reinterpret_cast<const BYTE*>(levels.back().data())};
        for (UINT i = 0; i < view.levelCount; ++i)
            view.levels[i].bits = reinterpret_cast<const BYTE*>(levels[i].data());
    }
};

}  // namespace vestra::raster::testing
