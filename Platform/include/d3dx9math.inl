// Inline members of the D3DX math types and the small math functions (included by
// d3dx9math.h only).
#pragma once

#include <math.h>

// ---- D3DXFLOAT16 ----
inline D3DXFLOAT16::D3DXFLOAT16(FLOAT f) { D3DXFloat32To16Array(this, &f, 1); }

inline D3DXFLOAT16::operator FLOAT() {
    FLOAT f;
    D3DXFloat16To32Array(&f, this, 1);
    return f;
}

// Bitwise, except that +0 and -0 are equal.
inline BOOL D3DXFLOAT16::operator==(CONST D3DXFLOAT16& f) const {
    return value == f.value || ((value & 0x7fff) == 0 && (f.value & 0x7fff) == 0);
}
inline BOOL D3DXFLOAT16::operator!=(CONST D3DXFLOAT16& f) const { return !(*this == f); }

// ---- D3DXVECTOR2 ----
inline D3DXVECTOR2::D3DXVECTOR2(CONST FLOAT* pf) : x(pf[0]), y(pf[1]) {}
inline D3DXVECTOR2::D3DXVECTOR2(CONST D3DXFLOAT16* pf) { D3DXFloat16To32Array(&x, pf, 2); }
inline D3DXVECTOR2::D3DXVECTOR2(FLOAT fx, FLOAT fy) : x(fx), y(fy) {}
inline D3DXVECTOR2::operator FLOAT*() { return &x; }
inline D3DXVECTOR2::operator CONST FLOAT*() const { return &x; }
inline D3DXVECTOR2& D3DXVECTOR2::operator+=(CONST D3DXVECTOR2& v) {
    x += v.x;
    y += v.y;
    return *this;
}
inline D3DXVECTOR2& D3DXVECTOR2::operator-=(CONST D3DXVECTOR2& v) {
    x -= v.x;
    y -= v.y;
    return *this;
}
inline D3DXVECTOR2& D3DXVECTOR2::operator*=(FLOAT f) {
    x *= f;
    y *= f;
    return *this;
}
inline D3DXVECTOR2& D3DXVECTOR2::operator/=(FLOAT f) {
    FLOAT inv = 1.0f / f;
    x *= inv;
    y *= inv;
    return *this;
}
inline D3DXVECTOR2 D3DXVECTOR2::operator+() const { return *this; }
inline D3DXVECTOR2 D3DXVECTOR2::operator-() const { return D3DXVECTOR2(-x, -y); }
inline D3DXVECTOR2 D3DXVECTOR2::operator+(CONST D3DXVECTOR2& v) const { return D3DXVECTOR2(x + v.x, y + v.y); }
inline D3DXVECTOR2 D3DXVECTOR2::operator-(CONST D3DXVECTOR2& v) const { return D3DXVECTOR2(x - v.x, y - v.y); }
inline D3DXVECTOR2 D3DXVECTOR2::operator*(FLOAT f) const { return D3DXVECTOR2(x * f, y * f); }
inline D3DXVECTOR2 D3DXVECTOR2::operator/(FLOAT f) const {
    FLOAT inv = 1.0f / f;
    return D3DXVECTOR2(x * inv, y * inv);
}
inline D3DXVECTOR2 operator*(FLOAT f, CONST D3DXVECTOR2& v) { return D3DXVECTOR2(f * v.x, f * v.y); }
inline BOOL D3DXVECTOR2::operator==(CONST D3DXVECTOR2& v) const { return x == v.x && y == v.y; }
inline BOOL D3DXVECTOR2::operator!=(CONST D3DXVECTOR2& v) const { return x != v.x || y != v.y; }

