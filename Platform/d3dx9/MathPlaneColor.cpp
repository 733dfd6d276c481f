// D3DX plane and colour functions and the Fresnel term.
#include <d3dx9math.h>

D3DXPLANE* WINAPI D3DXPlaneNormalize(D3DXPLANE* pOut, CONST D3DXPLANE* pP) {
    const FLOAT length = sqrtf(pP->a * pP->a + pP->b * pP->b + pP->c * pP->c);
    if (length == 0.0f) {
        *pOut = D3DXPLANE(0.0f, 0.0f, 0.0f, 0.0f);
        return pOut;
    }
    D3DXPlaneScale(pOut, pP, 1.0f / length);
    return pOut;
}

D3DXVECTOR3* WINAPI D3DXPlaneIntersectLine(D3DXVECTOR3* pOut, CONST D3DXPLANE* pP, CONST D3DXVECTOR3* pV1,
                                           CONST D3DXVECTOR3* pV2) {
    const D3DXVECTOR3 direction = *pV2 - *pV1;
    const FLOAT denominator = D3DXPlaneDotNormal(pP, &direction);
    if (denominator == 0.0f) return nullptr;
    const FLOAT t = (pP->d + D3DXPlaneDotNormal(pP, pV1)) / denominator;
    *pOut = *pV1 - direction * t;
    return pOut;
}

D3DXPLANE* WINAPI D3DXPlaneFromPointNormal(D3DXPLANE* pOut, CONST D3DXVECTOR3* pPoint, CONST D3DXVECTOR3* pNormal) {
    *pOut = D3DXPLANE(pNormal->x, pNormal->y, pNormal->z, -D3DXVec3Dot(pPoint, pNormal));
    return pOut;
}

D3DXPLANE* WINAPI D3DXPlaneFromPoints(D3DXPLANE* pOut, CONST D3DXVECTOR3* pV1, CONST D3DXVECTOR3* pV2,
                                      CONST D3DXVECTOR3* pV3) {
    const D3DXVECTOR3 edge1 = *pV2 - *pV1, edge2 = *pV3 - *pV1;
    D3DXVECTOR3 normal;
    D3DXVec3Cross(&normal, &edge1, &edge2);
    D3DXVec3Normalize(&normal, &normal);
    return D3DXPlaneFromPointNormal(pOut, pV1, &normal);
}

D3DXPLANE* WINAPI D3DXPlaneTransform(D3DXPLANE* pOut, CONST D3DXPLANE* pP, CONST D3DXMATRIX* pM) {
    const D3DXVECTOR4 plane(pP->a, pP->b, pP->c, pP->d);
    D3DXVECTOR4 r;
    D3DXVec4Transform(&r, &plane, pM);
    *pOut = D3DXPLANE(r.x, r.y, r.z, r.w);
    return pOut;
}

D3DXPLANE* WINAPI D3DXPlaneTransformArray(D3DXPLANE* pOut, UINT OutStride, CONST D3DXPLANE* pP, UINT PStride,
                                          CONST D3DXMATRIX* pM, UINT n) {
    BYTE* out = reinterpret_cast<BYTE*>(pOut);
    const BYTE* in = reinterpret_cast<const BYTE*>(pP);
    for (UINT i = 0; i < n; ++i, out += OutStride, in += PStride)
        D3DXPlaneTransform(reinterpret_cast<D3DXPLANE*>(out), reinterpret_cast<const D3DXPLANE*>(in), pM);
    return pOut;
}

D3DXCOLOR* WINAPI D3DXColorAdjustSaturation(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC, FLOAT s) {
    // Luminance weights of the sRGB primaries.
    const FLOAT grey = pC->r * 0.2125f + pC->g * 0.7154f + pC->b * 0.0721f;
    *pOut = D3DXCOLOR(grey + s * (pC->r - grey), grey + s * (pC->g - grey), grey + s * (pC->b - grey), pC->a);
    return pOut;
}

D3DXCOLOR* WINAPI D3DXColorAdjustContrast(D3DXCOLOR* pOut, CONST D3DXCOLOR* pC, FLOAT c) {
    *pOut = D3DXCOLOR(0.5f + c * (pC->r - 0.5f), 0.5f + c * (pC->g - 0.5f), 0.5f + c * (pC->b - 0.5f), pC->a);
    return pOut;
}

FLOAT WINAPI D3DXFresnelTerm(FLOAT CosTheta, FLOAT RefractionIndex) {
    const FLOAT c = CosTheta;
    const FLOAT g = sqrtf(RefractionIndex * RefractionIndex + c * c - 1.0f);
    const FLOAT sum = g + c, difference = g - c;
    const FLOAT ratio = (c * sum - 1.0f) / (c * difference + 1.0f);
    return 0.5f * (difference * difference) / (sum * sum) * (1.0f + ratio * ratio);
}
