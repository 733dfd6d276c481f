// D3DX vector functions: normalisation, splines, transforms and viewport projection.
#include <d3dx9math.h>

namespace {

// Strided array walks shared by the *Array forms; strides are in bytes.
template <typename Out, typename In, typename Transform>
Out* TransformStrided(Out* pOut, UINT outStride, const In* pV, UINT vStride, UINT n, Transform transform) {
    BYTE* out = reinterpret_cast<BYTE*>(pOut);
    const BYTE* in = reinterpret_cast<const BYTE*>(pV);
    for (UINT i = 0; i < n; ++i, out += outStride, in += vStride)
        transform(reinterpret_cast<Out*>(out), reinterpret_cast<const In*>(in));
    return pOut;
}

// Hermite basis weights for the points and tangents at s.
struct HermiteWeights {
    FLOAT v1, t1, v2, t2;
    explicit HermiteWeights(FLOAT s) {
        const FLOAT s2 = s * s, s3 = s2 * s;
        v1 = 2.0f * s3 - 3.0f * s2 + 1.0f;
        t1 = s3 - 2.0f * s2 + s;
        v2 = -2.0f * s3 + 3.0f * s2;
        t2 = s3 - s2;
    }
};

template <typename V>
V Hermite(const V& v1, const V& t1, const V& v2, const V& t2, FLOAT s) {
    const HermiteWeights w(s);
    return v1 * w.v1 + t1 * w.t1 + v2 * w.v2 + t2 * w.t2;
}

// The Hermite curve through v1 and v2 whose tangents are (v2 - v0) / 2 and (v3 - v1) / 2.
template <typename V>
V CatmullRom(const V& v0, const V& v1, const V& v2, const V& v3, FLOAT s) {
    const FLOAT s2 = s * s, s3 = s2 * s;
    return (v1 * 2.0f + (v2 - v0) * s + (v0 * 2.0f - v1 * 5.0f + v2 * 4.0f - v3) * s2 +
            (v1 * 3.0f - v0 - v2 * 3.0f + v3) * s3) *
           0.5f;
}

template <typename V>
V BaryCentric(const V& v1, const V& v2, const V& v3, FLOAT f, FLOAT g) {
    return v1 + (v2 - v1) * f + (v3 - v1) * g;
}

// A zero-length vector normalises to zero rather than to NaN.
template <typename V, typename LengthFn>
V* Normalize(V* pOut, const V* pV, LengthFn length) {
    const FLOAT len = length(pV);
    if (len == 0.0f) {
        *pOut = *pV * 0.0f;
        return pOut;
    }
    *pOut = *pV * (1.0f / len);
    return pOut;
}

// world * view * projection with NULL entries standing for the identity.
D3DXMATRIX CombinedTransform(CONST D3DXMATRIX* pProjection, CONST D3DXMATRIX* pView, CONST D3DXMATRIX* pWorld) {
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    if (pWorld) m = *pWorld;
    if (pView) D3DXMatrixMultiply(&m, &m, pView);
    if (pProjection) D3DXMatrixMultiply(&m, &m, pProjection);
    return m;
}

D3DXVECTOR3 ToViewport(const D3DXVECTOR3& p, CONST D3DVIEWPORT9* pViewport) {
    if (!pViewport) return p;
    return D3DXVECTOR3((FLOAT)pViewport->X + (1.0f + p.x) * (FLOAT)pViewport->Width * 0.5f,
                       (FLOAT)pViewport->Y + (1.0f - p.y) * (FLOAT)pViewport->Height * 0.5f,
                       pViewport->MinZ + p.z * (pViewport->MaxZ - pViewport->MinZ));
}

D3DXVECTOR3 FromViewport(const D3DXVECTOR3& v, CONST D3DVIEWPORT9* pViewport) {
    if (!pViewport) return v;
    return D3DXVECTOR3(2.0f * (v.x - (FLOAT)pViewport->X) / (FLOAT)pViewport->Width - 1.0f,
                       1.0f - 2.0f * (v.y - (FLOAT)pViewport->Y) / (FLOAT)pViewport->Height,
                       (v.z - pViewport->MinZ) / (pViewport->MaxZ - pViewport->MinZ));
}

}  // namespace

// ---- 2D ----
D3DXVECTOR2* WINAPI D3DXVec2Normalize(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV) {
    return Normalize(pOut, pV, D3DXVec2Length);
}

D3DXVECTOR2* WINAPI D3DXVec2Hermite(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pT1,
                                   CONST D3DXVECTOR2* pV2, CONST D3DXVECTOR2* pT2, FLOAT s) {
    *pOut = Hermite(*pV1, *pT1, *pV2, *pT2, s);
    return pOut;
}

