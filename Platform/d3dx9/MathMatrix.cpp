// D3DX matrix functions: products, inverse, construction of world, view and projection
// matrices. Row vectors throughout: translation lives in row 4.
#include <d3dx9math.h>

#include <d3d9.h>

namespace {

D3DXMATRIX Identity() {
    D3DXMATRIX m;
    return *D3DXMatrixIdentity(&m);
}

// The 2x2 minors of rows 1-2 (upper) and rows 3-4 (lower) from which both the determinant
// and the adjugate are assembled, so that neither is computed twice.
struct Minors {
    FLOAT s0, s1, s2, s3, s4, s5;
    FLOAT c0, c1, c2, c3, c4, c5;

    explicit Minors(const D3DMATRIX& a) {
        s0 = a._11 * a._22 - a._12 * a._21;
        s1 = a._11 * a._23 - a._13 * a._21;
        s2 = a._11 * a._24 - a._14 * a._21;
        s3 = a._12 * a._23 - a._13 * a._22;
        s4 = a._12 * a._24 - a._14 * a._22;
        s5 = a._13 * a._24 - a._14 * a._23;
        c5 = a._33 * a._44 - a._34 * a._43;
        c4 = a._32 * a._44 - a._34 * a._42;
        c3 = a._32 * a._43 - a._33 * a._42;
        c2 = a._31 * a._44 - a._34 * a._41;
        c1 = a._31 * a._43 - a._33 * a._41;
        c0 = a._31 * a._42 - a._32 * a._41;
    }

    FLOAT Determinant() const { return s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0; }
};

// Upper 3x3 of a rotation by a quaternion, or the identity for NULL.
D3DXMATRIX RotationOrIdentity(CONST D3DXQUATERNION* pQ) {
    D3DXMATRIX m;
    return pQ ? *D3DXMatrixRotationQuaternion(&m, pQ) : Identity();
}

D3DXMATRIX Translation(FLOAT x, FLOAT y, FLOAT z) {
    D3DXMATRIX m;
    return *D3DXMatrixTranslation(&m, x, y, z);
}

D3DXVECTOR3 Lift(CONST D3DXVECTOR2* pV) { return pV ? D3DXVECTOR3(pV->x, pV->y, 0.0f) : D3DXVECTOR3(0, 0, 0); }

D3DXQUATERNION RotationAboutZ(FLOAT angle) {
    return D3DXQUATERNION(0.0f, 0.0f, sinf(angle * 0.5f), cosf(angle * 0.5f));
}

D3DXMATRIX* LookAt(D3DXMATRIX* pOut, const D3DXVECTOR3& eye, const D3DXVECTOR3& forward, const D3DXVECTOR3& up) {
    D3DXVECTOR3 z, x, y;
    D3DXVec3Normalize(&z, &forward);
    D3DXVec3Cross(&x, &up, &z);
    D3DXVec3Normalize(&x, &x);
    D3DXVec3Cross(&y, &z, &x);
    *pOut = D3DXMATRIX(x.x, y.x, z.x, 0.0f, x.y, y.y, z.y, 0.0f, x.z, y.z, z.z, 0.0f, -D3DXVec3Dot(&x, &eye),
                       -D3DXVec3Dot(&y, &eye), -D3DXVec3Dot(&z, &eye), 1.0f);
    return pOut;
}

D3DXPLANE Normalized(CONST D3DXPLANE* pPlane) {
    D3DXPLANE p;
    return *D3DXPlaneNormalize(&p, pPlane);
}

}  // namespace

FLOAT WINAPI D3DXMatrixDeterminant(CONST D3DXMATRIX* pM) { return Minors(*pM).Determinant(); }