// ---- D3DXVECTOR3 ----
inline D3DXVECTOR3::D3DXVECTOR3(CONST FLOAT* pf) {
    x = pf[0];
    y = pf[1];
    z = pf[2];
}
inline D3DXVECTOR3::D3DXVECTOR3(CONST D3DVECTOR& v) : D3DVECTOR(v) {}
inline D3DXVECTOR3::D3DXVECTOR3(CONST D3DXFLOAT16* pf) { D3DXFloat16To32Array(&x, pf, 3); }
inline D3DXVECTOR3::D3DXVECTOR3(FLOAT fx, FLOAT fy, FLOAT fz) {
    x = fx;
    y = fy;
    z = fz;
}
inline D3DXVECTOR3::operator FLOAT*() { return &x; }
inline D3DXVECTOR3::operator CONST FLOAT*() const { return &x; }
inline D3DXVECTOR3& D3DXVECTOR3::operator+=(CONST D3DXVECTOR3& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
}
inline D3DXVECTOR3& D3DXVECTOR3::operator-=(CONST D3DXVECTOR3& v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
}
inline D3DXVECTOR3& D3DXVECTOR3::operator*=(FLOAT f) {
    x *= f;
    y *= f;
    z *= f;
    return *this;
}
inline D3DXVECTOR3& D3DXVECTOR3::operator/=(FLOAT f) {
    FLOAT inv = 1.0f / f;
    x *= inv;
    y *= inv;
    z *= inv;
    return *this;
}
inline D3DXVECTOR3 D3DXVECTOR3::operator+() const { return *this; }
inline D3DXVECTOR3 D3DXVECTOR3::operator-() const { return D3DXVECTOR3(-x, -y, -z); }
inline D3DXVECTOR3 D3DXVECTOR3::operator+(CONST D3DXVECTOR3& v) const {
    return D3DXVECTOR3(x + v.x, y + v.y, z + v.z);
}
inline D3DXVECTOR3 D3DXVECTOR3::operator-(CONST D3DXVECTOR3& v) const {
    return D3DXVECTOR3(x - v.x, y - v.y, z - v.z);
}
inline D3DXVECTOR3 D3DXVECTOR3::operator*(FLOAT f) const { return D3DXVECTOR3(x * f, y * f, z * f); }
inline D3DXVECTOR3 D3DXVECTOR3::operator/(FLOAT f) const {
    FLOAT inv = 1.0f / f;
    return D3DXVECTOR3(x * inv, y * inv, z * inv);
}
inline D3DXVECTOR3 operator*(FLOAT f, CONST struct D3DXVECTOR3& v) { return D3DXVECTOR3(f * v.x, f * v.y, f * v.z); }
inline BOOL D3DXVECTOR3::operator==(CONST D3DXVECTOR3& v) const { return x == v.x && y == v.y && z == v.z; }
inline BOOL D3DXVECTOR3::operator!=(CONST D3DXVECTOR3& v) const { return x != v.x || y != v.y || z != v.z; }

// ---- D3DXVECTOR4 ----
inline D3DXVECTOR4::D3DXVECTOR4(CONST FLOAT* pf) : x(pf[0]), y(pf[1]), z(pf[2]), w(pf[3]) {}
inline D3DXVECTOR4::D3DXVECTOR4(CONST D3DXFLOAT16* pf) { D3DXFloat16To32Array(&x, pf, 4); }
inline D3DXVECTOR4::D3DXVECTOR4(CONST D3DVECTOR& v, FLOAT fw) : x(v.x), y(v.y), z(v.z), w(fw) {}
inline D3DXVECTOR4::D3DXVECTOR4(FLOAT fx, FLOAT fy, FLOAT fz, FLOAT fw) : x(fx), y(fy), z(fz), w(fw) {}
inline D3DXVECTOR4::operator FLOAT*() { return &x; }
inline D3DXVECTOR4::operator CONST FLOAT*() const { return &x; }
inline D3DXVECTOR4& D3DXVECTOR4::operator+=(CONST D3DXVECTOR4& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    w += v.w;
    return *this;
}
inline D3DXVECTOR4& D3DXVECTOR4::operator-=(CONST D3DXVECTOR4& v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    w -= v.w;
    return *this;
}
inline D3DXVECTOR4& D3DXVECTOR4::operator*=(FLOAT f) {
    x *= f;
    y *= f;
    z *= f;
    w *= f;
    return *this;
}
inline D3DXVECTOR4& D3DXVECTOR4::operator/=(FLOAT f) {
    FLOAT inv = 1.0f / f;
    x *= inv;
    y *= inv;
    z *= inv;
    w *= inv;
    return *this;
}
inline D3DXVECTOR4 D3DXVECTOR4::operator+() const { return *this; }
inline D3DXVECTOR4 D3DXVECTOR4::operator-() const { return D3DXVECTOR4(-x, -y, -z, -w); }
inline D3DXVECTOR4 D3DXVECTOR4::operator+(CONST D3DXVECTOR4& v) const {
    return D3DXVECTOR4(x + v.x, y + v.y, z + v.z, w + v.w);
}
inline D3DXVECTOR4 D3DXVECTOR4::operator-(CONST D3DXVECTOR4& v) const {
    return D3DXVECTOR4(x - v.x, y - v.y, z - v.z, w - v.w);
}
inline D3DXVECTOR4 D3DXVECTOR4::operator*(FLOAT f) const { return D3DXVECTOR4(x * f, y * f, z * f, w * f); }
inline D3DXVECTOR4 D3DXVECTOR4::operator/(FLOAT f) const {
    FLOAT inv = 1.0f / f;
    return D3DXVECTOR4(x * inv, y * inv, z * inv, w * inv);
}
inline D3DXVECTOR4 operator*(FLOAT f, CONST D3DXVECTOR4& v) { return D3DXVECTOR4(f * v.x, f * v.y, f * v.z, f * v.w); }
inline BOOL D3DXVECTOR4::operator==(CONST D3DXVECTOR4& v) const {
    return x == v.x && y == v.y && z == v.z && w == v.w;
}
inline BOOL D3DXVECTOR4::operator!=(CONST D3DXVECTOR4& v) const { return !(*this == v); }

