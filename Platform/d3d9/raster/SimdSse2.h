// Four pixels per register with SSE2, the x86-64 baseline: the operations SpanLoop.h is
// written in. Integer registers hold 32-bit lanes (one per pixel), 16-bit lanes (two pixels'
// channels) or bytes (packed pixels), depending on the step.
#pragma once

#include <emmintrin.h>

#include <cstring>

#include "windef.h"

namespace vestra::raster::simd {

#define VESTRA_SIMD_INLINE [[gnu::always_inline]] static inline

struct Sse2 {
    using F = __m128;
    using I = __m128i;
    static constexpr int kLanes = 4;

    VESTRA_SIMD_INLINE F Set1(float f) { return _mm_set1_ps(f); }
    VESTRA_SIMD_INLINE F Add(F a, F b) { return _mm_add_ps(a, b); }
    VESTRA_SIMD_INLINE F Sub(F a, F b) { return _mm_sub_ps(a, b); }
    VESTRA_SIMD_INLINE F Mul(F a, F b) { return _mm_mul_ps(a, b); }
    VESTRA_SIMD_INLINE F Div(F a, F b) { return _mm_div_ps(a, b); }
    // Min and Max return b when a is NaN, as the scalar clamps of the general loop do.
    VESTRA_SIMD_INLINE F Min(F a, F b) { return _mm_min_ps(a, b); }
    VESTRA_SIMD_INLINE F Max(F a, F b) { return _mm_max_ps(a, b); }
    VESTRA_SIMD_INLINE F ToFloat(I a) { return _mm_cvtepi32_ps(a); }
    VESTRA_SIMD_INLINE I Round(F a) { return _mm_cvtps_epi32(a); }  // to nearest even, as lrint
    VESTRA_SIMD_INLINE I Truncate(F a) { return _mm_cvttps_epi32(a); }
    VESTRA_SIMD_INLINE I Greater(F a, F b) { return _mm_castps_si128(_mm_cmpgt_ps(a, b)); }

    VESTRA_SIMD_INLINE I Set32(int v) { return _mm_set1_epi32(v); }
    VESTRA_SIMD_INLINE I Set16(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
    VESTRA_SIMD_INLINE I Zero() { return _mm_setzero_si128(); }
    VESTRA_SIMD_INLINE I LaneIndex() { return _mm_setr_epi32(0, 1, 2, 3); }
    VESTRA_SIMD_INLINE I And(I a, I b) { return _mm_and_si128(a, b); }
    VESTRA_SIMD_INLINE I Or(I a, I b) { return _mm_or_si128(a, b); }
    VESTRA_SIMD_INLINE I AndNot(I a, I b) { return _mm_andnot_si128(a, b); }  // ~a & b
    VESTRA_SIMD_INLINE I Add32(I a, I b) { return _mm_add_epi32(a, b); }
    VESTRA_SIMD_INLINE I Greater32(I a, I b) { return _mm_cmpgt_epi32(a, b); }
    template <int kBits> VESTRA_SIMD_INLINE I ShiftLeft32(I a) { return _mm_slli_epi32(a, kBits); }
    template <int kBits> VESTRA_SIMD_INLINE I ShiftRight32(I a) { return _mm_srli_epi32(a, kBits); }
    template <int kBits> VESTRA_SIMD_INLINE I ShiftRightSigned32(I a) { return _mm_srai_epi32(a, kBits); }
    VESTRA_SIMD_INLINE I Add16(I a, I b) { return _mm_add_epi16(a, b); }
    VESTRA_SIMD_INLINE I Sub16(I a, I b) { return _mm_sub_epi16(a, b); }
    VESTRA_SIMD_INLINE I MulLow16(I a, I b) { return _mm_mullo_epi16(a, b); }
    VESTRA_SIMD_INLINE I MulHighUnsigned16(I a, I b) { return _mm_mulhi_epu16(a, b); }
    VESTRA_SIMD_INLINE I MulAdd16(I a, I b) { return _mm_madd_epi16(a, b); }
    VESTRA_SIMD_INLINE I Min16(I a, I b) { return _mm_min_epi16(a, b); }
    VESTRA_SIMD_INLINE I Max16(I a, I b) { return _mm_max_epi16(a, b); }
    VESTRA_SIMD_INLINE I Equal16(I a, I b) { return _mm_cmpeq_epi16(a, b); }
    template <int kBits> VESTRA_SIMD_INLINE I ShiftRight16(I a) { return _mm_srli_epi16(a, kBits); }
    VESTRA_SIMD_INLINE I AddSaturate8(I a, I b) { return _mm_adds_epu8(a, b); }

    // Lane shuffles; all of them stay within each 128-bit half.
    VESTRA_SIMD_INLINE I PackSigned32(I a, I b) { return _mm_packs_epi32(a, b); }
    VESTRA_SIMD_INLINE I PackUnsigned16(I a, I b) { return _mm_packus_epi16(a, b); }
    VESTRA_SIMD_INLINE I Interleave8Low(I a, I b) { return _mm_unpacklo_epi8(a, b); }
    VESTRA_SIMD_INLINE I Interleave8High(I a, I b) { return _mm_unpackhi_epi8(a, b); }
    VESTRA_SIMD_INLINE I Interleave16Low(I a, I b) { return _mm_unpacklo_epi16(a, b); }
    VESTRA_SIMD_INLINE I Interleave32Low(I a, I b) { return _mm_unpacklo_epi32(a, b); }
    VESTRA_SIMD_INLINE I Interleave32High(I a, I b) { return _mm_unpackhi_epi32(a, b); }
    VESTRA_SIMD_INLINE I Interleave64Low(I a, I b) { return _mm_unpacklo_epi64(a, b); }
    VESTRA_SIMD_INLINE I SwapHalves64(I a) { return _mm_shuffle_epi32(a, _MM_SHUFFLE(1, 0, 3, 2)); }
    VESTRA_SIMD_INLINE I BroadcastAlpha16(I a) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(a, 0xFF), 0xFF); }

