// 8-bit colour arithmetic shared by the texture stages, the samplers and the blender.
// Every path that produces a pixel goes through these, so results never depend on which
// specialised loop drew it.
#pragma once

#include "windef.h"

namespace vestra::raster {

struct Rgba {
    int r, g, b, a;  // 0..255
};

// round(a * b / 255) for a, b in 0..255, exact over the whole range.
inline int Mul8(int a, int b) {
    const int t = a * b + 128;
    return (t + (t >> 8)) >> 8;
}

inline int Clamp8(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

inline int UnitTo8(float f) {
    if (!(f > 0.0f)) return 0;  // also catches NaN
    if (f >= 1.0f) return 255;
    return static_cast<int>(f * 255.0f + 0.5f);
}

inline Rgba Unpack(DWORD argb) {
    return Rgba{static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                static_cast<int>(argb & 0xFF), static_cast<int>(argb >> 24)};
}

inline DWORD Pack(const Rgba& c) {
    return (static_cast<DWORD>(c.a) << 24) | (static_cast<DWORD>(c.r) << 16) |
           (static_cast<DWORD>(c.g) << 8) | static_cast<DWORD>(c.b);
}

// Per-channel a + (b - a) * f / 256 on packed ARGB, f in 0..256: the bilinear and mip
// blends. Two channels ride in each 32-bit word with 16 bits of headroom apiece.
inline DWORD Lerp8(DWORD a, DWORD b, DWORD f) {
    const DWORD g = 256 - f;
    const DWORD rb = (((a & 0x00FF00FF) * g + (b & 0x00FF00FF) * f) >> 8) & 0x00FF00FF;
    const DWORD ag = ((((a >> 8) & 0x00FF00FF) * g + ((b >> 8) & 0x00FF00FF) * f) >> 8) & 0x00FF00FF;
    return rb | (ag << 8);
}

}  // namespace vestra::raster
