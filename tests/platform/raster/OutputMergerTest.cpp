// Blending, alpha test, depth and stencil, write mask: one pixel against known values.
#include <gtest/gtest.h>

#include "RasterFixture.h"

namespace vestra::raster::testing {
namespace {

// Whether each function passes for a value less than, equal to and greater than the reference.
struct Comparison {
    DWORD func;
    bool less, equal, greater;
};
const Comparison kComparisons[] = {{D3DCMP_NEVER, false, false, false},   {D3DCMP_LESS, true, false, false},
                                   {D3DCMP_EQUAL, false, true, false},    {D3DCMP_LESSEQUAL, true, true, false},
                                   {D3DCMP_GREATER, false, false, true},  {D3DCMP_NOTEQUAL, true, false, true},
                                   {D3DCMP_GREATEREQUAL, false, true, true}, {D3DCMP_ALWAYS, true, true, true}};

// Draws one pixel of `src` (diffuse; alpha from diffuse) over a target filled with `dst`.
DWORD BlendOnePixel(DWORD src, DWORD dst, DWORD srcBlend, DWORD destBlend, DWORD op = D3DBLENDOP_ADD) {
    Canvas c(1, 1);
    c.Fill(dst);
    DWORD* rs = c.state.renderStates;
    c.state.stageStates[0][D3DTSS_ALPHAOP] = D3DTOP_SELECTARG2;
    rs[D3DRS_ALPHABLENDENABLE] = TRUE;
    rs[D3DRS_SRCBLEND] = srcBlend;
    rs[D3DRS_DESTBLEND] = destBlend;
    rs[D3DRS_BLENDOP] = op;
    rs[D3DRS_BLENDFACTOR] = 0x40404040;
    c.Rect(-0.5f, -0.5f, 0.5f, 0.5f, src);
    return c.At(0, 0);
}

TEST(OutputMerger, BlendFactorsAndOperationsOnKnownColours) {
    // src (a 0x80, r 0xFF, g 0x80, b 0x00), dst (a 0x40, r 0x00, g 0x80, b 0xFF).
    // round(x * f / 255) per channel, then the sum clamped.
    const DWORD src = 0x80FF8000, dst = 0x400080FF;
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_ONE, D3DBLEND_ZERO), src);
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_ZERO, D3DBLEND_ONE), dst);
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_ONE, D3DBLEND_ONE), 0xC0FFFFFFu);
    // SRCALPHA 128: src * 128/255 = (a 64, r 128, g 64, b 0); INVSRCALPHA 127: dst * 127/255
    // = (a 32, r 0, g 64, b 127).
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA), 0x6080807Fu);
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_BOTHSRCALPHA, D3DBLEND_ZERO), 0x6080807Fu);
    // BOTHINVSRCALPHA: src * 127/255 = (64, 127, 64, 0) plus dst * 128/255 = (32, 0, 64, 128).
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_BOTHINVSRCALPHA, D3DBLEND_ZERO), 0x607F8080u);
    // SRCCOLOR squares the source: (a 64, r 255, g 64, b 0).
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_SRCCOLOR, D3DBLEND_ZERO), 0x40FF4000u);
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_INVSRCCOLOR, D3DBLEND_ZERO), 0x40004000u);  // 128 * 127 / 255 rounds to 64
    // DESTALPHA 64 and INVDESTALPHA 191 scale the source.
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_DESTALPHA, D3DBLEND_ZERO), 0x20402000u);
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_INVDESTALPHA, D3DBLEND_ZERO), 0x60BF6000u);
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_DESTCOLOR, D3DBLEND_ZERO), 0x20004000u);
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_INVDESTCOLOR, D3DBLEND_ZERO), 0x60FF4000u);
    // SRCALPHASAT: min(128, 255 - 64) = 128 on colour, 1 on alpha.
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_SRCALPHASAT, D3DBLEND_ZERO), 0x80804000u);
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_BLENDFACTOR, D3DBLEND_ZERO), 0x20402000u);
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_INVBLENDFACTOR, D3DBLEND_ZERO), 0x60BF6000u);
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_ONE, D3DBLEND_ONE, D3DBLENDOP_SUBTRACT), 0x40FF0000u);
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_ONE, D3DBLEND_ONE, D3DBLENDOP_REVSUBTRACT), 0x000000FFu);
    // MIN and MAX ignore the factors.
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_ZERO, D3DBLEND_ZERO, D3DBLENDOP_MIN), 0x40008000u);
    EXPECT_EQ(BlendOnePixel(src, dst, D3DBLEND_ZERO, D3DBLEND_ZERO, D3DBLENDOP_MAX), 0x80FF80FFu);
}

