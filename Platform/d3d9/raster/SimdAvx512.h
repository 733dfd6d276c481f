// Sixteen pixels per register with AVX-512 (F, BW and VL): the operations of SimdAvx2.h on
// four 128-bit quarters, every shuffle staying within its quarter as the narrower levels'
// do. Comparisons give all-ones lanes like theirs rather than mask registers, so the span
// loop reads the same; row tails use masked loads and stores. Include only where the code
// is compiled for those extensions with floating-point contraction off
// (SpanKernelsAvx512.cpp): AVX-512's own fused multiply-adds would round differently from
// the general loop.
#pragma once

#include <immintrin.h>

#include <cstring>

#include "windef.h"

namespace vestra::raster::simd {

#ifndef VESTRA_SIMD_INLINE
#define VESTRA_SIMD_INLINE [[gnu::always_inline]] static inline
#endif

struct Avx512 {
    using F = __m512;
    using I = __m512i;
    static constexpr int kLanes = 16;

    VESTRA_SIMD_INLINE F Set1(float f) { return _mm512_set1_ps(f); }
    VESTRA_SIMD_INLINE F Add(F a, F b) { return _mm512_add_ps(a, b); }
    VESTRA_SIMD_INLINE F Sub(F a, F b) { return _mm512_sub_ps(a, b); }
    VESTRA_SIMD_INLINE F Mul(F a, F b) { return _mm512_mul_ps(a, b); }
    VESTRA_SIMD_INLINE F Div(F a, F b) { return _mm512_div_ps(a, b); }
    VESTRA_SIMD_INLINE F Min(F a, F b) { return _mm512_min_ps(a, b); }
    VESTRA_SIMD_INLINE F Max(F a, F b) { return _mm512_max_ps(a, b); }
    VESTRA_SIMD_INLINE F ToFloat(I a) { return _mm512_cvtepi32_ps(a); }
    VESTRA_SIMD_INLINE I Round(F a) { return _mm512_cvtps_epi32(a); }
    VESTRA_SIMD_INLINE I Truncate(F a) { return _mm512_cvttps_epi32(a); }
    VESTRA_SIMD_INLINE I Greater(F a, F b) { return Lanes32(_mm512_cmp_ps_mask(a, b, _CMP_GT_OQ)); }

    VESTRA_SIMD_INLINE I Set32(int v) { return _mm512_set1_epi32(v); }
    VESTRA_SIMD_INLINE I Set16(int v) { return _mm512_set1_epi16(static_cast<short>(v)); }
    VESTRA_SIMD_INLINE I Zero() { return _mm512_setzero_si512(); }
    VESTRA_SIMD_INLINE I LaneIndex() { return _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15); }
    VESTRA_SIMD_INLINE I And(I a, I b) { return _mm512_and_si512(a, b); }
    VESTRA_SIMD_INLINE I Or(I a, I b) { return _mm512_or_si512(a, b); }
    VESTRA_SIMD_INLINE I AndNot(I a, I b) { return _mm512_andnot_si512(a, b); }
    VESTRA_SIMD_INLINE I Add32(I a, I b) { return _mm512_add_epi32(a, b); }
    VESTRA_SIMD_INLINE I Greater32(I a, I b) { return Lanes32(_mm512_cmpgt_epi32_mask(a, b)); }
    template <int kBits> VESTRA_SIMD_INLINE I ShiftLeft32(I a) { return _mm512_slli_epi32(a, kBits); }
    template <int kBits> VESTRA_SIMD_INLINE I ShiftRight32(I a) { return _mm512_srli_epi32(a, kBits); }
    template <int kBits> VESTRA_SIMD_INLINE I ShiftRightSigned32(I a) { return _mm512_srai_epi32(a, kBits); }
    VESTRA_SIMD_INLINE I Add16(I a, I b) { return _mm512_add_epi16(a, b); }
    VESTRA_SIMD_INLINE I Sub16(I a, I b) { return _mm512_sub_epi16(a, b); }
    VESTRA_SIMD_INLINE I MulLow16(I a, I b) { return _mm512_mullo_epi16(a, b); }
    VESTRA_SIMD_INLINE I MulHighUnsigned16(I a, I b) { return _mm512_mulhi_epu16(a, b); }
    VESTRA_SIMD_INLINE I MulAdd16(I a, I b) { return _mm512_madd_epi16(a, b); }
    VESTRA_SIMD_INLINE I Min16(I a, I b) { return _mm512_min_epi16(a, b); }
    VESTRA_SIMD_INLINE I Max16(I a, I b) { return _mm512_max_epi16(a, b); }
    VESTRA_SIMD_INLINE I Equal16(I a, I b) { return _mm512_movm_epi16(_mm512_cmpeq_epi16_mask(a, b)); }
    template <int kBits> VESTRA_SIMD_INLINE I ShiftRight16(I a) { return _mm512_srli_epi16(a, kBits); }
    VESTRA_SIMD_INLINE I AddSaturate8(I a, I b) { return _mm512_adds_epu8(a, b); }

