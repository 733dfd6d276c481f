// Eight pixels per register with AVX2: the same operations as SimdSse2.h on twice the
// width. Every shuffle works within each 128-bit half, as its SSE2 counterpart does, so
// the span loop's lane layout is the same two halves side by side. Include only where
// the code is compiled for AVX2 (SpanKernelsAvx2.cpp), never with FMA: fused
// multiply-adds would round differently from the general loop.
#pragma once

#include <immintrin.h>

#include <cstring>

#include "windef.h"

namespace vestra::raster::simd {

#ifndef VESTRA_SIMD_INLINE
#define VESTRA_SIMD_INLINE [[gnu::always_inline]] static inline
#endif

struct Avx2 {
    using F = __m256;
    using I = __m256i;
    static constexpr int kLanes = 8;

    VESTRA_SIMD_INLINE F Set1(float f) { return _mm256_set1_ps(f); }
    VESTRA_SIMD_INLINE F Add(F a, F b) { return _mm256_add_ps(a, b); }
    VESTRA_SIMD_INLINE F Sub(F a, F b) { return _mm256_sub_ps(a, b); }
    VESTRA_SIMD_INLINE F Mul(F a, F b) { return _mm256_mul_ps(a, b); }
    VESTRA_SIMD_INLINE F Div(F a, F b) { return _mm256_div_ps(a, b); }
    VESTRA_SIMD_INLINE F Min(F a, F b) { return _mm256_min_ps(a, b); }
    VESTRA_SIMD_INLINE F Max(F a, F b) { return _mm256_max_ps(a, b); }
    VESTRA_SIMD_INLINE F ToFloat(I a) { return _mm256_cvtepi32_ps(a); }
    VESTRA_SIMD_INLINE I Round(F a) { return _mm256_cvtps_epi32(a); }
    VESTRA_SIMD_INLINE I Truncate(F a) { return _mm256_cvttps_epi32(a); }
    VESTRA_SIMD_INLINE I Greater(F a, F b) { return _mm256_castps_si256(_mm256_cmp_ps(a, b, _CMP_GT_OQ)); }

    VESTRA_SIMD_INLINE I Set32(int v) { return _mm256_set1_epi32(v); }
    VESTRA_SIMD_INLINE I Set16(int v) { return _mm256_set1_epi16(static_cast<short>(v)); }
    VESTRA_SIMD_INLINE I Zero() { return _mm256_setzero_si256(); }
    VESTRA_SIMD_INLINE I LaneIndex() { return _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7); }
    VESTRA_SIMD_INLINE I And(I a, I b) { return _mm256_and_si256(a, b); }
    VESTRA_SIMD_INLINE I Or(I a, I b) { return _mm256_or_si256(a, b); }
    VESTRA_SIMD_INLINE I AndNot(I a, I b) { return _mm256_andnot_si256(a, b); }
    VESTRA_SIMD_INLINE I Add32(I a, I b) { return _mm256_add_epi32(a, b); }
    VESTRA_SIMD_INLINE I Greater32(I a, I b) { return _mm256_cmpgt_epi32(a, b); }
    template <int kBits> VESTRA_SIMD_INLINE I ShiftLeft32(I a) { return _mm256_slli_epi32(a, kBits); }
    template <int kBits> VESTRA_SIMD_INLINE I ShiftRight32(I a) { return _mm256_srli_epi32(a, kBits); }
    template <int kBits> VESTRA_SIMD_INLINE I ShiftRightSigned32(I a) { return _mm256_srai_epi32(a, kBits); }
    VESTRA_SIMD_INLINE I Add16(I a, I b) { return _mm256_add_epi16(a, b); }
    VESTRA_SIMD_INLINE I Sub16(I a, I b) { return _mm256_sub_epi16(a, b); }
    VESTRA_SIMD_INLINE I MulLow16(I a, I b) { return _mm256_mullo_epi16(a, b); }
    VESTRA_SIMD_INLINE I MulHighUnsigned16(I a, I b) { return _mm256_mulhi_epu16(a, b); }
    VESTRA_SIMD_INLINE I MulAdd16(I a, I b) { return _mm256_madd_epi16(a, b); }
    VESTRA_SIMD_INLINE I Min16(I a, I b) { return _mm256_min_epi16(a, b); }
    VESTRA_SIMD_INLINE I Max16(I a, I b) { return _mm256_max_epi16(a, b); }
    VESTRA_SIMD_INLINE I Equal16(I a, I b) { return _mm256_cmpeq_epi16(a, b); }
    template <int kBits> VESTRA_SIMD_INLINE I ShiftRight16(I a) { return _mm256_srli_epi16(a, kBits); }
    VESTRA_SIMD_INLINE I AddSaturate8(I a, I b) { return _mm256_adds_epu8(a, b); }

