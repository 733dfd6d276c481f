// D3DX 9 math: vector, matrix, quaternion, plane and colour types with their operators,
// the math functions and the matrix stack. Vectors are rows (v' = v * M), matrices are
// row-major, angles are radians; every function returns its output pointer, which may
// alias an input.
#pragma once

#include "d3d9types.h"
#include "unknwn.h"

#define D3DX_PI ((FLOAT)3.141592654)
#define D3DX_1BYPI ((FLOAT)0.318309886)
#define D3DXToRadian(degree) ((degree) * (D3DX_PI / 180.0f))
#define D3DXToDegree(radian) ((radian) * (180.0f / D3DX_PI))

#define D3DX_16F_DIG 3
#define D3DX_16F_EPSILON 4.8875809e-4f
#define D3DX_16F_MANT_DIG 11
#define D3DX_16F_MAX 6.550400e+004
#define D3DX_16F_MAX_10_EXP 4
#define D3DX_16F_MAX_EXP 15
#define D3DX_16F_MIN 6.1035156e-5f
#define D3DX_16F_MIN_10_EXP (-4)
#define D3DX_16F_MIN_EXP (-14)
#define D3DX_16F_RADIX 2
#define D3DX_16F_ROUNDS 1

#define D3DX_ALIGN16 alignas(16)

// Half-precision float (1 sign, 5 exponent, 10 mantissa bits), as vertex and texture
// data store it.
typedef struct D3DXFLOAT16 {
    D3DXFLOAT16() = default;
    D3DXFLOAT16(FLOAT f);
    D3DXFLOAT16(CONST D3DXFLOAT16& f) = default;
    D3DXFLOAT16& operator=(CONST D3DXFLOAT16& f) = default;

    operator FLOAT();

    BOOL operator==(CONST D3DXFLOAT16& f) const;
    BOOL operator!=(CONST D3DXFLOAT16& f) const;

    WORD value;
} D3DXFLOAT16, *LPD3DXFLOAT16;

typedef struct D3DXVECTOR2 {
    D3DXVECTOR2() = default;
    D3DXVECTOR2(CONST FLOAT* pf);
    D3DXVECTOR2(CONST D3DXFLOAT16* pf);
    D3DXVECTOR2(FLOAT x, FLOAT y);

    operator FLOAT*();
    operator CONST FLOAT*() const;

    D3DXVECTOR2& operator+=(CONST D3DXVECTOR2& v);
    D3DXVECTOR2& operator-=(CONST D3DXVECTOR2& v);
    D3DXVECTOR2& operator*=(FLOAT f);
    D3DXVECTOR2& operator/=(FLOAT f);

    D3DXVECTOR2 operator+() const;
    D3DXVECTOR2 operator-() const;

    D3DXVECTOR2 operator+(CONST D3DXVECTOR2& v) const;
    D3DXVECTOR2 operator-(CONST D3DXVECTOR2& v) const;
    D3DXVECTOR2 operator*(FLOAT f) const;
    D3DXVECTOR2 operator/(FLOAT f) const;

    friend D3DXVECTOR2 operator*(FLOAT f, CONST D3DXVECTOR2& v);

    BOOL operator==(CONST D3DXVECTOR2& v) const;
    BOOL operator!=(CONST D3DXVECTOR2& v) const;

    FLOAT x, y;
} D3DXVECTOR2, *LPD3DXVECTOR2;

typedef struct D3DXVECTOR3 : public D3DVECTOR {
    D3DXVECTOR3() = default;
    D3DXVECTOR3(CONST FLOAT* pf);
    D3DXVECTOR3(CONST D3DVECTOR& v);
    D3DXVECTOR3(CONST D3DXFLOAT16* pf);
    D3DXVECTOR3(FLOAT x, FLOAT y, FLOAT z);

    operator FLOAT*();
    operator CONST FLOAT*() const;

    D3DXVECTOR3& operator+=(CONST D3DXVECTOR3& v);
    D3DXVECTOR3& operator-=(CONST D3DXVECTOR3& v);
    D3DXVECTOR3& operator*=(FLOAT f);
    D3DXVECTOR3& operator/=(FLOAT f);

    D3DXVECTOR3 operator+() const;
    D3DXVECTOR3 operator-() const;

    D3DXVECTOR3 operator+(CONST D3DXVECTOR3& v) const;
    D3DXVECTOR3 operator-(CONST D3DXVECTOR3& v) const;
    D3DXVECTOR3 operator*(FLOAT f) const;
    D3DXVECTOR3 operator/(FLOAT f) const;

    friend D3DXVECTOR3 operator*(FLOAT f, CONST struct D3DXVECTOR3& v);

    BOOL operator==(CONST D3DXVECTOR3& v) const;
    BOOL operator!=(CONST D3DXVECTOR3& v) const;
} D3DXVECTOR3, *LPD3DXVECTOR3;

