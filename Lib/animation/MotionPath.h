// CMotionPath: the engine's IMotionPath, a list of line and cubic Bezier segments with
// their lengths and a debug line list of the whole path.
#pragma once

#include <vector>

#include "IMotionPath.h"
#include "Vertices.h"
#include "core/CoreRefCount.h"

class CMotionPath final : public IMotionPath, public CCoreRefCount {
public:
    CMotionPath() = default;

    bool QueryInterface(const GUID& id, void** out) override;
    ULONG AddRef() override { return CCoreRefCount::AddRef(); }
    ULONG Release() override { return CCoreRefCount::Release(); }

    void AddSegment(const MotionPathSegment* segment) override;
    HRESULT Evaluate(float t, D3DXVECTOR3* position, D3DXVECTOR3* direction) override;
    float GetLength() override { return totalLength; }
    MotionPathSegment GetSegment(UINT index) override;
    UINT GetSegmentCount() override { return static_cast<UINT>(segments.size()); }
    float GetSegmentLength(UINT index) override;
    HRESULT Draw(IDirect3DDevice9* device) override;
    void Clear() override;
    void SetLooping(BOOL looping) override { this->looping = looping; }
    void SetColor(D3DCOLOR color) override;

private:
    struct StoredSegment {
        MotionPathSegment segment;
        float length;
    };

    void RebuildLineList();

    std::vector<StoredSegment> segments;
    float totalLength = 0.0f;
    // Two vertices per line; the vertex count is the array's size.
    std::vector<LITCOLOREDVERTEX> lineVertices;
    BOOL looping = FALSE;
};
