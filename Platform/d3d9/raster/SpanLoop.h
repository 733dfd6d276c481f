// The specialised span loops, written once over a SIMD width (SimdSse2.h, SimdAvx2.h) and
// instantiated by SpanKernelsSse2.cpp and SpanKernelsAvx2.cpp, each for its own
// instruction set; everything here has internal linkage so the two never mix. Each step
// repeats the general loop's arithmetic in the same order, lane by lane, so the bytes are
// the same (see SpanKernels.h for the states covered).
#pragma once

#include "d3d9/raster/SpanKernels.h"

namespace vestra::raster {
namespace {

template <class V>
struct SpanLoop {
    using F = typename V::F;
    using I = typename V::I;

    // One interpolant across the row: row + dx * (x - originX), as the general loop has it.
    struct Lanes {
        F row, dx;
        F At(F fx) const { return V::Add(row, V::Mul(dx, fx)); }
    };

    VESTRA_SIMD_INLINE Lanes RowOf(const Plane& p, float fy) { return Lanes{V::Set1(p.at0 + p.dy * fy), V::Set1(p.dx)}; }

    VESTRA_SIMD_INLINE I Select(I mask, I a, I b) { return V::Or(V::And(mask, a), V::AndNot(mask, b)); }

    // Clamped to [0, 1] (NaN to 0) and quantised as the general loop's QuantizeDepth.
    VESTRA_SIMD_INLINE F ClampDepth(F z) { return V::Min(V::Max(z, V::Set1(0.0f)), V::Set1(1.0f)); }
    VESTRA_SIMD_INLINE I QuantizeD24(F z) { return V::ScaleDepth24(ClampDepth(z)); }
    // In single precision, as the general loop quantises 16-bit depth.
    VESTRA_SIMD_INLINE I QuantizeD16(F z) {
        return V::Truncate(V::Add(V::Mul(ClampDepth(z), V::Set1(65535.0f)), V::Set1(0.5f)));
    }

    VESTRA_SIMD_INLINE I UnitTo8(F f) {
        f = V::Min(V::Max(f, V::Set1(0.0f)), V::Set1(1.0f));
        return V::Truncate(V::Add(V::Mul(f, V::Set1(255.0f)), V::Set1(0.5f)));
    }

    // Sampler.cpp's ClampCoord (NaN goes low).
    VESTRA_SIMD_INLINE F ClampCoord(F x) { return V::Min(V::Max(x, V::Set1(-1048576.0f)), V::Set1(1048576.0f)); }

    VESTRA_SIMD_INLINE I Floor(F x) {  // |x| <= 2^20
        const I t = V::Truncate(x);
        return V::Add32(t, V::Greater(V::ToFloat(t), x));
    }

    // Texel addresses of two coordinate vectors at once as 16-bit lanes (a in the low half
    // of each 128-bit half, b in the high one): wrap (power-of-two size, mask = size - 1)
    // or clamp (mask = -1) without a branch. Packing saturates to 16 bits, which keeps the
    // order that clamping needs.
    VESTRA_SIMD_INLINE I Address(I a, I b, I wrapMask, I last16) {
        const I packed = V::PackSigned32(V::And(a, wrapMask), V::And(b, wrapMask));
        return V::Min16(V::Max16(packed, V::Zero()), last16);
    }

    // x + y * pitch from the a-halves of two Address results: one multiply-add per lane.
    VESTRA_SIMD_INLINE I TexelIndex(I x16, I y16, I pitchPair) { return V::MulAdd16(V::Interleave16Low(x16, y16), pitchPair); }

    // Channels widened to 16 bits, in two registers.
    struct Wide {
        I lo, hi;
    };

