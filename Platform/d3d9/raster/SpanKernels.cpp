#include "d3d9/raster/SpanKernels.h"

#include <atomic>

namespace vestra::raster {

namespace {

constexpr unsigned kUsesTexture = 1, kUsesDiffuse = 2;

std::atomic<SimdLevel> g_simdLimit{SimdLevel::Avx512};

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
    if (cs.stageCount > 1 || c.alphaTest || c.specularAdd || c.needLod || c.fog != DrawContext::Fog::Off)
        return nullptr;

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
        if (c.texProjected[0] || s.needsLod || c.texCoords[0] != 2) return nullptr;
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
        if ((c.depthKind != DepthKind::D24 && c.depthKind != DepthKind::D16) || c.stencil || !c.depthTest)
            return nullptr;
        if (c.depthFunc == D3DCMP_LESSEQUAL) sp.depthBias = 1;
        else if (c.depthFunc != D3DCMP_LESS) return nullptr;
        depth = c.depthWrite ? DepthMode::TestWrite : DepthMode::Test;
    }

    const SpanChoice choice{texturing, tint, blending, depth,
                            c.depthKind == DepthKind::D16 ? DepthCells::D16 : DepthCells::D24};
    const SimdLevel level = g_simdLimit.load(std::memory_order_relaxed);
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool avx512 = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                               __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("popcnt");
    if (avx512 && level >= SimdLevel::Avx512) return PickAvx512Span(choice);
    static const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    if (avx2 && level >= SimdLevel::Avx2) return PickAvx2Span(choice);
#endif
#if defined(__SSE2__)
    if (level >= SimdLevel::Sse2) return PickSse2Span(choice);
#endif
    (void)choice;
    return nullptr;
}

void LimitSimd(SimdLevel level) { g_simdLimit.store(level); }

}  // namespace vestra::raster
