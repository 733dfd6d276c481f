#include "d3d9/raster/PrimitiveSetup.h"

#include <algorithm>
#include <cmath>

namespace vestra::raster {

namespace {

constexpr int kSubpixelBits = 8;
constexpr int64_t kSubpixel = 1 << kSubpixelBits;
// Screen coordinates beyond this never come out of the clipper; pretransformed vertices
// further out are rejected rather than overflowing the fixed-point edge functions.
constexpr float kMaxScreenCoordinate = 1 << 20;

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

bool InRange(const ScreenPosition& p) {
    return std::fabs(p.x) < kMaxScreenCoordinate && std::fabs(p.y) < kMaxScreenCoordinate;
}

// Attribute values at one vertex, pre-multiplied by 1/w where perspective applies.
void Gather(const DrawContext& ctx, const ProcessedVertex& v, const ScreenPosition& p, float out[kMaxPlanes]) {
    out[0] = p.rhw;
    out[1] = p.z;
    if (ctx.diffusePlane >= 0)
        for (int c = 0; c < 4; ++c) out[ctx.diffusePlane + c] = v.diffuse[c] * p.rhw;
    if (ctx.specularPlane >= 0)
        for (int c = 0; c < 4; ++c) out[ctx.specularPlane + c] = v.specular[c] * p.rhw;
    for (UINT s = 0; s < kMaxStages; ++s) {
        if (!ctx.stageSamples[s]) continue;
        const int base = ctx.texPlane[s];
        out[base] = v.tex[s][0] * p.rhw;
        out[base + 1] = v.tex[s][1] * p.rhw;
        if (ctx.texCoords[s] == 3) out[base + 2] = v.tex[s][2] * p.rhw;
        if (ctx.texProjected[s]) out[base + ctx.texCoords[s]] = v.tex[s][3] * p.rhw;
    }
}

int ToColour(float f) { return UnitTo8(f); }

}  // namespace

ScreenPosition ToScreen(const ProcessedVertex& v, const D3DVIEWPORT9& vp, bool pretransformed) {
    if (pretransformed) return ScreenPosition{v.clip[0], v.clip[1], v.clip[2], v.clip[3]};
    const float rhw = 1.0f / v.clip[3];
    const float halfW = static_cast<float>(vp.Width) * 0.5f, halfH = static_cast<float>(vp.Height) * 0.5f;
    return ScreenPosition{static_cast<float>(vp.X) + (1.0f + v.clip[0] * rhw) * halfW,
                          static_cast<float>(vp.Y) + (1.0f - v.clip[1] * rhw) * halfH,
                          vp.MinZ + v.clip[2] * rhw * (vp.MaxZ - vp.MinZ), rhw};
}

void FlatColours(const ProcessedVertex& v, Rgba& diffuse, Rgba& specular) {
    diffuse = Rgba{ToColour(v.diffuse[0]), ToColour(v.diffuse[1]), ToColour(v.diffuse[2]), ToColour(v.diffuse[3])};
    specular = Rgba{ToColour(v.specular[0]), ToColour(v.specular[1]), ToColour(v.specular[2]), ToColour(v.specular[3])};
}

bool SetupTriangle(const DrawContext& ctx, DWORD cullMode, const ProcessedVertex* const v[3], const ScreenPosition p[3],
                   Primitive& out) {
    if (!InRange(p[0]) || !InRange(p[1]) || !InRange(p[2])) return false;
    int64_t X[3], Y[3];
    for (int k = 0; k < 3; ++k) {
        X[k] = std::llrint(p[k].x * static_cast<float>(kSubpixel));
        Y[k] = std::llrint(p[k].y * static_cast<float>(kSubpixel));
    }
    const int64_t area = (X[1] - X[0]) * (Y[2] - Y[0]) - (Y[1] - Y[0]) * (X[2] - X[0]);
    if (area == 0) return false;
    const bool clockwise = area > 0;
    if ((cullMode == D3DCULL_CCW && !clockwise) || (cullMode == D3DCULL_CW && clockwise)) return false;

    const int64_t minY = std::min({Y[0], Y[1], Y[2]}), maxY = std::max({Y[0], Y[1], Y[2]});
    const int64_t minX = std::min({X[0], X[1], X[2]}), maxX = std::max({X[0], X[1], X[2]});
    out.top = static_cast<int>(std::max<int64_t>(CeilDiv(minY, kSubpixel), ctx.clipTop));
    out.bottom = static_cast<int>(std::min<int64_t>(FloorDiv(maxY, kSubpixel), ctx.clipBottom - 1));
    out.left = static_cast<int>(std::max<int64_t>(CeilDiv(minX, kSubpixel), ctx.clipLeft));
    out.right = static_cast<int>(std::min<int64_t>(FloorDiv(maxX, kSubpixel), ctx.clipRight - 1));
    if (out.top > out.bottom || out.left > out.right) return false;

    out.kind = Primitive::Kind::Triangle;
    out.backFacing = !clockwise;
    // Edges run clockwise so the interior is where every edge function is positive.
    const int order[3] = {0, clockwise ? 1 : 2, clockwise ? 2 : 1};
    for (int e = 0; e < 3; ++e) {
        const int a = order[e], b = order[(e + 1) % 3];
        const int64_t dx = X[b] - X[a], dy = Y[b] - Y[a];
        const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
        out.edge[e][0] = -dy * kSubpixel;
        out.edge[e][1] = dx * kSubpixel;
        out.edge[e][2] = -dx * Y[a] + dy * X[a] - (topLeft ? 0 : 1);
    }

    const float x0 = static_cast<float>(X[0]) / kSubpixel, y0 = static_cast<float>(Y[0]) / kSubpixel;
    const float x1 = static_cast<float>(X[1]) / kSubpixel - x0, y1 = static_cast<float>(Y[1]) / kSubpixel - y0;
    const float x2 = static_cast<float>(X[2]) / kSubpixel - x0, y2 = static_cast<float>(Y[2]) / kSubpixel - y0;
    const float invDet = 1.0f / (x1 * y2 - x2 * y1);
    out.originX = x0;
    out.originY = y0;
    float f0[kMaxPlanes], f1[kMaxPlanes], f2[kMaxPlanes];
    Gather(ctx, *v[0], p[0], f0);
    Gather(ctx, *v[1], p[1], f1);
    Gather(ctx, *v[2], p[2], f2);
    for (int k = 0; k < ctx.planeCount; ++k) {
        const float d1 = f1[k] - f0[k], d2 = f2[k] - f0[k];
        out.planes[k] = Plane{f0[k], (d1 * y2 - d2 * y1) * invDet, (d2 * x1 - d1 * x2) * invDet};
    }
    return true;
}

bool SetupPoint(const DrawContext& ctx, const ProcessedVertex& v, const ScreenPosition& p, float size,
                bool spriteCoordinates, Primitive& out) {
    if (!InRange(p)) return false;
    const float half = size * 0.5f;
    const float leftEdge = p.x - half, topEdge = p.y - half;
    // Centres on the left and top edges are inside, on the right and bottom edges outside.
    out.left = std::max(static_cast<int>(std::ceil(leftEdge)), ctx.clipLeft);
    out.right = std::min(static_cast<int>(std::ceil(p.x + half)) - 1, ctx.clipRight - 1);
    out.top = std::max(static_cast<int>(std::ceil(topEdge)), ctx.clipTop);
    out.bottom = std::min(static_cast<int>(std::ceil(p.y + half)) - 1, ctx.clipBottom - 1);
    if (out.top > out.bottom || out.left > out.right) return false;
    out.kind = Primitive::Kind::Rectangle;
    out.backFacing = false;
    out.originX = leftEdge;
    out.originY = topEdge;
    float f[kMaxPlanes];
    Gather(ctx, v, p, f);
    for (int k = 0; k < ctx.planeCount; ++k) out.planes[k] = Plane{f[k], 0.0f, 0.0f};
    if (spriteCoordinates && size > 0.0f) {
        const float step = p.rhw / size;
        for (UINT s = 0; s < kMaxStages; ++s) {
            if (!ctx.stageSamples[s]) continue;
            const int base = ctx.texPlane[s];
            out.planes[base] = Plane{0.0f, step, 0.0f};
            out.planes[base + 1] = Plane{0.0f, 0.0f, step};
            if (ctx.texCoords[s] == 3) out.planes[base + 2] = Plane{0.0f, 0.0f, 0.0f};
            if (ctx.texProjected[s]) out.planes[base + ctx.texCoords[s]] = Plane{p.rhw, 0.0f, 0.0f};
        }
    }
    return true;
}

bool SetupLine(const DrawContext& ctx, const ProcessedVertex& a, const ProcessedVertex& b, const ScreenPosition& pa,
               const ScreenPosition& pb, bool lastPixel, Primitive& out, std::vector<LineRun>& runs) {
    if (!InRange(pa) || !InRange(pb)) return false;
    const float dx = pb.x - pa.x, dy = pb.y - pa.y;
    const bool xMajor = std::fabs(dx) >= std::fabs(dy);
    const float major0 = xMajor ? pa.x : pa.y, major1 = xMajor ? pb.x : pb.y;
    const float minor0 = xMajor ? pa.y : pa.x;
    const float dMajor = major1 - major0, dMinor = xMajor ? dy : dx;
    // Pixels whose major coordinate rounds between the end points; the end point itself
    // only with D3DRS_LASTPIXEL.
    const int start = static_cast<int>(std::floor(major0 + 0.5f));
    const int end = static_cast<int>(std::floor(major1 + 0.5f));
    if (start == end && !lastPixel) return false;
    const int step = end >= start ? 1 : -1;
    const int stop = lastPixel ? end + step : end;
    const float slope = dMajor != 0.0f ? dMinor / dMajor : 0.0f;

    std::vector<LineRun> pixels;
    for (int m = start; m != stop; m += step) {
        const int n = static_cast<int>(std::floor(minor0 + slope * (static_cast<float>(m) - major0) + 0.5f));
        const int x = xMajor ? m : n, y = xMajor ? n : m;
        if (x < ctx.clipLeft || x >= ctx.clipRight || y < ctx.clipTop || y >= ctx.clipBottom) continue;
        pixels.push_back(LineRun{y, x, x});
    }
    if (pixels.empty()) return false;
    std::sort(pixels.begin(), pixels.end(),
              [](const LineRun& l, const LineRun& r) { return l.y != r.y ? l.y < r.y : l.x0 < r.x0; });
    out.kind = Primitive::Kind::Line;
    out.backFacing = false;
    out.runStart = static_cast<int>(runs.size());
    for (const LineRun& px : pixels) {
        if (!runs.empty() && static_cast<int>(runs.size()) > out.runStart && runs.back().y == px.y &&
            runs.back().x1 + 1 == px.x0) {
            runs.back().x1 = px.x0;
        } else {
            runs.push_back(px);
        }
    }
    out.runCount = static_cast<int>(runs.size()) - out.runStart;
    out.top = pixels.front().y;
    out.bottom = pixels.back().y;

    // Attributes vary along the line and stay constant across it.
    out.originX = pa.x;
    out.originY = pa.y;
    const float lengthSquared = dx * dx + dy * dy;
    const float gx = lengthSquared > 0.0f ? dx / lengthSquared : 0.0f;
    const float gy = lengthSquared > 0.0f ? dy / lengthSquared : 0.0f;
    float fa[kMaxPlanes], fb[kMaxPlanes];
    Gather(ctx, a, pa, fa);
    Gather(ctx, b, pb, fb);
    for (int k = 0; k < ctx.planeCount; ++k) {
        const float d = fb[k] - fa[k];
        out.planes[k] = Plane{fa[k], d * gx, d * gy};
    }
    return true;
}

}  // namespace vestra::raster
