#include "d3d9/raster/SpanKernels.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstring>

namespace vestra::raster {

#if defined(__SSE2__)

namespace {

enum class Texturing { None, Point, Linear };
enum class Tint { None, Constant, Interpolated };  // what the texel is multiplied by
enum class Blending { Off, Alpha, Add };
enum class DepthMode { Off, Test, TestWrite };

constexpr unsigned kUsesTexture = 1, kUsesDiffuse = 2;

// What one channel group (colour or alpha) of stage 0 reads, or 0 when its operation is
// not one the specialised loops do. CURRENT is the diffuse colour at stage 0.
unsigned ChannelUse(DWORD op, DWORD arg1, DWORD arg2) {
    auto use = [](DWORD arg) -> unsigned {
        if (arg == D3DTA_TEXTURE) return kUsesTexture;
        return arg == D3DTA_DIFFUSE || arg == D3DTA_CURRENT ? kUsesDiffuse : 0u;
    };
    switch (op) {
        case D3DTOP_SELECTARG1: return use(arg1);
        case D3DTOP_SELECTARG2: return use(arg2);
        case D3DTOP_MODULATE: {
            const unsigned a = use(arg1), b = use(arg2);
            return a && b && a != b ? a | b : 0u;
        }
        default: return 0;
    }
}

// ---- Four pixels in SSE2 registers -------------------------------------------------------

// One interpolant across the row: value = row + dx * (x - originX), as the general loop has it.
struct Lanes {
    __m128 row, dx;
    __m128 At(__m128 fx) const { return _mm_add_ps(row, _mm_mul_ps(dx, fx)); }
};

Lanes RowOf(const Plane& p, float fy) { return Lanes{_mm_set1_ps(p.at0 + p.dy * fy), _mm_set1_ps(p.dx)}; }

__m128i Load4(const BYTE* p, int n) {
    if (n == 4) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    alignas(16) DWORD t[4] = {};
    std::memcpy(t, p, static_cast<size_t>(n) * 4);
    return _mm_load_si128(reinterpret_cast<const __m128i*>(t));
}

void Store4(BYTE* p, __m128i v, int n) {
    if (n == 4) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
        return;
    }
    alignas(16) DWORD t[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(t), v);
    std::memcpy(p, t, static_cast<size_t>(n) * 4);
}

__m128i Select(__m128i mask, __m128i a, __m128i b) {
    return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

// Depth quantised as the general loop does: clamped to [0, 1], scaled in double precision.
__m128i QuantizeD24(__m128 z) {
    z = _mm_min_ps(_mm_max_ps(z, _mm_setzero_ps()), _mm_set1_ps(1.0f));  // NaN becomes 0
    const __m128d scale = _mm_set1_pd(16777215.0), half = _mm_set1_pd(0.5);
    const __m128i lo = _mm_cvttpd_epi32(_mm_add_pd(_mm_mul_pd(_mm_cvtps_pd(z), scale), half));
    const __m128i hi = _mm_cvttpd_epi32(_mm_add_pd(_mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(z, z)), scale), half));
    return _mm_unpacklo_epi64(lo, hi);
}

// UnitTo8 on four values.
__m128i UnitTo8x4(__m128 f) {
    f = _mm_min_ps(_mm_max_ps(f, _mm_setzero_ps()), _mm_set1_ps(1.0f));
    return _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(f, _mm_set1_ps(255.0f)), _mm_set1_ps(0.5f)));
}

// Texel coordinates are clamped exactly as Sampler.cpp's ClampCoord does (NaN goes low).
__m128 ClampCoord4(__m128 x) {
    return _mm_min_ps(_mm_max_ps(x, _mm_set1_ps(-1048576.0f)), _mm_set1_ps(1048576.0f));
}

__m128i Floor4(__m128 x) {  // |x| <= 2^20
    const __m128i t = _mm_cvttps_epi32(x);
    return _mm_add_epi32(t, _mm_castps_si128(_mm_cmpgt_ps(_mm_cvtepi32_ps(t), x)));
}

