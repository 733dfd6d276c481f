// Per-pixel tests and blending after the texture stages: comparisons (alpha, depth,
// stencil), stencil operations, blend factors and operations, the colour write mask.
#pragma once

#include "d3d9/raster/ColorMath.h"
#include "d3d9types.h"

namespace vestra::raster {

// "value FUNC reference" for a D3DCMPFUNC.
inline bool Compare(DWORD func, DWORD value, DWORD reference) {
    switch (func) {
        case D3DCMP_NEVER: return false;
        case D3DCMP_LESS: return value < reference;
        case D3DCMP_EQUAL: return value == reference;
        case D3DCMP_LESSEQUAL: return value <= reference;
        case D3DCMP_GREATER: return value > reference;
        case D3DCMP_NOTEQUAL: return value != reference;
        case D3DCMP_GREATEREQUAL: return value >= reference;
        default: return true;
    }
}

inline DWORD ApplyStencilOp(DWORD op, DWORD value, DWORD reference) {
    switch (op) {
        case D3DSTENCILOP_ZERO: return 0;
        case D3DSTENCILOP_REPLACE: return reference & 0xFF;
        case D3DSTENCILOP_INCRSAT: return value < 255 ? value + 1 : 255;
        case D3DSTENCILOP_DECRSAT: return value > 0 ? value - 1 : 0;
        case D3DSTENCILOP_INVERT: return ~value & 0xFF;
        case D3DSTENCILOP_INCR: return (value + 1) & 0xFF;
        case D3DSTENCILOP_DECR: return (value - 1) & 0xFF;
        default: return value;
    }
}

struct BlendSetup {
    DWORD srcColor, destColor, opColor;
    DWORD srcAlpha, destAlpha, opAlpha;
    Rgba factor;  // D3DRS_BLENDFACTOR
};

// The factor for one channel: `channel` indexes r, g, b (0..2) or alpha (3).
inline int BlendFactor(DWORD blend, int channel, const Rgba& s, const Rgba& d, const Rgba& k) {
    const int sc = channel == 0 ? s.r : channel == 1 ? s.g : channel == 2 ? s.b : s.a;
    const int dc = channel == 0 ? d.r : channel == 1 ? d.g : channel == 2 ? d.b : d.a;
    const int kc = channel == 0 ? k.r : channel == 1 ? k.g : channel == 2 ? k.b : k.a;
    switch (blend) {
        case D3DBLEND_ZERO: return 0;
        case D3DBLEND_ONE: return 255;
        case D3DBLEND_SRCCOLOR: return sc;
        case D3DBLEND_INVSRCCOLOR: return 255 - sc;
        case D3DBLEND_SRCALPHA: return s.a;
        case D3DBLEND_INVSRCALPHA: return 255 - s.a;
        case D3DBLEND_DESTALPHA: return d.a;
        case D3DBLEND_INVDESTALPHA: return 255 - d.a;
        case D3DBLEND_DESTCOLOR: return dc;
        case D3DBLEND_INVDESTCOLOR: return 255 - dc;
        case D3DBLEND_SRCALPHASAT: return channel == 3 ? 255 : (s.a < 255 - d.a ? s.a : 255 - d.a);
        case D3DBLEND_BLENDFACTOR: return kc;
        case D3DBLEND_INVBLENDFACTOR: return 255 - kc;
        default: return 255;
    }
}

inline int BlendOp(DWORD op, int s, int sf, int d, int df) {
    switch (op) {
        case D3DBLENDOP_SUBTRACT: return Clamp8(Mul8(s, sf) - Mul8(d, df));
        case D3DBLENDOP_REVSUBTRACT: return Clamp8(Mul8(d, df) - Mul8(s, sf));
        case D3DBLENDOP_MIN: return s < d ? s : d;
        case D3DBLENDOP_MAX: return s > d ? s : d;
        default: return Clamp8(Mul8(s, sf) + Mul8(d, df));
    }
}

// Resolves BOTHSRCALPHA / BOTHINVSRCALPHA, which override the destination factor.
inline void ResolveBothFactors(DWORD& src, DWORD& dest) {
    if (src == D3DBLEND_BOTHSRCALPHA) { src = D3DBLEND_SRCALPHA; dest = D3DBLEND_INVSRCALPHA; }
    else if (src == D3DBLEND_BOTHINVSRCALPHA) { src = D3DBLEND_INVSRCALPHA; dest = D3DBLEND_SRCALPHA; }
}

inline Rgba Blend(const BlendSetup& b, const Rgba& s, const Rgba& d) {
    Rgba out;
    out.r = BlendOp(b.opColor, s.r, BlendFactor(b.srcColor, 0, s, d, b.factor), d.r, BlendFactor(b.destColor, 0, s, d, b.factor));
    out.g = BlendOp(b.opColor, s.g, BlendFactor(b.srcColor, 1, s, d, b.factor), d.g, BlendFactor(b.destColor, 1, s, d, b.factor));
    out.b = BlendOp(b.opColor, s.b, BlendFactor(b.srcColor, 2, s, d, b.factor), d.b, BlendFactor(b.destColor, 2, s, d, b.factor));
    out.a = BlendOp(b.opAlpha, s.a, BlendFactor(b.srcAlpha, 3, s, d, b.factor), d.a, BlendFactor(b.destAlpha, 3, s, d, b.factor));
    return out;
}

}  // namespace vestra::raster
