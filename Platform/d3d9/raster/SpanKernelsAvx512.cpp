// The span loops compiled for AVX-512 (F, BW, VL; POPCNT comes with them); used only after
// a run-time check. AVX-512 carries its own fused multiply-adds, which would round
// differently from the general loop, so contraction is switched off for this file.
#include "d3d9/raster/SpanKernels.h"

#if defined(__x86_64__) && defined(__GNUC__)

#include <cstring>

#pragma GCC push_options
#pragma GCC target("avx512f,avx512bw,avx512vl,popcnt")
#pragma GCC optimize("fp-contract=off")
// The compiler's own intrinsics start some results from deliberately undefined registers,
// which its flow analysis mistakes for reads of uninitialised values.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"

#include "d3d9/raster/SimdAvx512.h"
#include "d3d9/raster/SpanLoop.h"

namespace vestra::raster {

SpanShader PickAvx512Span(const SpanChoice& choice) { return SpanLoop<simd::Avx512>::Pick(choice); }

}  // namespace vestra::raster

#pragma GCC diagnostic pop
#pragma GCC pop_options

#endif
