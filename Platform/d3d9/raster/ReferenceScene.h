// Reference scene R1, the rasterizer's performance yardstick: a 640 x 480 frame with a
// skybox (six 256x256 faces), a textured ground quad, 200 alpha-blended camera-facing
// billboards (one draw each) and 100 additive point sprites in one draw. Textures are
// generated, so the scene needs no files. It owns its textures, vertices and state; the
// caller owns the target memory.
#pragma once

#include <vector>

#include "d3d9/raster/StateStorage.h"

namespace vestra::raster {

class VESTRA_PLATFORM_API ReferenceScene {
public:
    static constexpr UINT kWidth = 640;
    static constexpr UINT kHeight = 480;

    ReferenceScene();

    // Clears colour and depth, then draws the frame. The target must be kWidth x kHeight
    // A8R8G8B8 and the depth buffer D24S8 or D24X8 of the same size.
    DrawStats Render(const ColorBuffer& target, const DepthBuffer& depth);

private:
    struct OwnedTexture {
        std::vector<DWORD> texels;
        Texture view;
    };
    struct TexturedVertex {
        float x, y, z;
        float u, v;
    };
    struct ColouredVertex {
        float x, y, z;
        D3DCOLOR diffuse;
        float u, v;
    };
    struct SpriteVertex {
        float x, y, z;
        D3DCOLOR diffuse;
    };

    static void MakeTexture(OwnedTexture& t, UINT size, DWORD (*texel)(UINT x, UINT y, UINT size, UINT seed), UINT seed);
    void Accumulate(DrawStats& total, const State& state, const DrawCall& call);

    OwnedTexture sky_[6];
    OwnedTexture ground_;
    OwnedTexture billboard_;
    OwnedTexture sprite_;
    TexturedVertex skyFaces_[6][4];
    TexturedVertex groundQuad_[4];
    std::vector<ColouredVertex> billboards_;  // 4 per billboard, strip order
    std::vector<SpriteVertex> sprites_;
    D3DMATRIX skyWorld_{};
    StateStorage state_;
};

}  // namespace vestra::raster
