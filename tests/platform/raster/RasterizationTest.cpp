// Coverage, fill convention, culling, clipping, interpolation and shading mode.
#include <gtest/gtest.h>

#include <cmath>

#include "RasterFixture.h"

namespace vestra::raster::testing {
namespace {

constexpr DWORD kBlack = 0x00000000;
constexpr DWORD kWhite = 0xFFFFFFFF;

TEST(Rasterization, SmallTriangleCoversExactlyTheCentresInsideByTheTopLeftRule) {
    Canvas c(8, 8);
    // Right triangle (0,0) (4,0) (0,4), clockwise on screen. Centres with x + y < 4 are
    // inside; those on the hypotenuse (x + y == 4, a right-hand edge) are out, and those
    // on the top edge (y == 0) and left edge (x == 0) are in.
    const std::vector<ScreenVertex> v = {{0, 0, 0.5f, 1, kWhite}, {4, 0, 0.5f, 1, kWhite}, {0, 4, 0.5f, 1, kWhite}};
    const DrawStats stats = c.Draw(D3DPT_TRIANGLELIST, 1, v, kScreenFvf);
    EXPECT_EQ(stats.primitivesDrawn, 1u);
    EXPECT_EQ(stats.pixelsWritten, 10u);
    for (UINT y = 0; y < 8; ++y)
        for (UINT x = 0; x < 8; ++x) EXPECT_EQ(c.At(x, y), (x + y < 4) ? kWhite : kBlack) << x << "," << y;
}

TEST(Rasterization, SharedEdgesAreDrawnExactlyOnce) {
    Canvas c(32, 32);
    DWORD* rs = c.state.renderStates;
    rs[D3DRS_ALPHABLENDENABLE] = TRUE;
    rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLEND] = D3DBLEND_ONE;
    rs[D3DRS_CULLMODE] = D3DCULL_NONE;
    // A fan of 12 triangles round an off-grid centre, rim on fractional coordinates and
    // mixed windings: every pixel centre inside gets exactly one contribution of 1.
    // (Alpha comes from the missing texture, opaque white, so only colour is compared.)
    const D3DCOLOR one = 0x00010101;
    std::vector<ScreenVertex> v;
    v.push_back({15.3f, 16.7f, 0.5f, 1, one});
    for (int k = 0; k <= 12; ++k) {
        const float a = static_cast<float>(k) * 6.2831853f / 12.0f;
        v.push_back({15.3f + 11.1f * std::cos(a), 16.7f + 10.6f * std::sin(a), 0.5f, 1, one});
    }
    c.Draw(D3DPT_TRIANGLEFAN, 12, v, kScreenFvf);
    int covered = 0;
    for (DWORD p : c.Pixels()) {
        p &= 0x00FFFFFF;
        EXPECT_TRUE(p == 0 || p == one) << std::hex << p;
        covered += p == one;
    }
    EXPECT_GT(covered, 300);