// ---- D3DXMATRIX ----
inline D3DXMATRIX::D3DXMATRIX(CONST FLOAT* pf) { memcpy(&_11, pf, sizeof(D3DMATRIX)); }
inline D3DXMATRIX::D3DXMATRIX(CONST D3DMATRIX& mat) : D3DMATRIX(mat) {}
inline D3DXMATRIX::D3DXMATRIX(CONST D3DXFLOAT16* pf) { D3DXFloat16To32Array(&_11, pf, 16); }
inline D3DXMATRIX::D3DXMATRIX(FLOAT f11, FLOAT f12, FLOAT f13, FLOAT f14, FLOAT f21, FLOAT f22, FLOAT f23, FLOAT f24,
                              FLOAT f31, FLOAT f32, FLOAT f33, FLOAT f34, FLOAT f41, FLOAT f42, FLOAT f43, FLOAT f44) {
    _11 = f11, _12 = f12, _13 = f13, _14 = f14;
    _21 = f21, _22 = f22, _23 = f23, _24 = f24;
    _31 = f31, _32 = f32, _33 = f33, _34 = f34;
    _41 = f41, _42 = f42, _43 = f43, _44 = f44;
}
inline FLOAT& D3DXMATRIX::operator()(UINT row, UINT col) { return m[row][col]; }
inline FLOAT D3DXMATRIX::operator()(UINT row, UINT col) const { return m[row][col]; }
inline D3DXMATRIX::operator FLOAT*() { return &_11; }
inline D3DXMATRIX::operator CONST FLOAT*() const { return &_11; }
inline D3DXMATRIX& D3DXMATRIX::operator*=(CONST D3DXMATRIX& mat) {
    D3DXMatrixMultiply(this, this, &mat);
    return *this;
}
inline D3DXMATRIX& D3DXMATRIX::operator+=(CONST D3DXMATRIX& mat) {
    for (int i = 0; i < 16; ++i) (&_11)[i] += (&mat._11)[i];
    return *this;
}
inline D3DXMATRIX& D3DXMATRIX::operator-=(CONST D3DXMATRIX& mat) {
    for (int i = 0; i < 16; ++i) (&_11)[i] -= (&mat._11)[i];
    return *this;
}
inline D3DXMATRIX& D3DXMATRIX::operator*=(FLOAT f) {
    for (int i = 0; i < 16; ++i) (&_11)[i] *= f;
    return *this;
}
inline D3DXMATRIX& D3DXMATRIX::operator/=(FLOAT f) {
    FLOAT inv = 1.0f / f;
    for (int i = 0; i < 16; ++i) (&_11)[i] *= inv;
    return *this;
}
inline D3DXMATRIX D3DXMATRIX::operator+() const { return *this; }
inline D3DXMATRIX D3DXMATRIX::operator-() const { return *this * -1.0f; }
inline D3DXMATRIX D3DXMATRIX::operator*(CONST D3DXMATRIX& mat) const {
    D3DXMATRIX out;
    D3DXMatrixMultiply(&out, this, &mat);
    return out;
}
inline D3DXMATRIX D3DXMATRIX::operator+(CONST D3DXMATRIX& mat) const {
    D3DXMATRIX out(*this);
    return out += mat;
}
inline D3DXMATRIX D3DXMATRIX::operator-(CONST D3DXMATRIX& mat) const {
    D3DXMATRIX out(*this);
    return out -= mat;
}
inline D3DXMATRIX D3DXMATRIX::operator*(FLOAT f) const {
    D3DXMATRIX out(*this);
    return out *= f;
}
inline D3DXMATRIX D3DXMATRIX::operator/(FLOAT f) const {
    D3DXMATRIX out(*this);
    return out /= f;
}
inline D3DXMATRIX operator*(FLOAT f, CONST D3DXMATRIX& mat) { return mat * f; }
inline BOOL D3DXMATRIX::operator==(CONST D3DXMATRIX& mat) const {
    for (int i = 0; i < 16; ++i)
        if ((&_11)[i] != (&mat._11)[i]) return FALSE;
    return TRUE;
}
inline BOOL D3DXMATRIX::operator!=(CONST D3DXMATRIX& mat) const { return !(*this == mat); }

