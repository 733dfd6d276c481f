#include "animation/BSplineMotionPath.h"

#include <algorithm>

#include "core/ColorPacking.h"

namespace {

constexpr float OneSixth = 0.16666667f;
// A chord of a tenth of a piece gives the direction; the strip has ten samples per piece.
constexpr float SampleStep = 0.1f;

} // namespace

void BSplineWeights(float u, float weights[4])
{
    const float u2 = u * u;
    const float u3 = u2 * u;
    weights[0] = (((3.0f - u) * u - 3.0f) * u + 1.0f) * OneSixth;
    weights[1] = (3.0f * u3 - 6.0f * u2 + 4.0f) * OneSixth;
    weights[2] = (-3.0f * u3 + 3.0f * u2 + 3.0f * u + 1.0f) * OneSixth;
    weights[3] = u3 * OneSixth;
}

bool CBSplineMotionPath::QueryInterface(const GUID& id, void** out)
{
    *out = nullptr;
    if (IsEqualGUID(id, IID_IBSplineMotionPath) || IsEqualGUID(id, IID_ICoreUnknown)) {
        *out = static_cast<IBSplineMotionPath*>(this);
        AddRef();
    }
    return *out != nullptr;
}

void CBSplineMotionPath::AddControlPoint(const D3DXVECTOR3* point, float length)
{
    if (point == nullptr) {
        return;
    }
    controlPoints.push_back({*point, length});
    totalLength += length;
}

void CBSplineMotionPath::RemoveControlPoints(UINT count)
{
    const size_t removed = std::min<size_t>(count, controlPoints.size());
    for (size_t i = 0; i < removed; ++i) {
        totalLength -= controlPoints.back().length;
        controlPoints.pop_back();
    }
}

D3DXVECTOR3 CBSplineMotionPath::PiecePoint(size_t piece, float u) const
{
    float weights[4];
    BSplineWeights(u, weights);
    const size_t last = controlPoints.size() - 1;
    D3DXVECTOR3 point(0.0f, 0.0f, 0.0f);
    for (size_t k = 0; k < 4; ++k) {
        const size_t index = std::min(piece + k >= 2 ? piece + k - 2 : 0, last);
        point += controlPoints[index].point * weights[k];
    }
    return point;
}

void CBSplineMotionPath::Evaluate(float distance, D3DXVECTOR3* position, D3DXVECTOR3* direction, float* speedSq)
{
    if (position == nullptr || controlPoints.empty()) {
        return;
    }
    float d = std::max(distance, 0.0f);
    size_t piece = 0;
    while (piece < controlPoints.size() && !(controlPoints[piece].length >= d)) {
        d -= controlPoints[piece].length;
        ++piece;
    }
    if (piece == controlPoints.size()) {
        return;
    }
    const float length = controlPoints[piece].length;
    const float u = length > 1e-6f ? d / length : d;
    *position = PiecePoint(piece, u);
    if (direction == nullptr) {
        return;
    }
    // The chord that ends here, unless it would reach back before the piece's start; then
    // the one that starts here, so the start of a piece still has its own tangent.
    const D3DXVECTOR3 chord = u > 1e-5f ? *position - PiecePoint(piece, u - SampleStep)
                                        : PiecePoint(piece, u + SampleStep) - *position;
    if (speedSq != nullptr) {
        *speedSq = D3DXVec3LengthSq(&chord);
    }
    D3DXVec3Normalize(direction, &chord);
}

void CBSplineMotionPath::GetControlPoint(UINT index, D3DXVECTOR3* out)
{
    if (out != nullptr && index < controlPoints.size()) {
        *out = controlPoints[index].point;
    }
}

void CBSplineMotionPath::Reverse()
{
    std::reverse(controlPoints.begin(), controlPoints.end());
}

HRESULT CBSplineMotionPath::Draw(IDirect3DDevice9* device)
{
    if (device == nullptr) {
        return E_POINTER;
    }
    const size_t count = controlPoints.size();
    if (count > 4) {
        const D3DCOLOR white = PackColor(D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f));
        stripVertices.clear();
        for (size_t piece = 2; piece < count - 1; ++piece) {
            for (float u = 0.0f; u < 1.0f; u += SampleStep) {
                stripVertices.push_back(LITCOLOREDVERTEX{PiecePoint(piece, u), white});
            }
        }
    }
    device->SetVertexShader(nullptr);
    HRESULT hr = device->SetTexture(0, nullptr);
    if (!stripVertices.empty()) {
        hr = device->DrawPrimitiveUP(D3DPT_LINESTRIP, static_cast<UINT>(stripVertices.size() - 1),
                                     stripVertices.data(), sizeof(LITCOLOREDVERTEX));
    }
    return hr;
}

IBSplineMotionPath* CreateBSplineMotionPath()
{
    IBSplineMotionPath* path = new CBSplineMotionPath();
    path->AddRef();
    return path;
}