D3DXVECTOR2* WINAPI D3DXVec2CatmullRom(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV0, CONST D3DXVECTOR2* pV1,
                                      CONST D3DXVECTOR2* pV2, CONST D3DXVECTOR2* pV3, FLOAT s) {
    *pOut = CatmullRom(*pV0, *pV1, *pV2, *pV3, s);
    return pOut;
}

D3DXVECTOR2* WINAPI D3DXVec2BaryCentric(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV1, CONST D3DXVECTOR2* pV2,
                                       CONST D3DXVECTOR2* pV3, FLOAT f, FLOAT g) {
    *pOut = BaryCentric(*pV1, *pV2, *pV3, f, g);
    return pOut;
}

D3DXVECTOR4* WINAPI D3DXVec2Transform(D3DXVECTOR4* pOut, CONST D3DXVECTOR2* pV, CONST D3DXMATRIX* pM) {
    const FLOAT x = pV->x, y = pV->y;
    *pOut = D3DXVECTOR4(x * pM->_11 + y * pM->_21 + pM->_41, x * pM->_12 + y * pM->_22 + pM->_42,
                        x * pM->_13 + y * pM->_23 + pM->_43, x * pM->_14 + y * pM->_24 + pM->_44);
    return pOut;
}

D3DXVECTOR2* WINAPI D3DXVec2TransformCoord(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV, CONST D3DXMATRIX* pM) {
    D3DXVECTOR4 v;
    D3DXVec2Transform(&v, pV, pM);
    const FLOAT invW = 1.0f / v.w;
    *pOut = D3DXVECTOR2(v.x * invW, v.y * invW);
    return pOut;
}

D3DXVECTOR2* WINAPI D3DXVec2TransformNormal(D3DXVECTOR2* pOut, CONST D3DXVECTOR2* pV, CONST D3DXMATRIX* pM) {
    const FLOAT x = pV->x, y = pV->y;
    *pOut = D3DXVECTOR2(x * pM->_11 + y * pM->_21, x * pM->_12 + y * pM->_22);
    return pOut;
}

D3DXVECTOR4* WINAPI D3DXVec2TransformArray(D3DXVECTOR4* pOut, UINT OutStride, CONST D3DXVECTOR2* pV, UINT VStride,
                                          CONST D3DXMATRIX* pM, UINT n) {
    return TransformStrided(pOut, OutStride, pV, VStride, n,
                            [pM](D3DXVECTOR4* o, const D3DXVECTOR2* v) { D3DXVec2Transform(o, v, pM); });
}

D3DXVECTOR2* WINAPI D3DXVec2TransformCoordArray(D3DXVECTOR2* pOut, UINT OutStride, CONST D3DXVECTOR2* pV,
                                               UINT VStride, CONST D3DXMATRIX* pM, UINT n) {
    return TransformStrided(pOut, OutStride, pV, VStride, n,
                            [pM](D3DXVECTOR2* o, const D3DXVECTOR2* v) { D3DXVec2TransformCoord(o, v, pM); });
}

D3DXVECTOR2* WINAPI D3DXVec2TransformNormalArray(D3DXVECTOR2* pOut, UINT OutStride, CONST D3DXVECTOR2* pV,
                                                UINT VStride, CONST D3DXMATRIX* pM, UINT n) {
    return TransformStrided(pOut, OutStride, pV, VStride, n,
                            [pM](D3DXVECTOR2* o, const D3DXVECTOR2* v) { D3DXVec2TransformNormal(o, v, pM); });
}

// ---- 3D ----
D3DXVECTOR3* WINAPI D3DXVec3Normalize(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV) {
    return Normalize(pOut, pV, D3DXVec3Length);
}

D3DXVECTOR3* WINAPI D3DXVec3Hermite(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pT1,
                                   CONST D3DXVECTOR3* pV2, CONST D3DXVECTOR3* pT2, FLOAT s) {
    *pOut = Hermite(*pV1, *pT1, *pV2, *pT2, s);
    return pOut;
}

D3DXVECTOR3* WINAPI D3DXVec3CatmullRom(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV0, CONST D3DXVECTOR3* pV1,
                                      CONST D3DXVECTOR3* pV2, CONST D3DXVECTOR3* pV3, FLOAT s) {
    *pOut = CatmullRom(*pV0, *pV1, *pV2, *pV3, s);
    return pOut;
}

D3DXVECTOR3* WINAPI D3DXVec3BaryCentric(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2,
                                       CONST D3DXVECTOR3* pV3, FLOAT f, FLOAT g) {
    *pOut = BaryCentric(*pV1, *pV2, *pV3, f, g);
    return pOut;
}