// ---- D3DXQUATERNION ----
inline D3DXQUATERNION::D3DXQUATERNION(CONST FLOAT* pf) : x(pf[0]), y(pf[1]), z(pf[2]), w(pf[3]) {}
inline D3DXQUATERNION::D3DXQUATERNION(CONST D3DXFLOAT16* pf) { D3DXFloat16To32Array(&x, pf, 4); }
inline D3DXQUATERNION::D3DXQUATERNION(FLOAT fx, FLOAT fy, FLOAT fz, FLOAT fw) : x(fx), y(fy), z(fz), w(fw) {}
inline D3DXQUATERNION::operator FLOAT*() { return &x; }
inline D3DXQUATERNION::operator CONST FLOAT*() const { return &x; }
inline D3DXQUATERNION& D3DXQUATERNION::operator+=(CONST D3DXQUATERNION& q) {
    x += q.x;
    y += q.y;
    z += q.z;
    w += q.w;
    return *this;
}
inline D3DXQUATERNION& D3DXQUATERNION::operator-=(CONST D3DXQUATERNION& q) {
    x -= q.x;
    y -= q.y;
    z -= q.z;
    w -= q.w;
    return *this;
}
inline D3DXQUATERNION& D3DXQUATERNION::operator*=(CONST D3DXQUATERNION& q) {
    D3DXQuaternionMultiply(this, this, &q);
    return *this;
}
inline D3DXQUATERNION& D3DXQUATERNION::operator*=(FLOAT f) {
    x *= f;
    y *= f;
    z *= f;
    w *= f;
    return *this;
}
inline D3DXQUATERNION& D3DXQUATERNION::operator/=(FLOAT f) {
    FLOAT inv = 1.0f / f;
    x *= inv;
    y *= inv;
    z *= inv;
    w *= inv;
    return *this;
}
inline D3DXQUATERNION D3DXQUATERNION::operator+() const { return *this; }
inline D3DXQUATERNION D3DXQUATERNION::operator-() const { return D3DXQUATERNION(-x, -y, -z, -w); }
inline D3DXQUATERNION D3DXQUATERNION::operator+(CONST D3DXQUATERNION& q) const {
    return D3DXQUATERNION(x + q.x, y + q.y, z + q.z, w + q.w);
}
inline D3DXQUATERNION D3DXQUATERNION::operator-(CONST D3DXQUATERNION& q) const {
    return D3DXQUATERNION(x - q.x, y - q.y, z - q.z, w - q.w);
}
inline D3DXQUATERNION D3DXQUATERNION::operator*(CONST D3DXQUATERNION& q) const {
    D3DXQUATERNION out;
    D3DXQuaternionMultiply(&out, this, &q);
    return out;
}
inline D3DXQUATERNION D3DXQUATERNION::operator*(FLOAT f) const { return D3DXQUATERNION(x * f, y * f, z * f, w * f); }
inline D3DXQUATERNION D3DXQUATERNION::operator/(FLOAT f) const {
    FLOAT inv = 1.0f / f;
    return D3DXQUATERNION(x * inv, y * inv, z * inv, w * inv);
}
inline D3DXQUATERNION operator*(FLOAT f, CONST D3DXQUATERNION& q) {
    return D3DXQUATERNION(f * q.x, f * q.y, f * q.z, f * q.w);
}
inline BOOL D3DXQUATERNION::operator==(CONST D3DXQUATERNION& q) const {
    return x == q.x && y == q.y && z == q.z && w == q.w;
}
inline BOOL D3DXQUATERNION::operator!=(CONST D3DXQUATERNION& q) const { return !(*this == q); }

