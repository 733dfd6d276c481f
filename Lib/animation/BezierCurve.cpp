#include "IMotionPath.h"

D3DXVECTOR3* CubicBezierCurve(D3DXVECTOR3* out, float t, const D3DXVECTOR3* p0, const D3DXVECTOR3* p1,
                              const D3DXVECTOR3* p2, const D3DXVECTOR3* p3)
{
    if (out == nullptr || p0 == nullptr || p1 == nullptr || p2 == nullptr || p3 == nullptr) {
        return nullptr;
    }
    // Written so that a t that is not a number is refused as well.
    if (!(t >= 0.0f && t <= 1.0f)) {
        return nullptr;
    }
    const float s = 1.0f - t;
    const float w0 = s * s * s;
    const float w1 = 3.0f * t * s * s;
    const float w2 = 3.0f * t * t * s;
    const float w3 = t * t * t;
    // Computed whole before storing, since `out` may be one of the points.
    const D3DXVECTOR3 point(w0 * p0->x + w1 * p1->x + w2 * p2->x + w3 * p3->x,
                            w0 * p0->y + w1 * p1->y + w2 * p2->y + w3 * p3->y,
                            w0 * p0->z + w1 * p1->z + w2 * p2->z + w3 * p3->z);
    *out = point;
    return out;
}

float CubicBezierCurveLength(const D3DXVECTOR3* p0, const D3DXVECTOR3* p1, const D3DXVECTOR3* p2,
                             const D3DXVECTOR3* p3)
{
    if (p0 == nullptr || p1 == nullptr || p2 == nullptr || p3 == nullptr) {
        return 0.0f;
    }
    const D3DXVECTOR3 first = *p1 - *p0;
    const D3DXVECTOR3 last = *p3 - *p2;
    const D3DXVECTOR3 middle = *p2 - *p1;
    const D3DXVECTOR3 chord = *p3 - *p0;
    return 0.5f * (D3DXVec3Length(&first) + D3DXVec3Length(&last) + D3DXVec3Length(&middle) +
                   D3DXVec3Length(&chord));
}
