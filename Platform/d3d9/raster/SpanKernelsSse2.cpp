#include "d3d9/raster/SpanKernels.h"

#if defined(__SSE2__)

#include "d3d9/raster/SimdSse2.h"
#include "d3d9/raster/SpanLoop.h"

namespace vestra::raster {

SpanShader PickSse2Span(const SpanChoice& choice) { return SpanLoop<simd::Sse2>::Pick(choice); }

}  // namespace vestra::raster

#endif
