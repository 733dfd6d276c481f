// CQuadNode: a flat, textured, uniformly coloured rectangle in the node's local XZ plane
// (a floor or ground tile), drawn unlit without depth writes. CBitstripQuadNode builds on it.
//
// The corners given to Setup only size the quad: it is centred on the node's origin and
// the node's matrix places it. It leaves the node's bounding box empty, so it is never
// culled.
#pragma once
#include <string>
#include <vector>
#include "IColoredNode.h"
#include "Vertices.h"
#include "scene/SceneNode.h"

class CQuadNode : public CSceneNode, public IColoredNode {
public:
    CQuadNode() = default;
    ~CQuadNode() override;

    bool QueryInterface(const GUID& id, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT Update(float elapsed) override;
    HRESULT Render(IScene* scene) override;
    HRESULT InvalidateDeviceObjects(IScene* scene) override;
    HRESULT RestoreDeviceObjects(IScene* scene) override;

    // A null string leaves that field as it was.
    virtual void Setup(D3DXVECTOR3 corner1, D3DXVECTOR3 corner2, D3DXCOLOR color, const char* referencePath,
                       const char* fileName);
    // Rebuilds the corners and, when a file is named, takes the texture. A texture held from
    // an earlier build is released first, so calling it again does not leak.
    virtual HRESULT BuildGeometry(IScene* scene);

    HRESULT SetColor(int index, const D3DXCOLOR* color) override;
    const D3DXCOLOR* GetColor(int index, D3DXCOLOR* out) override;
    int GetColorCount() override;

    // For tests and derived nodes: the corners in strip order.
    const std::vector<LITVERTEX>& Vertices() const { return vertices; }

protected:
    void ReleaseTexture();
    void AcquireTexture(IScene* scene);

    D3DXCOLOR color{1.0f, 1.0f, 1.0f, 1.0f};
    IDirect3DTexture9* texture = nullptr;
    std::string referencePath;
    std::string fileName;
    CBoundBox extent;
    std::vector<LITVERTEX> vertices;
};
