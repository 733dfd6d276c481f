// Shading one span of pixels: interpolation, texture stages, alpha test, depth and
// stencil, blending, the colour write. Specialised per draw for the common state
// combinations; every specialisation runs the same arithmetic as the general one.
#pragma once

#include "d3d9/raster/DrawContext.h"

namespace vestra::raster {

// Shades pixels x0..x1 (inclusive) of row y; adds the pixels written to `written`.
using SpanShader = void (*)(const DrawContext& ctx, const Primitive& prim, int y, int x0, int x1, UINT& written);

// The specialised loop for the draw's state when there is one (filling ctx.specialised),
// else the general loop.
SpanShader SelectSpanShader(DrawContext& ctx);

// Shades the rows [rowBegin, rowEnd) of the primitives, in order: prims[order[i]] for i
// below count, or prims[i] when order is null.
void RasterizeRows(const DrawContext& ctx, SpanShader shader, const Primitive* prims, const uint32_t* order,
                   size_t count, const LineRun* runs, int rowBegin, int rowEnd, UINT& written);

}  // namespace vestra::raster
