// CFrustum: the view volume of a camera as eight corners and six inward-facing planes,
// used by the render pass to cull whole subtrees.
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include "BoundBox.h"

class CFrustum {
public:
    enum Plane { Near, Far, Left, Right, Top, Bottom, PlaneCount };

    // Corners 0-3 lie on the near plane and 4-7 on the far plane, each quadruple ordered
    // (-1,-1), (1,-1), (-1,1), (1,1) in clip space.
    void Build(const D3DXMATRIX* view, const D3DXMATRIX* projection);

    // Conservative: true only when all eight corners of the box lie outside one and the
    // same plane. A box straddling several planes is kept.
    bool IsBoxOutside(const CBoundBox& box) const;

    D3DXVECTOR3 corners[8];
    D3DXPLANE planes[PlaneCount];
};