typedef struct D3DXVECTOR4 {
    D3DXVECTOR4() = default;
    D3DXVECTOR4(CONST FLOAT* pf);
    D3DXVECTOR4(CONST D3DXFLOAT16* pf);
    D3DXVECTOR4(CONST D3DVECTOR& xyz, FLOAT w);
    D3DXVECTOR4(FLOAT x, FLOAT y, FLOAT z, FLOAT w);

    operator FLOAT*();
    operator CONST FLOAT*() const;

    D3DXVECTOR4& operator+=(CONST D3DXVECTOR4& v);
    D3DXVECTOR4& operator-=(CONST D3DXVECTOR4& v);
    D3DXVECTOR4& operator*=(FLOAT f);
    D3DXVECTOR4& operator/=(FLOAT f);

    D3DXVECTOR4 operator+() const;
    D3DXVECTOR4 operator-() const;

    D3DXVECTOR4 operator+(CONST D3DXVECTOR4& v) const;
    D3DXVECTOR4 operator-(CONST D3DXVECTOR4& v) const;
    D3DXVECTOR4 operator*(FLOAT f) const;
    D3DXVECTOR4 operator/(FLOAT f) const;

    friend D3DXVECTOR4 operator*(FLOAT f, CONST D3DXVECTOR4& v);

    BOOL operator==(CONST D3DXVECTOR4& v) const;
    BOOL operator!=(CONST D3DXVECTOR4& v) const;

    FLOAT x, y, z, w;
} D3DXVECTOR4, *LPD3DXVECTOR4;

typedef struct D3DXMATRIX : public D3DMATRIX {
    D3DXMATRIX() = default;
    D3DXMATRIX(CONST FLOAT* pf);
    D3DXMATRIX(CONST D3DMATRIX& m);
    D3DXMATRIX(CONST D3DXFLOAT16* pf);
    D3DXMATRIX(FLOAT f11, FLOAT f12, FLOAT f13, FLOAT f14, FLOAT f21, FLOAT f22, FLOAT f23, FLOAT f24, FLOAT f31,
               FLOAT f32, FLOAT f33, FLOAT f34, FLOAT f41, FLOAT f42, FLOAT f43, FLOAT f44);

    FLOAT& operator()(UINT row, UINT col);
    FLOAT operator()(UINT row, UINT col) const;

    operator FLOAT*();
    operator CONST FLOAT*() const;

    D3DXMATRIX& operator*=(CONST D3DXMATRIX& m);
    D3DXMATRIX& operator+=(CONST D3DXMATRIX& m);
    D3DXMATRIX& operator-=(CONST D3DXMATRIX& m);
    D3DXMATRIX& operator*=(FLOAT f);
    D3DXMATRIX& operator/=(FLOAT f);

    D3DXMATRIX operator+() const;
    D3DXMATRIX operator-() const;

    D3DXMATRIX operator*(CONST D3DXMATRIX& m) const;
    D3DXMATRIX operator+(CONST D3DXMATRIX& m) const;
    D3DXMATRIX operator-(CONST D3DXMATRIX& m) const;
    D3DXMATRIX operator*(FLOAT f) const;
    D3DXMATRIX operator/(FLOAT f) const;

    friend D3DXMATRIX operator*(FLOAT f, CONST D3DXMATRIX& m);

    BOOL operator==(CONST D3DXMATRIX& m) const;
    BOOL operator!=(CONST D3DXMATRIX& m) const;
} D3DXMATRIX, *LPD3DXMATRIX;

// A matrix on a 16-byte boundary, for callers that keep matrices in SIMD registers. Heap
// allocations honour the alignment through the language's aligned operator new.
typedef struct D3DX_ALIGN16 _D3DXMATRIXA16 : public D3DXMATRIX {
    _D3DXMATRIXA16() = default;
    _D3DXMATRIXA16(CONST FLOAT* pf) : D3DXMATRIX(pf) {}
    _D3DXMATRIXA16(CONST D3DMATRIX& m) : D3DXMATRIX(m) {}
    _D3DXMATRIXA16(CONST D3DXFLOAT16* pf) : D3DXMATRIX(pf) {}
    _D3DXMATRIXA16(FLOAT f11, FLOAT f12, FLOAT f13, FLOAT f14, FLOAT f21, FLOAT f22, FLOAT f23, FLOAT f24,
                   FLOAT f31, FLOAT f32, FLOAT f33, FLOAT f34, FLOAT f41, FLOAT f42, FLOAT f43, FLOAT f44)
        : D3DXMATRIX(f11, f12, f13, f14, f21, f22, f23, f24, f31, f32, f33, f34, f41, f42, f43, f44) {}

    _D3DXMATRIXA16& operator=(CONST D3DXMATRIX& m) {
        D3DXMATRIX::operator=(m);
        return *this;
    }
} _D3DXMATRIXA16;
typedef _D3DXMATRIXA16 D3DXMATRIXA16, *LPD3DXMATRIXA16;

