#include "d3d9/raster/DrawContextBuilder.h"

#include <algorithm>

namespace vestra::raster {

namespace {

DepthKind KindOf(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_D16: case D3DFMT_D16_LOCKABLE: return DepthKind::D16;
        case D3DFMT_D24S8: case D3DFMT_D24X8: return DepthKind::D24;
        case D3DFMT_D32: return DepthKind::D32;
        default: return DepthKind::None;
    }
}

bool StagesRead(const CombinerSetup& c, DWORD source) {
    for (int s = 0; s < c.stageCount; ++s)
        for (int a = 0; a < 3; ++a)
            if ((c.stages[s].colorArg[a] & D3DTA_SELECTMASK) == source ||
                (c.stages[s].alphaArg[a] & D3DTA_SELECTMASK) == source)
                return true;
    return false;
}

DWORD ChannelMask(DWORD enable) {
    return ((enable & D3DCOLORWRITEENABLE_RED) ? 0x00FF0000u : 0u) |
           ((enable & D3DCOLORWRITEENABLE_GREEN) ? 0x0000FF00u : 0u) |
           ((enable & D3DCOLORWRITEENABLE_BLUE) ? 0x000000FFu : 0u) |
           ((enable & D3DCOLORWRITEENABLE_ALPHA) ? 0xFF000000u : 0u);
}

}  // namespace

