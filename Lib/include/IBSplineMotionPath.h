// IBSplineMotionPath: a smooth path near a list of control points, made of uniform cubic
// B-spline pieces and evaluated by distance travelled. The host supplies, with each control
// point, the length of the curve piece that ends at it; those lengths map a distance to a
// piece. Piece i is shaped by control points i-2, i-1, i and i+1, so only points 2 to n-2
// have a full piece: give points 0, 1 and n-1 a length of 0 and every positive distance up
// to GetLength falls into a full piece.
//
// CreateBSplineMotionPath returns an empty path with one reference, which the caller
// releases. Besides IID_IBSplineMotionPath it answers IID_ICoreUnknown only; it is not an
// IMotionPath.
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include "CoreUnknown.h"
#include "VestraExport.h"

class IBSplineMotionPath : public ICoreUnknown {
public:
    // A null point is ignored.
    virtual void AddControlPoint(const D3DXVECTOR3* point, float length) = 0;
    // Removes the last `count` points (all of them when there are fewer).
    virtual void RemoveControlPoints(UINT count) = 0;
    virtual UINT GetControlPointCount() = 0;
    // Position at `distance` along the path; when `direction` is given, also the unit
    // direction of travel and, in `speedSq` if given, the squared length of the chord of
    // one tenth of a piece that the direction was taken from (a measure of speed).
    // Nothing is written for a null position, an empty path or a distance beyond the end,
    // so callers set defaults first. A distance in (a, a + length] of a point's piece maps
    // linearly to its local parameter; 0 and negative distances give the start of piece 0.
    // Pieces near the ends of the array repeat the first or last control point in place
    // of the missing ones. The direction is the chord that ends at the position; at the
    // very start of a piece, where that chord would reach back before it, it is the chord
    // that starts at the position instead (the local tangent, never a zero vector while the
    // piece moves).
    virtual void Evaluate(float distance, D3DXVECTOR3* position, D3DXVECTOR3* direction, float* speedSq) = 0;
    // Copies the point; `out` is left alone for a bad index or when it is null.
    virtual void GetControlPoint(UINT index, D3DXVECTOR3* out) = 0;
    // The sum of the supplied lengths.
    virtual float GetLength() = 0;
    // Reverses the order of the points; each keeps its own length.
    virtual void Reverse() = 0;
    // Draws the path as a white line strip, ten samples per full piece. With four or fewer
    // points the strip is not rebuilt and the last one built (if any) is drawn. Unbinds the
    // vertex shader and texture 0 first; the caller sets the vertex format
    // (LITCOLOREDVERTEX::FVF) and the world transform. Returns the last device result;
    // E_POINTER for a null device.
    virtual HRESULT Draw(IDirect3DDevice9* device) = 0;

protected:
    ~IBSplineMotionPath() = default;
};

VESTRA_API IBSplineMotionPath* CreateBSplineMotionPath();