// Texel addresses of two coordinate vectors at once, as eight 16-bit lanes (a in 0..3, b in
// 4..7): wrap (power-of-two size: mask = size - 1) or clamp (mask = -1) in one branch-free
// form. Packing saturates to 16 bits, which keeps the order clamping needs.
__m128i Address8(__m128i a, __m128i b, __m128i wrapMask, __m128i last16) {
    const __m128i packed = _mm_packs_epi32(_mm_and_si128(a, wrapMask), _mm_and_si128(b, wrapMask));
    return _mm_min_epi16(_mm_max_epi16(packed, _mm_setzero_si128()), last16);
}

// Four texels whose texel indices (x + y * pitch) are in `index`.
__m128i Gather(const BYTE* texels, __m128i index) {
    alignas(16) int at[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(at), index);
    DWORD t[4];
    for (int k = 0; k < 4; ++k) std::memcpy(&t[k], texels + static_cast<ptrdiff_t>(at[k]) * 4, 4);
    return _mm_setr_epi32(static_cast<int>(t[0]), static_cast<int>(t[1]), static_cast<int>(t[2]),
                          static_cast<int>(t[3]));
}

// x + y * pitch from 16-bit x and y lanes 0..3: one multiply-add per lane.
__m128i TexelIndex(__m128i x16, __m128i y16, __m128i pitchPair) {
    return _mm_madd_epi16(_mm_unpacklo_epi16(x16, y16), pitchPair);
}

// Channels widened to 16 bits: lo holds pixels 0 and 1, hi pixels 2 and 3.
struct Wide {
    __m128i lo, hi;
};

Wide Widen(__m128i packed) {
    const __m128i zero = _mm_setzero_si128();
    return Wide{_mm_unpacklo_epi8(packed, zero), _mm_unpackhi_epi8(packed, zero)};
}

__m128i Narrow(const Wide& w) { return _mm_packus_epi16(w.lo, w.hi); }  // saturates as Clamp8

// A per-pixel weight repeated over that pixel's four channels.
Wide SpreadWeights(__m128i weights) {
    const __m128i w16 = _mm_packs_epi32(weights, weights);
    const __m128i pairs = _mm_unpacklo_epi16(w16, w16);
    return Wide{_mm_unpacklo_epi32(pairs, pairs), _mm_unpackhi_epi32(pairs, pairs)};
}

// Lerp8: (a * (256 - f) + b * f) >> 8, which stays within 16 bits.
__m128i Lerp16(__m128i a, __m128i b, __m128i f, __m128i g) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(a, g), _mm_mullo_epi16(b, f)), 8);
}

// Mul8: t = a * b + 128, (t + (t >> 8)) >> 8, which stays within 16 bits.
__m128i Mul16(__m128i a, __m128i b) {
    const __m128i t = _mm_add_epi16(_mm_mullo_epi16(a, b), _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

Wide Mul16(const Wide& a, const Wide& b) { return Wide{Mul16(a.lo, b.lo), Mul16(a.hi, b.hi)}; }

// SRCALPHA / INVSRCALPHA on every channel, alpha included.
__m128i AlphaBlend(const Wide& s, __m128i destPacked) {
    const Wide d = Widen(destPacked);
    const __m128i full = _mm_set1_epi16(255);
    const __m128i alphaLo = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s.lo, 0xFF), 0xFF);
    const __m128i alphaHi = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s.hi, 0xFF), 0xFF);
    const __m128i lo = _mm_add_epi16(Mul16(s.lo, alphaLo), Mul16(d.lo, _mm_sub_epi16(full, alphaLo)));
    const __m128i hi = _mm_add_epi16(Mul16(s.hi, alphaHi), Mul16(d.hi, _mm_sub_epi16(full, alphaHi)));
    return _mm_packus_epi16(lo, hi);
}

struct SamplerLanes {
    const BYTE* texels;
    __m128 width, height;
    __m128i wrapU, lastU, wrapV, lastV, pitchPair;  // last* in 16-bit lanes
};

SamplerLanes MakeSamplerLanes(const DrawContext::Specialised& s) {
    return SamplerLanes{s.texels,
                        _mm_set1_ps(s.width),
                        _mm_set1_ps(s.height),
                        _mm_set1_epi32(s.wrapMaskU),
                        _mm_set1_epi16(static_cast<short>(s.lastU)),
                        _mm_set1_epi32(s.wrapMaskV),
                        _mm_set1_epi16(static_cast<short>(s.lastV)),
                        _mm_set1_epi32(1 | (s.texelPitch << 16))};
}