// ---- D3DXPLANE ----
inline D3DXPLANE::D3DXPLANE(CONST FLOAT* pf) : a(pf[0]), b(pf[1]), c(pf[2]), d(pf[3]) {}
inline D3DXPLANE::D3DXPLANE(CONST D3DXFLOAT16* pf) { D3DXFloat16To32Array(&a, pf, 4); }
inline D3DXPLANE::D3DXPLANE(FLOAT fa, FLOAT fb, FLOAT fc, FLOAT fd) : a(fa), b(fb), c(fc), d(fd) {}
inline D3DXPLANE::operator FLOAT*() { return &a; }
inline D3DXPLANE::operator CONST FLOAT*() const { return &a; }
inline D3DXPLANE D3DXPLANE::operator+() const { return *this; }
inline D3DXPLANE D3DXPLANE::operator-() const { return D3DXPLANE(-a, -b, -c, -d); }
inline BOOL D3DXPLANE::operator==(CONST D3DXPLANE& p) const { return a == p.a && b == p.b && c == p.c && d == p.d; }
inline BOOL D3DXPLANE::operator!=(CONST D3DXPLANE& p) const { return !(*this == p); }

// ---- D3DXCOLOR ----
inline D3DXCOLOR::D3DXCOLOR(DWORD argb) {
    CONST FLOAT scale = 1.0f / 255.0f;
    r = scale * (FLOAT)(BYTE)(argb >> 16);
    g = scale * (FLOAT)(BYTE)(argb >> 8);
    b = scale * (FLOAT)(BYTE)argb;
    a = scale * (FLOAT)(BYTE)(argb >> 24);
}
inline D3DXCOLOR::D3DXCOLOR(CONST FLOAT* pf) : r(pf[0]), g(pf[1]), b(pf[2]), a(pf[3]) {}
inline D3DXCOLOR::D3DXCOLOR(CONST D3DXFLOAT16* pf) { D3DXFloat16To32Array(&r, pf, 4); }
inline D3DXCOLOR::D3DXCOLOR(CONST D3DCOLORVALUE& c) : r(c.r), g(c.g), b(c.b), a(c.a) {}
inline D3DXCOLOR::D3DXCOLOR(FLOAT fr, FLOAT fg, FLOAT fb, FLOAT fa) : r(fr), g(fg), b(fb), a(fa) {}

// Saturates each channel, then rounds half up to 8 bits.
inline D3DXCOLOR::operator DWORD() const {
    auto channel = [](FLOAT f) -> DWORD {
        if (f >= 1.0f) return 0xff;
        if (f <= 0.0f) return 0;
        return (DWORD)(f * 255.0f + 0.5f);
    };
    return (channel(a) << 24) | (channel(r) << 16) | (channel(g) << 8) | channel(b);
}
inline D3DXCOLOR::operator FLOAT*() { return &r; }
inline D3DXCOLOR::operator CONST FLOAT*() const { return &r; }
inline D3DXCOLOR::operator D3DCOLORVALUE*() { return (D3DCOLORVALUE*)&r; }
inline D3DXCOLOR::operator CONST D3DCOLORVALUE*() const { return (CONST D3DCOLORVALUE*)&r; }
inline D3DXCOLOR::operator D3DCOLORVALUE&() { return *(D3DCOLORVALUE*)&r; }
inline D3DXCOLOR::operator CONST D3DCOLORVALUE&() const { return *(CONST D3DCOLORVALUE*)&r; }
inline D3DXCOLOR& D3DXCOLOR::operator+=(CONST D3DXCOLOR& c) {
    r += c.r;
    g += c.g;
    b += c.b;
    a += c.a;
    return *this;
}
inline D3DXCOLOR& D3DXCOLOR::operator-=(CONST D3DXCOLOR& c) {
    r -= c.r;
    g -= c.g;
    b -= c.b;
    a -= c.a;
    return *this;
}
inline D3DXCOLOR& D3DXCOLOR::operator*=(FLOAT f) {
    r *= f;
    g *= f;
    b *= f;
    a *= f;
    return *this;
}
inline D3DXCOLOR& D3DXCOLOR::operator/=(FLOAT f) {
    FLOAT inv = 1.0f / f;
    r *= inv;
    g *= inv;
    b *= inv;
    a *= inv;
    return *this;
}
inline D3DXCOLOR D3DXCOLOR::operator+() const { return *this; }
inline D3DXCOLOR D3DXCOLOR::operator-() const { return D3DXCOLOR(-r, -g, -b, -a); }
inline D3DXCOLOR D3DXCOLOR::operator+(CONST D3DXCOLOR& c) const { return D3DXCOLOR(r + c.r, g + c.g, b + c.b, a + c.a); }
inline D3DXCOLOR D3DXCOLOR::operator-(CONST D3DXCOLOR& c) const { return D3DXCOLOR(r - c.r, g - c.g, b - c.b, a - c.a); }
inline D3DXCOLOR D3DXCOLOR::operator*(FLOAT f) const { return D3DXCOLOR(r * f, g * f, b * f, a * f); }
inline D3DXCOLOR D3DXCOLOR::operator/(FLOAT f) const {
    FLOAT inv = 1.0f / f;
    return D3DXCOLOR(r * inv, g * inv, b * inv, a * inv);
}
inline D3DXCOLOR operator*(FLOAT f, CONST D3DXCOLOR& c) { return D3DXCOLOR(f * c.r, f * c.g, f * c.b, f * c.a); }
inline BOOL D3DXCOLOR::operator==(CONST D3DXCOLOR& c) const { return r == c.r && g == c.g && b == c.b && a == c.a; }
inline BOOL D3DXCOLOR::operator!=(CONST D3DXCOLOR& c) const { return !(*this == c); }

