// CBSplineMotionPath: the engine's IBSplineMotionPath, control points with host-supplied
// piece lengths and a debug line strip rebuilt when drawn.
#pragma once

#include <vector>

#include "IBSplineMotionPath.h"
#include "Vertices.h"
#include "core/CoreRefCount.h"

// The uniform cubic B-spline weights at `u` of the four points i-2, i-1, i, i+1 of piece i.
void BSplineWeights(float u, float weights[4]);

class CBSplineMotionPath final : public IBSplineMotionPath, public CCoreRefCount {
public:
    CBSplineMotionPath() = default;

    bool QueryInterface(const GUID& id, void** out) override;
    ULONG AddRef() override { return CCoreRefCount::AddRef(); }
    ULONG Release() override { return CCoreRefCount::Release(); }

    void AddControlPoint(const D3DXVECTOR3* point, float length) override;
    void RemoveControlPoints(UINT count) override;
    UINT GetControlPointCount() override { return static_cast<UINT>(controlPoints.size()); }
    void Evaluate(float distance, D3DXVECTOR3* position, D3DXVECTOR3* direction, float* speedSq) override;
    void GetControlPoint(UINT index, D3DXVECTOR3* out) override;
    float GetLength() override { return totalLength; }
    void Reverse() override;
    HRESULT Draw(IDirect3DDevice9* device) override;

private:
    struct ControlPoint {
        D3DXVECTOR3 point;
        float length; // of the piece that ends at this point
    };

    // The point of piece `piece` at local parameter `u`; indices outside the array are
    // clamped to its ends.
    D3DXVECTOR3 PiecePoint(size_t piece, float u) const;

    std::vector<ControlPoint> controlPoints;
    float totalLength = 0.0f;
    std::vector<LITCOLOREDVERTEX> stripVertices;
};
