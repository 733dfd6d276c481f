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

DWORD Texel(const TextureLevel& level, DWORD border, int x, int y, int z = 0) {
    if (x < 0 || y < 0 || z < 0) return border;
    DWORD t;
    std::memcpy(&t,
                level.bits + static_cast<ptrdiff_t>(z) * level.slicePitch + static_cast<ptrdiff_t>(y) * level.pitch +
                    static_cast<ptrdiff_t>(x) * 4,
                4);
    return t;
}

// 8 fractional bits; rounding (not flooring) keeps exact texel centres exact despite
// float noise in the interpolated coordinates.
int Fixed(float coordinate, int size) {
    return static_cast<int>(std::lrint(ClampCoord(coordinate * static_cast<float>(size) - 0.5f) * 256.0f));
}

int Nearest(float coordinate, int size) {
    return static_cast<int>(std::floor(ClampCoord(coordinate * static_cast<float>(size))));
}

DWORD SamplePlane(const TextureLevel& l, DWORD addressU, DWORD addressV, DWORD border, bool linear, float u, float v) {
    const int w = static_cast<int>(l.width), h = static_cast<int>(l.height);
    if (!linear) return Texel(l, border, Address(addressU, Nearest(u, w), w), Address(addressV, Nearest(v, h), h));
    const int fx = Fixed(u, w), fy = Fixed(v, h);
    const int x0 = fx >> 8, y0 = fy >> 8;
    const int ax = Address(addressU, x0, w), bx = Address(addressU, x0 + 1, w);
    const int ay = Address(addressV, y0, h), by = Address(addressV, y0 + 1, h);
    const DWORD top = Lerp8(Texel(l, border, ax, ay), Texel(l, border, bx, ay), static_cast<DWORD>(fx & 255));
    const DWORD bottom = Lerp8(Texel(l, border, ax, by), Texel(l, border, bx, by), static_cast<DWORD>(fx & 255));
    return Lerp8(top, bottom, static_cast<DWORD>(fy & 255));
}

// Where a direction lands on the cube: its face, and which components (with which sign)
// run across the face and along the major axis.
struct CubeAxes {
    int face;
    int s, t, m;
    float sSign, tSign, mSign;
};

// The face a direction points at (largest component, x before y before z on ties) and
// the axes across it, oriented as Direct3D lays out cube faces.
CubeAxes FaceOf(float x, float y, float z) {
    const float ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
    if (ax >= ay && ax >= az)
        return x >= 0.0f ? CubeAxes{D3DCUBEMAP_FACE_POSITIVE_X, 2, 1, 0, -1.0f, -1.0f, 1.0f}
                         : CubeAxes{D3DCUBEMAP_FACE_NEGATIVE_X, 2, 1, 0, 1.0f, -1.0f, -1.0f};
    if (ay >= az)
        return y >= 0.0f ? CubeAxes{D3DCUBEMAP_FACE_POSITIVE_Y, 0, 2, 1, 1.0f, 1.0f, 1.0f}
                         : CubeAxes{D3DCUBEMAP_FACE_NEGATIVE_Y, 0, 2, 1, 1.0f, -1.0f, -1.0f};
    return z >= 0.0f ? CubeAxes{D3DCUBEMAP_FACE_POSITIVE_Z, 0, 1, 2, 1.0f, -1.0f, 1.0f}
                     : CubeAxes{D3DCUBEMAP_FACE_NEGATIVE_Z, 0, 1, 2, -1.0f, -1.0f, -1.0f};
}

DWORD SampleCube(const SamplerSetup& s, int level, bool linear, float x, float y, float z) {
    const float c[3] = {x, y, z};
    const CubeAxes a = FaceOf(x, y, z);
    const float major = a.mSign * c[a.m];
    if (!(major > 0.0f)) return s.border;  // no direction (or NaN)
    const TextureLevel& l = s.texture->levels[static_cast<UINT>(a.face) * kMaxTextureLevels + static_cast<UINT>(level)];
    if (!l.bits) return s.border;
    const float u = 0.5f * (a.sSign * c[a.s] / major + 1.0f), v = 0.5f * (a.tSign * c[a.t] / major + 1.0f);
    return SamplePlane(l, D3DTADDRESS_CLAMP, D3DTADDRESS_CLAMP, s.border, linear, u, v);
}

