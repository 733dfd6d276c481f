// The span loops compiled for AVX2 (and POPCNT, which every AVX2 processor has); used only
// after a run-time check. FMA stays off: fused multiply-adds would round differently from
// the general loop.
#include "d3d9/raster/SpanKernels.h"

#if defined(__x86_64__) && defined(__GNUC__)

#include <cstring>

#pragma GCC push_options
#pragma GCC target("avx2,popcnt")

#include "d3d9/raster/SimdAvx2.h"
#include "d3d9/raster/SpanLoop.h"

namespace vestra::raster {

SpanShader PickAvx2Span(const SpanChoice& choice) { return SpanLoop<simd::Avx2>::Pick(choice); }

}  // namespace vestra::raster

#pragma GCC pop_options

#endif
