#include "d3d9/raster/Clipper.h"

#include <algorithm>
#include <utility>

namespace vestra::raster {

namespace {

constexpr int kPlaneCount = 7;
// Keeps w strictly positive so the perspective division is always defined.
constexpr float kMinW = 1e-6f;

float Distance(const ProcessedVertex& v, int plane) {
    const float x = v.clip[0], y = v.clip[1], z = v.clip[2], w = v.clip[3];
    switch (plane) {
        case 0: return z;
        case 1: return w - z;
        case 2: return w - kMinW;
        case 3: return x + kGuardBand * w;
        case 4: return kGuardBand * w - x;
        case 5: return y + kGuardBand * w;
        default: return kGuardBand * w - y;
    }
}

void Interpolate(const ProcessedVertex& a, const ProcessedVertex& b, float t, ProcessedVertex& out) {
    constexpr int kFloats = sizeof(ProcessedVertex) / sizeof(float);
    const float* pa = reinterpret_cast<const float*>(&a);
    const float* pb = reinterpret_cast<const float*>(&b);
    float* po = reinterpret_cast<float*>(&out);
    for (int i = 0; i < kFloats; ++i) po[i] = pa[i] + (pb[i] - pa[i]) * t;
}

}  // namespace

DWORD ClipCodes(const ProcessedVertex& v) {
    DWORD codes = 0;
    for (int p = 0; p < kPlaneCount; ++p)
        if (Distance(v, p) < 0.0f) codes |= 1u << p;
    return codes;
}

int ClipTriangle(const ProcessedVertex& a, const ProcessedVertex& b, const ProcessedVertex& c,
                 ProcessedVertex out[kMaxClipVertices]) {
    ProcessedVertex buffer[kMaxClipVertices];
    ProcessedVertex* src = out;
    ProcessedVertex* dst = buffer;
    src[0] = a; src[1] = b; src[2] = c;
    int count = 3;
    const DWORD all = ClipCodes(a) | ClipCodes(b) | ClipCodes(c);
    for (int p = 0; p < kPlaneCount && count > 0; ++p) {
        if (!(all & (1u << p))) continue;
        int n = 0;
        for (int i = 0; i < count; ++i) {
            const ProcessedVertex& cur = src[i];
            const ProcessedVertex& next = src[(i + 1) % count];
            const float dc = Distance(cur, p), dn = Distance(next, p);
            if (dc >= 0.0f) dst[n++] = cur;
            if ((dc >= 0.0f) != (dn >= 0.0f) && n < kMaxClipVertices) Interpolate(cur, next, dc / (dc - dn), dst[n++]);
        }
        count = n < 3 ? 0 : n;
        std::swap(src, dst);
    }
    if (src != out)
        for (int i = 0; i < count; ++i) out[i] = src[i];
    return count;
}

bool ClipLine(ProcessedVertex& a, ProcessedVertex& b) {
    float t0 = 0.0f, t1 = 1.0f;
    for (int p = 0; p < kPlaneCount; ++p) {
        const float da = Distance(a, p), db = Distance(b, p);
        if (da < 0.0f && db < 0.0f) return false;
        if (da < 0.0f) t0 = std::max(t0, da / (da - db));
        else if (db < 0.0f) t1 = std::min(t1, da / (da - db));
    }
    if (t0 >= t1) return false;
    const ProcessedVertex originalA = a, originalB = b;
    if (t1 < 1.0f) Interpolate(originalA, originalB, t1, b);
    if (t0 > 0.0f) Interpolate(originalA, originalB, t0, a);
    return true;
}

}  // namespace vestra::raster