// ---- 2D vector functions ----
inline FLOAT D3DXVec2Length(CONST D3DXVECTOR2* pV) { return sqrtf(pV->x * pV->x + pV->y * pV->y); }
inline FLOAT D3DXVec2LengthSq(CONST D3DXVECTOR2* pV) { return pV->x * pV->x + pV->y * pV->y; }
inline FLOAT D3DXVec2Dot(CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2) { return pV1->x * pV2->x + pV1->y * pV2->y; }
inline FLOAT D3DXVec2CCW(CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2) { return pV1->x * pV2->y - pV1->y * pV2->x; }
inline D3DXVECTOR2* D3DXVec2Add(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2) {
    pOut->x = pV1->x + pV2->x;
    pOut->y = pV1->y + pV2->y;
    return pOut;
}
inline D3DXVECTOR2* D3DXVec2Subtract(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2) {
    pOut->x = pV1->x - pV2->x;
    pOut->y = pV1->y - pV2->y;
    return pOut;
}
inline D3DXVECTOR2* D3DXVec2Minimize(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2) {
    pOut->x = pV1->x < pV2->x ? pV1->x : pV2->x;
    pOut->y = pV1->y < pV2->y ? pV1->y : pV2->y;
    return pOut;
}
inline D3DXVECTOR2* D3DXVec2Maximize(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2) {
    pOut->x = pV1->x > pV2->x ? pV1->x : pV2->x;
    pOut->y = pV1->y > pV2->y ? pV1->y : pV2->y;
    return pOut;
}
inline D3DXVECTOR2* D3DXVec2Scale(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV, FLOAT s) {
    pOut->x = pV->x * s;
    pOut->y = pV->y * s;
    return pOut;
}
inline D3DXVECTOR2* D3DXVec2Lerp(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2, FLOAT s) {
    pOut->x = pV1->x + s * (pV2->x - pV1->x);
    pOut->y = pV1->y + s * (pV2->y - pV1->y);
    return pOut;
}

