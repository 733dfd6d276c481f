// CBillboardQuad: a textured rectangle that always takes the camera's full orientation
// (its plane stays parallel to the image plane), placed at `offset` in the node's space.
// Its alpha can pulse with time. CBitstripBillboardNode builds on it.
//
// Only the position of `offset` follows the node and its ancestors; their rotation and
// scale do not reach the quad, whose width and height are in world units. It leaves the
// node's bounding box empty, so it is never culled.
#pragma once
#include "IBillboardQuad.h"
#include "scene/nodes/TexturedStripNode.h"

class CBillboardQuad : public CTexturedStripNode, public IBillboardQuad {
public:
    CBillboardQuad() = default;

    bool QueryInterface(const GUID& id, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT Update(float elapsed) override;
    HRESULT Render(IScene* scene) override;

    // Rebuilds at depth 0 and, when a file is named, takes the texture (releasing one held
    // from an earlier build).
    virtual HRESULT BuildGeometry(IScene* scene);
    // A null string leaves that field as it was.
    void Setup(D3DXVECTOR3 position, D3DXCOLOR color, float width, float height, float depth,
               const char* referencePath, const char* fileName);

    void SetSize(const D3DXVECTOR2* size, float depth) override;
    HRESULT SetPulse(bool enable, float minAlpha, float maxAlpha, float frequency) override;

    // The world transform Render draws with under the scene's current view: the camera's
    // orientation with the translation moved to the billboard's world position.
    D3DXMATRIX BillboardMatrix(IDirect3DDevice9* device);

protected:
    D3DXVECTOR3 offset{0.0f, 0.0f, 0.0f};
    float width = 64.0f;
    float height = 64.0f;
    bool pulsing = false;
    float minAlpha = 0.0f;
    float maxAlpha = 0.0f;
    float frequency = 0.0f;
    float time = 0.0f;
};