    VESTRA_SIMD_INLINE Wide Widen(I packed) {
        return Wide{V::Interleave8Low(packed, V::Zero()), V::Interleave8High(packed, V::Zero())};
    }
    VESTRA_SIMD_INLINE I Narrow(const Wide& w) { return V::PackUnsigned16(w.lo, w.hi); }  // saturates as Clamp8
    VESTRA_SIMD_INLINE Wide Or(const Wide& w, const Wide& m) { return Wide{V::Or(w.lo, m.lo), V::Or(w.hi, m.hi)}; }

    // A per-pixel weight repeated over that pixel's four channels, laid out as Widen.
    VESTRA_SIMD_INLINE Wide SpreadWeights(I weights) {
        const I pairs = V::Interleave16Low(V::PackSigned32(weights, weights), V::PackSigned32(weights, weights));
        return Wide{V::Interleave32Low(pairs, pairs), V::Interleave32High(pairs, pairs)};
    }

    // Lerp8: (a * (256 - f) + b * f) >> 8, within 16 bits.
    VESTRA_SIMD_INLINE I Lerp(I a, I b, I f, I g) {
        return V::template ShiftRight16<8>(V::Add16(V::MulLow16(a, g), V::MulLow16(b, f)));
    }

    // Mul8: t = a * b + 128, (t + (t >> 8)) >> 8, which equals (t * 257) >> 16 for t < 2^16.
    VESTRA_SIMD_INLINE I Mul(I a, I b) {
        return V::MulHighUnsigned16(V::Add16(V::MulLow16(a, b), V::Set16(128)), V::Set16(257));
    }
    VESTRA_SIMD_INLINE Wide Mul(const Wide& a, const Wide& b) { return Wide{Mul(a.lo, b.lo), Mul(a.hi, b.hi)}; }

    // SRCALPHA / INVSRCALPHA on every channel, alpha included, then Clamp8.
    VESTRA_SIMD_INLINE I AlphaBlend(const Wide& s, I destPacked) {
        const Wide d = Widen(destPacked);
        const I full = V::Set16(255);
        const I alphaLo = V::BroadcastAlpha16(s.lo), alphaHi = V::BroadcastAlpha16(s.hi);
        return V::PackUnsigned16(V::Add16(Mul(s.lo, alphaLo), Mul(d.lo, V::Sub16(full, alphaLo))),
                                 V::Add16(Mul(s.hi, alphaHi), Mul(d.hi, V::Sub16(full, alphaHi))));
    }

    struct Sampler {
        const BYTE* texels;
        ptrdiff_t pitchBytes;
        F width, height;
        I wrapU, lastU, wrapV, lastV;  // last* in 16-bit lanes
        I pitchPair;                   // 16-bit pairs (1, pitch in texels) for TexelIndex
    };

    VESTRA_SIMD_INLINE Sampler MakeSampler(const DrawContext::Specialised& s) {
        return Sampler{s.texels,
                       static_cast<ptrdiff_t>(s.texelPitch) * 4,
                       V::Set1(s.width),
                       V::Set1(s.height),
                       V::Set32(s.wrapMaskU),
                       V::Set16(s.lastU),
                       V::Set32(s.wrapMaskV),
                       V::Set16(s.lastV),
                       V::Set32(1 | (s.texelPitch << 16))};
    }

    VESTRA_SIMD_INLINE I SamplePoint(const Sampler& s, F u, F v) {
        const I x = Floor(ClampCoord(V::Mul(u, s.width)));
        const I y = Floor(ClampCoord(V::Mul(v, s.height)));
        return V::Gather(s.texels, TexelIndex(Address(x, x, s.wrapU, s.lastU), Address(y, y, s.wrapV, s.lastV), s.pitchPair));
    }