TEST(OutputMerger, SeparateAlphaBlendAndWriteMask) {
    Canvas c(1, 1);
    c.Fill(0x400080FF);
    DWORD* rs = c.state.renderStates;
    c.state.stageStates[0][D3DTSS_ALPHAOP] = D3DTOP_SELECTARG2;
    rs[D3DRS_ALPHABLENDENABLE] = TRUE;
    rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    rs[D3DRS_SEPARATEALPHABLENDENABLE] = TRUE;
    rs[D3DRS_SRCBLENDALPHA] = D3DBLEND_ZERO;
    rs[D3DRS_DESTBLENDALPHA] = D3DBLEND_ONE;
    c.Rect(-0.5f, -0.5f, 0.5f, 0.5f, 0x80FF8000);
    EXPECT_EQ(c.At(0, 0), 0x40FF8000u);

    rs[D3DRS_ALPHABLENDENABLE] = FALSE;
    rs[D3DRS_COLORWRITEENABLE] = D3DCOLORWRITEENABLE_GREEN | D3DCOLORWRITEENABLE_ALPHA;
    c.Fill(0x11223344);
    c.Rect(-0.5f, -0.5f, 0.5f, 0.5f, 0x80FF8000);
    EXPECT_EQ(c.At(0, 0), 0x80228044u);
}

TEST(OutputMerger, AlphaTestEveryFunction) {
    for (const Comparison& k : kComparisons) {  // pixel alpha 0x7F, 0x80, 0x81 against reference 0x80
        const DWORD alphas[3] = {0x7F, 0x80, 0x81};
        const bool expected[3] = {k.less, k.equal, k.greater};
        for (int i = 0; i < 3; ++i) {
            Canvas c(1, 1);
            c.state.stageStates[0][D3DTSS_ALPHAOP] = D3DTOP_SELECTARG2;
            c.state.renderStates[D3DRS_ALPHATESTENABLE] = TRUE;
            c.state.renderStates[D3DRS_ALPHAFUNC] = k.func;
            c.state.renderStates[D3DRS_ALPHAREF] = 0x80;
            c.Rect(-0.5f, -0.5f, 0.5f, 0.5f, (alphas[i] << 24) | 0xFFFFFF);
            EXPECT_EQ(c.At(0, 0) != 0, expected[i]) << "func " << k.func << " alpha " << alphas[i];
            // A rejected pixel leaves depth untouched too.
            EXPECT_EQ(c.DepthAt(0, 0) != 0xFFFFFFFF, expected[i]);
        }
    }
}

TEST(OutputMerger, DepthFunctionsAndFormats) {
    // Stored depth 0.5 in D24S8; incoming 0.25, 0.5, 0.75.
    const DWORD stored = 0x800000u << 8;
    const float incoming[3] = {0.25f, 8388608.0f / 16777215.0f, 0.75f};
    for (const Comparison& k : kComparisons) {
        const bool expected[3] = {k.less, k.equal, k.greater};
        for (int i = 0; i < 3; ++i) {
            Canvas c(1, 1);
            c.FillDepth(stored);
            c.state.renderStates[D3DRS_ZFUNC] = k.func;
            c.Rect(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFFFFFF, incoming[i]);
            EXPECT_EQ(c.At(0, 0) != 0, expected[i]) << "func " << k.func << " z " << incoming[i];
        }
    }

    // Quantisation per format: z = 0.5.
    Canvas d16(1, 1, D3DFMT_D16), d24(1, 1, D3DFMT_D24X8), d32(1, 1, D3DFMT_D32);
    d16.Rect(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFFFFFF, 0.5f);
    d24.Rect(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFFFFFF, 0.5f);
    d32.Rect(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFFFFFF, 0.5f);
    EXPECT_EQ(d16.Depth16At(0, 0), 32768);
    EXPECT_EQ(d24.DepthAt(0, 0) >> 8, 0x800000u);  // the unused low byte is left alone
    EXPECT_EQ(d32.DepthAt(0, 0), 0x80000000u);

    // ZWRITEENABLE off tests but does not write; ZENABLE off does neither.
    Canvas w(1, 1);
    w.state.renderStates[D3DRS_ZWRITEENABLE] = FALSE;
    w.Rect(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFFFFFF, 0.5f);
    EXPECT_EQ(w.DepthAt(0, 0), 0xFFFFFFFFu);
    w.FillDepth(0);
    w.state.renderStates[D3DRS_ZENABLE] = D3DZB_FALSE;
    w.state.renderStates[D3DRS_ZWRITEENABLE] = TRUE;
    EXPECT_EQ(w.Rect(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFFFFFF, 0.5f).pixelsWritten, 1u);
    EXPECT_EQ(w.DepthAt(0, 0), 0u);
}

