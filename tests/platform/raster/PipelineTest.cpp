// Transformed vertices through lighting and point scaling, and reproducible output.
#include <gtest/gtest.h>

#include <cmath>

#include "RasterFixture.h"

namespace vestra::raster::testing {
namespace {

struct LitVertex {
    float x, y, z;
    float nx, ny, nz;
};
// Covers the canvas at z = 0.5 facing the viewer.
const std::vector<LitVertex> kFacingQuad = {
    {-1, 1, 0.5f, 0, 0, -1}, {1, 1, 0.5f, 0, 0, -1}, {-1, -1, 0.5f, 0, 0, -1}, {1, -1, 0.5f, 0, 0, -1}};

void AlphaBlend(Canvas& c) {
    c.state.renderStates[D3DRS_ALPHABLENDENABLE] = TRUE;
    c.state.renderStates[D3DRS_SRCBLEND] = D3DBLEND_SRCALPHA;
    c.state.renderStates[D3DRS_DESTBLEND] = D3DBLEND_INVSRCALPHA;
}

TEST(Pipeline, DirectionalLightOnAKnownNormal) {
    Canvas c(4, 4);
    DWORD* rs = c.state.renderStates;
    rs[D3DRS_LIGHTING] = TRUE;
    rs[D3DRS_AMBIENT] = 0xFF202020;  // global ambient 32/255
    c.state.material.Diffuse = {1.0f, 0.5f, 0.25f, 1.0f};
    c.state.material.Ambient = {1.0f, 1.0f, 1.0f, 1.0f};
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    // Normal (0, 0, -1) facing the viewer; the light shines along (0, -1, 1)/sqrt 2, so
    // N.L = cos 45 degrees = 0.7071.
    light.Direction = {0.0f, -1.0f, 1.0f};
    c.state.lights.push_back(light);
    c.Draw(D3DPT_TRIANGLESTRIP, 2, kFacingQuad, D3DFVF_XYZ | D3DFVF_NORMAL);
    // Colour = ambient 32/255 + diffuse * 0.7071: red 32 + 180 = 212, green 32 + 90 = 122,
    // blue 32 + 45 = 77 (material ambient is white, texture absent = white).
    const DWORD p = c.At(1, 1);
    EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 212, 1);
    EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), 122, 1);
    EXPECT_NEAR(static_cast<int>(p & 0xFF), 77, 1);

    // Facing away from the light leaves only the ambient term.
    c.state.lights[0].Direction = {0.0f, 0.0f, -1.0f};
    c.Draw(D3DPT_TRIANGLESTRIP, 2, kFacingQuad, D3DFVF_XYZ | D3DFVF_NORMAL);
    EXPECT_EQ(c.At(1, 1) & 0x00FFFFFF, 0x202020u);
}

TEST(Pipeline, PointLightAttenuatesWithDistance) {
    Canvas c(4, 4);
    c.state.renderStates[D3DRS_LIGHTING] = TRUE;
    c.state.material.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    light.Position = {0.0f, 0.0f, -1.5f};  // 2 units in front of the quad at z = 0.5
    light.Range = 100.0f;
    light.Attenuation1 = 1.0f;  // 1 / d: 0.5 at the centre
    c.state.lights.push_back(light);
    c.Draw(D3DPT_TRIANGLESTRIP, 2, kFacingQuad, D3DFVF_XYZ | D3DFVF_NORMAL);
    // Per-vertex lighting at the corners: d = sqrt(1 + 1 + 4) = 2.449, N.L = 2 / d,
    // attenuation 1 / d: 2 / 6 = 1/3 -> 85, interpolated unchanged across the quad.
    EXPECT_NEAR(static_cast<int>(c.At(1, 1) & 0xFF), 85, 1);
    c.state.lights[0].Range = 2.0f;  // every corner is out of range
    c.Draw(D3DPT_TRIANGLESTRIP, 2, kFacingQuad, D3DFVF_XYZ | D3DFVF_NORMAL);
    EXPECT_EQ(c.At(1, 1) & 0x00FFFFFF, 0u);
}