    VESTRA_SIMD_INLINE I PackSigned32(I a, I b) { return _mm256_packs_epi32(a, b); }
    VESTRA_SIMD_INLINE I PackUnsigned16(I a, I b) { return _mm256_packus_epi16(a, b); }
    VESTRA_SIMD_INLINE I Interleave8Low(I a, I b) { return _mm256_unpacklo_epi8(a, b); }
    VESTRA_SIMD_INLINE I Interleave8High(I a, I b) { return _mm256_unpackhi_epi8(a, b); }
    VESTRA_SIMD_INLINE I Interleave16Low(I a, I b) { return _mm256_unpacklo_epi16(a, b); }
    VESTRA_SIMD_INLINE I Interleave32Low(I a, I b) { return _mm256_unpacklo_epi32(a, b); }
    VESTRA_SIMD_INLINE I Interleave32High(I a, I b) { return _mm256_unpackhi_epi32(a, b); }
    VESTRA_SIMD_INLINE I Interleave64Low(I a, I b) { return _mm256_unpacklo_epi64(a, b); }
    VESTRA_SIMD_INLINE I SwapHalves64(I a) { return _mm256_shuffle_epi32(a, _MM_SHUFFLE(1, 0, 3, 2)); }
    VESTRA_SIMD_INLINE I BroadcastAlpha16(I a) {
        return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(a, 0xFF), 0xFF);
    }

    VESTRA_SIMD_INLINE bool AllSet(I a) { return static_cast<unsigned>(_mm256_movemask_epi8(a)) == 0xFFFFFFFFu; }
    VESTRA_SIMD_INLINE bool NoneSet(I a) { return _mm256_testz_si256(a, a) != 0; }
    VESTRA_SIMD_INLINE unsigned CountSet32(I a) {
        return static_cast<unsigned>(__builtin_popcount(static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(a)))));
    }

    // n (1..8) 32-bit values; lanes past n read as zero and are not written. Masked
    // lanes are never touched, so a short span at the end of a row stays inside it.
    VESTRA_SIMD_INLINE I Load(const BYTE* p, int n) {
        if (n == kLanes) return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        return _mm256_maskload_epi32(reinterpret_cast<const int*>(p), FirstLanes(n));
    }
    VESTRA_SIMD_INLINE void Store(BYTE* p, I v, int n) {
        if (n == kLanes) _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
        else _mm256_maskstore_epi32(reinterpret_cast<int*>(p), FirstLanes(n), v);
    }

    // n (1..8) 16-bit values widened to 32-bit lanes, and back (lanes hold 0..65535).
    VESTRA_SIMD_INLINE I Load16(const BYTE* p, int n) {
        if (n == kLanes) return _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
        alignas(16) WORD t[kLanes] = {};
        std::memcpy(t, p, static_cast<size_t>(n) * 2);
        return _mm256_cvtepu16_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(t)));
    }
    VESTRA_SIMD_INLINE void Store16(BYTE* p, I v, int n) {
        const __m128i packed = _mm_packus_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
        if (n == kLanes) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), packed);
            return;
        }
        alignas(16) WORD t[kLanes];
        _mm_store_si128(reinterpret_cast<__m128i*>(t), packed);
        std::memcpy(p, t, static_cast<size_t>(n) * 2);
    }

    VESTRA_SIMD_INLINE I ScaleDepth24(F z) {
        const __m256d scale = _mm256_set1_pd(16777215.0), half = _mm256_set1_pd(0.5);
        const __m128i lo =
            _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_mul_pd(_mm256_cvtps_pd(_mm256_castps256_ps128(z)), scale), half));
        const __m128i hi =
            _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_mul_pd(_mm256_cvtps_pd(_mm256_extractf128_ps(z, 1)), scale), half));
        return _mm256_set_m128i(hi, lo);
    }

    VESTRA_SIMD_INLINE I Gather(const BYTE* texels, I index) {
        return _mm256_i32gather_epi32(reinterpret_cast<const int*>(texels), index, 4);
    }

    // The 2x2 blocks whose top-left texels are at `index`: two 64-bit loads per pixel
    // (cheaper than gathers on the processors measured), split into lefts and rights.
    VESTRA_SIMD_INLINE void GatherBlocks(const BYTE* texels, ptrdiff_t pitch, I index, I& t00, I& t10, I& t01,
                                         I& t11) {
        alignas(32) int at[kLanes];
        _mm256_store_si256(reinterpret_cast<__m256i*>(at), index);
        auto pair = [&](int k, ptrdiff_t offset) {
            return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(texels + static_cast<ptrdiff_t>(at[k]) * 4 + offset));
        };
        // Halves hold pixels 0..3 and 4..7: (0, 1 | 4, 5) and (2, 3 | 6, 7) before the split.
        auto rows = [&](ptrdiff_t offset, I& left, I& right) {
            const __m256i a = _mm256_set_m128i(_mm_unpacklo_epi64(pair(4, offset), pair(5, offset)),
                                               _mm_unpacklo_epi64(pair(0, offset), pair(1, offset)));
            const __m256i b = _mm256_set_m128i(_mm_unpacklo_epi64(pair(6, offset), pair(7, offset)),
                                               _mm_unpacklo_epi64(pair(2, offset), pair(3, offset)));
            Split(a, b, left, right);
        };
        rows(0, t00, t10);
        rows(pitch, t01, t11);
    }

private:
    VESTRA_SIMD_INLINE I FirstLanes(int n) { return _mm256_cmpgt_epi32(_mm256_set1_epi32(n), LaneIndex()); }

    VESTRA_SIMD_INLINE void Split(__m256i a, __m256i b, I& left, I& right) {
        const __m256 fa = _mm256_castsi256_ps(a), fb = _mm256_castsi256_ps(b);
        left = _mm256_castps_si256(_mm256_shuffle_ps(fa, fb, _MM_SHUFFLE(2, 0, 2, 0)));
        right = _mm256_castps_si256(_mm256_shuffle_ps(fa, fb, _MM_SHUFFLE(3, 1, 3, 1)));
    }
};

}  // namespace vestra::raster::simd