DWORD SampleVolume(const SamplerSetup& s, int level, bool linear, float u, float v, float r) {
    const TextureLevel& l = s.texture->levels[level];
    const int w = static_cast<int>(l.width), h = static_cast<int>(l.height), d = static_cast<int>(l.depth);
    if (!linear)
        return Texel(l, s.border, Address(s.addressU, Nearest(u, w), w), Address(s.addressV, Nearest(v, h), h),
                     Address(s.addressW, Nearest(r, d), d));
    const int fx = Fixed(u, w), fy = Fixed(v, h), fz = Fixed(r, d);
    const int ax = Address(s.addressU, fx >> 8, w), bx = Address(s.addressU, (fx >> 8) + 1, w);
    const int ay = Address(s.addressV, fy >> 8, h), by = Address(s.addressV, (fy >> 8) + 1, h);
    const int az = Address(s.addressW, fz >> 8, d), bz = Address(s.addressW, (fz >> 8) + 1, d);
    auto slice = [&](int z) {
        const DWORD top = Lerp8(Texel(l, s.border, ax, ay, z), Texel(l, s.border, bx, ay, z), static_cast<DWORD>(fx & 255));
        const DWORD bottom =
            Lerp8(Texel(l, s.border, ax, by, z), Texel(l, s.border, bx, by, z), static_cast<DWORD>(fx & 255));
        return Lerp8(top, bottom, static_cast<DWORD>(fy & 255));
    };
    return Lerp8(slice(az), slice(bz), static_cast<DWORD>(fz & 255));
}

// Picks the level(s) for `lod` and reads them with read(level, linear): the filter is the
// magnification one up to lod 0 and the minification one beyond.
template <class Read>
DWORD SampleMipmapped(const SamplerSetup& s, float lod, Read read) {
    if (!s.needsLod) return read(s.baseLevel, IsLinear(s.magFilter));
    lod += s.lodBias;
    if (lod > 30.0f) lod = 30.0f;  // beyond any chain; keeps the level arithmetic in range
    if (!(lod > 0.0f)) return read(s.baseLevel, IsLinear(s.magFilter));
    const bool linear = IsLinear(s.minFilter);
    const int last = static_cast<int>(s.texture->levelCount) - 1;
    if (s.mipFilter == D3DTEXF_NONE) return read(s.baseLevel, linear);
    if (s.mipFilter == D3DTEXF_POINT) {
        int level = s.baseLevel + static_cast<int>(std::floor(lod + 0.5f));
        if (level > last) level = last;
        return read(level, linear);
    }
    const float whole = std::floor(lod);
    int level = s.baseLevel + static_cast<int>(whole);
    if (level >= last) return read(last, linear);
    const DWORD f = static_cast<DWORD>(std::lrint((lod - whole) * 256.0f));
    return Lerp8(read(level, linear), read(level + 1, linear), f);
}

}  // namespace

SamplerSetup MakeSamplerSetup(const DWORD ss[kSamplerStateCount], const Texture* texture) {
    SamplerSetup s;
    s.texture = texture;
    s.addressU = ss[D3DSAMP_ADDRESSU];
    s.addressV = ss[D3DSAMP_ADDRESSV];
    s.addressW = ss[D3DSAMP_ADDRESSW];
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
    return SamplePlane(s.texture->levels[level], s.addressU, s.addressV, s.border, linear, u, v);
}

DWORD Sample3(const SamplerSetup& s, float x, float y, float z, float lod) {
    if (s.texture->shape == TextureShape::Cube)
        return SampleMipmapped(s, lod, [&](int level, bool linear) { return SampleCube(s, level, linear, x, y, z); });
    return SampleMipmapped(s, lod, [&](int level, bool linear) { return SampleVolume(s, level, linear, x, y, z); });
}

float LevelOfDetail3(const Texture& texture, const float coord[3], const float ddx[3], const float ddy[3]) {
    float du[2], dv[2], dw[2];
    const float* d[2] = {ddx, ddy};
    if (texture.shape == TextureShape::Cube) {
        // Face coordinates are s / m and t / m: their change follows the quotient rule.
        const CubeAxes a = FaceOf(coord[0], coord[1], coord[2]);
        const float major = a.mSign * coord[a.m];
        if (!(major > 0.0f)) return -30.0f;
        const float sc = a.sSign * coord[a.s], tc = a.tSign * coord[a.t];
        const float scale = 0.5f * static_cast<float>(texture.levels[static_cast<UINT>(a.face) * kMaxTextureLevels].width) /
                            (major * major);
        for (int i = 0; i < 2; ++i) {
            const float dm = a.mSign * d[i][a.m];
            du[i] = (a.sSign * d[i][a.s] * major - sc * dm) * scale;
            dv[i] = (a.tSign * d[i][a.t] * major - tc * dm) * scale;
            dw[i] = 0.0f;
        }
    } else {
        const TextureLevel& l = texture.levels[0];
        for (int i = 0; i < 2; ++i) {
            du[i] = d[i][0] * static_cast<float>(l.width);
            dv[i] = d[i][1] * static_cast<float>(l.height);
            dw[i] = d[i][2] * static_cast<float>(l.depth);
        }
    }
    const float rhoX = du[0] * du[0] + dv[0] * dv[0] + dw[0] * dw[0];
    const float rhoY = du[1] * du[1] + dv[1] * dv[1] + dw[1] * dw[1];
    const float rho = rhoX > rhoY ? rhoX : rhoY;
    return rho > 0.0f ? 0.5f * std::log2(rho) : -30.0f;
}

DWORD Sample(const SamplerSetup& s, float u, float v, float lod) {
    return SampleMipmapped(s, lod, [&](int level, bool linear) { return SampleLevel(s, level, linear, u, v); });
}

}  // namespace vestra::raster