TEST(Pipeline, PointSpriteSizeFollowsDistance) {
    struct V {
        float x, y, z;
        D3DCOLOR c;
    };
    // Camera at the origin looking down +z (identity view); a projection with w = z.
    auto sprite = [](float distance) {
        Canvas c(64, 64);
        c.state.projection = D3DMATRIX{};
        c.state.projection._11 = c.state.projection._22 = 1.0f;
        c.state.projection._33 = 1.0f;
        c.state.projection._34 = 1.0f;
        c.state.projection._43 = -0.1f;
        DWORD* rs = c.state.renderStates;
        rs[D3DRS_POINTSPRITEENABLE] = TRUE;
        rs[D3DRS_POINTSCALEENABLE] = TRUE;
        c.SetFloat(D3DRS_POINTSIZE, 0.25f);
        c.SetFloat(D3DRS_POINTSCALE_A, 0.0f);
        c.SetFloat(D3DRS_POINTSCALE_B, 0.0f);
        c.SetFloat(D3DRS_POINTSCALE_C, 1.0f);
        const std::vector<V> v = {{0, 0, distance, 0xFFFFFFFF}};
        return c.Draw(D3DPT_POINTLIST, 1, v, D3DFVF_XYZ | D3DFVF_DIFFUSE).pixelsWritten;
    };
    // Side = viewport height 64 * 0.25 / distance: 8 pixels at distance 2, 4 at 4.
    EXPECT_EQ(sprite(2.0f), 64u);
    EXPECT_EQ(sprite(4.0f), 16u);
    // Close enough to exceed POINTSIZE_MAX (64): clamped to 64 x 64.
    EXPECT_EQ(sprite(0.2f), 64u * 64u);
}

TEST(Pipeline, SpriteTextureCoordinatesSpanTheSquare) {
    TestTexture t;
    t.AddLevel(2, 2, {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF});
    Canvas c(4, 4);
    c.state.textures[0] = &t.view;
    c.state.renderStates[D3DRS_POINTSPRITEENABLE] = TRUE;
    c.SetFloat(D3DRS_POINTSIZE, 4.0f);
    const std::vector<ScreenVertex> v = {{2.0f, 2.0f, 0.5f, 1, 0xFFFFFFFF}};  // square covers 0..3
    c.Draw(D3DPT_POINTLIST, 1, v, kScreenFvf);
    EXPECT_EQ(c.At(0, 0), 0xFF0000FFu);  // (0,0) at the top-left
    EXPECT_EQ(c.At(3, 0), 0xFF00FF00u);
    EXPECT_EQ(c.At(0, 3), 0xFFFF0000u);
    EXPECT_EQ(c.At(3, 3), 0xFFFFFFFFu);
}

