// D3DX quaternion functions. D3DXQuaternionMultiply(q1, q2) is the rotation q1 followed by
// q2 (the Hamilton product q2 q1), and every composite below keeps to that order.
#include <d3dx9math.h>

namespace {

// Below this distance from 1 the cosine of the angle between two quaternions is treated as
// "equal" and slerp falls back to a linear blend (sin(theta) would lose all precision).
constexpr FLOAT kSlerpLinearThreshold = 0.001f;

D3DXQUATERNION Inverse(const D3DXQUATERNION& q) {
    D3DXQUATERNION r;
    return *D3DXQuaternionInverse(&r, &q);
}

D3DXQUATERNION Multiply(const D3DXQUATERNION& first, const D3DXQUATERNION& then) {
    D3DXQUATERNION r;
    return *D3DXQuaternionMultiply(&r, &first, &then);
}

D3DXQUATERNION Ln(const D3DXQUATERNION& q) {
    D3DXQUATERNION r;
    return *D3DXQuaternionLn(&r, &q);
}

D3DXQUATERNION Exp(const D3DXQUATERNION& q) {
    D3DXQUATERNION r;
    return *D3DXQuaternionExp(&r, &q);
}

D3DXQUATERNION Slerp(const D3DXQUATERNION& q1, const D3DXQUATERNION& q2, FLOAT t) {
    D3DXQUATERNION r;
    return *D3DXQuaternionSlerp(&r, &q1, &q2, t);
}

// q or -q, whichever is nearer to reference (both describe the same rotation).
D3DXQUATERNION Nearer(const D3DXQUATERNION& q, const D3DXQUATERNION& reference) {
    const D3DXQUATERNION sum = q + reference, difference = q - reference;
    return D3DXQuaternionLengthSq(&sum) < D3DXQuaternionLengthSq(&difference) ? -q : q;
}

// The inner control point of a squad segment at q given its neighbours.
D3DXQUATERNION SquadControl(const D3DXQUATERNION& previous, const D3DXQUATERNION& q, const D3DXQUATERNION& next) {
    const D3DXQUATERNION inverse = Inverse(q);
    const D3DXQUATERNION tangent = (Ln(Multiply(inverse, next)) + Ln(Multiply(inverse, previous))) * -0.25f;
    return Multiply(q, Exp(tangent));
}

}  // namespace

void WINAPI D3DXQuaternionToAxisAngle(CONST D3DXQUATERNION* pQ, D3DXVECTOR3* pAxis, FLOAT* pAngle) {
    if (pAxis) *pAxis = D3DXVECTOR3(pQ->x, pQ->y, pQ->z);
    if (pAngle) *pAngle = 2.0f * acosf(pQ->w);
}

D3DXQUATERNION* WINAPI D3DXQuaternionRotationMatrix(D3DXQUATERNION* pOut, CONST D3DXMATRIX* pM) {
    const D3DXMATRIX& m = *pM;
    const FLOAT trace = m._11 + m._22 + m._33;
    if (trace > 0.0f) {
        const FLOAT s = 2.0f * sqrtf(trace + 1.0f);
        *pOut = D3DXQUATERNION((m._23 - m._32) / s, (m._31 - m._13) / s, (m._12 - m._21) / s, s * 0.25f);
    } else if (m._11 >= m._22 && m._11 >= m._33) {
        const FLOAT s = 2.0f * sqrtf(1.0f + m._11 - m._22 - m._33);
        *pOut = D3DXQUATERNION(s * 0.25f, (m._12 + m._21) / s, (m._13 + m._31) / s, (m._23 - m._32) / s);
    } else if (m._22 >= m._33) {
        const FLOAT s = 2.0f * sqrtf(1.0f + m._22 - m._11 - m._33);
        *pOut = D3DXQUATERNION((m._12 + m._21) / s, s * 0.25f, (m._23 + m._32) / s, (m._31 - m._13) / s);
    } else {
        const FLOAT s = 2.0f * sqrtf(1.0f + m._33 - m._11 - m._22);
        *pOut = D3DXQUATERNION((m._13 + m._31) / s, (m._23 + m._32) / s, s * 0.25f, (m._12 - m._21) / s);
    }
    return pOut;
}

D3DXQUATERNION* WINAPI D3DXQuaternionRotationAxis(D3DXQUATERNION* pOut, CONST D3DXVECTOR3* pV, FLOAT Angle) {
    D3DXVECTOR3 n;
    D3DXVec3Normalize(&n, pV);
    const FLOAT s = sinf(Angle * 0.5f);
    *pOut = D3DXQUATERNION(n.x * s, n.y * s, n.z * s, cosf(Angle * 0.5f));
    return pOut;
}

D3DXQUATERNION* WINAPI D3DXQuaternionRotationYawPitchRoll(D3DXQUATERNION* pOut, FLOAT Yaw, FLOAT Pitch, FLOAT Roll) {
    // Roll, then pitch, then yaw, as D3DXMatrixRotationYawPitchRoll, multiplied out.
    const FLOAT sy = sinf(Yaw * 0.5f), cy = cosf(Yaw * 0.5f);
    const FLOAT sp = sinf(Pitch * 0.5f), cp = cosf(Pitch * 0.5f);
    const FLOAT sr = sinf(Roll * 0.5f), cr = cosf(Roll * 0.5f);
    *pOut = D3DXQUATERNION(cy * sp * cr + sy * cp * sr, sy * cp * cr - cy * sp * sr, cy * cp * sr - sy * sp * cr,
                           cy * cp * cr + sy * sp * sr);
    return pOut;
}