__m128i SamplePoint(const SamplerLanes& s, __m128 u, __m128 v) {
    const __m128i x = Floor4(ClampCoord4(_mm_mul_ps(u, s.width)));
    const __m128i y = Floor4(ClampCoord4(_mm_mul_ps(v, s.height)));
    return Gather(s.texels, TexelIndex(Address8(x, x, s.wrapU, s.lastU), Address8(y, y, s.wrapV, s.lastV), s.pitchPair));
}

Wide SampleLinear(const SamplerLanes& s, __m128 u, __m128 v) {
    const __m128 half = _mm_set1_ps(0.5f), subtexels = _mm_set1_ps(256.0f);
    // 8 fractional bits, rounded to nearest as lrint does.
    const __m128i fu = _mm_cvtps_epi32(_mm_mul_ps(ClampCoord4(_mm_sub_ps(_mm_mul_ps(u, s.width), half)), subtexels));
    const __m128i fv = _mm_cvtps_epi32(_mm_mul_ps(ClampCoord4(_mm_sub_ps(_mm_mul_ps(v, s.height), half)), subtexels));
    const __m128i one = _mm_set1_epi32(1), byte = _mm_set1_epi32(255);
    const __m128i x0 = _mm_srai_epi32(fu, 8), y0 = _mm_srai_epi32(fv, 8);
    const __m128i x = Address8(x0, _mm_add_epi32(x0, one), s.wrapU, s.lastU);  // left, right
    const __m128i y = Address8(y0, _mm_add_epi32(y0, one), s.wrapV, s.lastV);  // top, bottom
    const __m128i xSwapped = _mm_shuffle_epi32(x, _MM_SHUFFLE(1, 0, 3, 2));
    const __m128i ySwapped = _mm_shuffle_epi32(y, _MM_SHUFFLE(1, 0, 3, 2));
    const Wide t00 = Widen(Gather(s.texels, TexelIndex(x, y, s.pitchPair)));
    const Wide t10 = Widen(Gather(s.texels, TexelIndex(xSwapped, y, s.pitchPair)));
    const Wide t01 = Widen(Gather(s.texels, TexelIndex(x, ySwapped, s.pitchPair)));
    const Wide t11 = Widen(Gather(s.texels, TexelIndex(xSwapped, ySwapped, s.pitchPair)));
    const Wide wx = SpreadWeights(_mm_and_si128(fu, byte)), wy = SpreadWeights(_mm_and_si128(fv, byte));
    const __m128i full = _mm_set1_epi16(256);
    const Wide gx{_mm_sub_epi16(full, wx.lo), _mm_sub_epi16(full, wx.hi)};
    const Wide gy{_mm_sub_epi16(full, wy.lo), _mm_sub_epi16(full, wy.hi)};
    const __m128i topLo = Lerp16(t00.lo, t10.lo, wx.lo, gx.lo), topHi = Lerp16(t00.hi, t10.hi, wx.hi, gx.hi);
    const __m128i bottomLo = Lerp16(t01.lo, t11.lo, wx.lo, gx.lo), bottomHi = Lerp16(t01.hi, t11.hi, wx.hi, gx.hi);
    return Wide{Lerp16(topLo, bottomLo, wy.lo, gy.lo), Lerp16(topHi, bottomHi, wy.hi, gy.hi)};
}

constexpr UINT kLiveCount[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};