D3DXVECTOR4* WINAPI D3DXVec3Transform(D3DXVECTOR4* pOut, CONST D3DXVECTOR3* pV, CONST D3DXMATRIX* pM) {
    const FLOAT x = pV->x, y = pV->y, z = pV->z;
    *pOut = D3DXVECTOR4(x * pM->_11 + y * pM->_21 + z * pM->_31 + pM->_41,
                        x * pM->_12 + y * pM->_22 + z * pM->_32 + pM->_42,
                        x * pM->_13 + y * pM->_23 + z * pM->_33 + pM->_43,
                        x * pM->_14 + y * pM->_24 + z * pM->_34 + pM->_44);
    return pOut;
}

D3DXVECTOR3* WINAPI D3DXVec3TransformCoord(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV, CONST D3DXMATRIX* pM) {
    const FLOAT x = pV->x, y = pV->y, z = pV->z;
    const FLOAT invW = 1.0f / (x * pM->_14 + y * pM->_24 + z * pM->_34 + pM->_44);
    const FLOAT ox = x * pM->_11 + y * pM->_21 + z * pM->_31 + pM->_41;
    const FLOAT oy = x * pM->_12 + y * pM->_22 + z * pM->_32 + pM->_42;
    const FLOAT oz = x * pM->_13 + y * pM->_23 + z * pM->_33 + pM->_43;
    pOut->x = ox * invW;
    pOut->y = oy * invW;
    pOut->z = oz * invW;
    return pOut;
}

D3DXVECTOR3* WINAPI D3DXVec3TransformNormal(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV, CONST D3DXMATRIX* pM) {
    const FLOAT x = pV->x, y = pV->y, z = pV->z;
    pOut->x = x * pM->_11 + y * pM->_21 + z * pM->_31;
    pOut->y = x * pM->_12 + y * pM->_22 + z * pM->_32;
    pOut->z = x * pM->_13 + y * pM->_23 + z * pM->_33;
    return pOut;
}

D3DXVECTOR4* WINAPI D3DXVec3TransformArray(D3DXVECTOR4* pOut, UINT OutStride, CONST D3DXVECTOR3* pV, UINT VStride,
                                          CONST D3DXMATRIX* pM, UINT n) {
    return TransformStrided(pOut, OutStride, pV, VStride, n,
                            [pM](D3DXVECTOR4* o, const D3DXVECTOR3* v) { D3DXVec3Transform(o, v, pM); });
}

D3DXVECTOR3* WINAPI D3DXVec3TransformCoordArray(D3DXVECTOR3* pOut, UINT OutStride, CONST D3DXVECTOR3* pV,
                                               UINT VStride, CONST D3DXMATRIX* pM, UINT n) {
    return TransformStrided(pOut, OutStride, pV, VStride, n,
                            [pM](D3DXVECTOR3* o, const D3DXVECTOR3* v) { D3DXVec3TransformCoord(o, v, pM); });
}

D3DXVECTOR3* WINAPI D3DXVec3TransformNormalArray(D3DXVECTOR3* pOut, UINT OutStride, CONST D3DXVECTOR3* pV,
                                                UINT VStride, CONST D3DXMATRIX* pM, UINT n) {
    return TransformStrided(pOut, OutStride, pV, VStride, n,
                            [pM](D3DXVECTOR3* o, const D3DXVECTOR3* v) { D3DXVec3TransformNormal(o, v, pM); });
}

D3DXVECTOR3* WINAPI D3DXVec3Project(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV, CONST D3DVIEWPORT9* pViewport,
                                   CONST D3DXMATRIX* pProjection, CONST D3DXMATRIX* pView, CONST D3DXMATRIX* pWorld) {
    return D3DXVec3ProjectArray(pOut, sizeof(D3DXVECTOR3), pV, sizeof(D3DXVECTOR3), pViewport, pProjection, pView,
                                pWorld, 1);
}

D3DXVECTOR3* WINAPI D3DXVec3Unproject(D3DXVECTOR3* pOut, CONST D3DXVECTOR3* pV, CONST D3DVIEWPORT9* pViewport,
                                     CONST D3DXMATRIX* pProjection, CONST D3DXMATRIX* pView,
                                     CONST D3DXMATRIX* pWorld) {
    return D3DXVec3UnprojectArray(pOut, sizeof(D3DXVECTOR3), pV, sizeof(D3DXVECTOR3), pViewport, pProjection, pView,
                                  pWorld, 1);
}

D3DXVECTOR3* WINAPI D3DXVec3ProjectArray(D3DXVECTOR3* pOut, UINT OutStride, CONST D3DXVECTOR3* pV, UINT VStride,
                                        CONST D3DVIEWPORT9* pViewport, CONST D3DXMATRIX* pProjection,
                                        CONST D3DXMATRIX* pView, CONST D3DXMATRIX* pWorld, UINT n) {
    const D3DXMATRIX m = CombinedTransform(pProjection, pView, pWorld);
    return TransformStrided(pOut, OutStride, pV, VStride, n, [&](D3DXVECTOR3* o, const D3DXVECTOR3* v) {
        D3DXVECTOR3 p;
        D3DXVec3TransformCoord(&p, v, &m);
        *o = ToViewport(p, pViewport);
    });
}

