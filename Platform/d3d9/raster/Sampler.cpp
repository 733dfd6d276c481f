#include "d3d9/raster/Sampler.h"

#include <cmath>
#include <cstring>

namespace vestra::raster {

namespace {

// Texel coordinates are clamped to this range before conversion so any float input
// (including huge or non-finite coordinates) maps to a defined integer.
constexpr float kCoordLimit = 1048576.0f;

bool IsLinear(DWORD filter) { return filter >= D3DTEXF_LINEAR; }

// Maps a texel index onto [0, size) or -1 for "outside, use the border colour".
int Address(DWORD mode, int i, int size) {
    if (i >= 0 && i < size) return i;
    switch (mode) {
        case D3DTADDRESS_MIRROR: {
            const int period = 2 * size;
            int m = i % period;
            if (m < 0) m += period;
            return m < size ? m : period - 1 - m;
        }
        case D3DTADDRESS_CLAMP: return i < 0 ? 0 : size - 1;
        case D3DTADDRESS_BORDER: return -1;
        case D3DTADDRESS_MIRRORONCE: {
            const int m = i < 0 ? -i - 1 : i;
            return m < size ? m : size - 1;
        }
        default: {
            int m = i % size;
            return m < 0 ? m + size : m;
        }
    }
}

float ClampCoord(float x) {
    if (!(x > -kCoordLimit)) return -kCoordLimit;
    return x < kCoordLimit ? x : kCoordLimit;
}

DWORD Texel(const TextureLevel& level, const SamplerSetup& s, int x, int y) {
    if (x < 0 || y < 0) return s.border;
    DWORD t;
    std::memcpy(&t, level.bits + static_cast<ptrdiff_t>(y) * level.pitch + static_cast<ptrdiff_t>(x) * 4, 4);
    return t;
}

}  // namespace

SamplerSetup MakeSamplerSetup(const DWORD ss[kSamplerStateCount], const Texture* texture) {
    SamplerSetup s;
    s.texture = texture;
    s.addressU = ss[D3DSAMP_ADDRESSU];
    s.addressV = ss[D3DSAMP_ADDRESSV];
    s.border = ss[D3DSAMP_BORDERCOLOR];
    s.magFilter = ss[D3DSAMP_MAGFILTER] == D3DTEXF_NONE ? DWORD{D3DTEXF_POINT} : ss[D3DSAMP_MAGFILTER];
    s.minFilter = ss[D3DSAMP_MINFILTER] == D3DTEXF_NONE ? DWORD{D3DTEXF_POINT} : ss[D3DSAMP_MINFILTER];
    s.mipFilter = ss[D3DSAMP_MIPFILTER];
    std::memcpy(&s.lodBias, &ss[D3DSAMP_MIPMAPLODBIAS], sizeof s.lodBias);
    const int levels = texture ? static_cast<int>(texture->levelCount) : 1;
    const int maxLevel = static_cast<int>(ss[D3DSAMP_MAXMIPLEVEL]);
    s.baseLevel = maxLevel < levels - 1 ? maxLevel : levels - 1;
    if (s.baseLevel < 0) s.baseLevel = 0;
    const bool mip = s.mipFilter != D3DTEXF_NONE && levels > s.baseLevel + 1;
    if (!mip) s.mipFilter = D3DTEXF_NONE;
    s.needsLod = mip || IsLinear(s.magFilter) != IsLinear(s.minFilter);
    return s;
}

DWORD SampleLevel(const SamplerSetup& s, int level, bool linear, float u, float v) {
    const TextureLevel& l = s.texture->levels[level];
    const int w = static_cast<int>(l.width), h = static_cast<int>(l.height);
    if (!linear) {
        const int x = static_cast<int>(std::floor(ClampCoord(u * static_cast<float>(w))));
        const int y = static_cast<int>(std::floor(ClampCoord(v * static_cast<float>(h))));
        return Texel(l, s, Address(s.addressU, x, w), Address(s.addressV, y, h));
    }
    // 8 fractional bits; rounding (not flooring) keeps exact texel centres exact despite
    // float noise in the interpolated coordinates.
    const int fx = static_cast<int>(std::lrint(ClampCoord(u * static_cast<float>(w) - 0.5f) * 256.0f));
    const int fy = static_cast<int>(std::lrint(ClampCoord(v * static_cast<float>(h) - 0.5f) * 256.0f));
    const int x0 = fx >> 8, y0 = fy >> 8;
    const int ax = Address(s.addressU, x0, w), bx = Address(s.addressU, x0 + 1, w);
    const int ay = Address(s.addressV, y0, h), by = Address(s.addressV, y0 + 1, h);
    const DWORD top = Lerp8(Texel(l, s, ax, ay), Texel(l, s, bx, ay), static_cast<DWORD>(fx & 255));
    const DWORD bottom = Lerp8(Texel(l, s, ax, by), Texel(l, s, bx, by), static_cast<DWORD>(fx & 255));
    return Lerp8(top, bottom, static_cast<DWORD>(fy & 255));
}

DWORD Sample(const SamplerSetup& s, float u, float v, float lod) {
    if (!s.needsLod) return SampleLevel(s, s.baseLevel, IsLinear(s.magFilter), u, v);
    lod += s.lodBias;
    if (lod > 30.0f) lod = 30.0f;  // beyond any chain; keeps the level arithmetic in range
    if (!(lod > 0.0f)) return SampleLevel(s, s.baseLevel, IsLinear(s.magFilter), u, v);
    const bool linear = IsLinear(s.minFilter);
    const int last = static_cast<int>(s.texture->levelCount) - 1;
    if (s.mipFilter == D3DTEXF_NONE) return SampleLevel(s, s.baseLevel, linear, u, v);
    if (s.mipFilter == D3DTEXF_POINT) {
        int level = s.baseLevel + static_cast<int>(std::floor(lod + 0.5f));
        if (level > last) level = last;
        return SampleLevel(s, level, linear, u, v);
    }
    const float whole = std::floor(lod);
    int level = s.baseLevel + static_cast<int>(whole);
    if (level >= last) return SampleLevel(s, last, linear, u, v);
    const DWORD f = static_cast<DWORD>(std::lrint((lod - whole) * 256.0f));
    return Lerp8(SampleLevel(s, level, linear, u, v), SampleLevel(s, level + 1, linear, u, v), f);
}

}  // namespace vestra::raster