// Queued draws come out as the same bytes as immediate ones, in submission order, whoever
// rasterizes which rows.
TEST(Pipeline, QueuedDrawsMatchImmediateDraws) {
    std::vector<std::vector<ScreenVertex>> quads;
    for (int i = 0; i < 40; ++i) {
        const float x = static_cast<float>((i * 29) % 70), y = static_cast<float>((i * 17) % 50);
        const D3DCOLOR colour = 0x60000000u | (0x0A1B2Cu * static_cast<DWORD>(i + 1) & 0xFFFFFF);
        quads.push_back({{x, y, 0.5f, 1, colour}, {x + 30, y, 0.5f, 1, colour}, {x, y + 30, 0.5f, 1, colour},
                         {x + 30, y + 30, 0.5f, 1, colour}});
    }
    Canvas immediate(100, 80);
    AlphaBlend(immediate);
    UINT expectedPixels = 0;
    for (const auto& q : quads) expectedPixels += immediate.Draw(D3DPT_TRIANGLESTRIP, 2, q, kScreenFvf).pixelsWritten;

    for (UINT threads : {1u, 2u, 3u}) {
        SetThreadCount(threads);
        Canvas queued(100, 80);
        AlphaBlend(queued);
        DrawQueue queue;
        for (const auto& q : quads) {
            const DrawStats stats = queue.Submit(queued.state.View(),
                                                 DrawCall{D3DPT_TRIANGLESTRIP, 2, q.data(), 4, sizeof(ScreenVertex), kScreenFvf});
            EXPECT_EQ(2u, stats.primitivesDrawn);
            EXPECT_EQ(0u, stats.pixelsWritten);
        }
        EXPECT_EQ(0, queued.CountNot(0));  // nothing drawn before the flush
        EXPECT_FALSE(queue.Empty());
        EXPECT_EQ(expectedPixels, queue.Flush());
        EXPECT_TRUE(queue.Empty());
        EXPECT_EQ(0u, queue.Flush());
        EXPECT_EQ(immediate.Pixels(), queued.Pixels()) << threads << " threads";
    }
    SetThreadCount(0);
}

// A queue past its size limit rasterizes what it holds during Submit; Flush still counts
// every pixel since the last flush, and the picture is the same.
TEST(Pipeline, OversizedQueueRasterizesEarlyAndCountsEverything) {
    Canvas c(100, 80);
    c.state.renderStates[D3DRS_ZENABLE] = D3DZB_FALSE;
    std::vector<ScreenVertex> points;
    for (UINT i = 0; i < 70000; ++i)
        points.push_back({static_cast<float>(i % 100), static_cast<float>((i / 100) % 80), 0.5f, 1, 0xFF000000u | i});
    DrawQueue queue;
    queue.Submit(c.state.View(), DrawCall{D3DPT_POINTLIST, 70000, points.data(), 70000, sizeof(ScreenVertex), kScreenFvf});
    EXPECT_FALSE(queue.Empty());
    EXPECT_EQ(70000u, queue.Flush());
    EXPECT_TRUE(queue.Empty());
    // The last point on each pixel wins: pixel 0 was hit by points 0, 8000, ..., 64000.
    EXPECT_EQ(0xFF000000u | 64000u, c.At(0, 0));
}

// Hundreds of primitives are sorted into bands of rows that the threads take in turn;
// blending makes any change of order within a pixel visible.
TEST(Pipeline, BandedDrawsMatchOneThread) {
    auto render = [](UINT threads) {
        SetThreadCount(threads);
        Canvas c(96, 80);
        c.state.renderStates[D3DRS_CULLMODE] = D3DCULL_NONE;
        AlphaBlend(c);
        UINT seed = 3;
        auto next = [&seed](float range) {
            seed = seed * 1103515245u + 12345u;
            return range * static_cast<float>((seed >> 8) & 0xFFFF) / 65535.0f;
        };
        std::vector<ScreenVertex> triangles, strip;
        for (int i = 0; i < 600 * 3; ++i)
            triangles.push_back({next(96), next(80), next(1), 1, 0x80000000u | static_cast<DWORD>(next(16777215))});
        for (int i = 0; i < 301; ++i) strip.push_back({next(96), next(80), 0.5f, 1, 0xC0FF8000u + static_cast<DWORD>(i)});
        const DrawStats a = c.Draw(D3DPT_TRIANGLELIST, 600, triangles, kScreenFvf);
        const DrawStats b = c.Draw(D3DPT_LINESTRIP, 300, strip, kScreenFvf);
        EXPECT_GT(a.pixelsWritten, 0u);
        EXPECT_GT(b.pixelsWritten, 0u);
        return std::make_pair(c.Pixels(), a.pixelsWritten + b.pixelsWritten);
    };
    const auto one = render(1);
    EXPECT_EQ(render(2), one);
    EXPECT_EQ(render(3), one);
    SetThreadCount(0);
}

}  // namespace
}  // namespace vestra::raster::testing
