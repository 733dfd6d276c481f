// CBoundBox, the engine's axis-aligned box, and the x-y helpers for screen-aligned and
// map-like layouts.
//
// A box is two corners and an empty flag. The corners of a box that was never set are
// zero; they mean nothing while the box is empty. Set stores the corners as given (no
// reordering). The free functions work in the x-y plane (z is ignored) and never look at
// the empty flags of their arguments.
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include "VestraExport.h"

struct ID3DXMesh;

class VESTRA_API CBoundBox {
public:
    CBoundBox();

    CBoundBox& Set(const D3DXVECTOR3& lo, const D3DXVECTOR3& hi);
    const D3DXVECTOR3& Lo() const;
    const D3DXVECTOR3& Hi() const;
    D3DXVECTOR3 Mid() const;
    bool IsEmpty() const;
    // Marks the box empty; the corners keep their values.
    void SetEmpty();
    // hi - lo on axis 0 (x), 1 (y) or 2 (z); 0 for any other axis.
    float Range(LONG axis) const;

    // Offset, Scale, Union and TransformBy return the box itself.
    CBoundBox& Offset(const D3DXVECTOR3& delta);
    // Scales each axis about the centre.
    CBoundBox& Scale(const D3DXVECTOR3& factors);
    // Grows the box to hold the point; a point component that is not a number moves nothing.
    CBoundBox& Union(const D3DXVECTOR3& point);
    // Grows the box to hold another; an empty box adds nothing.
    CBoundBox& Union(const CBoundBox& other);
    // The axis-aligned box around the eight corners transformed projectively; nothing for a
    // null matrix. The corners are used even when the box is empty: test IsEmpty first.
    CBoundBox& TransformBy(const D3DXMATRIX* matrix);

    // Eight corners: (lo.x,lo.y,lo.z) (hi.x,lo.y,lo.z) (hi.x,hi.y,lo.z) (lo.x,hi.y,lo.z),
    // then the same four with hi.z.
    void GetCornerPoints(D3DXVECTOR3* corners) const;
    // Six face centres: +x, -x, +y, -y, +z, -z.
    void GetAxisEndpoints(D3DXVECTOR3* endpoints) const;

private:
    D3DXVECTOR3 lo;
    D3DXVECTOR3 hi;
    bool empty;
};

// lo.x <= p.x <= hi.x and lo.y <= p.y <= hi.y: the edges count as inside.
VESTRA_API bool ContainsXY(const D3DXVECTOR3& point, const CBoundBox& box);
// Both corners of `inner` lie in `outer` by the point test.
VESTRA_API bool ContainsXY(const CBoundBox& inner, const CBoundBox& outer);
// At least one corner of `a` lies in `b`. Not symmetric: a box that encloses `b` without
// any corner inside it does not intersect it.
VESTRA_API bool IntersectsXY(const CBoundBox& a, const CBoundBox& b);
// The point clamped into the box on every axis.
VESTRA_API D3DXVECTOR3 ClosestPointInBox(const D3DXVECTOR3& point, const CBoundBox& box);
// The point clamped into the box in x and y; z is kept.
VESTRA_API D3DXVECTOR3 ClosestPointInBoxXY(const D3DXVECTOR3& point, const CBoundBox& box);
// The x-y offset that moves `a` inside `b`. When `a` is wider than `b` on an axis both edge
// corrections apply and partly cancel. Always true.
VESTRA_API bool CalcOffsetToFitXY(const CBoundBox& a, const CBoundBox& b, D3DXVECTOR3& offset);
// The box of every vertex position of the mesh; vertex-buffer and lock failures are returned.
VESTRA_API HRESULT InitFromMesh(ID3DXMesh* mesh, CBoundBox& box);
// The box of the positions of vertexCount vertices from firstVertex on, taken from the start
// of each vertex; returns the lock's result. Indices outside the mesh's vertices are skipped
// rather than read; a count of 0 or less leaves the box empty.
VESTRA_API HRESULT InitFromMeshSubset(ID3DXMesh* mesh, LONG firstVertex, LONG vertexCount, CBoundBox& box);