template <Texturing kTex, Tint kTint, Blending kBlend, DepthMode kDepth>
void Span(const DrawContext& c, const Primitive& p, int y, int x0, int x1, UINT& written) {
    const DrawContext::Specialised& sp = c.specialised;
    const DWORD constantTint = Pack(p.flatDiffuse) | sp.diffuseWhite;
    if constexpr (kTint == Tint::Constant) {
        // Multiplying by white changes nothing: this primitive can skip the multiply.
        if (constantTint == 0xFFFFFFFFu) return Span<kTex, Tint::None, kBlend, kDepth>(c, p, y, x0, x1, written);
    }
    const float fy = static_cast<float>(y) - p.originY;
    constexpr bool kNeedW = kTex != Texturing::None || kTint == Tint::Interpolated;
    Lanes q{}, z{}, u{}, v{}, diffuse[4]{};
    if constexpr (kNeedW) q = RowOf(p.planes[0], fy);
    if constexpr (kDepth != DepthMode::Off) z = RowOf(p.planes[1], fy);
    if constexpr (kTex != Texturing::None) {
        u = RowOf(p.planes[c.texPlane[0]], fy);
        v = RowOf(p.planes[c.texPlane[0] + 1], fy);
    }
    if constexpr (kTint == Tint::Interpolated)
        for (int k = 0; k < 4; ++k) diffuse[k] = RowOf(p.planes[c.diffusePlane + k], fy);
    SamplerLanes sampler{};
    if constexpr (kTex != Texturing::None) sampler = MakeSamplerLanes(sp);

    BYTE* colorRow = c.color + static_cast<ptrdiff_t>(y) * c.colorPitch;
    BYTE* depthRow = kDepth != DepthMode::Off ? c.depth + static_cast<ptrdiff_t>(y) * c.depthPitch : nullptr;
    const __m128i writeMask = _mm_set1_epi32(static_cast<int>(c.writeMask));
    const __m128i forcedAlpha = _mm_set1_epi32(c.colorHasAlpha ? 0 : static_cast<int>(0xFF000000u));
    const __m128i textureWhite = _mm_set1_epi32(static_cast<int>(sp.textureWhite));
    const __m128i diffuseWhite = _mm_set1_epi32(static_cast<int>(sp.diffuseWhite));
    const Wide tint = Widen(_mm_set1_epi32(static_cast<int>(constantTint)));
    const __m128i depthBias = _mm_set1_epi32(sp.depthBias);
    const __m128i laneIndex = _mm_setr_epi32(0, 1, 2, 3);
    const __m128 originX = _mm_set1_ps(p.originX), one = _mm_set1_ps(1.0f);
    __m128i xs = _mm_add_epi32(_mm_set1_epi32(x0), laneIndex);
    UINT count = 0;

    for (int x = x0; x <= x1; x += 4, xs = _mm_add_epi32(xs, _mm_set1_epi32(4))) {
        const int n = x1 - x >= 3 ? 4 : x1 - x + 1;
        __m128i live = _mm_cmpgt_epi32(_mm_set1_epi32(n), laneIndex);
        const __m128 fx = _mm_sub_ps(_mm_cvtepi32_ps(xs), originX);
        if constexpr (kDepth != DepthMode::Off) {
            BYTE* cell = depthRow + static_cast<ptrdiff_t>(x) * 4;
            const __m128i stored = Load4(cell, n);
            const __m128i incoming = QuantizeD24(z.At(fx));
            const __m128i pass = _mm_cmpgt_epi32(_mm_add_epi32(_mm_srli_epi32(stored, 8), depthBias), incoming);
            live = _mm_and_si128(live, pass);
            if (_mm_movemask_epi8(live) == 0) continue;
            if constexpr (kDepth == DepthMode::TestWrite) {
                const __m128i updated =
                    _mm_or_si128(_mm_slli_epi32(incoming, 8), _mm_and_si128(stored, _mm_set1_epi32(0xFF)));
                Store4(cell, Select(live, updated, stored), n);
            }
        }
        __m128 w = one;
        if constexpr (kNeedW) w = _mm_div_ps(one, q.At(fx));

        // Stage 0: texel (or white) times tint (or white), channel by channel.
        Wide colour{};
        __m128i packed = _mm_set1_epi32(-1);
        if constexpr (kTex == Texturing::Point) {
            packed = _mm_or_si128(SamplePoint(sampler, _mm_mul_ps(u.At(fx), w), _mm_mul_ps(v.At(fx), w)), textureWhite);
            if constexpr (kTint != Tint::None) colour = Widen(packed);
        } else if constexpr (kTex == Texturing::Linear) {
            colour = SampleLinear(sampler, _mm_mul_ps(u.At(fx), w), _mm_mul_ps(v.At(fx), w));
            const Wide white = Widen(textureWhite);
            colour = Wide{_mm_or_si128(colour.lo, white.lo), _mm_or_si128(colour.hi, white.hi)};
        } else {
            colour = Widen(packed);
        }
        if constexpr (kTint == Tint::Constant) {
            colour = kTex == Texturing::None ? tint : Mul16(colour, tint);
        } else if constexpr (kTint == Tint::Interpolated) {
            const __m128i r = UnitTo8x4(_mm_mul_ps(diffuse[0].At(fx), w));
            const __m128i g = UnitTo8x4(_mm_mul_ps(diffuse[1].At(fx), w));
            const __m128i b = UnitTo8x4(_mm_mul_ps(diffuse[2].At(fx), w));
            const __m128i a = UnitTo8x4(_mm_mul_ps(diffuse[3].At(fx), w));
            const __m128i argb = _mm_or_si128(_mm_or_si128(_mm_slli_epi32(a, 24), _mm_slli_epi32(r, 16)),
                                              _mm_or_si128(_mm_slli_epi32(g, 8), b));
            const Wide d = Widen(_mm_or_si128(argb, diffuseWhite));
            colour = kTex == Texturing::None ? d : Mul16(colour, d);
        }
        if constexpr (kTex == Texturing::Linear || kTint != Tint::None) packed = Narrow(colour);

        BYTE* target = colorRow + static_cast<ptrdiff_t>(x) * 4;
        const __m128i dest = Load4(target, n);
        __m128i out = packed;
        if constexpr (kBlend == Blending::Add) {
            out = _mm_adds_epu8(packed, _mm_or_si128(dest, forcedAlpha));
        } else if constexpr (kBlend == Blending::Alpha) {
            out = AlphaBlend(kTex == Texturing::Linear || kTint != Tint::None ? colour : Widen(packed),
                             _mm_or_si128(dest, forcedAlpha));
        }
        out = _mm_or_si128(_mm_or_si128(_mm_and_si128(out, writeMask), _mm_andnot_si128(writeMask, dest)), forcedAlpha);
        Store4(target, Select(live, out, dest), n);
        count += kLiveCount[_mm_movemask_ps(_mm_castsi128_ps(live))];
    }
    written += count;
}