// ---- 3D vector functions ----
inline FLOAT D3DXVec3Length(CONST D3DXVECTOR3* pV) { return sqrtf(pV->x * pV->x + pV->y * pV->y + pV->z * pV->z); }
inline FLOAT D3DXVec3LengthSq(CONST D3DXVECTOR3* pV) { return pV->x * pV->x + pV->y * pV->y + pV->z * pV->z; }
inline FLOAT D3DXVec3Dot(CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2) {
    return pV1->x * pV2->x + pV1->y * pV2->y + pV1->z * pV2->z;
}
inline D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2) {
    // Through a temporary: pOut may alias an input.
    D3DXVECTOR3 v(pV1->y * pV2->z - pV1->z * pV2->y, pV1->z * pV2->x - pV1->x * pV2->z,
                  pV1->x * pV2->y - pV1->y * pV2->x);
    *pOut = v;
    return pOut;
}
inline D3DXVECTOR3* D3DXVec3Add(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2) {
    pOut->x = pV1->x + pV2->x;
    pOut->y = pV1->y + pV2->y;
    pOut->z = pV1->z + pV2->z;
    return pOut;
}
inline D3DXVECTOR3* D3DXVec3Subtract(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2) {
    pOut->x = pV1->x - pV2->x;
    pOut->y = pV1->y - pV2->y;
    pOut->z = pV1->z - pV2->z;
    return pOut;
}
inline D3DXVECTOR3* D3DXVec3Minimize(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2) {
    pOut->x = pV1->x < pV2->x ? pV1->x : pV2->x;
    pOut->y = pV1->y < pV2->y ? pV1->y : pV2->y;
    pOut->z = pV1->z < pV2->z ? pV1->z : pV2->z;
    return pOut;
}
inline D3DXVECTOR3* D3DXVec3Maximize(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2) {
    pOut->x = pV1->x > pV2->x ? pV1->x : pV2->x;
    pOut->y = pV1->y > pV2->y ? pV1->y : pV2->y;
    pOut->z = pV1->z > pV2->z ? pV1->z : pV2->z;
    return pOut;
}
inline D3DXVECTOR3* D3DXVec3Scale(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV, FLOAT s) {
    pOut->x = pV->x * s;
    pOut->y = pV->y * s;
    pOut->z = pV->z * s;
    return pOut;
}
inline D3DXVECTOR3* D3DXVec3Lerp(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2, FLOAT s) {
    pOut->x = pV1->x + s * (pV2->x - pV1->x);
    pOut->y = pV1->y + s * (pV2->y - pV1->y);
    pOut->z = pV1->z + s * (pV2->z - pV1->z);
    return pOut;
}

// ---- 4D vector functions ----
inline FLOAT D3DXVec4Length(CONST D3DXVECTOR4* pV) { return sqrtf(D3DXVec4LengthSq(pV)); }
inline FLOAT D3DXVec4LengthSq(CONST D3DXVECTOR4* pV) {
    return pV->x * pV->x + pV->y * pV->y + pV->z * pV->z + pV->w * pV->w;
}
inline FLOAT D3DXVec4Dot(CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2) {
    return pV1->x * pV2->x + pV1->y * pV2->y + pV1->z * pV2->z + pV1->w * pV2->w;
}
inline D3DXVECTOR4* D3DXVec4Add(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2) {
    *pOut = *pV1 + *pV2;
    return pOut;
}
inline D3DXVECTOR4* D3DXVec4Subtract(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2) {
    *pOut = *pV1 - *pV2;
    return pOut;
}
inline D3DXVECTOR4* D3DXVec4Minimize(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2) {
    pOut->x = pV1->x < pV2->x ? pV1->x : pV2->x;
    pOut->y = pV1->y < pV2->y ? pV1->y : pV2->y;
    pOut->z = pV1->z < pV2->z ? pV1->z : pV2->z;
    pOut->w = pV1->w < pV2->w ? pV1->w : pV2->w;
    return pOut;
}
inline D3DXVECTOR4* D3DXVec4Maximize(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2) {
    pOut->x = pV1->x > pV2->x ? pV1->x : pV2->x;
    pOut->y = pV1->y > pV2->y ? pV1->y : pV2->y;
    pOut->z = pV1->z > pV2->z ? pV1->z : pV2->z;
    pOut->w = pV1->w > pV2->w ? pV1->w : pV2->w;
    return pOut;
}
inline D3DXVECTOR4* D3DXVec4Scale(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV, FLOAT s) {
    *pOut = *pV * s;
    return pOut;
}
inline D3DXVECTOR4* D3DXVec4Lerp(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2, FLOAT s) {
    *pOut = *pV1 + s * (*pV2 - *pV1);
    return pOut;
}

// ---- Matrix functions ----
inline D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* pOut) {
    pOut->_12 = pOut->_13 = pOut->_14 = pOut->_21 = pOut->_23 = pOut->_24 = 0.0f;
    pOut->_31 = pOut->_32 = pOut->_34 = pOut->_41 = pOut->_42 = pOut->_43 = 0.0f;
    pOut->_11 = pOut->_22 = pOut->_33 = pOut->_44 = 1.0f;
    return pOut;
}
inline BOOL D3DXMatrixIsIdentity(CONST D3DXMATRIX* pM) {
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            if (pM->m[row][col] != (row == col ? 1.0f : 0.0f)) return FALSE;
    return TRUE;
}