HRESULT WINAPI D3DXMatrixDecompose(D3DXVECTOR3* pOutScale, D3DXQUATERNION* pOutRotation,
                                   D3DXVECTOR3* pOutTranslation, CONST D3DXMATRIX* pM) {
    if (!pOutScale || !pOutRotation || !pOutTranslation || !pM) return D3DERR_INVALIDCALL;
    D3DXVECTOR3 rows[3] = {D3DXVECTOR3(pM->_11, pM->_12, pM->_13), D3DXVECTOR3(pM->_21, pM->_22, pM->_23),
                           D3DXVECTOR3(pM->_31, pM->_32, pM->_33)};
    const D3DXVECTOR3 scale(D3DXVec3Length(&rows[0]), D3DXVec3Length(&rows[1]), D3DXVec3Length(&rows[2]));
    if (scale.x == 0.0f || scale.y == 0.0f || scale.z == 0.0f) return D3DERR_INVALIDCALL;
    rows[0] /= scale.x;
    rows[1] /= scale.y;
    rows[2] /= scale.z;
    const D3DXMATRIX rotation(rows[0].x, rows[0].y, rows[0].z, 0.0f, rows[1].x, rows[1].y, rows[1].z, 0.0f, rows[2].x,
                              rows[2].y, rows[2].z, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    *pOutScale = scale;
    *pOutTranslation = D3DXVECTOR3(pM->_41, pM->_42, pM->_43);
    D3DXQuaternionRotationMatrix(pOutRotation, &rotation);
    return S_OK;
}

D3DXMATRIX* WINAPI D3DXMatrixTranspose(D3DXMATRIX* pOut, CONST D3DXMATRIX* pM) {
    D3DXMATRIX t;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) t.m[i][j] = pM->m[j][i];
    *pOut = t;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixMultiply(D3DXMATRIX* pOut, CONST D3DXMATRIX* pM1, CONST D3DXMATRIX* pM2) {
    // Each output row is a combination of the rows of pM2: four-wide operations the compiler
    // maps onto vector registers. The result goes through a local because pOut may alias.
    float result[4][4];
    for (int i = 0; i < 4; ++i) {
        const float a0 = pM1->m[i][0], a1 = pM1->m[i][1], a2 = pM1->m[i][2], a3 = pM1->m[i][3];
        for (int j = 0; j < 4; ++j)
            result[i][j] = a0 * pM2->m[0][j] + a1 * pM2->m[1][j] + a2 * pM2->m[2][j] + a3 * pM2->m[3][j];
    }
    memcpy(pOut->m, result, sizeof result);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixMultiplyTranspose(D3DXMATRIX* pOut, CONST D3DXMATRIX* pM1, CONST D3DXMATRIX* pM2) {
    D3DXMatrixMultiply(pOut, pM1, pM2);
    return D3DXMatrixTranspose(pOut, pOut);
}

D3DXMATRIX* WINAPI D3DXMatrixInverse(D3DXMATRIX* pOut, FLOAT* pDeterminant, CONST D3DXMATRIX* pM) {
    const D3DMATRIX a = *pM;
    const Minors k(a);
    const FLOAT det = k.Determinant();
    if (pDeterminant) *pDeterminant = det;
    if (det == 0.0f) return nullptr;
    const FLOAT inv = 1.0f / det;
    *pOut = D3DXMATRIX(
        (a._22 * k.c5 - a._23 * k.c4 + a._24 * k.c3) * inv, (-a._12 * k.c5 + a._13 * k.c4 - a._14 * k.c3) * inv,
        (a._42 * k.s5 - a._43 * k.s4 + a._44 * k.s3) * inv, (-a._32 * k.s5 + a._33 * k.s4 - a._34 * k.s3) * inv,
        (-a._21 * k.c5 + a._23 * k.c2 - a._24 * k.c1) * inv, (a._11 * k.c5 - a._13 * k.c2 + a._14 * k.c1) * inv,
        (-a._41 * k.s5 + a._43 * k.s2 - a._44 * k.s1) * inv, (a._31 * k.s5 - a._33 * k.s2 + a._34 * k.s1) * inv,
        (a._21 * k.c4 - a._22 * k.c2 + a._24 * k.c0) * inv, (-a._11 * k.c4 + a._12 * k.c2 - a._14 * k.c0) * inv,
        (a._41 * k.s4 - a._42 * k.s2 + a._44 * k.s0) * inv, (-a._31 * k.s4 + a._32 * k.s2 - a._34 * k.s0) * inv,
        (-a._21 * k.c3 + a._22 * k.c1 - a._23 * k.c0) * inv, (a._11 * k.c3 - a._12 * k.c1 + a._13 * k.c0) * inv,
        (-a._41 * k.s3 + a._42 * k.s1 - a._43 * k.s0) * inv, (a._31 * k.s3 - a._32 * k.s1 + a._33 * k.s0) * inv);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixScaling(D3DXMATRIX* pOut, FLOAT sx, FLOAT sy, FLOAT sz) {
    D3DXMatrixIdentity(pOut);
    pOut->_11 = sx;
    pOut->_22 = sy;
    pOut->_33 = sz;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixTranslation(D3DXMATRIX* pOut, FLOAT x, FLOAT y, FLOAT z) {
    D3DXMatrixIdentity(pOut);
    pOut->_41 = x;
    pOut->_42 = y;
    pOut->_43 = z;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationX(D3DXMATRIX* pOut, FLOAT Angle) {
    const FLOAT c = cosf(Angle), s = sinf(Angle);
    D3DXMatrixIdentity(pOut);
    pOut->_22 = c;
    pOut->_23 = s;
    pOut->_32 = -s;
    pOut->_33 = c;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationY(D3DXMATRIX* pOut, FLOAT Angle) {
    const FLOAT c = cosf(Angle), s = sinf(Angle);
    D3DXMatrixIdentity(pOut);
    pOut->_11 = c;
    pOut->_13 = -s;
    pOut->_31 = s;
    pOut->_33 = c;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationZ(D3DXMATRIX* pOut, FLOAT Angle) {
    const FLOAT c = cosf(Angle), s = sinf(Angle);
    D3DXMatrixIdentity(pOut);
    pOut->_11 = c;
    pOut->_12 = s;
    pOut->_21 = -s;
    pOut->_22 = c;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationAxis(D3DXMATRIX* pOut, CONST D3DXVECTOR3* pV, FLOAT Angle) {
    D3DXVECTOR3 n;
    D3DXVec3Normalize(&n, pV);
    const FLOAT c = cosf(Angle), s = sinf(Angle), t = 1.0f - c;
    *pOut = D3DXMATRIX(t * n.x * n.x + c, t * n.x * n.y + s * n.z, t * n.x * n.z - s * n.y, 0.0f,
                       t * n.x * n.y - s * n.z, t * n.y * n.y + c, t * n.y * n.z + s * n.x, 0.0f,
                       t * n.x * n.z + s * n.y, t * n.y * n.z - s * n.x, t * n.z * n.z + c, 0.0f, 0.0f, 0.0f, 0.0f,
                       1.0f);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationQuaternion(D3DXMATRIX* pOut, CONST D3DXQUATERNION* pQ) {
    const FLOAT x = pQ->x, y = pQ->y, z = pQ->z, w = pQ->w;
    *pOut = D3DXMATRIX(1.0f - 2.0f * (y * y + z * z), 2.0f * (x * y + z * w), 2.0f * (x * z - y * w), 0.0f,
                       2.0f * (x * y - z * w), 1.0f - 2.0f * (x * x + z * z), 2.0f * (y * z + x * w), 0.0f,
                       2.0f * (x * z + y * w), 2.0f * (y * z - x * w), 1.0f - 2.0f * (x * x + y * y), 0.0f, 0.0f, 0.0f,
                       0.0f, 1.0f);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* pOut, FLOAT Yaw, FLOAT Pitch, FLOAT Roll) {
    const FLOAT sy = sinf(Yaw), cy = cosf(Yaw), sp = sinf(Pitch), cp = cosf(Pitch), sr = sinf(Roll), cr = cosf(Roll);
    *pOut = D3DXMATRIX(cr * cy + sr * sp * sy, sr * cp, sr * sp * cy - cr * sy, 0.0f, cr * sp * sy - sr * cy, cr * cp,
                       sr * sy + cr * sp * cy, 0.0f, cp * sy, -sp, cp * cy, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixTransformation(D3DXMATRIX* pOut, CONST D3DXVECTOR3* pScalingCenter,
                                            CONST D3DXQUATERNION* pScalingRotation, CONST D3DXVECTOR3* pScaling,
                                            CONST D3DXVECTOR3* pRotationCenter, CONST D3DXQUATERNION* pRotation,
                                            CONST D3DXVECTOR3* pTranslation) {
    const D3DXVECTOR3 sc = pScalingCenter ? *pScalingCenter : D3DXVECTOR3(0, 0, 0);
    const D3DXVECTOR3 rc = pRotationCenter ? *pRotationCenter : D3DXVECTOR3(0, 0, 0);
    const D3DXVECTOR3 t = pTranslation ? *pTranslation : D3DXVECTOR3(0, 0, 0);

    // Scale along the axes of the scaling rotation, about the scaling centre.
    D3DXMATRIX m = Translation(-sc.x, -sc.y, -sc.z);
    const D3DXMATRIX scalingRotation = RotationOrIdentity(pScalingRotation);
    D3DXMATRIX inverseScalingRotation;
    D3DXMatrixTranspose(&inverseScalingRotation, &scalingRotation);
    m *= inverseScalingRotation;
    if (pScaling) {
        D3DXMATRIX s;
        m *= *D3DXMatrixScaling(&s, pScaling->x, pScaling->y, pScaling->z);
    }
    m *= scalingRotation;
    m *= Translation(sc.x, sc.y, sc.z);

    // Rotate about the rotation centre, then translate.
    m *= Translation(-rc.x, -rc.y, -rc.z);
    m *= RotationOrIdentity(pRotation);
    m *= Translation(rc.x + t.x, rc.y + t.y, rc.z + t.z);
    *pOut = m;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixTransformation2D(D3DXMATRIX* pOut, CONST D3DXVECTOR2* pScalingCenter,
                                              FLOAT ScalingRotation, CONST D3DXVECTOR2* pScaling,
                                              CONST D3DXVECTOR2* pRotationCenter, FLOAT Rotation,
                                              CONST D3DXVECTOR2* pTranslation) {
    const D3DXVECTOR3 sc = Lift(pScalingCenter), rc = Lift(pRotationCenter), t = Lift(pTranslation);
    const D3DXVECTOR3 scaling = pScaling ? D3DXVECTOR3(pScaling->x, pScaling->y, 1.0f) : D3DXVECTOR3(1, 1, 1);
    const D3DXQUATERNION scalingRotation = RotationAboutZ(ScalingRotation);
    const D3DXQUATERNION rotation = RotationAboutZ(Rotation);
    return D3DXMatrixTransformation(pOut, &sc, &scalingRotation, &scaling, &rc, &rotation, &t);
}

D3DXMATRIX* WINAPI D3DXMatrixAffineTransformation(D3DXMATRIX* pOut, FLOAT Scaling, CONST D3DXVECTOR3* pRotationCenter,
                                                  CONST D3DXQUATERNION* pRotation, CONST D3DXVECTOR3* pTranslation) {
    // p' = (s*p - rc) * R + rc + t: the upper 3x3 is s*R and row 4 collects the offsets.
    D3DXMATRIX m = RotationOrIdentity(pRotation);
    D3DXVECTOR3 offset(0.0f, 0.0f, 0.0f);
    if (pRotation && pRotationCenter) {
        const D3DXVECTOR3 negated = -*pRotationCenter;
        D3DXVec3TransformNormal(&offset, &negated, &m);
        offset += *pRotationCenter;
    }
    if (pTranslation) offset += *pTranslation;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m.m[i][j] *= Scaling;
    m._41 = offset.x;
    m._42 = offset.y;
    m._43 = offset.z;
    *pOut = m;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixAffineTransformation2D(D3DXMATRIX* pOut, FLOAT Scaling,
                                                    CONST D3DXVECTOR2* pRotationCenter, FLOAT Rotation,
                                                    CONST D3DXVECTOR2* pTranslation) {
    const D3DXQUATERNION rotation = RotationAboutZ(Rotation);
    const D3DXVECTOR3 rc = Lift(pRotationCenter), t = Lift(pTranslation);
    return D3DXMatrixAffineTransformation(pOut, Scaling, pRotationCenter ? &rc : nullptr, &rotation,
                                          pTranslation ? &t : nullptr);
}

D3DXMATRIX* WINAPI D3DXMatrixLookAtRH(D3DXMATRIX* pOut, CONST D3DXVECTOR3* pEye, CONST D3DXVECTOR3* pAt,
                                      CONST D3DXVECTOR3* pUp) {
    return LookAt(pOut, *pEye, *pEye - *pAt, *pUp);
}

D3DXMATRIX* WINAPI D3DXMatrixLookAtLH(D3DXMATRIX* pOut, CONST D3DXVECTOR3* pEye, CONST D3DXVECTOR3* pAt,
                                      CONST D3DXVECTOR3* pUp) {
    return LookAt(pOut, *pEye, *pAt - *pEye, *pUp);
}

D3DXMATRIX* WINAPI D3DXMatrixPerspectiveRH(D3DXMATRIX* pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf) {
    *pOut = D3DXMATRIX(2.0f * zn / w, 0, 0, 0, 0, 2.0f * zn / h, 0, 0, 0, 0, zf / (zn - zf), -1.0f, 0, 0,
                       zn * zf / (zn - zf), 0);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixPerspectiveLH(D3DXMATRIX* pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf) {
    *pOut = D3DXMATRIX(2.0f * zn / w, 0, 0, 0, 0, 2.0f * zn / h, 0, 0, 0, 0, zf / (zf - zn), 1.0f, 0, 0,
                       zn * zf / (zn - zf), 0);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixPerspectiveFovRH(D3DXMATRIX* pOut, FLOAT fovy, FLOAT Aspect, FLOAT zn, FLOAT zf) {
    const FLOAT yScale = 1.0f / tanf(fovy * 0.5f);
    *pOut = D3DXMATRIX(yScale / Aspect, 0, 0, 0, 0, yScale, 0, 0, 0, 0, zf / (zn - zf), -1.0f, 0, 0,
                       zn * zf / (zn - zf), 0);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixPerspectiveFovLH(D3DXMATRIX* pOut, FLOAT fovy, FLOAT Aspect, FLOAT zn, FLOAT zf) {
    const FLOAT yScale = 1.0f / tanf(fovy * 0.5f);
    *pOut = D3DXMATRIX(yScale / Aspect, 0, 0, 0, 0, yScale, 0, 0, 0, 0, zf / (zf - zn), 1.0f, 0, 0,
                       -zn * zf / (zf - zn), 0);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixPerspectiveOffCenterRH(D3DXMATRIX* pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                                    FLOAT zf) {
    *pOut = D3DXMATRIX(2.0f * zn / (r - l), 0, 0, 0, 0, 2.0f * zn / (t - b), 0, 0, (l + r) / (r - l),
                       (t + b) / (t - b), zf / (zn - zf), -1.0f, 0, 0, zn * zf / (zn - zf), 0);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixPerspectiveOffCenterLH(D3DXMATRIX* pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                                    FLOAT zf) {
    *pOut = D3DXMATRIX(2.0f * zn / (r - l), 0, 0, 0, 0, 2.0f * zn / (t - b), 0, 0, (l + r) / (l - r),
                       (t + b) / (b - t), zf / (zf - zn), 1.0f, 0, 0, zn * zf / (zn - zf), 0);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixOrthoRH(D3DXMATRIX* pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf) {
    *pOut = D3DXMATRIX(2.0f / w, 0, 0, 0, 0, 2.0f / h, 0, 0, 0, 0, 1.0f / (zn - zf), 0, 0, 0, zn / (zn - zf), 1.0f);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixOrthoLH(D3DXMATRIX* pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf) {
    *pOut = D3DXMATRIX(2.0f / w, 0, 0, 0, 0, 2.0f / h, 0, 0, 0, 0, 1.0f / (zf - zn), 0, 0, 0, zn / (zn - zf), 1.0f);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixOrthoOffCenterRH(D3DXMATRIX* pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                              FLOAT zf) {
    *pOut = D3DXMATRIX(2.0f / (r - l), 0, 0, 0, 0, 2.0f / (t - b), 0, 0, 0, 0, 1.0f / (zn - zf), 0, (l + r) / (l - r),
                       (t + b) / (b - t), zn / (zn - zf), 1.0f);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                              FLOAT zf) {
    *pOut = D3DXMATRIX(2.0f / (r - l), 0, 0, 0, 0, 2.0f / (t - b), 0, 0, 0, 0, 1.0f / (zf - zn), 0, (l + r) / (l - r),
                       (t + b) / (b - t), zn / (zn - zf), 1.0f);
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixShadow(D3DXMATRIX* pOut, CONST D3DXVECTOR4* pLight, CONST D3DXPLANE* pPlane) {
    // M = dot(P, L) * I - P^T L: a point p maps to where the ray from the light through p
    // meets the plane.
    const D3DXPLANE p = Normalized(pPlane);
    const FLOAT plane[4] = {p.a, p.b, p.c, p.d};
    const FLOAT light[4] = {pLight->x, pLight->y, pLight->z, pLight->w};
    const FLOAT dot = D3DXPlaneDot(&p, pLight);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) pOut->m[i][j] = (i == j ? dot : 0.0f) - plane[i] * light[j];
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixReflect(D3DXMATRIX* pOut, CONST D3DXPLANE* pPlane) {
    const D3DXPLANE p = Normalized(pPlane);
    const FLOAT plane[4] = {p.a, p.b, p.c, p.d};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j) pOut->m[i][j] = (i == j ? 1.0f : 0.0f) - 2.0f * plane[i] * plane[j];
    pOut->_14 = pOut->_24 = pOut->_34 = 0.0f;
    pOut->_44 = 1.0f;
    return pOut;
}
