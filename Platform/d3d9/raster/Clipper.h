// Homogeneous clipping: exact at the near (z = 0) and far (z = w) planes, against a guard
// band eight viewports wide at the sides so that screen coordinates stay in fixed-point
// range while most triangles cross the screen edges unclipped (the rasterizer scissors).
#pragma once

#include "d3d9/raster/VertexProcessor.h"

namespace vestra::raster {

constexpr float kGuardBand = 8.0f;
// A triangle cut by all seven planes gains at most one vertex per plane.
constexpr int kMaxClipVertices = 10;

// Bit i set: the vertex is outside clip plane i.
DWORD ClipCodes(const ProcessedVertex& v);

// Clips the triangle (a, b, c); the resulting convex polygon (0 or 3..10 vertices) is
// written to `out` in the same winding. Returns the vertex count.
int ClipTriangle(const ProcessedVertex& a, const ProcessedVertex& b, const ProcessedVertex& c,
                 ProcessedVertex out[kMaxClipVertices]);

// Clips the segment in place; false when nothing is left.
bool ClipLine(ProcessedVertex& a, ProcessedVertex& b);

}  // namespace vestra::raster