    VESTRA_SIMD_INLINE Wide SampleLinear(const Sampler& s, F u, F v) {
        // 8 fractional bits, rounded to nearest as lrint does.
        const F half = V::Set1(0.5f), subtexels = V::Set1(256.0f);
        const I fu = V::Round(V::Mul(ClampCoord(V::Sub(V::Mul(u, s.width), half)), subtexels));
        const I fv = V::Round(V::Mul(ClampCoord(V::Sub(V::Mul(v, s.height), half)), subtexels));
        const I one = V::Set32(1), byte = V::Set32(255);
        const I x0 = V::template ShiftRightSigned32<8>(fu), y0 = V::template ShiftRightSigned32<8>(fv);
        const I x = Address(x0, V::Add32(x0, one), s.wrapU, s.lastU);  // left, right
        const I y = Address(y0, V::Add32(y0, one), s.wrapV, s.lastV);  // top, bottom
        const I xSwapped = V::SwapHalves64(x), ySwapped = V::SwapHalves64(y);
        const I topLeft = TexelIndex(x, y, s.pitchPair);
        I t00, t10, t01, t11;
        // Away from the edges the right texel follows the left one and the bottom row the
        // top one, so whole 2x2 blocks can be fetched.
        const I steps = V::Interleave64Low(V::Sub16(xSwapped, x), V::Sub16(ySwapped, y));
        if (V::AllSet(V::Equal16(steps, V::Set16(1)))) {
            V::GatherBlocks(s.texels, s.pitchBytes, topLeft, t00, t10, t01, t11);
        } else {
            t00 = V::Gather(s.texels, topLeft);
            t10 = V::Gather(s.texels, TexelIndex(xSwapped, y, s.pitchPair));
            t01 = V::Gather(s.texels, TexelIndex(x, ySwapped, s.pitchPair));
            t11 = V::Gather(s.texels, TexelIndex(xSwapped, ySwapped, s.pitchPair));
        }
        const Wide a = Widen(t00), b = Widen(t10), c = Widen(t01), d = Widen(t11);
        const Wide wx = SpreadWeights(V::And(fu, byte)), wy = SpreadWeights(V::And(fv, byte));
        const I full = V::Set16(256);
        const Wide gx{V::Sub16(full, wx.lo), V::Sub16(full, wx.hi)};
        const Wide gy{V::Sub16(full, wy.lo), V::Sub16(full, wy.hi)};
        const I topLo = Lerp(a.lo, b.lo, wx.lo, gx.lo), topHi = Lerp(a.hi, b.hi, wx.hi, gx.hi);
        const I bottomLo = Lerp(c.lo, d.lo, wx.lo, gx.lo), bottomHi = Lerp(c.hi, d.hi, wx.hi, gx.hi);
        return Wide{Lerp(topLo, bottomLo, wy.lo, gy.lo), Lerp(topHi, bottomHi, wy.hi, gy.hi)};
    }

