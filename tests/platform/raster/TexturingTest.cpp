// Sampling (filters, address modes, mip selection) and the texture stages.
#include <gtest/gtest.h>

#include "RasterFixture.h"

namespace vestra::raster::testing {
namespace {

// Draws a w x 1 strip whose pixel centres sample u = u0 + (x + 0.5) * (u1 - u0) / w at v = 0.5.
std::vector<DWORD> SampleRow(TestTexture& t, UINT w, float u0, float u1, DWORD address, DWORD filter) {
    Canvas c(w, 1);
    c.state.textures[0] = &t.view;
    c.state.samplerStates[0][D3DSAMP_ADDRESSU] = address;
    c.state.samplerStates[0][D3DSAMP_ADDRESSV] = address;
    c.state.samplerStates[0][D3DSAMP_MAGFILTER] = filter;
    c.state.samplerStates[0][D3DSAMP_MINFILTER] = filter;
    c.state.samplerStates[0][D3DSAMP_BORDERCOLOR] = 0xFF0000FF;
    const float right = static_cast<float>(w) - 0.5f;
    const std::vector<ScreenTexVertex> v = {{-0.5f, -0.5f, 0.5f, 1, 0xFFFFFFFF, u0, 0.5f},
                                            {right, -0.5f, 0.5f, 1, 0xFFFFFFFF, u1, 0.5f},
                                            {-0.5f, 0.5f, 0.5f, 1, 0xFFFFFFFF, u0, 0.5f},
                                            {right, 0.5f, 0.5f, 1, 0xFFFFFFFF, u1, 0.5f}};
    c.Draw(D3DPT_TRIANGLESTRIP, 2, v, kScreenTexFvf);
    std::vector<DWORD> row(w);
    for (UINT x = 0; x < w; ++x) row[x] = c.At(x, 0);
    return row;
}

// A size x size square at the origin, textured 0..1 across and tinted by diffuse.
void TexturedSquare(Canvas& c, float size, D3DCOLOR diffuse = 0xFFFFFFFF) {
    const float e = size - 0.5f;
    const std::vector<ScreenTexVertex> v = {{-0.5f, -0.5f, 0.5f, 1, diffuse, 0, 0}, {e, -0.5f, 0.5f, 1, diffuse, 1, 0},
                                            {-0.5f, e, 0.5f, 1, diffuse, 0, 1}, {e, e, 0.5f, 1, diffuse, 1, 1}};
    c.Draw(D3DPT_TRIANGLESTRIP, 2, v, kScreenTexFvf);
}

TestTexture FourTexels() {
    TestTexture t;
    t.AddLevel(4, 1, {0xFF000000, 0xFF404040, 0xFF808080, 0xFFC0C0C0});
    return t;
}

TEST(Texturing, PointSamplingWithEachAddressMode) {
    TestTexture t = FourTexels();
    const DWORD T0 = 0xFF000000, T1 = 0xFF404040, T2 = 0xFF808080, T3 = 0xFFC0C0C0, B = 0xFF0000FF;
    // 12 pixels over u = -1 .. 2: texel positions -4 .. 7.
    using Row = std::vector<DWORD>;
    EXPECT_EQ(SampleRow(t, 12, -1, 2, D3DTADDRESS_WRAP, D3DTEXF_POINT), (Row{T0, T1, T2, T3, T0, T1, T2, T3, T0, T1, T2, T3}));
    EXPECT_EQ(SampleRow(t, 12, -1, 2, D3DTADDRESS_MIRROR, D3DTEXF_POINT), (Row{T3, T2, T1, T0, T0, T1, T2, T3, T3, T2, T1, T0}));
    EXPECT_EQ(SampleRow(t, 12, -1, 2, D3DTADDRESS_CLAMP, D3DTEXF_POINT), (Row{T0, T0, T0, T0, T0, T1, T2, T3, T3, T3, T3, T3}));
    EXPECT_EQ(SampleRow(t, 12, -1, 2, D3DTADDRESS_BORDER, D3DTEXF_POINT), (Row{B, B, B, B, T0, T1, T2, T3, B, B, B, B}));
    EXPECT_EQ(SampleRow(t, 12, -1, 2, D3DTADDRESS_MIRRORONCE, D3DTEXF_POINT), (Row{T3, T2, T1, T0, T0, T1, T2, T3, T3, T3, T3, T3}));
}

TEST(Texturing, BilinearFilteringBlendsNeighbours) {
    TestTexture t = FourTexels();
    // 8 pixels over one repeat: pixel x samples u * 4 - 0.5 = (x - 1.5) / 2 texels from
    // texel 0's centre. Pixel 1 lies a quarter of the way to texel 1 (0x40 / 4 = 0x10),
    // pixel 2 three quarters (0x30).
    const std::vector<DWORD> clamped = SampleRow(t, 8, 0, 1, D3DTADDRESS_CLAMP, D3DTEXF_LINEAR);
    EXPECT_EQ(clamped[0], 0xFF000000u);  // clamped: texel 0 blended with itself
    EXPECT_EQ(clamped[1], 0xFF101010u);
    EXPECT_EQ(clamped[2], 0xFF303030u);
    EXPECT_EQ(clamped[7], 0xFFC0C0C0u);
    // Wrapping blends the last texel into the first.
    const std::vector<DWORD> wrapped = SampleRow(t, 8, 0, 1, D3DTADDRESS_WRAP, D3DTEXF_LINEAR);
    EXPECT_EQ(wrapped[0], 0xFF303030u);  // 1/4 of texel 3 (0xC0), 3/4 of texel 0
    EXPECT_EQ(wrapped[7], 0xFF909090u);  // 3/4 of texel 3, 1/4 of texel 0
}

TEST(Texturing, MipLevelFollowsTheScreenFootprint) {
    TestTexture t;
    t.AddLevel(8, 8, std::vector<DWORD>(64, 0xFFFF0000));
    t.AddLevel(4, 4, std::vector<DWORD>(16, 0xFF00FF00));
    t.AddLevel(2, 2, std::vector<DWORD>(4, 0xFF0000FF));
    t.AddLevel(1, 1, std::vector<DWORD>(1, 0xFFFFFFFF));
    auto draw = [&t](float size, DWORD mip) {
        Canvas c(8, 8);
        c.state.textures[0] = &t.view;
        c.state.samplerStates[0][D3DSAMP_MIPFILTER] = mip;
        TexturedSquare(c, size);
        return c.At(0, 0);
    };
    EXPECT_EQ(draw(8, D3DTEXF_POINT), 0xFFFF0000u);  // one texel per pixel: level 0
    EXPECT_EQ(draw(4, D3DTEXF_POINT), 0xFF00FF00u);  // two texels per pixel: level 1
    EXPECT_EQ(draw(2, D3DTEXF_POINT), 0xFF0000FFu);  // four: level 2
    EXPECT_EQ(draw(2, D3DTEXF_NONE), 0xFFFF0000u);   // no mipmapping: always level 0
    // Linear mip filtering halfway between levels 1 and 2 (lod 1.5 at size 8/2^1.5).
    const DWORD between = draw(8.0f / 2.8284271f, D3DTEXF_LINEAR);
    EXPECT_NEAR(static_cast<int>((between >> 8) & 0xFF), 128, 2);
    EXPECT_NEAR(static_cast<int>(between & 0xFF), 128, 2);
}

TEST(Texturing, StageOperationsAndArguments) {
    TestTexture t;
    t.AddLevel(1, 1, {0x80604020});
    auto run = [&t](DWORD colorOp, DWORD arg1, DWORD arg2, DWORD diffuse) {
        Canvas c(1, 1);
        c.state.textures[0] = &t.view;
        c.state.renderStates[D3DRS_TEXTUREFACTOR] = 0x40FF0000;
        c.state.stageStates[0][D3DTSS_COLOROP] = colorOp;
        c.state.stageStates[0][D3DTSS_COLORARG1] = arg1;
        c.state.stageStates[0][D3DTSS_COLORARG2] = arg2;
        TexturedSquare(c, 1, diffuse);
        return c.At(0, 0) & 0x00FFFFFF;  // alpha is the texture's (default SELECTARG1)
    };
    const DWORD T = D3DTA_TEXTURE, D = D3DTA_DIFFUSE;
    // Texture rgb (0x60, 0x40, 0x20), alpha 0x80; diffuse (0x80, 0x80, 0x80) or as given.
    EXPECT_EQ(run(D3DTOP_SELECTARG1, T, D, 0xFF808080), 0x604020u);
    EXPECT_EQ(run(D3DTOP_SELECTARG2, T, D, 0xFF808080), 0x808080u);
    EXPECT_EQ(run(D3DTOP_MODULATE, T, D, 0xFF808080), 0x302010u);
    EXPECT_EQ(run(D3DTOP_MODULATE2X, T, D, 0xFF808080), 0x604020u);
    EXPECT_EQ(run(D3DTOP_MODULATE4X, T, D, 0xFF808080), 0xC08040u);
    EXPECT_EQ(run(D3DTOP_ADD, T, D, 0xFFC08080), 0xFFC0A0u);
    EXPECT_EQ(run(D3DTOP_ADDSIGNED, T, D, 0xFF808080), 0x604020u);
    EXPECT_EQ(run(D3DTOP_SUBTRACT, D, T, 0xFF808080), 0x204060u);
    EXPECT_EQ(run(D3DTOP_BLENDDIFFUSEALPHA, T, D, 0x00808080), 0x808080u);  // diffuse alpha 0: all ARG2
    // Texture alpha 0x80: texture * 128/255 + factor * 127/255 = (48 + 127, 32, 16).
    EXPECT_EQ(run(D3DTOP_BLENDTEXTUREALPHA, T, D3DTA_TFACTOR, 0xFF000000), 0xAF2010u);
    // Factor alpha 0x40: factor * 64/255 + texture * 191/255 = (64 + 72, 48, 24).
    EXPECT_EQ(run(D3DTOP_BLENDFACTORALPHA, D3DTA_TFACTOR, T, 0xFF000000), 0x883018u);
    // Modifiers: complement and alpha replicate.
    EXPECT_EQ(run(D3DTOP_SELECTARG1, T | D3DTA_COMPLEMENT, D, 0xFF000000), 0x9FBFDFu);
    EXPECT_EQ(run(D3DTOP_SELECTARG1, T | D3DTA_ALPHAREPLICATE, D, 0xFF000000), 0x808080u);
    EXPECT_EQ(run(D3DTOP_SELECTARG1, D3DTA_SPECULAR, D, 0xFF000000), 0x000000u);  // no specular in the vertex
}

TEST(Texturing, SecondStageCombinesWithTheFirst) {
    TestTexture a, b;
    a.AddLevel(1, 1, {0xFF808080});
    b.AddLevel(1, 1, {0xFF204060});
    Canvas c(1, 1);
    c.state.textures[0] = &a.view;
    c.state.textures[1] = &b.view;
    c.state.stageStates[1][D3DTSS_COLOROP] = D3DTOP_ADD;
    c.state.stageStates[1][D3DTSS_ALPHAOP] = D3DTOP_SELECTARG2;
    TexturedSquare(c, 1);
    // Stage 0 modulates by white diffuse (0x80 each), stage 1 adds its texel.
    EXPECT_EQ(c.At(0, 0), 0xFFA0C0E0u);
}

}  // namespace
}  // namespace vestra::raster::testing