// (x, y, z) is the vector part, w the scalar part.
typedef struct D3DXQUATERNION {
    D3DXQUATERNION() = default;
    D3DXQUATERNION(CONST FLOAT* pf);
    D3DXQUATERNION(CONST D3DXFLOAT16* pf);
    D3DXQUATERNION(FLOAT x, FLOAT y, FLOAT z, FLOAT w);

    operator FLOAT*();
    operator CONST FLOAT*() const;

    D3DXQUATERNION& operator+=(CONST D3DXQUATERNION& q);
    D3DXQUATERNION& operator-=(CONST D3DXQUATERNION& q);
    D3DXQUATERNION& operator*=(CONST D3DXQUATERNION& q);
    D3DXQUATERNION& operator*=(FLOAT f);
    D3DXQUATERNION& operator/=(FLOAT f);

    D3DXQUATERNION operator+() const;
    D3DXQUATERNION operator-() const;

    D3DXQUATERNION operator+(CONST D3DXQUATERNION& q) const;
    D3DXQUATERNION operator-(CONST D3DXQUATERNION& q) const;
    D3DXQUATERNION operator*(CONST D3DXQUATERNION& q) const;
    D3DXQUATERNION operator*(FLOAT f) const;
    D3DXQUATERNION operator/(FLOAT f) const;

    friend D3DXQUATERNION operator*(FLOAT f, CONST D3DXQUATERNION& q);

    BOOL operator==(CONST D3DXQUATERNION& q) const;
    BOOL operator!=(CONST D3DXQUATERNION& q) const;

    FLOAT x, y, z, w;
} D3DXQUATERNION, *LPD3DXQUATERNION;

// The points p with a*p.x + b*p.y + c*p.z + d = 0.
typedef struct D3DXPLANE {
    D3DXPLANE() = default;
    D3DXPLANE(CONST FLOAT* pf);
    D3DXPLANE(CONST D3DXFLOAT16* pf);
    D3DXPLANE(FLOAT a, FLOAT b, FLOAT c, FLOAT d);

    operator FLOAT*();
    operator CONST FLOAT*() const;

    D3DXPLANE operator+() const;
    D3DXPLANE operator-() const;

    BOOL operator==(CONST D3DXPLANE& p) const;
    BOOL operator!=(CONST D3DXPLANE& p) const;

    FLOAT a, b, c, d;
} D3DXPLANE, *LPD3DXPLANE;

// Floating-point colour; values are never clamped except when packed into a DWORD.
typedef struct D3DXCOLOR {
    D3DXCOLOR() = default;
    D3DXCOLOR(DWORD argb);
    D3DXCOLOR(CONST FLOAT* pf);
    D3DXCOLOR(CONST D3DXFLOAT16* pf);
    D3DXCOLOR(CONST D3DCOLORVALUE& c);
    D3DXCOLOR(FLOAT r, FLOAT g, FLOAT b, FLOAT a);

    operator DWORD() const;

    operator FLOAT*();
    operator CONST FLOAT*() const;

    operator D3DCOLORVALUE*();
    operator CONST D3DCOLORVALUE*() const;

    operator D3DCOLORVALUE&();
    operator CONST D3DCOLORVALUE&() const;

    D3DXCOLOR& operator+=(CONST D3DXCOLOR& c);
    D3DXCOLOR& operator-=(CONST D3DXCOLOR& c);
    D3DXCOLOR& operator*=(FLOAT f);
    D3DXCOLOR& operator/=(FLOAT f);

    D3DXCOLOR operator+() const;
    D3DXCOLOR operator-() const;

    D3DXCOLOR operator+(CONST D3DXCOLOR& c) const;
    D3DXCOLOR operator-(CONST D3DXCOLOR& c) const;
    D3DXCOLOR operator*(FLOAT f) const;
    D3DXCOLOR operator/(FLOAT f) const;

    friend D3DXCOLOR operator*(FLOAT f, CONST D3DXCOLOR& c);

    BOOL operator==(CONST D3DXCOLOR& c) const;
    BOOL operator!=(CONST D3DXCOLOR& c) const;

    FLOAT r, g, b, a;
} D3DXCOLOR, *LPD3DXCOLOR;

// ---- Half floats ----
WINPLATFORMAPI D3DXFLOAT16* WINAPI D3DXFloat32To16Array(D3DXFLOAT16* pOut, CONST FLOAT* pIn, UINT n);
WINPLATFORMAPI FLOAT* WINAPI D3DXFloat16To32Array(FLOAT* pOut, CONST D3DXFLOAT16* pIn, UINT n);

