// Half-precision conversions: round to nearest even, with subnormals, infinities and NaN
// carried over as IEEE 754 binary16 defines them.
#include <d3dx9math.h>

#include <string.h>

namespace {

WORD HalfFromFloat(FLOAT value) {
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    const uint32_t sign = (bits >> 16) & 0x8000u;
    const uint32_t magnitude = bits & 0x7fffffffu;

    if (magnitude >= 0x7f800000u) {  // Infinity or NaN; a NaN keeps a non-zero mantissa.
        const uint32_t nan = magnitude > 0x7f800000u ? (0x0200u | ((magnitude >> 13) & 0x3ffu)) : 0;
        return (WORD)(sign | 0x7c00u | nan);
    }
    if (magnitude >= 0x477ff000u)  // Rounds to beyond 65504.
        return (WORD)(sign | 0x7c00u);
    if (magnitude < 0x38800000u) {  // Subnormal half (or zero).
        if (magnitude < 0x33000000u) return (WORD)sign;
        const uint32_t exponent = magnitude >> 23;
        const uint32_t mantissa = (magnitude & 0x7fffffu) | 0x800000u;
        const uint32_t shift = 126 - exponent;  // 14..24
        uint32_t half = mantissa >> shift;
        const uint32_t rest = mantissa & ((1u << shift) - 1);
        const uint32_t halfway = 1u << (shift - 1);
        if (rest > halfway || (rest == halfway && (half & 1))) ++half;
        return (WORD)(sign | half);
    }
    // Normal: rebias the exponent, then round the 13 dropped mantissa bits to even.
    uint32_t half = (magnitude - 0x38000000u) >> 13;
    const uint32_t rest = magnitude & 0x1fffu;
    if (rest > 0x1000u || (rest == 0x1000u && (half & 1))) ++half;
    return (WORD)(sign | half);
}

FLOAT FloatFromHalf(WORD half) {
    const uint32_t sign = (uint32_t)(half & 0x8000u) << 16;
    const uint32_t exponent = (half >> 10) & 0x1fu;
    uint32_t mantissa = half & 0x3ffu;
    uint32_t bits;
    if (exponent == 0x1f) {
        bits = sign | 0x7f800000u | (mantissa << 13);
    } else if (exponent != 0) {
        bits = sign | ((exponent + 112) << 23) | (mantissa << 13);
    } else if (mantissa == 0) {
        bits = sign;
    } else {  // Subnormal half: normalise into a float.
        int shift = 0;
        while (!(mantissa & 0x400u)) {
            mantissa <<= 1;
            ++shift;
        }
        bits = sign | ((uint32_t)(113 - shift) << 23) | ((mantissa & 0x3ffu) << 13);
    }
    FLOAT value;
    memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

D3DXFLOAT16* WINAPI D3DXFloat32To16Array(D3DXFLOAT16* pOut, CONST FLOAT* pIn, UINT n) {
    for (UINT i = 0; i < n; ++i) pOut[i].value = HalfFromFloat(pIn[i]);
    return pOut;
}

FLOAT* WINAPI D3DXFloat16To32Array(FLOAT* pOut, CONST D3DXFLOAT16* pIn, UINT n) {
    for (UINT i = 0; i < n; ++i) pOut[i] = FloatFromHalf(pIn[i].value);
    return pOut;
}