template <Texturing kTex, Tint kTint, Blending kBlend>
SpanShader WithDepth(DepthMode depth) {
    switch (depth) {
        case DepthMode::Off: return &Span<kTex, kTint, kBlend, DepthMode::Off>;
        case DepthMode::Test: return &Span<kTex, kTint, kBlend, DepthMode::Test>;
        default: return &Span<kTex, kTint, kBlend, DepthMode::TestWrite>;
    }
}

template <Texturing kTex, Tint kTint>
SpanShader WithBlend(Blending blend, DepthMode depth) {
    switch (blend) {
        case Blending::Off: return WithDepth<kTex, kTint, Blending::Off>(depth);
        case Blending::Alpha: return WithDepth<kTex, kTint, Blending::Alpha>(depth);
        default: return WithDepth<kTex, kTint, Blending::Add>(depth);
    }
}

template <Texturing kTex>
SpanShader WithTint(Tint tint, Blending blend, DepthMode depth) {
    switch (tint) {
        case Tint::None: return WithBlend<kTex, Tint::None>(blend, depth);
        case Tint::Constant: return WithBlend<kTex, Tint::Constant>(blend, depth);
        default: return WithBlend<kTex, Tint::Interpolated>(blend, depth);
    }
}

bool IsPowerOfTwo(UINT n) { return n != 0 && (n & (n - 1)) == 0; }

// Fills the addressing fields for one axis; false for modes the loops do not do.
bool Addressing(DWORD mode, UINT size, int& wrapMask, int& last) {
    last = static_cast<int>(size) - 1;
    if (mode == D3DTADDRESS_CLAMP) {
        wrapMask = -1;
        return true;
    }
    if (mode == D3DTADDRESS_WRAP && IsPowerOfTwo(size)) {
        wrapMask = last;
        return true;
    }
    return false;
}