bool BuildDrawContext(const State& state, DrawContext& c) {
    const DWORD* rs = state.renderStates;
    const ColorBuffer& target = state.target;
    if (!target.bits || (target.format != D3DFMT_A8R8G8B8 && target.format != D3DFMT_X8R8G8B8)) return false;
    c = DrawContext{};
    c.color = target.bits;
    c.colorPitch = target.pitch;
    c.colorHasAlpha = target.format == D3DFMT_A8R8G8B8;
    c.writeMask = ChannelMask(rs[D3DRS_COLORWRITEENABLE]);

    int right = static_cast<int>(target.width), bottom = static_cast<int>(target.height);
    if (state.depth.bits) {
        c.depthKind = KindOf(state.depth.format);
        if (c.depthKind == DepthKind::None) return false;
        c.depth = state.depth.bits;
        c.depthPitch = state.depth.pitch;
        right = std::min(right, static_cast<int>(state.depth.width));
        bottom = std::min(bottom, static_cast<int>(state.depth.height));
    }
    const D3DVIEWPORT9& vp = state.viewport;
    c.clipLeft = static_cast<int>(std::min<DWORD>(vp.X, 1u << 20));
    c.clipTop = static_cast<int>(std::min<DWORD>(vp.Y, 1u << 20));
    c.clipRight = std::min<int>(right, c.clipLeft + static_cast<int>(std::min<DWORD>(vp.Width, 1u << 20)));
    c.clipBottom = std::min<int>(bottom, c.clipTop + static_cast<int>(std::min<DWORD>(vp.Height, 1u << 20)));
    if (rs[D3DRS_SCISSORTESTENABLE]) {
        const RECT& r = state.scissorRect;
        c.clipLeft = std::max<int>(c.clipLeft, r.left);
        c.clipTop = std::max<int>(c.clipTop, r.top);
        c.clipRight = std::min<int>(c.clipRight, r.right);
        c.clipBottom = std::min<int>(c.clipBottom, r.bottom);
    }

    bool samples[kMaxStages];
    MakeCombinerSetup(state.stageStates, rs[D3DRS_TEXTUREFACTOR], c.combiner, samples);
    for (UINT s = 0; s < kMaxStages; ++s) {
        const Texture* t = state.textures[s];
        c.stageSamples[s] = samples[s] && t && t->levelCount > 0 && t->levels[0].bits;
        if (c.stageSamples[s]) c.samplers[s] = MakeSamplerSetup(state.samplerStates[s], t);
    }

    c.specularAdd = rs[D3DRS_SPECULARENABLE] != 0;
    if (rs[D3DRS_FOGENABLE]) {
        c.fogColour = Unpack(rs[D3DRS_FOGCOLOR]);
        const DWORD table = rs[D3DRS_FOGTABLEMODE];
        if (table == D3DFOG_NONE) {
            c.fog = DrawContext::Fog::Vertex;
        } else {
            const D3DMATRIX& p = *state.projection;
            const bool eyeW = p._14 == 0.0f && p._24 == 0.0f && p._34 == 1.0f && p._44 == 0.0f;
            c.fog = eyeW ? DrawContext::Fog::TableEye : DrawContext::Fog::TableDepth;
            c.fogTable = MakeFogFormula(rs, table);
        }
    }
    const bool gouraud = rs[D3DRS_SHADEMODE] != D3DSHADE_FLAT;
    int plane = 2;
    if (gouraud) {
        c.diffusePlane = plane;
        plane += 4;
        if (c.specularAdd || StagesRead(c.combiner, D3DTA_SPECULAR) || c.fog == DrawContext::Fog::Vertex) {
            c.specularPlane = plane;
            plane += 4;
        }
    }
    for (UINT s = 0; s < kMaxStages; ++s) {
        if (!c.stageSamples[s]) continue;
        c.texPlane[s] = plane;
        const DWORD flags = state.stageStates[s][D3DTSS_TEXTURETRANSFORMFLAGS];
        c.texProjected[s] = (flags & D3DTTFF_PROJECTED) && (flags & 0xFF) >= 2 && (flags & 0xFF) <= 4;
        c.texCoords[s] = c.samplers[s].texture->shape == TextureShape::Planar ? 2 : 3;
        plane += c.texCoords[s] + (c.texProjected[s] ? 1 : 0);
        if (c.samplers[s].needsLod) c.needLod = true;
    }
    c.planeCount = plane;

    c.alphaTest = rs[D3DRS_ALPHATESTENABLE] != 0;
    c.alphaFunc = rs[D3DRS_ALPHAFUNC];
    c.alphaRef = rs[D3DRS_ALPHAREF] & 0xFF;

    if (c.depthKind != DepthKind::None) {
        c.depthTest = rs[D3DRS_ZENABLE] != D3DZB_FALSE;
        c.depthFunc = rs[D3DRS_ZFUNC];
        // With the depth buffer disabled nothing is written to it either.
        c.depthWrite = c.depthTest && rs[D3DRS_ZWRITEENABLE] != 0;
        c.stencil = rs[D3DRS_STENCILENABLE] != 0 && state.depth.format == D3DFMT_D24S8;
        c.twoSidedStencil = c.stencil && rs[D3DRS_TWOSIDEDSTENCILMODE] != 0;
        c.stencilFront = StencilSide{rs[D3DRS_STENCILFUNC], rs[D3DRS_STENCILFAIL], rs[D3DRS_STENCILZFAIL], rs[D3DRS_STENCILPASS]};
        c.stencilBack = StencilSide{rs[D3DRS_CCW_STENCILFUNC], rs[D3DRS_CCW_STENCILFAIL], rs[D3DRS_CCW_STENCILZFAIL],
                                    rs[D3DRS_CCW_STENCILPASS]};
        c.stencilRef = rs[D3DRS_STENCILREF] & 0xFF;
        c.stencilMask = rs[D3DRS_STENCILMASK] & 0xFF;
        c.stencilWriteMask = rs[D3DRS_STENCILWRITEMASK] & 0xFF;
    }

    c.blend = rs[D3DRS_ALPHABLENDENABLE] != 0;
    if (c.blend) {
        BlendSetup& b = c.blendSetup;
        b.srcColor = rs[D3DRS_SRCBLEND];
        b.destColor = rs[D3DRS_DESTBLEND];
        b.opColor = rs[D3DRS_BLENDOP];
        ResolveBothFactors(b.srcColor, b.destColor);
        if (rs[D3DRS_SEPARATEALPHABLENDENABLE]) {
            b.srcAlpha = rs[D3DRS_SRCBLENDALPHA];
            b.destAlpha = rs[D3DRS_DESTBLENDALPHA];
            b.opAlpha = rs[D3DRS_BLENDOPALPHA];
            ResolveBothFactors(b.srcAlpha, b.destAlpha);
        } else {
            b.srcAlpha = b.srcColor;
            b.destAlpha = b.destColor;
            b.opAlpha = b.opColor;
        }
        b.factor = Unpack(rs[D3DRS_BLENDFACTOR]);
    }
    return true;
}

}  // namespace vestra::raster