    template <Texturing kTex, Tint kTint, Blending kBlend, DepthMode kDepth, DepthCells kCells>
    static void Span(const DrawContext& c, const Primitive& p, int y, int x0, int x1, UINT& written) {
        const DrawContext::Specialised& sp = c.specialised;
        const DWORD constantTint = Pack(p.flatDiffuse) | sp.diffuseWhite;
        if constexpr (kTint == Tint::Constant) {
            // Multiplying by white changes nothing: this primitive can skip the multiply.
            if (constantTint == 0xFFFFFFFFu) return Span<kTex, Tint::None, kBlend, kDepth, kCells>(c, p, y, x0, x1, written);
        }
        constexpr bool kTextured = kTex != Texturing::None;
        constexpr bool kNeedW = kTextured || kTint == Tint::Interpolated;
        constexpr bool kWide = kTex == Texturing::Linear || kTint != Tint::None;  // colour kept as Wide
        const float fy = static_cast<float>(y) - p.originY;
        Lanes q{}, z{}, u{}, v{}, diffuse[4]{};
        if constexpr (kNeedW) q = RowOf(p.planes[0], fy);
        if constexpr (kDepth != DepthMode::Off) z = RowOf(p.planes[1], fy);
        if constexpr (kTextured) {
            u = RowOf(p.planes[c.texPlane[0]], fy);
            v = RowOf(p.planes[c.texPlane[0] + 1], fy);
        }
        if constexpr (kTint == Tint::Interpolated)
            for (int k = 0; k < 4; ++k) diffuse[k] = RowOf(p.planes[c.diffusePlane + k], fy);
        Sampler sampler{};
        if constexpr (kTextured) sampler = MakeSampler(sp);

        BYTE* colorRow = c.color + static_cast<ptrdiff_t>(y) * c.colorPitch;
        BYTE* depthRow = kDepth != DepthMode::Off ? c.depth + static_cast<ptrdiff_t>(y) * c.depthPitch : nullptr;
        const I writeMask = V::Set32(static_cast<int>(c.writeMask));
        const I forcedAlpha = V::Set32(c.colorHasAlpha ? 0 : static_cast<int>(0xFF000000u));
        const Wide textureWhite = Widen(V::Set32(static_cast<int>(sp.textureWhite)));
        const I diffuseWhite = V::Set32(static_cast<int>(sp.diffuseWhite));
        const Wide tint = Widen(V::Set32(static_cast<int>(constantTint)));
        const I depthBias = V::Set32(sp.depthBias);
        const I alphaOnly = V::Set32(static_cast<int>(0xFF000000u));
        const I laneIndex = V::LaneIndex();
        const F originX = V::Set1(p.originX), one = V::Set1(1.0f);
        I xs = V::Add32(V::Set32(x0), laneIndex);
        unsigned count = 0;

        for (int x = x0; x <= x1; x += V::kLanes, xs = V::Add32(xs, V::Set32(V::kLanes))) {
            const int n = x1 - x >= V::kLanes - 1 ? V::kLanes : x1 - x + 1;
            I live = V::Greater32(V::Set32(n), laneIndex);
            const F fx = V::Sub(V::ToFloat(xs), originX);
            if constexpr (kDepth != DepthMode::Off && kCells == DepthCells::D16) {
                BYTE* cell = depthRow + static_cast<ptrdiff_t>(x) * 2;
                const I stored = V::Load16(cell, n);
                const I incoming = QuantizeD16(z.At(fx));
                live = V::And(live, V::Greater32(V::Add32(stored, depthBias), incoming));
                if (V::NoneSet(live)) continue;
                if constexpr (kDepth == DepthMode::TestWrite) V::Store16(cell, Select(live, incoming, stored), n);
            } else if constexpr (kDepth != DepthMode::Off) {
                BYTE* cell = depthRow + static_cast<ptrdiff_t>(x) * 4;
                const I stored = V::Load(cell, n);
                const I incoming = QuantizeD24(z.At(fx));
                const I storedDepth = V::template ShiftRight32<8>(stored);
                live = V::And(live, V::Greater32(V::Add32(storedDepth, depthBias), incoming));
                if (V::NoneSet(live)) continue;
                if constexpr (kDepth == DepthMode::TestWrite) {
                    const I updated = V::Or(V::template ShiftLeft32<8>(incoming), V::And(stored, V::Set32(0xFF)));
                    V::Store(cell, Select(live, updated, stored), n);
                }
            }
            F w = one;
            if constexpr (kNeedW) w = V::Div(one, q.At(fx));

            // Stage 0: texel (or white) times tint (or white), channel by channel.
            Wide colour{};
            I packed = V::Set32(-1);
            if constexpr (kTex == Texturing::Point) {
                packed = V::Or(SamplePoint(sampler, V::Mul(u.At(fx), w), V::Mul(v.At(fx), w)),
                               V::Set32(static_cast<int>(sp.textureWhite)));
                if constexpr (kWide) colour = Widen(packed);
            } else if constexpr (kTex == Texturing::Linear) {
                colour = Or(SampleLinear(sampler, V::Mul(u.At(fx), w), V::Mul(v.At(fx), w)), textureWhite);
            }
            if constexpr (kTint == Tint::Constant) {
                colour = kTextured ? Mul(colour, tint) : tint;
            } else if constexpr (kTint == Tint::Interpolated) {
                const I r = UnitTo8(V::Mul(diffuse[0].At(fx), w));
                const I g = UnitTo8(V::Mul(diffuse[1].At(fx), w));
                const I b = UnitTo8(V::Mul(diffuse[2].At(fx), w));
                const I a = UnitTo8(V::Mul(diffuse[3].At(fx), w));
                const I argb = V::Or(V::Or(V::template ShiftLeft32<24>(a), V::template ShiftLeft32<16>(r)),
                                     V::Or(V::template ShiftLeft32<8>(g), b));
                const Wide d = Widen(V::Or(argb, diffuseWhite));
                colour = kTextured ? Mul(colour, d) : d;
            }
            if constexpr (kWide) packed = Narrow(colour);

            BYTE* target = colorRow + static_cast<ptrdiff_t>(x) * 4;
            const I dest = V::Load(target, n);
            I out = packed;
            if constexpr (kBlend == Blending::Add) {
                out = V::AddSaturate8(packed, V::Or(dest, forcedAlpha));
            } else if constexpr (kBlend == Blending::Alpha) {
                // Source alpha 0 blends to the destination exactly (x * 255 / 255 = x): the
                // transparent rims of sprites and particles skip the arithmetic.
                if (V::AllSet(V::Equal16(V::And(packed, alphaOnly), V::Zero())))
                    out = V::Or(dest, forcedAlpha);
                else
                    out = AlphaBlend(kWide ? colour : Widen(packed), V::Or(dest, forcedAlpha));
            }
            out = V::Or(V::Or(V::And(out, writeMask), V::AndNot(writeMask, dest)), forcedAlpha);
            V::Store(target, Select(live, out, dest), n);
            count += V::CountSet32(live);
        }
        written += count;
    }