// ---- 2D vectors ----
inline FLOAT D3DXVec2Length(CONST D3DXVECTOR2* pV);
inline FLOAT D3DXVec2LengthSq(CONST D3DXVECTOR2* pV);
inline FLOAT D3DXVec2Dot(CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2);
// z of the 3D cross product: positive when v1 -> v2 turns counter-clockwise.
inline FLOAT D3DXVec2CCW(CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2);
inline D3DXVECTOR2* D3DXVec2Add(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2);
inline D3DXVECTOR2* D3DXVec2Subtract(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2);
inline D3DXVECTOR2* D3DXVec2Minimize(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2);
inline D3DXVECTOR2* D3DXVec2Maximize(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2);
inline D3DXVECTOR2* D3DXVec2Scale(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV, FLOAT s);
inline D3DXVECTOR2* D3DXVec2Lerp(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2, FLOAT s);

WINPLATFORMAPI D3DXVECTOR2* WINAPI D3DXVec2Normalize(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV);
WINPLATFORMAPI D3DXVECTOR2* WINAPI D3DXVec2Hermite(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pT1,
                                                  CONST D3DXVECTOR2* pV2, CONST D3DXVECTOR2* pT2, FLOAT s);
WINPLATFORMAPI D3DXVECTOR2* WINAPI D3DXVec2CatmullRom(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV0, CONST D3DXVECTOR2* pV1,
                                                     CONST D3DXVECTOR2* pV2, CONST D3DXVECTOR2* pV3, FLOAT s);
WINPLATFORMAPI D3DXVECTOR2* WINAPI D3DXVec2BaryCentric(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2,
                                                      CONST D3DXVECTOR2* pV3, FLOAT f, FLOAT g);
WINPLATFORMAPI D3DXVECTOR4* WINAPI D3DXVec2Transform(D3DXVECTOR4* pOut, CONST D3DXVECTOR2* pV, CONST D3DXMATRIX* pM);
WINPLATFORMAPI D3DXVECTOR2* WINAPI D3DXVec2TransformCoord(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV, CONST D3DXMATRIX* pM);
WINPLATFORMAPI D3DXVECTOR2* WINAPI D3DXVec2TransformNormal(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV, CONST D3DXMATRIX* pM);
WINPLATFORMAPI D3DXVECTOR4* WINAPI D3DXVec2TransformArray(D3DXVECTOR4* pOut, UINT OutStride, CONST D3DXVECTOR2* pV,
                                                         UINT VStride, CONST D3DXMATRIX* pM, UINT n);
WINPLATFORMAPI D3DXVECTOR2* WINAPI D3DXVec2TransformCoordArray(D3DXVECTOR2* pOut, UINT OutStride, CONST D3DXVECTOR2* pV,
                                                              UINT VStride, CONST D3DXMATRIX* pM, UINT n);
WINPLATFORMAPI D3DXVECTOR2* WINAPI D3DXVec2TransformNormalArray(D3DXVECTOR2* pOut, UINT OutStride, CONST D3DXVECTOR2* pV,
                                                               UINT VStride, CONST D3DXMATRIX* pM, UINT n);

// ---- 3D vectors ----
inline FLOAT D3DXVec3Length(CONST D3DXVECTOR3* pV);
inline FLOAT D3DXVec3LengthSq(CONST D3DXVECTOR3* pV);
inline FLOAT D3DXVec3Dot(CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2);
inline D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2);
inline D3DXVECTOR3* D3DXVec3Add(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2);
inline D3DXVECTOR3* D3DXVec3Subtract(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2);
inline D3DXVECTOR3* D3DXVec3Minimize(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2);
inline D3DXVECTOR3* D3DXVec3Maximize(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2);
inline D3DXVECTOR3* D3DXVec3Scale(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV, FLOAT s);
inline D3DXVECTOR3* D3DXVec3Lerp(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2, FLOAT s);

WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXVec3Normalize(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV);
WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXVec3Hermite(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pT1,
                                                  CONST D3DXVECTOR3* pV2, CONST D3DXVECTOR3* pT2, FLOAT s);
WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXVec3CatmullRom(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV0, CONST D3DXVECTOR3* pV1,
                                                     CONST D3DXVECTOR3* pV2, CONST D3DXVECTOR3* pV3, FLOAT s);
WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXVec3BaryCentric(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2,
                                                      CONST D3DXVECTOR3* pV3, FLOAT f, FLOAT g);
WINPLATFORMAPI D3DXVECTOR4* WINAPI D3DXVec3Transform(D3DXVECTOR4* pOut, CONST D3DXVECTOR3* pV, CONST D3DXMATRIX* pM);
WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXVec3TransformCoord(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV, CONST D3DXMATRIX* pM);
WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXVec3TransformNormal(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV, CONST D3DXMATRIX* pM);
WINPLATFORMAPI D3DXVECTOR4* WINAPI D3DXVec3TransformArray(D3DXVECTOR4* pOut, UINT OutStride, CONST D3DXVECTOR3* pV,
                                                         UINT VStride, CONST D3DXMATRIX* pM, UINT n);
WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXVec3TransformCoordArray(D3DXVECTOR3* pOut, UINT OutStride, CONST D3DXVECTOR3* pV,
                                                              UINT VStride, CONST D3DXMATRIX* pM, UINT n);
WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXVec3TransformNormalArray(D3DXVECTOR3* pOut, UINT OutStride, CONST D3DXVECTOR3* pV,
                                                               UINT VStride, CONST D3DXMATRIX* pM, UINT n);
// Object space to screen space through world * view * projection (NULL matrices are the
// identity) and then the viewport (a NULL viewport leaves normalised device coordinates).
WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXVec3Project(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV,
                                                  CONST D3DVIEWPORT9* pViewport, CONST D3DXMATRIX* pProjection,
                                                  CONST D3DXMATRIX* pView, CONST D3DXMATRIX* pWorld);
WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXVec3Unproject(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV,
                                                    CONST D3DVIEWPORT9* pViewport, CONST D3DXMATRIX* pProjection,
                                                    CONST D3DXMATRIX* pView, CONST D3DXMATRIX* pWorld);
WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXVec3ProjectArray(D3DXVECTOR3* pOut, UINT OutStride, CONST D3DXVECTOR3* pV,
                                                       UINT VStride, CONST D3DVIEWPORT9* pViewport,
                                                       CONST D3DXMATRIX* pProjection, CONST D3DXMATRIX* pView,
                                                       CONST D3DXMATRIX* pWorld, UINT n);
WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXVec3UnprojectArray(D3DXVECTOR3* pOut, UINT OutStride, CONST D3DXVECTOR3* pV,
                                                         UINT VStride, CONST D3DVIEWPORT9* pViewport,
                                                         CONST D3DXMATRIX* pProjection, CONST D3DXMATRIX* pView,
                                                         CONST D3DXMATRIX* pWorld, UINT n);

// ---- 4D vectors ----
inline FLOAT D3DXVec4Length(CONST D3DXVECTOR4* pV);
inline FLOAT D3DXVec4LengthSq(CONST D3DXVECTOR4* pV);
inline FLOAT D3DXVec4Dot(CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2);
inline D3DXVECTOR4* D3DXVec4Add(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2);
inline D3DXVECTOR4* D3DXVec4Subtract(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2);
inline D3DXVECTOR4* D3DXVec4Minimize(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2);
inline D3DXVECTOR4* D3DXVec4Maximize(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2);
inline D3DXVECTOR4* D3DXVec4Scale(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV, FLOAT s);
inline D3DXVECTOR4* D3DXVec4Lerp(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2, FLOAT s);

// The 4D vector orthogonal to the three inputs.
WINPLATFORMAPI D3DXVECTOR4* WINAPI D3DXVec4Cross(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2,
                                                CONST D3DXVECTOR4* pV3);
WINPLATFORMAPI D3DXVECTOR4* WINAPI D3DXVec4Normalize(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV);
WINPLATFORMAPI D3DXVECTOR4* WINAPI D3DXVec4Hermite(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pT1,
                                                  CONST D3DXVECTOR4* pV2, CONST D3DXVECTOR4* pT2, FLOAT s);
WINPLATFORMAPI D3DXVECTOR4* WINAPI D3DXVec4CatmullRom(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV0, CONST D3DXVECTOR4* pV1,
                                                     CONST D3DXVECTOR4* pV2, CONST D3DXVECTOR4* pV3, FLOAT s);
WINPLATFORMAPI D3DXVECTOR4* WINAPI D3DXVec4BaryCentric(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2,
                                                      CONST D3DXVECTOR4* pV3, FLOAT f, FLOAT g);
WINPLATFORMAPI D3DXVECTOR4* WINAPI D3DXVec4Transform(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV, CONST D3DXMATRIX* pM);
WINPLATFORMAPI D3DXVECTOR4* WINAPI D3DXVec4TransformArray(D3DXVECTOR4* pOut, UINT OutStride, CONST D3DXVECTOR4* pV,
                                                         UINT VStride, CONST D3DXMATRIX* pM, UINT n);

// ---- Matrices ----
inline D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* pOut);
inline BOOL D3DXMatrixIsIdentity(CONST D3DXMATRIX* pM);

WINPLATFORMAPI FLOAT WINAPI D3DXMatrixDeterminant(CONST D3DXMATRIX* pM);
// Splits an affine matrix into scale, rotation and translation; D3DERR_INVALIDCALL when a
// scale factor is zero.
WINPLATFORMAPI HRESULT WINAPI D3DXMatrixDecompose(D3DXVECTOR3* pOutScale, D3DXQUATERNION* pOutRotation,
                                                 D3DXVECTOR3* pOutTranslation, CONST D3DXMATRIX* pM);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixTranspose(D3DXMATRIX* pOut, CONST D3DXMATRIX* pM);
