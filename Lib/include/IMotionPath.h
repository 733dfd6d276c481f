// IMotionPath: a chain of straight lines and cubic Bezier curves evaluated by a normalised
// parameter t from 0 to 1. The parameter is spread over the segments by their lengths, so
// equal steps of t cover roughly equal distances. Hosts use it to move cameras, nodes or
// emitters along a route; the path also keeps a line list of itself for debug drawing.
//
// CreateMotionPath returns an empty path with one reference, which the caller releases.
// Besides IID_IMotionPath the path answers IID_ICoreUnknown; it does not answer
// IID_IBSplineMotionPath.
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include "CoreUnknown.h"
#include "VestraExport.h"

// One segment as the host describes it. Lines ignore the two control points.
struct MotionPathSegment {
    enum Type : INT {
        Line = 0,
        CubicBezier = 1,
        Invalid = 2, // only ever returned, by GetSegment for an index out of range
    };

    INT type;
    D3DXVECTOR3 start;
    D3DXVECTOR3 end;
    D3DXVECTOR3 control1;
    D3DXVECTOR3 control2;
};

class IMotionPath : public ICoreUnknown {
public:
    // Appends a copy of `segment` (a null pointer is ignored). Any type other than Line is
    // measured and evaluated as a cubic Bezier curve, but only Line and CubicBezier
    // segments appear in the line list. The line list is rebuilt, and its vertices start
    // black and transparent (0) until the next SetColor.
    virtual void AddSegment(const MotionPathSegment* segment) = 0;
    // Position and unit direction of travel at `t`; either output may be null. A looping
    // path wraps t above 1 into (0, 1]; t below 0 is taken as 0. At the end of the path
    // (t = 1 included, since the last segment covers distances strictly below its end) the
    // outputs get the last segment's end point and end direction and the result is E_FAIL,
    // as it is on an empty path, whose outputs are zeros. On a curve the direction is the
    // chord to a point 1% further along; at the very start of a curve that chord is empty
    // and the direction is (0, 0, 1).
    virtual HRESULT Evaluate(float t, D3DXVECTOR3* position, D3DXVECTOR3* direction) = 0;
    // Sum of the segment lengths. A curve's length is CubicBezierCurveLength's estimate.
    virtual float GetLength() = 0;
    // A copy of the segment as added; type Invalid with zero points for a bad index.
    virtual MotionPathSegment GetSegment(UINT index) = 0;
    virtual UINT GetSegmentCount() = 0;
    // 0 for a bad index.
    virtual float GetSegmentLength(UINT index) = 0;
    // Draws the line list: unbinds the vertex shader and texture 0, then one line-list draw
    // when there are vertices. The caller sets the vertex format (LITCOLOREDVERTEX::FVF) and
    // the world transform. Returns the last device result; E_POINTER for a null device.
    // Each line segment adds its two end points to the list; each curve adds a polyline of
    // the whole path sampled at 1000 steps (2001 vertices).
    virtual HRESULT Draw(IDirect3DDevice9* device) = 0;
    // Removes every segment and empties the line list.
    virtual void Clear() = 0;
    virtual void SetLooping(BOOL looping) = 0;
    // Paints the current line list; vertices built by later AddSegment calls start at 0.
    virtual void SetColor(D3DCOLOR color) = 0;

protected:
    ~IMotionPath() = default;
};

VESTRA_API IMotionPath* CreateMotionPath();

// The cubic Bezier curve through p0..p3 at t: (1-t)^3 p0 + 3t(1-t)^2 p1 + 3t^2(1-t) p2 + t^3 p3.
// Returns `out`, or null (leaving `out` alone) for a null pointer or a t outside [0, 1]
// (a t that is not a number included). `out` may be one of the points.
VESTRA_API D3DXVECTOR3* CubicBezierCurve(D3DXVECTOR3* out, float t, const D3DXVECTOR3* p0, const D3DXVECTOR3* p1,
                                         const D3DXVECTOR3* p2, const D3DXVECTOR3* p3);
// An estimate of the curve's length: the mean of its control polygon's length and its
// chord. 0 when a pointer is null.
VESTRA_API float CubicBezierCurveLength(const D3DXVECTOR3* p0, const D3DXVECTOR3* p1, const D3DXVECTOR3* p2,
                                        const D3DXVECTOR3* p3);
