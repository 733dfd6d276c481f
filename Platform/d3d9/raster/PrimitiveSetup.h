// Turns clipped vertices into rasterizer primitives: screen mapping, culling, fixed-point
// edge functions with the top-left rule, attribute planes; points become screen-aligned
// squares and lines become one-pixel-wide runs.
#pragma once

#include <vector>

#include "d3d9/raster/DrawContext.h"
#include "d3d9/raster/VertexProcessor.h"

namespace vestra::raster {

// Screen position of a processed vertex: x, y in pixels, z in [MinZ, MaxZ], rhw = 1/w.
struct ScreenPosition {
    float x, y, z, rhw;
};

ScreenPosition ToScreen(const ProcessedVertex& v, const D3DVIEWPORT9& viewport, bool pretransformed);

// Flat colours of a primitive (its first vertex, D3DSHADE_FLAT) as 8-bit values.
void FlatColours(const ProcessedVertex& v, Rgba& diffuse, Rgba& specular);

// False when the triangle is culled, degenerate or covers no pixel centre of the clip area.
bool SetupTriangle(const DrawContext& ctx, DWORD cullMode, const ProcessedVertex* const v[3],
                   const ScreenPosition p[3], Primitive& out);

// A point of `size` pixels; spriteCoordinates replaces every sampled stage's coordinates
// with 0..1 across the square.
bool SetupPoint(const DrawContext& ctx, const ProcessedVertex& v, const ScreenPosition& p, float size,
                bool spriteCoordinates, Primitive& out);

// Appends the line's runs to `runs`; lastPixel includes the end point.
bool SetupLine(const DrawContext& ctx, const ProcessedVertex& a, const ProcessedVertex& b, const ScreenPosition& pa,
               const ScreenPosition& pb, bool lastPixel, Primitive& out, std::vector<LineRun>& runs);

}  // namespace vestra::raster