// pOut = pM1 * pM2: pM1 is applied first.
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixMultiply(D3DXMATRIX* pOut, CONST D3DXMATRIX* pM1, CONST D3DXMATRIX* pM2);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixMultiplyTranspose(D3DXMATRIX* pOut, CONST D3DXMATRIX* pM1,
                                                             CONST D3DXMATRIX* pM2);
// NULL when pM is singular (determinant exactly 0).
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixInverse(D3DXMATRIX* pOut, FLOAT* pDeterminant, CONST D3DXMATRIX* pM);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixScaling(D3DXMATRIX* pOut, FLOAT sx, FLOAT sy, FLOAT sz);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixTranslation(D3DXMATRIX* pOut, FLOAT x, FLOAT y, FLOAT z);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixRotationX(D3DXMATRIX* pOut, FLOAT Angle);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixRotationY(D3DXMATRIX* pOut, FLOAT Angle);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixRotationZ(D3DXMATRIX* pOut, FLOAT Angle);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixRotationAxis(D3DXMATRIX* pOut, CONST D3DXVECTOR3* pV, FLOAT Angle);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixRotationQuaternion(D3DXMATRIX* pOut, CONST D3DXQUATERNION* pQ);
// Roll about z first, then pitch about x, then yaw about y.
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* pOut, FLOAT Yaw, FLOAT Pitch, FLOAT Roll);
// Msc^-1 * Msr^-1 * Ms * Msr * Msc * Mrc^-1 * Mr * Mrc * Mt; NULL arguments are identities.
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixTransformation(D3DXMATRIX* pOut, CONST D3DXVECTOR3* pScalingCenter,
                                                          CONST D3DXQUATERNION* pScalingRotation,
                                                          CONST D3DXVECTOR3* pScaling, CONST D3DXVECTOR3* pRotationCenter,
                                                          CONST D3DXQUATERNION* pRotation,
                                                          CONST D3DXVECTOR3* pTranslation);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixTransformation2D(D3DXMATRIX* pOut, CONST D3DXVECTOR2* pScalingCenter,
                                                            FLOAT ScalingRotation, CONST D3DXVECTOR2* pScaling,
                                                            CONST D3DXVECTOR2* pRotationCenter, FLOAT Rotation,
                                                            CONST D3DXVECTOR2* pTranslation);
