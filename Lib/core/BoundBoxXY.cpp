// The free x-y helpers on CBoundBox.
#include "BoundBox.h"

namespace {

// Raised to lo first, then lowered to hi, so an inverted box yields hi.
float Clamp(float value, float lo, float hi)
{
    if (value < lo) {
        value = lo;
    }
    if (value > hi) {
        value = hi;
    }
    return value;
}

} // namespace

bool ContainsXY(const D3DXVECTOR3& point, const CBoundBox& box)
{
    const D3DXVECTOR3& lo = box.Lo();
    const D3DXVECTOR3& hi = box.Hi();
    return lo.x <= point.x && point.x <= hi.x && lo.y <= point.y && point.y <= hi.y;
}

bool ContainsXY(const CBoundBox& inner, const CBoundBox& outer)
{
    return ContainsXY(inner.Lo(), outer) && ContainsXY(inner.Hi(), outer);
}

bool IntersectsXY(const CBoundBox& a, const CBoundBox& b)
{
    D3DXVECTOR3 corners[8];
    a.GetCornerPoints(corners);
    for (const D3DXVECTOR3& corner : corners) {
        if (ContainsXY(corner, b)) {
            return true;
        }
    }
    return false;
}

D3DXVECTOR3 ClosestPointInBox(const D3DXVECTOR3& point, const CBoundBox& box)
{
    return D3DXVECTOR3(Clamp(point.x, box.Lo().x, box.Hi().x), Clamp(point.y, box.Lo().y, box.Hi().y),
                       Clamp(point.z, box.Lo().z, box.Hi().z));
}

D3DXVECTOR3 ClosestPointInBoxXY(const D3DXVECTOR3& point, const CBoundBox& box)
{
    return D3DXVECTOR3(Clamp(point.x, box.Lo().x, box.Hi().x), Clamp(point.y, box.Lo().y, box.Hi().y), point.z);
}

bool CalcOffsetToFitXY(const CBoundBox& a, const CBoundBox& b, D3DXVECTOR3& offset)
{
    offset = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    if (a.Lo().x < b.Lo().x) {
        offset.x += b.Lo().x - a.Lo().x;
    }
    if (a.Lo().y < b.Lo().y) {
        offset.y += b.Lo().y - a.Lo().y;
    }
    if (a.Hi().x > b.Hi().x) {
        offset.x += b.Hi().x - a.Hi().x;
    }
    if (a.Hi().y > b.Hi().y) {
        offset.y += b.Hi().y - a.Hi().y;
    }
    return true;
}
