#include "BoundBox.h"

namespace {

float& Component(D3DXVECTOR3& v, int axis)
{
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

float Component(const D3DXVECTOR3& v, int axis)
{
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

} // namespace

CBoundBox::CBoundBox() : lo(0.0f, 0.0f, 0.0f), hi(0.0f, 0.0f, 0.0f), empty(true) {}

CBoundBox& CBoundBox::Set(const D3DXVECTOR3& newLo, const D3DXVECTOR3& newHi)
{
    lo = newLo;
    hi = newHi;
    empty = false;
    return *this;
}

const D3DXVECTOR3& CBoundBox::Lo() const
{
    return lo;
}

const D3DXVECTOR3& CBoundBox::Hi() const
{
    return hi;
}

D3DXVECTOR3 CBoundBox::Mid() const
{
    return D3DXVECTOR3((lo.x + hi.x) * 0.5f, (lo.y + hi.y) * 0.5f, (lo.z + hi.z) * 0.5f);
}

bool CBoundBox::IsEmpty() const
{
    return empty;
}

void CBoundBox::SetEmpty()
{
    empty = true;
}

float CBoundBox::Range(LONG axis) const
{
    if (axis < 0 || axis > 2) {
        return 0.0f;
    }
    return Component(hi, axis) - Component(lo, axis);
}

CBoundBox& CBoundBox::Offset(const D3DXVECTOR3& delta)
{
    lo += delta;
    hi += delta;
    empty = false;
    return *this;
}

CBoundBox& CBoundBox::Scale(const D3DXVECTOR3& factors)
{
    for (int axis = 0; axis < 3; ++axis) {
        const float centre = (Component(lo, axis) + Component(hi, axis)) / 2.0f;
        const float half = (Component(hi, axis) - Component(lo, axis)) * Component(factors, axis) * 0.5f;
        Component(lo, axis) = centre - half;
        Component(hi, axis) = centre + half;
    }
    empty = false;
    return *this;
}

CBoundBox& CBoundBox::Union(const D3DXVECTOR3& point)
{
    if (empty) {
        lo = point;
        hi = point;
        empty = false;
        return *this;
    }
    for (int axis = 0; axis < 3; ++axis) {
        const float p = Component(point, axis);
        if (p < Component(lo, axis)) {
            Component(lo, axis) = p;
        }
        if (p > Component(hi, axis)) {
            Component(hi, axis) = p;
        }
    }
    return *this;
}

CBoundBox& CBoundBox::Union(const CBoundBox& other)
{
    if (!other.empty) {
        Union(other.lo);
        Union(other.hi);
    }
    return *this;
}

CBoundBox& CBoundBox::TransformBy(const D3DXMATRIX* matrix)
{
    if (matrix == nullptr) {
        return *this;
    }
    D3DXVECTOR3 corners[8];
    GetCornerPoints(corners);
    empty = true;
    for (const D3DXVECTOR3& corner : corners) {
        D3DXVECTOR3 transformed;
        D3DXVec3TransformCoord(&transformed, &corner, matrix);
        Union(transformed);
    }
    return *this;
}

void CBoundBox::GetCornerPoints(D3DXVECTOR3* corners) const
{
    corners[0] = D3DXVECTOR3(lo.x, lo.y, lo.z);
    corners[1] = D3DXVECTOR3(hi.x, lo.y, lo.z);
    corners[2] = D3DXVECTOR3(hi.x, hi.y, lo.z);
    corners[3] = D3DXVECTOR3(lo.x, hi.y, lo.z);
    corners[4] = D3DXVECTOR3(lo.x, lo.y, hi.z);
    corners[5] = D3DXVECTOR3(hi.x, lo.y, hi.z);
    corners[6] = D3DXVECTOR3(hi.x, hi.y, hi.z);
    corners[7] = D3DXVECTOR3(lo.x, hi.y, hi.z);
}

void CBoundBox::GetAxisEndpoints(D3DXVECTOR3* endpoints) const
{
    const D3DXVECTOR3 m = Mid();
    endpoints[0] = D3DXVECTOR3(hi.x, m.y, m.z);
    endpoints[1] = D3DXVECTOR3(lo.x, m.y, m.z);
    endpoints[2] = D3DXVECTOR3(m.x, hi.y, m.z);
    endpoints[3] = D3DXVECTOR3(m.x, lo.y, m.z);
    endpoints[4] = D3DXVECTOR3(m.x, m.y, hi.z);
    endpoints[5] = D3DXVECTOR3(m.x, m.y, lo.z);
}
