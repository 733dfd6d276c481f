// Bounding boxes and spheres of vertex positions, and the ray tests used for picking.
#include <d3dx9mesh.h>

namespace {

const D3DXVECTOR3& PositionAt(CONST D3DXVECTOR3* first, DWORD index, DWORD stride) {
    return *reinterpret_cast<const D3DXVECTOR3*>(reinterpret_cast<const BYTE*>(first) + (size_t)index * stride);
}

}  // namespace

HRESULT WINAPI D3DXComputeBoundingBox(CONST D3DXVECTOR3* pFirstPosition, DWORD NumVertices, DWORD dwStride,
                                      D3DXVECTOR3* pMin, D3DXVECTOR3* pMax) {
    if (!pFirstPosition || !pMin || !pMax) return D3DERR_INVALIDCALL;
    D3DXVECTOR3 lo = *pFirstPosition, hi = *pFirstPosition;
    for (DWORD i = 1; i < NumVertices; ++i) {
        const D3DXVECTOR3& p = PositionAt(pFirstPosition, i, dwStride);
        D3DXVec3Minimize(&lo, &lo, &p);
        D3DXVec3Maximize(&hi, &hi, &p);
    }
    *pMin = lo;
    *pMax = hi;
    return D3D_OK;
}

HRESULT WINAPI D3DXComputeBoundingSphere(CONST D3DXVECTOR3* pFirstPosition, DWORD NumVertices, DWORD dwStride,
                                         D3DXVECTOR3* pCenter, FLOAT* pRadius) {
    if (!pFirstPosition || !pCenter || !pRadius) return D3DERR_INVALIDCALL;
    D3DXVECTOR3 sum(0, 0, 0);
    for (DWORD i = 0; i < NumVertices; ++i) sum += PositionAt(pFirstPosition, i, dwStride);
    const D3DXVECTOR3 centre = NumVertices ? sum / (FLOAT)NumVertices : sum;
    FLOAT radiusSq = 0.0f;
    for (DWORD i = 0; i < NumVertices; ++i) {
        const D3DXVECTOR3 offset = PositionAt(pFirstPosition, i, dwStride) - centre;
        const FLOAT d = D3DXVec3LengthSq(&offset);
        if (d > radiusSq) radiusSq = d;
    }
    *pCenter = centre;
    *pRadius = sqrtf(radiusSq);
    return D3D_OK;
}

BOOL WINAPI D3DXIntersectTri(CONST D3DXVECTOR3* p0, CONST D3DXVECTOR3* p1, CONST D3DXVECTOR3* p2,
                             CONST D3DXVECTOR3* pRayPos, CONST D3DXVECTOR3* pRayDir, FLOAT* pU, FLOAT* pV,
                             FLOAT* pDist) {
    // Solve pos + t*dir = p0 + u*e1 + v*e2 by Cramer's rule on the edge vectors.
    const D3DXVECTOR3 e1 = *p1 - *p0, e2 = *p2 - *p0;
    D3DXVECTOR3 p, q;
    D3DXVec3Cross(&p, pRayDir, &e2);
    const FLOAT det = D3DXVec3Dot(&e1, &p);
    if (det == 0.0f) return FALSE;  // ray parallel to the triangle's plane
    const FLOAT invDet = 1.0f / det;
    const D3DXVECTOR3 s = *pRayPos - *p0;
    const FLOAT u = D3DXVec3Dot(&s, &p) * invDet;
    if (u < 0.0f || u > 1.0f) return FALSE;
    D3DXVec3Cross(&q, &s, &e1);
    const FLOAT v = D3DXVec3Dot(pRayDir, &q) * invDet;
    if (v < 0.0f || u + v > 1.0f) return FALSE;
    const FLOAT t = D3DXVec3Dot(&e2, &q) * invDet;
    if (t < 0.0f) return FALSE;
    if (pU) *pU = u;
    if (pV) *pV = v;
    if (pDist) *pDist = t;
    return TRUE;
}

BOOL WINAPI D3DXSphereBoundProbe(CONST D3DXVECTOR3* pCenter, FLOAT Radius, CONST D3DXVECTOR3* pRayPosition,
                                 CONST D3DXVECTOR3* pRayDirection) {
    const D3DXVECTOR3 m = *pRayPosition - *pCenter;
    const FLOAT a = D3DXVec3LengthSq(pRayDirection);
    const FLOAT b = D3DXVec3Dot(&m, pRayDirection);
    const FLOAT c = D3DXVec3LengthSq(&m) - Radius * Radius;
    if (c > 0.0f && b > 0.0f) return FALSE;  // outside and pointing away
    return b * b - a * c >= 0.0f;
}

BOOL WINAPI D3DXBoxBoundProbe(CONST D3DXVECTOR3* pMin, CONST D3DXVECTOR3* pMax, CONST D3DXVECTOR3* pRayPosition,
                              CONST D3DXVECTOR3* pRayDirection) {
    // Clip the ray's parameter range against the three pairs of slabs.
    FLOAT tNear = 0.0f, tFar = INFINITY;
    const FLOAT* lo = *pMin;
    const FLOAT* hi = *pMax;
    const FLOAT* origin = *pRayPosition;
    const FLOAT* dir = *pRayDirection;
    for (int axis = 0; axis < 3; ++axis) {
        if (dir[axis] == 0.0f) {
            if (origin[axis] < lo[axis] || origin[axis] > hi[axis]) return FALSE;
            continue;
        }
        FLOAT t1 = (lo[axis] - origin[axis]) / dir[axis], t2 = (hi[axis] - origin[axis]) / dir[axis];
        if (t1 > t2) {
            const FLOAT swap = t1;
            t1 = t2;
            t2 = swap;
        }
        if (t1 > tNear) tNear = t1;
        if (t2 < tFar) tFar = t2;
        if (tNear > tFar) return FALSE;
    }
    return TRUE;
}
