#include "scene/Frustum.h"

void CFrustum::Build(const D3DXMATRIX* view, const D3DXMATRIX* projection)
{
    D3DXMATRIX viewProjection;
    D3DXMatrixMultiply(&viewProjection, view, projection);
    D3DXMATRIX clipToWorld;
    D3DXMatrixInverse(&clipToWorld, nullptr, &viewProjection);

    static const D3DXVECTOR3 clipCorners[8] = {
        D3DXVECTOR3(-1.0f, -1.0f, 0.0f), D3DXVECTOR3(1.0f, -1.0f, 0.0f), D3DXVECTOR3(-1.0f, 1.0f, 0.0f),
        D3DXVECTOR3(1.0f, 1.0f, 0.0f),   D3DXVECTOR3(-1.0f, -1.0f, 1.0f), D3DXVECTOR3(1.0f, -1.0f, 1.0f),
        D3DXVECTOR3(-1.0f, 1.0f, 1.0f),  D3DXVECTOR3(1.0f, 1.0f, 1.0f),
    };
    for (int i = 0; i < 8; ++i) {
        D3DXVec3TransformCoord(&corners[i], &clipCorners[i], &clipToWorld);
    }

    // Each triple winds so that the plane's normal points into the volume.
    D3DXPlaneFromPoints(&planes[Near], &corners[0], &corners[1], &corners[2]);
    D3DXPlaneFromPoints(&planes[Far], &corners[6], &corners[7], &corners[5]);
    D3DXPlaneFromPoints(&planes[Left], &corners[2], &corners[6], &corners[4]);
    D3DXPlaneFromPoints(&planes[Right], &corners[7], &corners[3], &corners[5]);
    D3DXPlaneFromPoints(&planes[Top], &corners[2], &corners[3], &corners[6]);
    D3DXPlaneFromPoints(&planes[Bottom], &corners[1], &corners[0], &corners[4]);
}

bool CFrustum::IsBoxOutside(const CBoundBox& box) const
{
    D3DXVECTOR3 boxCorners[8];
    box.GetCornerPoints(boxCorners);
    unsigned commonOutside = (1u << PlaneCount) - 1;
    for (const D3DXVECTOR3& corner : boxCorners) {
        unsigned outside = 0;
        for (int plane = 0; plane < PlaneCount; ++plane) {
            const D3DXPLANE& p = planes[plane];
            if (p.a * corner.x + p.b * corner.y + p.c * corner.z + p.d < 0.0f) {
                outside |= 1u << plane;
            }
        }
        if (outside == 0) {
            return false;
        }
        commonOutside &= outside;
    }
    return commonOutside != 0;
}