    template <Texturing kTex, Tint kTint, Blending kBlend, DepthCells kCells>
    static SpanShader WithDepth(DepthMode depth) {
        switch (depth) {
            case DepthMode::Off: return &Span<kTex, kTint, kBlend, DepthMode::Off, DepthCells::D24>;
            case DepthMode::Test: return &Span<kTex, kTint, kBlend, DepthMode::Test, kCells>;
            default: return &Span<kTex, kTint, kBlend, DepthMode::TestWrite, kCells>;
        }
    }

    template <Texturing kTex, Tint kTint, Blending kBlend>
    static SpanShader WithCells(const SpanChoice& choice) {
        return choice.cells == DepthCells::D16 ? WithDepth<kTex, kTint, kBlend, DepthCells::D16>(choice.depth)
                                               : WithDepth<kTex, kTint, kBlend, DepthCells::D24>(choice.depth);
    }

    template <Texturing kTex, Tint kTint>
    static SpanShader WithBlend(const SpanChoice& choice) {
        switch (choice.blending) {
            case Blending::Off: return WithCells<kTex, kTint, Blending::Off>(choice);
            case Blending::Alpha: return WithCells<kTex, kTint, Blending::Alpha>(choice);
            default: return WithCells<kTex, kTint, Blending::Add>(choice);
        }
    }

    template <Texturing kTex>
    static SpanShader WithTint(const SpanChoice& choice) {
        switch (choice.tint) {
            case Tint::None: return WithBlend<kTex, Tint::None>(choice);
            case Tint::Constant: return WithBlend<kTex, Tint::Constant>(choice);
            default: return WithBlend<kTex, Tint::Interpolated>(choice);
        }
    }

    static SpanShader Pick(const SpanChoice& choice) {
        switch (choice.texturing) {
            case Texturing::None: return WithTint<Texturing::None>(choice);
            case Texturing::Point: return WithTint<Texturing::Point>(choice);
            default: return WithTint<Texturing::Linear>(choice);
        }
    }
};

}  // namespace
}  // namespace vestra::raster
