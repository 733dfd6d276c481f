// Cube textures: which face a direction hits and where on it; volume textures: texels by
// three coordinates, filtered across slices, addressed per axis.
#include <gtest/gtest.h>

#include "RasterFixture.h"

namespace vestra::raster::testing {
namespace {

struct DirectionVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u, v, w;
};
constexpr DWORD kDirectionFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1 | D3DFVF_TEXCOORDSIZE3(0);

// Texel (x, y) of face f is 0xFF00 | f, y, x: each pixel names the face and texel it read.
struct CubeTexture {
    std::vector<DWORD> texels[kCubeFaces];
    Texture view;
    CubeTexture() {
        view.shape = TextureShape::Cube;
        view.levelCount = 1;
        for (UINT f = 0; f < kCubeFaces; ++f) {
            texels[f] = {0xFF000000u | f << 16, 0xFF000001u | f << 16, 0xFF000100u | f << 16, 0xFF000101u | f << 16};
            view.levels[f * kMaxTextureLevels] = TextureLevel{2, 2, 8, reinterpret_cast<const BYTE*>(texels[f].data())};
        }
    }
};

// One pixel at (x, 0) textured by the direction (u, v, w).
void DirectionPixel(Canvas& c, float x, float u, float v, float w) {
    const float l = x - 0.5f, r = x + 0.5f;
    const std::vector<DirectionVertex> quad = {{l, -0.5f, 0.5f, 1, 0xFFFFFFFF, u, v, w},
                                               {r, -0.5f, 0.5f, 1, 0xFFFFFFFF, u, v, w},
                                               {l, 0.5f, 0.5f, 1, 0xFFFFFFFF, u, v, w},
                                               {r, 0.5f, 0.5f, 1, 0xFFFFFFFF, u, v, w}};
    c.Draw(D3DPT_TRIANGLESTRIP, 2, quad, kDirectionFvf);
}

void TextureOnly(Canvas& c, const Texture& texture) {
    c.state.textures[0] = &texture;
    c.state.stageStates[0][D3DTSS_COLOROP] = D3DTOP_SELECTARG1;
    c.state.renderStates[D3DRS_ZENABLE] = D3DZB_FALSE;
}

TEST(CubeTexture, MajorAxisPicksTheFaceAndItsOrientation) {
    CubeTexture cube;
    Canvas c(6, 1);
    TextureOnly(c, cube.view);
    // +X: s = -z, t = -y; -X: s = z, t = -y; +Y: s = x, t = z; -Y: s = x, t = -z;
    // +Z: s = x, t = -y; -Z: s = -x, t = -y; each divided by the major axis, then mapped
    // from [-1, 1] to [0, 1].
    DirectionPixel(c, 0, 1.0f, 0.5f, -0.5f);    // s 0.75, t 0.25
    DirectionPixel(c, 1, -1.0f, -0.5f, -0.5f);  // s 0.25, t 0.75
    DirectionPixel(c, 2, 0.2f, 1.0f, -0.5f);    // s 0.6, t 0.25
    DirectionPixel(c, 3, 0.2f, -1.0f, -0.5f);   // s 0.6, t 0.75
    DirectionPixel(c, 4, -0.5f, 0.5f, 2.0f);    // s 0.375, t 0.375
    DirectionPixel(c, 5, -0.5f, 0.5f, -1.0f);   // s 0.75, t 0.25
    EXPECT_EQ((std::vector<DWORD>{0xFF000001, 0xFF010100, 0xFF020001, 0xFF030101, 0xFF040000, 0xFF050001}),
              c.Pixels());
}

// Camera-space positions as three coordinates: the quad at z = 0.5 spans x, y in [-1, 1].
TEST(CubeTexture, GeneratedCoordinatesUseThreeComponents) {
    struct Position {
        float x, y, z;
    };
    CubeTexture cube;
    Canvas c(8, 8);
    TextureOnly(c, cube.view);
    c.state.stageStates[0][D3DTSS_TEXCOORDINDEX] = D3DTSS_TCI_CAMERASPACEPOSITION;
    const std::vector<Position> quad = {{-1, 1, 0.5f}, {1, 1, 0.5f}, {-1, -1, 0.5f}, {1, -1, 0.5f}};
    c.Draw(D3DPT_TRIANGLESTRIP, 2, quad, D3DFVF_XYZ);
    // Pixel (3, 3) sees (-0.25, 0.25, 0.5): +Z, s 0.25, t 0.25.
    EXPECT_EQ(0xFF040000u, c.At(3, 3));
    // Pixel (7, 5) sees (0.75, -0.25, 0.5): +X, s = -0.5 / 0.75 -> 0.167, t = 0.25 / 0.75 -> 0.667.
    EXPECT_EQ(0xFF000100u, c.At(7, 5));
}

TEST(VolumeTexture, PointAndTrilinearSamplesWithPerAxisAddressing) {
    // 2x2x2 texels: red 128 in slice 1, green 128 in row 1, blue 128 in column 1.
    std::vector<DWORD> texels;
    for (DWORD z = 0; z < 2; ++z)
        for (DWORD y = 0; y < 2; ++y)
            for (DWORD x = 0; x < 2; ++x) texels.push_back(0xFF000000u | z * 0x800000u | y * 0x8000u | x * 0x80u);
    Texture volume;
    volume.shape = TextureShape::Volume;
    volume.levelCount = 1;
    volume.levels[0] = TextureLevel{2, 2, 8, reinterpret_cast<const BYTE*>(texels.data()), 2, 16};
    Canvas c(3, 1);
    TextureOnly(c, volume);
    DirectionPixel(c, 0, 0.75f, 0.25f, 0.75f);  // texel (1, 0, 1)
    DWORD* sampler = c.state.samplerStates[0];
    sampler[D3DSAMP_MAGFILTER] = D3DTEXF_LINEAR;
    DirectionPixel(c, 1, 0.5f, 0.5f, 0.5f);  // halfway on every axis: 64 everywhere
    // w = 1 falls halfway between slice 1 and the slice after it: slice 0 when wrapping,
    // slice 1 again when clamped.
    DirectionPixel(c, 2, 0.25f, 0.25f, 1.0f);
    EXPECT_EQ((std::vector<DWORD>{0xFF800080, 0xFF404040, 0xFF400000}), c.Pixels());
    sampler[D3DSAMP_ADDRESSW] = D3DTADDRESS_CLAMP;
    DirectionPixel(c, 2, 0.25f, 0.25f, 1.0f);
    EXPECT_EQ(0xFF800000u, c.At(2, 0));
}

}  // namespace
}  // namespace vestra::raster::testing
