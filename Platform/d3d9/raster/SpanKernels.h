// Specialised span loops for the state combinations nearly every draw uses: at most one
// texture stage whose colour and alpha are each the texture, the diffuse colour or their
// product; point or bilinear sampling without mipmaps, wrapping (power-of-two sizes) or
// clamping; blending off, SRCALPHA / INVSRCALPHA or ONE / ONE; no depth, or D24 depth with
// LESS or LESSEQUAL, written or not; no alpha test, stencil or specular. They shade four
// pixels at a time with SSE2 and produce exactly the bytes of the general loop in
// PixelPipeline.cpp, operation for operation. Elsewhere the general loop is the only one.
#pragma once

#include "d3d9/raster/PixelPipeline.h"

namespace vestra::raster {

// The specialised loop for the draw, with ctx.specialised filled in; null when the draw's
// state needs the general loop.
SpanShader SelectSpecialisedSpan(DrawContext& ctx);

}  // namespace vestra::raster