// ---- Quaternion functions ----
inline FLOAT D3DXQuaternionLength(CONST D3DXQUATERNION* pQ) { return sqrtf(D3DXQuaternionLengthSq(pQ)); }
inline FLOAT D3DXQuaternionLengthSq(CONST D3DXQUATERNION* pQ) {
    return pQ->x * pQ->x + pQ->y * pQ->y + pQ->z * pQ->z + pQ->w * pQ->w;
}
inline FLOAT D3DXQuaternionDot(CONST D3DXQUATERNION* pQ1, CONST D3DXQUATERNION* pQ2) {
    return pQ1->x * pQ2->x + pQ1->y * pQ2->y + pQ1->z * pQ2->z + pQ1->w * pQ2->w;
}
inline D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* pOut) {
    pOut->x = pOut->y = pOut->z = 0.0f;
    pOut->w = 1.0f;
    return pOut;
}
inline BOOL D3DXQuaternionIsIdentity(CONST D3DXQUATERNION* pQ) {
    return pQ->x == 0.0f && pQ->y == 0.0f && pQ->z == 0.0f && pQ->w == 1.0f;
}
inline D3DXQUATERNION* D3DXQuaternionConjugate(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ) {
    pOut->x = -pQ->x;
    pOut->y = -pQ->y;
    pOut->z = -pQ->z;
    pOut->w = pQ->w;
    return pOut;
}

// ---- Plane functions ----
inline FLOAT D3DXPlaneDot(CONST D3DXPLANE* pP, CONST D3DXVECTOR4* pV) {
    return pP->a * pV->x + pP->b * pV->y + pP->c * pV->z + pP->d * pV->w;
}
inline FLOAT D3DXPlaneDotCoord(CONST D3DXPLANE* pP, CONST D3DXVECTOR3* pV) {
    return pP->a * pV->x + pP->b * pV->y + pP->c * pV->z + pP->d;
}
inline FLOAT D3DXPlaneDotNormal(CONST D3DXPLANE* pP, CONST D3DXVECTOR3* pV) {
    return pP->a * pV->x + pP->b * pV->y + pP->c * pV->z;
}
inline D3DXPLANE* D3DXPlaneScale(D3DXPLANE* pOut, CONST D3DXPLANE* pP, FLOAT s) {
    pOut->a = pP->a * s;
    pOut->b = pP->b * s;
    pOut->c = pP->c * s;
    pOut->d = pP->d * s;
    return pOut;
}

// ---- Colour functions ----
inline D3DXCOLOR* D3DXColorNegative(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC) {
    pOut->r = 1.0f - pC->r;
    pOut->g = 1.0f - pC->g;
    pOut->b = 1.0f - pC->b;
    pOut->a = pC->a;
    return pOut;
}
inline D3DXCOLOR* D3DXColorAdd(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC1, CONST D3DXCOLOR* pC2) {
    *pOut = *pC1 + *pC2;
    return pOut;
}
inline D3DXCOLOR* D3DXColorSubtract(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC1, CONST D3DXCOLOR* pC2) {
    *pOut = *pC1 - *pC2;
    return pOut;
}
inline D3DXCOLOR* D3DXColorScale(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC, FLOAT s) {
    *pOut = *pC * s;
    return pOut;
}
inline D3DXCOLOR* D3DXColorModulate(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC1, CONST D3DXCOLOR* pC2) {
    pOut->r = pC1->r * pC2->r;
    pOut->g = pC1->g * pC2->g;
    pOut->b = pC1->b * pC2->b;
    pOut->a = pC1->a * pC2->a;
    return pOut;
}
inline D3DXCOLOR* D3DXColorLerp(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC1, CONST D3DXCOLOR* pC2, FLOAT s) {
    pOut->r = pC1->r + s * (pC2->r - pC1->r);
    pOut->g = pC1->g + s * (pC2->g - pC1->g);
    pOut->b = pC1->b + s * (pC2->b - pC1->b);
    pOut->a = pC1->a + s * (pC2->a - pC1->a);
    return pOut;
}