    VESTRA_SIMD_INLINE bool AllSet(I a) { return _mm_movemask_epi8(a) == 0xFFFF; }
    VESTRA_SIMD_INLINE bool NoneSet(I a) { return _mm_movemask_epi8(a) == 0; }
    VESTRA_SIMD_INLINE unsigned CountSet32(I a) {
        static constexpr unsigned kBits[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
        return kBits[_mm_movemask_ps(_mm_castsi128_ps(a))];
    }

    // n (1..4) 32-bit values; lanes past n read as zero and are not written.
    VESTRA_SIMD_INLINE I Load(const BYTE* p, int n) {
        if (n == kLanes) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        alignas(16) DWORD t[kLanes] = {};
        std::memcpy(t, p, static_cast<size_t>(n) * 4);
        return _mm_load_si128(reinterpret_cast<const __m128i*>(t));
    }
    VESTRA_SIMD_INLINE void Store(BYTE* p, I v, int n) {
        if (n == kLanes) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
            return;
        }
        alignas(16) DWORD t[kLanes];
        _mm_store_si128(reinterpret_cast<__m128i*>(t), v);
        std::memcpy(p, t, static_cast<size_t>(n) * 4);
    }

    // n (1..4) 16-bit values widened to 32-bit lanes, and back (lanes hold 0..65535).
    VESTRA_SIMD_INLINE I Load16(const BYTE* p, int n) {
        I packed;
        if (n == kLanes) {
            packed = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
        } else {
            alignas(16) WORD t[2 * kLanes] = {};
            std::memcpy(t, p, static_cast<size_t>(n) * 2);
            packed = _mm_load_si128(reinterpret_cast<const __m128i*>(t));
        }
        return _mm_unpacklo_epi16(packed, _mm_setzero_si128());
    }
    VESTRA_SIMD_INLINE void Store16(BYTE* p, I v, int n) {
        // SSE2 packs only with signed saturation: shift the range down and back.
        const I offset = _mm_set1_epi32(32768);
        const I packed = _mm_xor_si128(_mm_packs_epi32(_mm_sub_epi32(v, offset), offset), _mm_set1_epi16(-32768));
        if (n == kLanes) {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(p), packed);
            return;
        }
        alignas(16) WORD t[2 * kLanes];
        _mm_store_si128(reinterpret_cast<__m128i*>(t), packed);
        std::memcpy(p, t, static_cast<size_t>(n) * 2);
    }

    // round-half-up of z * 16777215 in double precision, z already in [0, 1].
    VESTRA_SIMD_INLINE I ScaleDepth24(F z) {
        const __m128d scale = _mm_set1_pd(16777215.0), half = _mm_set1_pd(0.5);
        const __m128i lo = _mm_cvttpd_epi32(_mm_add_pd(_mm_mul_pd(_mm_cvtps_pd(z), scale), half));
        const __m128i hi = _mm_cvttpd_epi32(_mm_add_pd(_mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(z, z)), scale), half));
        return _mm_unpacklo_epi64(lo, hi);
    }

    // The texels at texel indices `index`.
    VESTRA_SIMD_INLINE I Gather(const BYTE* texels, I index) {
        alignas(16) int at[kLanes];
        _mm_store_si128(reinterpret_cast<__m128i*>(at), index);
        DWORD t[kLanes];
        for (int k = 0; k < kLanes; ++k) std::memcpy(&t[k], texels + static_cast<ptrdiff_t>(at[k]) * 4, 4);
        return _mm_setr_epi32(static_cast<int>(t[0]), static_cast<int>(t[1]), static_cast<int>(t[2]),
                              static_cast<int>(t[3]));
    }

    // The 2x2 blocks whose top-left texels are at `index`: two 64-bit loads per pixel.
    VESTRA_SIMD_INLINE void GatherBlocks(const BYTE* texels, ptrdiff_t pitch, I index, I& t00, I& t10, I& t01,
                                         I& t11) {
        alignas(16) int at[kLanes];
        _mm_store_si128(reinterpret_cast<__m128i*>(at), index);
        __m128i top[kLanes], bottom[kLanes];
        for (int k = 0; k < kLanes; ++k) {
            const BYTE* texel = texels + static_cast<ptrdiff_t>(at[k]) * 4;
            top[k] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(texel));
            bottom[k] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(texel + pitch));
        }
        Split(_mm_unpacklo_epi64(top[0], top[1]), _mm_unpacklo_epi64(top[2], top[3]), t00, t10);
        Split(_mm_unpacklo_epi64(bottom[0], bottom[1]), _mm_unpacklo_epi64(bottom[2], bottom[3]), t01, t11);
    }

private:
    // Pairs (left, right) of pixels 0..3 into a vector of lefts and one of rights.
    VESTRA_SIMD_INLINE void Split(__m128i p01, __m128i p23, I& left, I& right) {
        const __m128 a = _mm_castsi128_ps(p01), b = _mm_castsi128_ps(p23);
        left = _mm_castps_si128(_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
        right = _mm_castps_si128(_mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
    }
};

}  // namespace vestra::raster::simd