// Ms * Mrc^-1 * Mr * Mrc * Mt; NULL arguments are identities.
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixAffineTransformation(D3DXMATRIX* pOut, FLOAT Scaling,
                                                                CONST D3DXVECTOR3* pRotationCenter,
                                                                CONST D3DXQUATERNION* pRotation,
                                                                CONST D3DXVECTOR3* pTranslation);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixAffineTransformation2D(D3DXMATRIX* pOut, FLOAT Scaling,
                                                                  CONST D3DXVECTOR2* pRotationCenter, FLOAT Rotation,
                                                                  CONST D3DXVECTOR2* pTranslation);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixLookAtRH(D3DXMATRIX* pOut, CONST D3DXVECTOR3* pEye, CONST D3DXVECTOR3* pAt,
                                                    CONST D3DXVECTOR3* pUp);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixLookAtLH(D3DXMATRIX* pOut, CONST D3DXVECTOR3* pEye, CONST D3DXVECTOR3* pAt,
                                                    CONST D3DXVECTOR3* pUp);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixPerspectiveRH(D3DXMATRIX* pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixPerspectiveLH(D3DXMATRIX* pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixPerspectiveFovRH(D3DXMATRIX* pOut, FLOAT fovy, FLOAT Aspect, FLOAT zn,
                                                            FLOAT zf);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixPerspectiveFovLH(D3DXMATRIX* pOut, FLOAT fovy, FLOAT Aspect, FLOAT zn,
                                                            FLOAT zf);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixPerspectiveOffCenterRH(D3DXMATRIX* pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t,
                                                                  FLOAT zn, FLOAT zf);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixPerspectiveOffCenterLH(D3DXMATRIX* pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t,
                                                                  FLOAT zn, FLOAT zf);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixOrthoRH(D3DXMATRIX* pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixOrthoLH(D3DXMATRIX* pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixOrthoOffCenterRH(D3DXMATRIX* pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t,
                                                            FLOAT zn, FLOAT zf);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t,
                                                            FLOAT zn, FLOAT zf);
// Flattens geometry onto pPlane as seen from pLight (w = 0: directional, w = 1: point).
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixShadow(D3DXMATRIX* pOut, CONST D3DXVECTOR4* pLight, CONST D3DXPLANE* pPlane);
WINPLATFORMAPI D3DXMATRIX* WINAPI D3DXMatrixReflect(D3DXMATRIX* pOut, CONST D3DXPLANE* pPlane);

// ---- Quaternions ----
inline FLOAT D3DXQuaternionLength(CONST D3DXQUATERNION* pQ);
inline FLOAT D3DXQuaternionLengthSq(CONST D3DXQUATERNION* pQ);
inline FLOAT D3DXQuaternionDot(CONST D3DXQUATERNION* pQ1, CONST D3DXQUATERNION* pQ2);
inline D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* pOut);
inline BOOL D3DXQuaternionIsIdentity(CONST D3DXQUATERNION* pQ);
inline D3DXQUATERNION* D3DXQuaternionConjugate(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ);

WINPLATFORMAPI void WINAPI D3DXQuaternionToAxisAngle(CONST D3DXQUATERNION* pQ, D3DXVECTOR3* pAxis, FLOAT* pAngle);
WINPLATFORMAPI D3DXQUATERNION* WINAPI D3DXQuaternionRotationMatrix(D3DXQUATERNION* pOut, CONST D3DXMATRIX* pM);
WINPLATFORMAPI D3DXQUATERNION* WINAPI D3DXQuaternionRotationAxis(D3DXQUATERNION* pOut, CONST D3DXVECTOR3* pV,
                                                                FLOAT Angle);
WINPLATFORMAPI D3DXQUATERNION* WINAPI D3DXQuaternionRotationYawPitchRoll(D3DXQUATERNION* pOut, FLOAT Yaw, FLOAT Pitch,
                                                                        FLOAT Roll);
// The rotation pQ1 followed by pQ2.
WINPLATFORMAPI D3DXQUATERNION* WINAPI D3DXQuaternionMultiply(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ1,
                                                            CONST D3DXQUATERNION* pQ2);
WINPLATFORMAPI D3DXQUATERNION* WINAPI D3DXQuaternionNormalize(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ);
WINPLATFORMAPI D3DXQUATERNION* WINAPI D3DXQuaternionInverse(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ);
// Logarithm of a unit quaternion: (axis * angle / 2, 0).
WINPLATFORMAPI D3DXQUATERNION* WINAPI D3DXQuaternionLn(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ);
// Exponential of a pure quaternion (w is ignored).
WINPLATFORMAPI D3DXQUATERNION* WINAPI D3DXQuaternionExp(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ);
// Spherical interpolation along the shorter arc.
WINPLATFORMAPI D3DXQUATERNION* WINAPI D3DXQuaternionSlerp(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ1,
                                                         CONST D3DXQUATERNION* pQ2, FLOAT t);
// Slerp(Slerp(q1, c, t), Slerp(a, b, t), 2t(1 - t)).
WINPLATFORMAPI D3DXQUATERNION* WINAPI D3DXQuaternionSquad(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ1,
                                                         CONST D3DXQUATERNION* pA, CONST D3DXQUATERNION* pB,
                                                         CONST D3DXQUATERNION* pC, FLOAT t);
// Control points for Squad between pQ1 and pQ2 given their neighbours pQ0 and pQ3.
WINPLATFORMAPI void WINAPI D3DXQuaternionSquadSetup(D3DXQUATERNION* pAOut, D3DXQUATERNION* pBOut,
                                                   D3DXQUATERNION* pCOut, CONST D3DXQUATERNION* pQ0,
                                                   CONST D3DXQUATERNION* pQ1, CONST D3DXQUATERNION* pQ2,
                                                   CONST D3DXQUATERNION* pQ3);
// Slerp(Slerp(q1, q2, f + g), Slerp(q1, q3, f + g), g / (f + g)).
WINPLATFORMAPI D3DXQUATERNION* WINAPI D3DXQuaternionBaryCentric(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ1,
                                                               CONST D3DXQUATERNION* pQ2, CONST D3DXQUATERNION* pQ3,
                                                               FLOAT f, FLOAT g);

// ---- Planes ----
inline FLOAT D3DXPlaneDot(CONST D3DXPLANE* pP, CONST D3DXVECTOR4* pV);
inline FLOAT D3DXPlaneDotCoord(CONST D3DXPLANE* pP, CONST D3DXVECTOR3* pV);
inline FLOAT D3DXPlaneDotNormal(CONST D3DXPLANE* pP, CONST D3DXVECTOR3* pV);
inline D3DXPLANE* D3DXPlaneScale(D3DXPLANE* pOut, CONST D3DXPLANE* pP, FLOAT s);

WINPLATFORMAPI D3DXPLANE* WINAPI D3DXPlaneNormalize(D3DXPLANE* pOut, CONST D3DXPLANE* pP);
// Intersection with the infinite line through pV1 and pV2; NULL when they are parallel.
WINPLATFORMAPI D3DXVECTOR3* WINAPI D3DXPlaneIntersectLine(D3DXVECTOR3* pOut, CONST D3DXPLANE* pP,
                                                         CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2);
WINPLATFORMAPI D3DXPLANE* WINAPI D3DXPlaneFromPointNormal(D3DXPLANE* pOut, CONST D3DXVECTOR3* pPoint,
                                                         CONST D3DXVECTOR3* pNormal);
WINPLATFORMAPI D3DXPLANE* WINAPI D3DXPlaneFromPoints(D3DXPLANE* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2,
                                                    CONST D3DXVECTOR3* pV3);
// pM must be the inverse transpose of the matrix that transforms the points.
WINPLATFORMAPI D3DXPLANE* WINAPI D3DXPlaneTransform(D3DXPLANE* pOut, CONST D3DXPLANE* pP, CONST D3DXMATRIX* pM);
WINPLATFORMAPI D3DXPLANE* WINAPI D3DXPlaneTransformArray(D3DXPLANE* pOut, UINT OutStride, CONST D3DXPLANE* pP,
                                                        UINT PStride, CONST D3DXMATRIX* pM, UINT n);

// ---- Colours ----
inline D3DXCOLOR* D3DXColorNegative(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC);
inline D3DXCOLOR* D3DXColorAdd(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC1, CONST D3DXCOLOR* pC2);
inline D3DXCOLOR* D3DXColorSubtract(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC1, CONST D3DXCOLOR* pC2);
inline D3DXCOLOR* D3DXColorScale(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC, FLOAT s);
inline D3DXCOLOR* D3DXColorModulate(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC1, CONST D3DXCOLOR* pC2);
inline D3DXCOLOR* D3DXColorLerp(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC1, CONST D3DXCOLOR* pC2, FLOAT s);

// Interpolates between the grey of equal luminance (s = 0) and the colour (s = 1).
WINPLATFORMAPI D3DXCOLOR* WINAPI D3DXColorAdjustSaturation(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC, FLOAT s);
// Interpolates between 50% grey (s = 0) and the colour (s = 1).
WINPLATFORMAPI D3DXCOLOR* WINAPI D3DXColorAdjustContrast(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC, FLOAT c);

// ---- Misc ----
// Fresnel reflectance for unpolarised light at the given cosine of incidence.
WINPLATFORMAPI FLOAT WINAPI D3DXFresnelTerm(FLOAT CosTheta, FLOAT RefractionIndex);

// ---- Matrix stack ----
typedef interface ID3DXMatrixStack ID3DXMatrixStack;
typedef interface ID3DXMatrixStack* LPD3DXMATRIXSTACK;

DEFINE_GUID(IID_ID3DXMatrixStack, 0xc7885ba7, 0xf990, 0x4fe7, 0x92, 0x2d, 0x85, 0x15, 0xe4, 0x77, 0xdd, 0x85);

#undef INTERFACE
#define INTERFACE ID3DXMatrixStack

// A stack of matrices whose top entry accumulates transforms. "Local" methods apply the
// new transform before the top (in the frame of the current top), the others after it.
DECLARE_INTERFACE_(ID3DXMatrixStack, IUnknown) {
    STDMETHOD(QueryInterface)(THIS_ REFIID riid, LPVOID* ppv) PURE;
    STDMETHOD_(ULONG, AddRef)(THIS) PURE;
    STDMETHOD_(ULONG, Release)(THIS) PURE;

    STDMETHOD(Pop)(THIS) PURE;
    STDMETHOD(Push)(THIS) PURE;
    STDMETHOD(LoadIdentity)(THIS) PURE;
    STDMETHOD(LoadMatrix)(THIS_ CONST D3DXMATRIX* pM) PURE;
    STDMETHOD(MultMatrix)(THIS_ CONST D3DXMATRIX* pM) PURE;
    STDMETHOD(MultMatrixLocal)(THIS_ CONST D3DXMATRIX* pM) PURE;
    STDMETHOD(RotateAxis)(THIS_ CONST D3DXVECTOR3* pV, FLOAT Angle) PURE;
    STDMETHOD(RotateAxisLocal)(THIS_ CONST D3DXVECTOR3* pV, FLOAT Angle) PURE;
    STDMETHOD(RotateYawPitchRoll)(THIS_ FLOAT Yaw, FLOAT Pitch, FLOAT Roll) PURE;
    STDMETHOD(RotateYawPitchRollLocal)(THIS_ FLOAT Yaw, FLOAT Pitch, FLOAT Roll) PURE;
    STDMETHOD(Scale)(THIS_ FLOAT x, FLOAT y, FLOAT z) PURE;
    STDMETHOD(ScaleLocal)(THIS_ FLOAT x, FLOAT y, FLOAT z) PURE;
    STDMETHOD(Translate)(THIS_ FLOAT x, FLOAT y, FLOAT z) PURE;
    STDMETHOD(TranslateLocal)(THIS_ FLOAT x, FLOAT y, FLOAT z) PURE;
    STDMETHOD_(D3DXMATRIX*, GetTop)(THIS) PURE;
};

#undef INTERFACE

// Flags must be 0. The new stack holds one entry, the identity.
WINPLATFORMAPI HRESULT WINAPI D3DXCreateMatrixStack(DWORD Flags, LPD3DXMATRIXSTACK* ppStack);

#include "d3dx9math.inl"
