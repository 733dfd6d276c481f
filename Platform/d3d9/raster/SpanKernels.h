// Specialised span loops for the state combinations nearly every draw uses: at most one
// texture stage whose colour and alpha are each the texture, the diffuse colour or their
// product; point or bilinear sampling without mipmaps, wrapping (power-of-two sizes) or
// clamping; blending off, SRCALPHA / INVSRCALPHA or ONE / ONE; no depth, or D24 or D16 depth
// with LESS or LESSEQUAL, written or not; no alpha test, stencil or specular. They shade four
// pixels at a time with SSE2, eight with AVX2 and sixteen with AVX-512 where the processor
// has them, and produce exactly the bytes of the general loop in PixelPipeline.cpp,
// operation for operation.
// Elsewhere (other processors, other states) the general loop is the only one.
#pragma once

#include "d3d9/raster/PixelPipeline.h"

namespace vestra::raster {

// The specialised loop for the draw, with ctx.specialised filled in; null when the draw's
// state needs the general loop.
SpanShader SelectSpecialisedSpan(DrawContext& ctx);

// The widest loops SelectSpecialisedSpan may pick, for comparing them in tests and
// benchmarks; the default is the best the processor has. None leaves the general loop.
enum class SimdLevel { None, Sse2, Avx2, Avx512 };
void LimitSimd(SimdLevel level);

enum class Texturing { None, Point, Linear };
enum class Tint { None, Constant, Interpolated };  // what the texel is multiplied by
enum class Blending { Off, Alpha, Add };
enum class DepthMode { Off, Test, TestWrite };
enum class DepthCells { D24, D16 };  // 32-bit cells with the depth in the high 24 bits, or 16-bit cells

struct SpanChoice {
    Texturing texturing;
    Tint tint;
    Blending blending;
    DepthMode depth;
    DepthCells cells;
};

// The loops for one choice, per instruction set (SpanKernelsSse2.cpp, SpanKernelsAvx2.cpp,
// SpanKernelsAvx512.cpp).
SpanShader PickSse2Span(const SpanChoice& choice);
SpanShader PickAvx2Span(const SpanChoice& choice);
SpanShader PickAvx512Span(const SpanChoice& choice);

}  // namespace vestra::raster
