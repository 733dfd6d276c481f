#include "animation/MotionPath.h"

namespace {

// Curves are drawn as the whole path sampled at this many steps of t.
constexpr int CurveSteps = 1000;
constexpr float CurveStep = 0.001f;
// One start vertex, then every sample twice: the pairs chain into a polyline.
constexpr size_t CurveVertexCount = 1 + 2 * CurveSteps;

D3DXVECTOR3 Zero()
{
    return D3DXVECTOR3(0.0f, 0.0f, 0.0f);
}

D3DXVECTOR3 CurvePoint(const MotionPathSegment& s, float u)
{
    D3DXVECTOR3 point = s.start;
    CubicBezierCurve(&point, u, &s.start, &s.control1, &s.control2, &s.end);
    return point;
}

} // namespace

bool CMotionPath::QueryInterface(const GUID& id, void** out)
{
    *out = nullptr;
    if (IsEqualGUID(id, IID_IMotionPath) || IsEqualGUID(id, IID_ICoreUnknown)) {
        *out = static_cast<IMotionPath*>(this);
        AddRef();
    }
    return *out != nullptr;
}

void CMotionPath::AddSegment(const MotionPathSegment* segment)
{
    if (segment == nullptr) {
        return;
    }
    float length;
    if (segment->type == MotionPathSegment::Line) {
        const D3DXVECTOR3 span = segment->end - segment->start;
        length = D3DXVec3Length(&span);
    } else {
        length = CubicBezierCurveLength(&segment->start, &segment->control1, &segment->control2, &segment->end);
    }
    segments.push_back({*segment, length});
    totalLength += length;
    RebuildLineList();
}

void CMotionPath::RebuildLineList()
{
    size_t count = 0;
    for (const StoredSegment& stored : segments) {
        if (stored.segment.type == MotionPathSegment::Line) {
            count += 2;
        } else if (stored.segment.type == MotionPathSegment::CubicBezier) {
            count += CurveVertexCount;
        }
    }
    // A fresh list: colours start at 0 until the next SetColor.
    lineVertices.assign(count, LITCOLOREDVERTEX{Zero(), 0});

    // Every curve adds the same samples of the whole path, so they are taken once.
    std::vector<D3DXVECTOR3> samples;
    size_t next = 0;
    for (const StoredSegment& stored : segments) {
        if (stored.segment.type == MotionPathSegment::Line) {
            lineVertices[next++].position = stored.segment.start;
            lineVertices[next++].position = stored.segment.end;
        } else if (stored.segment.type == MotionPathSegment::CubicBezier) {
            if (samples.empty()) {
                samples.resize(CurveVertexCount);
                Evaluate(0.0f, &samples[0], nullptr);
                float t = 0.0f;
                for (int step = 0; step < CurveSteps; ++step) {
                    t += CurveStep;
                    Evaluate(t, &samples[1 + 2 * step], nullptr);
                    samples[2 + 2 * step] = samples[1 + 2 * step];
                }
            }
            for (const D3DXVECTOR3& sample : samples) {
                lineVertices[next++].position = sample;
            }
        }
    }
}

HRESULT CMotionPath::Evaluate(float t, D3DXVECTOR3* position, D3DXVECTOR3* direction)
{
    if (looping) {
        while (t > 1.0f) {
            t -= 1.0f;
        }
    }
    // Before the start there is nothing to extrapolate along a curve; the start it is.
    if (t < 0.0f) {
        t = 0.0f;
    }
    float d = t * totalLength;
    for (const StoredSegment& stored : segments) {
        if (!(stored.length > d)) {
            d -= stored.length;
            continue;
        }
        const MotionPathSegment& s = stored.segment;
        const float u = d / stored.length;
        if (s.type == MotionPathSegment::Line) {
            const D3DXVECTOR3 span = s.end - s.start;
            if (position != nullptr) {
                *position = s.start + span * u;
            }
            if (direction != nullptr) {
                D3DXVec3Normalize(direction, &span);
            }
            return S_OK;
        }
        const D3DXVECTOR3 here = CurvePoint(s, u);
        if (position != nullptr) {
            *position = here;
        }
        if (direction != nullptr) {
            const D3DXVECTOR3 chord = CurvePoint(s, u < 0.99f ? u * 1.01f : 1.0f) - here;
            const float length = D3DXVec3Length(&chord);
            *direction = length <= 1e-6f ? D3DXVECTOR3(0.0f, 0.0f, 1.0f) : chord / length;
        }
        return S_OK;
    }

    // Past the end (or t exactly 1): the end point and the direction the path ends with.
    if (segments.empty()) {
        if (position != nullptr) {
            *position = Zero();
        }
        if (direction != nullptr) {
            *direction = Zero();
        }
        return E_FAIL;
    }
    const MotionPathSegment& last = segments.back().segment;
    if (position != nullptr) {
        *position = last.end;
    }
    if (direction != nullptr) {
        // The Bezier formula whatever the type: for a line the result depends on the
        // control points the host left in the record.
        const D3DXVECTOR3 tail = CurvePoint(last, 1.0f) - CurvePoint(last, 0.999f);
        D3DXVec3Normalize(direction, &tail);
    }
    return E_FAIL;
}

MotionPathSegment CMotionPath::GetSegment(UINT index)
{
    if (index >= segments.size()) {
        return MotionPathSegment{MotionPathSegment::Invalid, Zero(), Zero(), Zero(), Zero()};
    }
    return segments[index].segment;
}

float CMotionPath::GetSegmentLength(UINT index)
{
    return index < segments.size() ? segments[index].length : 0.0f;
}

HRESULT CMotionPath::Draw(IDirect3DDevice9* device)
{
    if (device == nullptr) {
        return E_POINTER;
    }
    device->SetVertexShader(nullptr);
    HRESULT hr = device->SetTexture(0, nullptr);
    if (!lineVertices.empty()) {
        hr = device->DrawPrimitiveUP(D3DPT_LINELIST, static_cast<UINT>(lineVertices.size() / 2),
                                     lineVertices.data(), sizeof(LITCOLOREDVERTEX));
    }
    return hr;
}

void CMotionPath::Clear()
{
    segments.clear();
    totalLength = 0.0f;
    lineVertices.clear();
}

void CMotionPath::SetColor(D3DCOLOR color)
{
    for (LITCOLOREDVERTEX& vertex : lineVertices) {
        vertex.color = color;
    }
}

IMotionPath* CreateMotionPath()
{
    IMotionPath* path = new CMotionPath();
    path->AddRef();
    return path;
}