D3DXQUATERNION* WINAPI D3DXQuaternionMultiply(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ1,
                                              CONST D3DXQUATERNION* pQ2) {
    const D3DXQUATERNION a = *pQ1, b = *pQ2;
    pOut->x = b.w * a.x + b.x * a.w + b.y * a.z - b.z * a.y;
    pOut->y = b.w * a.y - b.x * a.z + b.y * a.w + b.z * a.x;
    pOut->z = b.w * a.z + b.x * a.y - b.y * a.x + b.z * a.w;
    pOut->w = b.w * a.w - b.x * a.x - b.y * a.y - b.z * a.z;
    return pOut;
}

// A zero quaternion normalises to zero rather than to NaN.
D3DXQUATERNION* WINAPI D3DXQuaternionNormalize(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ) {
    const FLOAT length = D3DXQuaternionLength(pQ);
    *pOut = length == 0.0f ? D3DXQUATERNION(0, 0, 0, 0) : *pQ * (1.0f / length);
    return pOut;
}

D3DXQUATERNION* WINAPI D3DXQuaternionInverse(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ) {
    const FLOAT norm = D3DXQuaternionLengthSq(pQ);
    D3DXQuaternionConjugate(pOut, pQ);
    *pOut /= norm;
    return pOut;
}

D3DXQUATERNION* WINAPI D3DXQuaternionLn(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ) {
    const FLOAT w = pQ->w > 1.0f ? 1.0f : (pQ->w < -1.0f ? -1.0f : pQ->w);
    const FLOAT theta = acosf(w), s = sinf(theta);
    const FLOAT scale = s != 0.0f ? theta / s : 1.0f;
    *pOut = D3DXQUATERNION(pQ->x * scale, pQ->y * scale, pQ->z * scale, 0.0f);
    return pOut;
}

D3DXQUATERNION* WINAPI D3DXQuaternionExp(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ) {
    const FLOAT theta = sqrtf(pQ->x * pQ->x + pQ->y * pQ->y + pQ->z * pQ->z);
    const FLOAT scale = theta != 0.0f ? sinf(theta) / theta : 1.0f;
    *pOut = D3DXQUATERNION(pQ->x * scale, pQ->y * scale, pQ->z * scale, cosf(theta));
    return pOut;
}

D3DXQUATERNION* WINAPI D3DXQuaternionSlerp(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ1,
                                           CONST D3DXQUATERNION* pQ2, FLOAT t) {
    D3DXQUATERNION to = *pQ2;
    FLOAT cosine = D3DXQuaternionDot(pQ1, pQ2);
    if (cosine < 0.0f) {  // The shorter of the two arcs between the same rotations.
        to = -to;
        cosine = -cosine;
    }
    FLOAT k1 = 1.0f - t, k2 = t;
    if (1.0f - cosine > kSlerpLinearThreshold) {
        const FLOAT theta = acosf(cosine), invSin = 1.0f / sinf(theta);
        k1 = sinf((1.0f - t) * theta) * invSin;
        k2 = sinf(t * theta) * invSin;
    }
    *pOut = *pQ1 * k1 + to * k2;
    return pOut;
}

D3DXQUATERNION* WINAPI D3DXQuaternionSquad(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ1, CONST D3DXQUATERNION* pA,
                                           CONST D3DXQUATERNION* pB, CONST D3DXQUATERNION* pC, FLOAT t) {
    *pOut = Slerp(Slerp(*pQ1, *pC, t), Slerp(*pA, *pB, t), 2.0f * t * (1.0f - t));
    return pOut;
}

void WINAPI D3DXQuaternionSquadSetup(D3DXQUATERNION* pAOut, D3DXQUATERNION* pBOut, D3DXQUATERNION* pCOut,
                                     CONST D3DXQUATERNION* pQ0, CONST D3DXQUATERNION* pQ1, CONST D3DXQUATERNION* pQ2,
                                     CONST D3DXQUATERNION* pQ3) {
    // Align the signs along the sequence so the spline never takes the long way round.
    const D3DXQUATERNION q1 = *pQ1;
    const D3DXQUATERNION q0 = Nearer(*pQ0, q1);
    const D3DXQUATERNION q2 = Nearer(*pQ2, q1);
    const D3DXQUATERNION q3 = Nearer(*pQ3, q2);
    *pAOut = SquadControl(q0, q1, q2);
    *pBOut = SquadControl(q1, q2, q3);
    *pCOut = q2;
}

D3DXQUATERNION* WINAPI D3DXQuaternionBaryCentric(D3DXQUATERNION* pOut, CONST D3DXQUATERNION* pQ1,
                                                 CONST D3DXQUATERNION* pQ2, CONST D3DXQUATERNION* pQ3, FLOAT f,
                                                 FLOAT g) {
    const FLOAT sum = f + g;
    if (sum == 0.0f) {
        *pOut = *pQ1;
        return pOut;
    }
    *pOut = Slerp(Slerp(*pQ1, *pQ2, sum), Slerp(*pQ1, *pQ3, sum), g / sum);
    return pOut;
}