// NULL when world * view * projection cannot be inverted.
D3DXVECTOR3* WINAPI D3DXVec3UnprojectArray(D3DXVECTOR3* pOut, UINT OutStride, CONST D3DXVECTOR3* pV, UINT VStride,
                                          CONST D3DVIEWPORT9* pViewport, CONST D3DXMATRIX* pProjection,
                                          CONST D3DXMATRIX* pView, CONST D3DXMATRIX* pWorld, UINT n) {
    D3DXMATRIX m = CombinedTransform(pProjection, pView, pWorld);
    if (!D3DXMatrixInverse(&m, nullptr, &m)) return nullptr;
    return TransformStrided(pOut, OutStride, pV, VStride, n, [&](D3DXVECTOR3* o, const D3DXVECTOR3* v) {
        const D3DXVECTOR3 p = FromViewport(*v, pViewport);
        D3DXVec3TransformCoord(o, &p, &m);
    });
}

// ---- 4D ----
D3DXVECTOR4* WINAPI D3DXVec4Cross(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2,
                                 CONST D3DXVECTOR4* pV3) {
    // 2x2 minors of the last two vectors, then a cofactor expansion along the first.
    const FLOAT xy = pV2->x * pV3->y - pV2->y * pV3->x;
    const FLOAT xz = pV2->x * pV3->z - pV2->z * pV3->x;
    const FLOAT xw = pV2->x * pV3->w - pV2->w * pV3->x;
    const FLOAT yz = pV2->y * pV3->z - pV2->z * pV3->y;
    const FLOAT yw = pV2->y * pV3->w - pV2->w * pV3->y;
    const FLOAT zw = pV2->z * pV3->w - pV2->w * pV3->z;
    *pOut = D3DXVECTOR4(pV1->y * zw - pV1->z * yw + pV1->w * yz, -pV1->x * zw + pV1->z * xw - pV1->w * xz,
                        pV1->x * yw - pV1->y * xw + pV1->w * xy, -pV1->x * yz + pV1->y * xz - pV1->z * xy);
    return pOut;
}

D3DXVECTOR4* WINAPI D3DXVec4Normalize(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV) {
    return Normalize(pOut, pV, D3DXVec4Length);
}

D3DXVECTOR4* WINAPI D3DXVec4Hermite(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pT1,
                                   CONST D3DXVECTOR4* pV2, CONST D3DXVECTOR4* pT2, FLOAT s) {
    *pOut = Hermite(*pV1, *pT1, *pV2, *pT2, s);
    return pOut;
}

D3DXVECTOR4* WINAPI D3DXVec4CatmullRom(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV0, CONST D3DXVECTOR4* pV1,
                                      CONST D3DXVECTOR4* pV2, CONST D3DXVECTOR4* pV3, FLOAT s) {
    *pOut = CatmullRom(*pV0, *pV1, *pV2, *pV3, s);
    return pOut;
}

D3DXVECTOR4* WINAPI D3DXVec4BaryCentric(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV1, CONST D3DXVECTOR4* pV2,
                                       CONST D3DXVECTOR4* pV3, FLOAT f, FLOAT g) {
    *pOut = BaryCentric(*pV1, *pV2, *pV3, f, g);
    return pOut;
}

D3DXVECTOR4* WINAPI D3DXVec4Transform(D3DXVECTOR4* pOut, CONST D3DXVECTOR4* pV, CONST D3DXMATRIX* pM) {
    const FLOAT x = pV->x, y = pV->y, z = pV->z, w = pV->w;
    *pOut = D3DXVECTOR4(x * pM->_11 + y * pM->_21 + z * pM->_31 + w * pM->_41,
                        x * pM->_12 + y * pM->_22 + z * pM->_32 + w * pM->_42,
                        x * pM->_13 + y * pM->_23 + z * pM->_33 + w * pM->_43,
                        x * pM->_14 + y * pM->_24 + z * pM->_34 + w * pM->_44);
    return pOut;
}

D3DXVECTOR4* WINAPI D3DXVec4TransformArray(D3DXVECTOR4* pOut, UINT OutStride, CONST D3DXVECTOR4* pV, UINT VStride,
                                          CONST D3DXMATRIX* pM, UINT n) {
    return TransformStrided(pOut, OutStride, pV, VStride, n,
                            [pM](D3DXVECTOR4* o, const D3DXVECTOR4* v) { D3DXVec4Transform(o, v, pM); });
}