    VESTRA_SIMD_INLINE I PackSigned32(I a, I b) { return _mm512_packs_epi32(a, b); }
    VESTRA_SIMD_INLINE I PackUnsigned16(I a, I b) { return _mm512_packus_epi16(a, b); }
    VESTRA_SIMD_INLINE I Interleave8Low(I a, I b) { return _mm512_unpacklo_epi8(a, b); }
    VESTRA_SIMD_INLINE I Interleave8High(I a, I b) { return _mm512_unpackhi_epi8(a, b); }
    VESTRA_SIMD_INLINE I Interleave16Low(I a, I b) { return _mm512_unpacklo_epi16(a, b); }
    VESTRA_SIMD_INLINE I Interleave32Low(I a, I b) { return _mm512_unpacklo_epi32(a, b); }
    VESTRA_SIMD_INLINE I Interleave32High(I a, I b) { return _mm512_unpackhi_epi32(a, b); }
    VESTRA_SIMD_INLINE I Interleave64Low(I a, I b) { return _mm512_unpacklo_epi64(a, b); }
    VESTRA_SIMD_INLINE I SwapHalves64(I a) { return _mm512_shuffle_epi32(a, static_cast<_MM_PERM_ENUM>(_MM_SHUFFLE(1, 0, 3, 2))); }
    VESTRA_SIMD_INLINE I BroadcastAlpha16(I a) { return _mm512_shufflehi_epi16(_mm512_shufflelo_epi16(a, 0xFF), 0xFF); }

    VESTRA_SIMD_INLINE bool AllSet(I a) { return _mm512_movepi8_mask(a) == ~__mmask64{0}; }
    VESTRA_SIMD_INLINE bool NoneSet(I a) { return _mm512_test_epi32_mask(a, a) == 0; }
    VESTRA_SIMD_INLINE unsigned CountSet32(I a) {
        return static_cast<unsigned>(__builtin_popcount(static_cast<unsigned>(_mm512_test_epi32_mask(a, a))));
    }

    // n (1..16) 32-bit values; lanes past n read as zero and are never touched.
    VESTRA_SIMD_INLINE I Load(const BYTE* p, int n) { return _mm512_maskz_loadu_epi32(FirstLanes(n), p); }
    VESTRA_SIMD_INLINE void Store(BYTE* p, I v, int n) { _mm512_mask_storeu_epi32(p, FirstLanes(n), v); }

    // n (1..16) 16-bit values widened to 32-bit lanes, and back (lanes hold 0..65535).
    VESTRA_SIMD_INLINE I Load16(const BYTE* p, int n) {
        return _mm512_cvtepu16_epi32(_mm256_maskz_loadu_epi16(FirstLanes(n), p));
    }
    VESTRA_SIMD_INLINE void Store16(BYTE* p, I v, int n) { _mm512_mask_cvtepi32_storeu_epi16(p, FirstLanes(n), v); }

    // round-half-up of z * 16777215 in double precision, z already in [0, 1].
    VESTRA_SIMD_INLINE I ScaleDepth24(F z) {
        const __m512d scale = _mm512_set1_pd(16777215.0), half = _mm512_set1_pd(0.5);
        auto scaled = [&](__m256 eight) {
            return _mm512_cvttpd_epi32(_mm512_add_pd(_mm512_mul_pd(_mm512_cvtps_pd(eight), scale), half));
        };
        const __m256i lo = scaled(_mm512_castps512_ps256(z));
        const __m256i hi = scaled(_mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(z), 1)));
        return _mm512_inserti64x4(_mm512_castsi256_si512(lo), hi, 1);
    }

    VESTRA_SIMD_INLINE I Gather(const BYTE* texels, I index) { return _mm512_i32gather_epi32(index, texels, 4); }

    // The 2x2 blocks whose top-left texels are at `index`: one 64-bit gather per row and
    // eight pixels, then split into lefts and rights.
    VESTRA_SIMD_INLINE void GatherBlocks(const BYTE* texels, ptrdiff_t pitch, I index, I& t00, I& t10, I& t01,
                                         I& t11) {
        const __m256i first = _mm512_castsi512_si256(index), second = _mm512_extracti64x4_epi64(index, 1);
        Rows(texels, first, second, t00, t10);
        Rows(texels + pitch, first, second, t01, t11);
    }

private:
    VESTRA_SIMD_INLINE __mmask16 FirstLanes(int n) { return static_cast<__mmask16>((1u << n) - 1u); }
    VESTRA_SIMD_INLINE I Lanes32(__mmask16 m) { return _mm512_maskz_set1_epi32(m, -1); }

    // Gathered texel pairs sit in quarters (0, 1 | 2, 3 | 4, 5 | 6, 7) and (8, 9 | ... 15);
    // the span loop's layout wants pixels 4q..4q+3 in quarter q, so the quarters holding
    // pairs (4q, 4q+1) and those holding (4q+2, 4q+3) are brought together before the split.
    VESTRA_SIMD_INLINE void Rows(const BYTE* row, __m256i first, __m256i second, I& left, I& right) {
        const __m512i low = _mm512_i32gather_epi64(first, row, 4), high = _mm512_i32gather_epi64(second, row, 4);
        const __m512 a = _mm512_castsi512_ps(_mm512_shuffle_i64x2(low, high, _MM_SHUFFLE(2, 0, 2, 0)));
        const __m512 b = _mm512_castsi512_ps(_mm512_shuffle_i64x2(low, high, _MM_SHUFFLE(3, 1, 3, 1)));
        left = _mm512_castps_si512(_mm512_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
        right = _mm512_castps_si512(_mm512_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
    }
};

}  // namespace vestra::raster::simd