TEST(OutputMerger, StencilFunctionsAndOperations) {
    auto run = [](DWORD storedStencil, DWORD func, DWORD ref, DWORD mask, DWORD pass, DWORD fail, DWORD zfail,
                  float z, bool& drawn) {
        Canvas c(1, 1);
        c.FillDepth((0x800000u << 8) | storedStencil);  // depth 0.5
        DWORD* rs = c.state.renderStates;
        rs[D3DRS_STENCILENABLE] = TRUE;
        rs[D3DRS_STENCILFUNC] = func;
        rs[D3DRS_STENCILREF] = ref;
        rs[D3DRS_STENCILMASK] = mask;
        rs[D3DRS_STENCILPASS] = pass;
        rs[D3DRS_STENCILFAIL] = fail;
        rs[D3DRS_STENCILZFAIL] = zfail;
        c.Rect(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFFFFFF, z);
        drawn = c.At(0, 0) != 0;
        return c.DepthAt(0, 0) & 0xFF;
    };
    bool drawn = false;
    // Pass: REPLACE writes the reference; the depth also passes (0.25 <= 0.5).
    EXPECT_EQ(run(0x05, D3DCMP_ALWAYS, 0x42, 0xFF, D3DSTENCILOP_REPLACE, D3DSTENCILOP_KEEP, D3DSTENCILOP_KEEP, 0.25f, drawn), 0x42u);
    EXPECT_TRUE(drawn);
    // Stencil fails (ref 3 < stored 5 is false for GREATER... 3 > 5 false): FAIL op runs, pixel dropped.
    EXPECT_EQ(run(0x05, D3DCMP_GREATER, 0x03, 0xFF, D3DSTENCILOP_KEEP, D3DSTENCILOP_INCR, D3DSTENCILOP_KEEP, 0.25f, drawn), 0x06u);
    EXPECT_FALSE(drawn);
    // Depth fails (0.75 > 0.5): ZFAIL op runs.
    EXPECT_EQ(run(0x00, D3DCMP_ALWAYS, 0, 0xFF, D3DSTENCILOP_KEEP, D3DSTENCILOP_KEEP, D3DSTENCILOP_DECR, 0.75f, drawn), 0xFFu);
    EXPECT_FALSE(drawn);
    // Saturating and inverting operations at their limits.
    EXPECT_EQ(run(0xFF, D3DCMP_ALWAYS, 0, 0xFF, D3DSTENCILOP_INCRSAT, 0, 0, 0.25f, drawn), 0xFFu);
    EXPECT_EQ(run(0x00, D3DCMP_ALWAYS, 0, 0xFF, D3DSTENCILOP_DECRSAT, 0, 0, 0.25f, drawn), 0x00u);
    EXPECT_EQ(run(0xFF, D3DCMP_ALWAYS, 0, 0xFF, D3DSTENCILOP_INCR, 0, 0, 0.25f, drawn), 0x00u);
    EXPECT_EQ(run(0x0F, D3DCMP_ALWAYS, 0, 0xFF, D3DSTENCILOP_INVERT, 0, 0, 0.25f, drawn), 0xF0u);
    EXPECT_EQ(run(0x0F, D3DCMP_ALWAYS, 0, 0xFF, D3DSTENCILOP_ZERO, 0, 0, 0.25f, drawn), 0x00u);
    // The mask applies to both sides of the comparison: (0x13 & 0x0F) == (0x23 & 0x0F).
    run(0x23, D3DCMP_EQUAL, 0x13, 0x0F, D3DSTENCILOP_KEEP, D3DSTENCILOP_KEEP, D3DSTENCILOP_KEEP, 0.25f, drawn);
    EXPECT_TRUE(drawn);
    run(0x23, D3DCMP_EQUAL, 0x13, 0xFF, D3DSTENCILOP_KEEP, D3DSTENCILOP_KEEP, D3DSTENCILOP_KEEP, 0.25f, drawn);
    EXPECT_FALSE(drawn);
}

}  // namespace
}  // namespace vestra::raster::testing