    // Two triangles of a quad with the diagonal through pixel centres.
    Canvas q(8, 8);
    std::memcpy(q.state.renderStates, rs, sizeof q.state.renderStates);
    const std::vector<ScreenVertex> quad = {{0, 0, 0.5f, 1, one}, {6, 0, 0.5f, 1, one}, {0, 6, 0.5f, 1, one},
                                            {6, 0, 0.5f, 1, one}, {6, 6, 0.5f, 1, one}, {0, 6, 0.5f, 1, one}};
    q.Draw(D3DPT_TRIANGLELIST, 2, quad, kScreenFvf);
    for (UINT y = 0; y < 8; ++y)
        for (UINT x = 0; x < 8; ++x) EXPECT_EQ(q.At(x, y) & 0x00FFFFFF, (x < 6 && y < 6) ? one : 0u) << x << "," << y;
}

TEST(Rasterization, CullModeDiscardsByScreenWinding) {
    const std::vector<ScreenVertex> clockwise = {{0, 0, 0.5f, 1, kWhite}, {4, 0, 0.5f, 1, kWhite}, {0, 4, 0.5f, 1, kWhite}};
    const std::vector<ScreenVertex> counter = {{0, 0, 0.5f, 1, kWhite}, {0, 4, 0.5f, 1, kWhite}, {4, 0, 0.5f, 1, kWhite}};
    struct Case {
        DWORD mode;
        bool drawsClockwise, drawsCounter;
    };
    for (const Case& k : {Case{D3DCULL_CCW, true, false}, Case{D3DCULL_CW, false, true}, Case{D3DCULL_NONE, true, true}}) {
        Canvas c(4, 4);
        c.state.renderStates[D3DRS_CULLMODE] = k.mode;
        EXPECT_EQ(c.Draw(D3DPT_TRIANGLELIST, 1, clockwise, kScreenFvf).primitivesDrawn, k.drawsClockwise ? 1u : 0u);
        EXPECT_EQ(c.Draw(D3DPT_TRIANGLELIST, 1, counter, kScreenFvf).primitivesDrawn, k.drawsCounter ? 1u : 0u);
    }
    // Strips alternate their vertex order so every triangle keeps the strip's winding.
    Canvas s(8, 8);
    const std::vector<ScreenVertex> strip = {
        {0, 0, 0.5f, 1, kWhite}, {8, 0, 0.5f, 1, kWhite}, {0, 8, 0.5f, 1, kWhite}, {8, 8, 0.5f, 1, kWhite}};
    EXPECT_EQ(s.Draw(D3DPT_TRIANGLESTRIP, 2, strip, kScreenFvf).pixelsWritten, 64u);
}

TEST(Rasterization, GouraudInterpolatesAndFlatTakesTheFirstVertex) {
    Canvas c(5, 1);
    c.state.renderStates[D3DRS_CULLMODE] = D3DCULL_NONE;
    // Red runs 0 at x = -0.5 to 255 at x = 4.5: pixel x gets (x + 0.5) * 51.
    const std::vector<ScreenVertex> v = {{-0.5f, -0.5f, 0.5f, 1, 0xFF000000}, {4.5f, -0.5f, 0.5f, 1, 0xFFFF0000},
                                         {-0.5f, 1.5f, 0.5f, 1, 0xFF000000}, {4.5f, 1.5f, 0.5f, 1, 0xFFFF0000}};
    c.Draw(D3DPT_TRIANGLESTRIP, 2, v, kScreenFvf);
    const int expected[5] = {26, 77, 128, 179, 230};  // round(25.5 + 51 x)
    for (UINT x = 0; x < 5; ++x) EXPECT_NEAR(static_cast<int>((c.At(x, 0) >> 16) & 0xFF), expected[x], 1) << x;

    c.state.renderStates[D3DRS_SHADEMODE] = D3DSHADE_FLAT;
    const std::vector<ScreenVertex> flat = {{-0.5f, -0.5f, 0.5f, 1, 0xFF102030}, {4.5f, -0.5f, 0.5f, 1, 0xFFFF0000},
                                            {-0.5f, 1.5f, 0.5f, 1, 0xFF00FF00}};
    c.Draw(D3DPT_TRIANGLELIST, 1, flat, kScreenFvf);
    EXPECT_EQ(c.At(0, 0), 0xFF102030u);
    EXPECT_EQ(c.At(3, 0), 0xFF102030u);
}

TEST(Rasterization, PerspectiveCorrectInterpolation) {
    Canvas c(9, 1);
    c.state.renderStates[D3DRS_CULLMODE] = D3DCULL_NONE;
    // Left edge at w = 1, right edge at w = 3. A point at parameter t along the surface
    // lands on screen at s = 3t / (1 + 2t), so the screen midpoint is t = 1/4: red 64
    // (screen-linear interpolation would give 128).
    const std::vector<ScreenVertex> v = {{-0.5f, -1, 0.5f, 1.0f, 0xFF000000}, {8.5f, -1, 0.5f, 1.0f / 3, 0xFFFF0000},
                                         {-0.5f, 2, 0.5f, 1.0f, 0xFF000000}, {8.5f, 2, 0.5f, 1.0f / 3, 0xFFFF0000}};
    c.Draw(D3DPT_TRIANGLESTRIP, 2, v, kScreenFvf);
    EXPECT_NEAR(static_cast<int>((c.At(4, 0) >> 16) & 0xFF), 64, 1);
}

TEST(Rasterization, NearAndFarPlanesClipExactly) {
    Canvas c(20, 4);
    c.state.renderStates[D3DRS_CULLMODE] = D3DCULL_NONE;
    c.state.renderStates[D3DRS_ZENABLE] = D3DZB_FALSE;
    struct V {
        float x, y, z;
        D3DCOLOR c;
    };
    // Identity transforms: clip = position, w = 1. z runs -1 .. 1 from left to right so the
    // near plane (z = 0) cuts the screen in half at x = 10.
    const std::vector<V> v = {{-1, 1, -1, kWhite}, {1, 1, 1, kWhite}, {-1, -1, -1, kWhite}, {1, -1, 1, kWhite}};
    c.Draw(D3DPT_TRIANGLESTRIP, 2, v, D3DFVF_XYZ | D3DFVF_DIFFUSE);
    for (UINT x = 0; x < 20; ++x) EXPECT_EQ(c.At(x, 1), x >= 10 ? kWhite : kBlack) << x;
    // Entirely beyond the far plane: nothing reaches the rasterizer.
    const std::vector<V> far = {{-1, 1, 2, kWhite}, {1, 1, 2, kWhite}, {-1, -1, 2, kWhite}};
    EXPECT_EQ(c.Draw(D3DPT_TRIANGLELIST, 1, far, D3DFVF_XYZ | D3DFVF_DIFFUSE).primitivesDrawn, 0u);
}

TEST(Rasterization, LinesAndPoints) {
    Canvas c(8, 8);
    const std::vector<ScreenVertex> line = {{1, 2, 0.5f, 1, kWhite}, {6, 2, 0.5f, 1, kWhite}};
    c.state.renderStates[D3DRS_LASTPIXEL] = FALSE;
    EXPECT_EQ(c.Draw(D3DPT_LINELIST, 1, line, kScreenFvf).pixelsWritten, 5u);  // x = 1..5
    EXPECT_EQ(c.At(1, 2), kWhite);
    EXPECT_EQ(c.At(6, 2), kBlack);
    c.state.renderStates[D3DRS_LASTPIXEL] = TRUE;
    EXPECT_EQ(c.Draw(D3DPT_LINELIST, 1, line, kScreenFvf).pixelsWritten, 6u);
    EXPECT_EQ(c.At(6, 2), kWhite);

    // A diagonal y-major line steps one pixel per row.
    Canvas d(8, 8);
    const std::vector<ScreenVertex> diagonal = {{0, 0, 0.5f, 1, kWhite}, {3, 6, 0.5f, 1, kWhite}};
    EXPECT_EQ(d.Draw(D3DPT_LINELIST, 1, diagonal, kScreenFvf).pixelsWritten, 7u);
    EXPECT_EQ(d.At(0, 0), kWhite);
    EXPECT_EQ(d.At(3, 6), kWhite);

    // A point of size 1 is the pixel under it; size 3 is the 3 x 3 block round it.
    Canvas p(8, 8);
    const std::vector<ScreenVertex> point = {{4, 4, 0.5f, 1, kWhite}};
    EXPECT_EQ(p.Draw(D3DPT_POINTLIST, 1, point, kScreenFvf).pixelsWritten, 1u);
    EXPECT_EQ(p.At(4, 4), kWhite);
    p.SetFloat(D3DRS_POINTSIZE, 3.0f);
    EXPECT_EQ(p.Draw(D3DPT_POINTLIST, 1, point, kScreenFvf).pixelsWritten, 9u);
    EXPECT_EQ(p.At(3, 3), kWhite);
    EXPECT_EQ(p.At(5, 5), kWhite);
}

TEST(Rasterization, BadInputDrawsNothing) {
    Canvas c(4, 4);
    const std::vector<ScreenVertex> v = {{0, 0, 0.5f, 1, kWhite}, {4, 0, 0.5f, 1, kWhite}, {0, 4, 0.5f, 1, kWhite}};
    const State s = c.state.View();
    EXPECT_EQ(Draw(s, DrawCall{D3DPT_TRIANGLELIST, 1, v.data(), 3, sizeof(ScreenVertex), D3DFVF_DIFFUSE}).primitivesDrawn, 0u);
    EXPECT_EQ(Draw(s, DrawCall{D3DPT_TRIANGLELIST, 1, v.data(), 3, 8, kScreenFvf}).primitivesDrawn, 0u);
    EXPECT_EQ(Draw(s, DrawCall{D3DPT_TRIANGLELIST, 2, v.data(), 3, sizeof(ScreenVertex), kScreenFvf}).primitivesDrawn, 0u);
    const WORD outOfRange[3] = {0, 1, 7};
    DrawCall indexed{D3DPT_TRIANGLELIST, 1, v.data(), 3, sizeof(ScreenVertex), kScreenFvf, outOfRange, D3DFMT_INDEX16, 0};
    EXPECT_EQ(Draw(s, indexed).primitivesDrawn, 0u);
    const WORD inRange[3] = {2, 1, 0};  // reversed: counter-clockwise, culled
    indexed.indices = inRange;
    EXPECT_EQ(Draw(s, indexed).primitivesDrawn, 0u);
    indexed.baseVertex = -1;  // 1, 0, -1: skipped rather than read out of bounds
    EXPECT_EQ(Draw(s, indexed).primitivesDrawn, 0u);
    EXPECT_EQ(c.CountNot(0), 0);
}

}  // namespace
}  // namespace vestra::raster::testing
