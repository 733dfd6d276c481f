// Fog: per-vertex factors (camera-space z or range), per-pixel table fog from the depth or
// the eye distance, and the specular alpha of pretransformed vertices. Blue vertices under
// red fog: the blue channel keeps f, the red one gets 255 - f (each rounded).
#include <gtest/gtest.h>

#include "RasterFixture.h"

namespace vestra::raster::testing {
namespace {

struct ColouredVertex {
    float x, y, z;
    D3DCOLOR diffuse;
};

struct LitScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse, specular;
};

constexpr D3DCOLOR kBlue = 0xFF0000FF;
constexpr D3DCOLOR kRedFog = 0x00FF0000;

void EnableFog(Canvas& c, DWORD vertexMode, DWORD tableMode, float start, float end, float density) {
    DWORD* rs = c.state.renderStates;
    rs[D3DRS_FOGENABLE] = TRUE;
    rs[D3DRS_FOGCOLOR] = kRedFog;
    rs[D3DRS_FOGVERTEXMODE] = vertexMode;
    rs[D3DRS_FOGTABLEMODE] = tableMode;
    c.SetFloat(D3DRS_FOGSTART, start);
    c.SetFloat(D3DRS_FOGEND, end);
    c.SetFloat(D3DRS_FOGDENSITY, density);
    rs[D3DRS_ZENABLE] = D3DZB_FALSE;
}

// A quad over the whole 4x4 canvas at camera-space depth z (identity transforms).
DWORD FoggedQuad(Canvas& c, float z) {
    const std::vector<ColouredVertex> quad = {{-1, 1, z, kBlue}, {1, 1, z, kBlue}, {-1, -1, z, kBlue}, {1, -1, z, kBlue}};
    c.Draw(D3DPT_TRIANGLESTRIP, 2, quad, D3DFVF_XYZ | D3DFVF_DIFFUSE);
    return c.At(1, 1);
}

TEST(Fog, VertexFogFormulasAtAKnownDepth) {
    Canvas c(4, 4);
    // LINEAR from 0 to 1 at z = 0.5: f = 0.5, 128 in 8 bits; red (255 * 127 + 127) / 255 = 127.
    EnableFog(c, D3DFOG_LINEAR, D3DFOG_NONE, 0.0f, 1.0f, 1.0f);
    EXPECT_EQ(0xFF7F0080u, FoggedQuad(c, 0.5f));
    // EXP with density 2: f = e^-1 = 0.3679, 94.
    EnableFog(c, D3DFOG_EXP, D3DFOG_NONE, 0.0f, 1.0f, 2.0f);
    EXPECT_EQ(0xFFA1005Eu, FoggedQuad(c, 0.5f));
    // EXP2 with density 1: f = e^-0.25 = 0.7788, 199.
    EnableFog(c, D3DFOG_EXP2, D3DFOG_NONE, 0.0f, 1.0f, 1.0f);
    EXPECT_EQ(0xFF3800C7u, FoggedQuad(c, 0.5f));
    // Beyond the end everything is fog colour; alpha stays the pixel's.
    EnableFog(c, D3DFOG_LINEAR, D3DFOG_NONE, 0.0f, 0.25f, 1.0f);
    EXPECT_EQ(0xFFFF0000u, FoggedQuad(c, 0.5f));
    // Without FOGENABLE nothing changes.
    c.state.renderStates[D3DRS_FOGENABLE] = FALSE;
    EXPECT_EQ(kBlue, FoggedQuad(c, 0.5f));
}

TEST(Fog, RangeFogMeasuresTheDistanceToTheEye) {
    Canvas c(8, 8);
    // A point at camera-space (0.3, 0.4, 0): z says no fog, the range (0.5) says half.
    const std::vector<ColouredVertex> point = {{0.3f, 0.4f, 0.0f, kBlue}};
    EnableFog(c, D3DFOG_LINEAR, D3DFOG_NONE, 0.0f, 1.0f, 1.0f);
    c.Draw(D3DPT_POINTLIST, 1, point, D3DFVF_XYZ | D3DFVF_DIFFUSE);
    // x = 4 + 0.3 * 4 = 5.2, y = 4 - 0.4 * 4 = 2.4: the pixel at (5, 2).
    EXPECT_EQ(kBlue, c.At(5, 2));
    c.state.renderStates[D3DRS_RANGEFOGENABLE] = TRUE;
    c.Draw(D3DPT_POINTLIST, 1, point, D3DFVF_XYZ | D3DFVF_DIFFUSE);
    EXPECT_EQ(0xFF7F0080u, c.At(5, 2));
}

TEST(Fog, TableFogUsesDepthOrEyeDistancePerPixel) {
    Canvas c(4, 4);
    // Identity projection: the depth z = 0.25 decides; LINEAR 0..1 gives f = 0.75, 191.
    EnableFog(c, D3DFOG_NONE, D3DFOG_LINEAR, 0.0f, 1.0f, 1.0f);
    c.Rect(0, 0, 4, 4, kBlue, 0.25f);
    EXPECT_EQ(0xFF4000BFu, c.At(1, 1));

    // A perspective projection (w is the camera-space z): w = 1 / rhw = 2 against 0..4.
    c.state.projection._34 = 1.0f;
    c.state.projection._44 = 0.0f;
    EnableFog(c, D3DFOG_NONE, D3DFOG_LINEAR, 0.0f, 4.0f, 1.0f);
    const std::vector<ScreenVertex> quad = {
        {0, 0, 0.25f, 0.5f, kBlue}, {4, 0, 0.25f, 0.5f, kBlue}, {0, 4, 0.25f, 0.5f, kBlue}, {4, 4, 0.25f, 0.5f, kBlue}};
    c.Draw(D3DPT_TRIANGLESTRIP, 2, quad, kScreenFvf);
    EXPECT_EQ(0xFF7F0080u, c.At(1, 1));
}

TEST(Fog, PretransformedVerticesCarryTheFactorInSpecularAlpha) {
    Canvas c(4, 4);
    // A vertex mode does not apply to pretransformed vertices: their specular alpha is f.
    EnableFog(c, D3DFOG_EXP, D3DFOG_NONE, 0.0f, 1.0f, 5.0f);
    const std::vector<LitScreenVertex> quad = {{0, 0, 0.5f, 1, kBlue, 0x80000000},
                                               {4, 0, 0.5f, 1, kBlue, 0x80000000},
                                               {0, 4, 0.5f, 1, kBlue, 0x80000000},
                                               {4, 4, 0.5f, 1, kBlue, 0x80000000}};
    c.Draw(D3DPT_TRIANGLESTRIP, 2, quad, D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR);
    EXPECT_EQ(0xFF7F0080u, c.At(1, 1));
}

}  // namespace
}  // namespace vestra::raster::testing