bool BlendIs(const BlendSetup& b, DWORD src, DWORD dest) {
    return b.srcColor == src && b.destColor == dest && b.opColor == D3DBLENDOP_ADD && b.srcAlpha == src &&
           b.destAlpha == dest && b.opAlpha == D3DBLENDOP_ADD;
}

}  // namespace

SpanShader SelectSpecialisedSpan(DrawContext& c) {
    const CombinerSetup& cs = c.combiner;
    if (cs.stageCount > 1 || c.alphaTest || c.specularAdd || c.needLod) return nullptr;

    unsigned colourUse = kUsesDiffuse, alphaUse = kUsesDiffuse;  // no stage: the diffuse colour
    if (cs.stageCount == 1) {
        const StageSetup& s = cs.stages[0];
        if (s.resultToTemp) return nullptr;
        colourUse = ChannelUse(s.colorOp, s.colorArg[1], s.colorArg[2]);
        alphaUse = ChannelUse(s.alphaOp, s.alphaArg[1], s.alphaArg[2]);
        if (!colourUse || !alphaUse) return nullptr;
    }
    DrawContext::Specialised& sp = c.specialised;
    sp = DrawContext::Specialised{};
    auto white = [](unsigned colour, unsigned alpha, unsigned use) {
        return ((colour & use) ? 0u : 0x00FFFFFFu) | ((alpha & use) ? 0u : 0xFF000000u);
    };
    sp.textureWhite = white(colourUse, alphaUse, kUsesTexture);
    sp.diffuseWhite = white(colourUse, alphaUse, kUsesDiffuse);

    Texturing texturing = Texturing::None;
    if (c.stageSamples[0] && ((colourUse | alphaUse) & kUsesTexture)) {
        const SamplerSetup& s = c.samplers[0];
        if (c.texProjected[0] || s.needsLod) return nullptr;
        const TextureLevel& level = s.texture->levels[s.baseLevel];
        if (!level.bits || level.width == 0 || level.height == 0 || level.pitch <= 0 || level.pitch % 4 != 0 ||
            level.pitch / 4 >= 32768 || level.height >= 32768 || level.width > static_cast<UINT>(level.pitch / 4))
            return nullptr;
        if (!Addressing(s.addressU, level.width, sp.wrapMaskU, sp.lastU) ||
            !Addressing(s.addressV, level.height, sp.wrapMaskV, sp.lastV))
            return nullptr;
        sp.texels = level.bits;
        sp.texelPitch = level.pitch / 4;
        sp.width = static_cast<float>(level.width);
        sp.height = static_cast<float>(level.height);
        texturing = s.magFilter >= D3DTEXF_LINEAR ? Texturing::Linear : Texturing::Point;
    }
    const Tint tint = !((colourUse | alphaUse) & kUsesDiffuse) ? Tint::None
                      : c.diffusePlane >= 0                      ? Tint::Interpolated
                                                                 : Tint::Constant;

    Blending blending = Blending::Off;
    if (c.blend) {
        if (BlendIs(c.blendSetup, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA)) blending = Blending::Alpha;
        else if (BlendIs(c.blendSetup, D3DBLEND_ONE, D3DBLEND_ONE)) blending = Blending::Add;
        else return nullptr;
    }

    DepthMode depth = DepthMode::Off;
    if (c.depthKind != DepthKind::None && (c.depthTest || c.depthWrite || c.stencil)) {
        if (c.depthKind != DepthKind::D24 || c.stencil || !c.depthTest) return nullptr;
        if (c.depthFunc == D3DCMP_LESSEQUAL) sp.depthBias = 1;
        else if (c.depthFunc != D3DCMP_LESS) return nullptr;
        depth = c.depthWrite ? DepthMode::TestWrite : DepthMode::Test;
    }

    switch (texturing) {
        case Texturing::None: return WithTint<Texturing::None>(tint, blending, depth);
        case Texturing::Point: return WithTint<Texturing::Point>(tint, blending, depth);
        default: return WithTint<Texturing::Linear>(tint, blending, depth);
    }
}

#else

SpanShader SelectSpecialisedSpan(DrawContext&) { return nullptr; }

#endif

}  // namespace vestra::raster
