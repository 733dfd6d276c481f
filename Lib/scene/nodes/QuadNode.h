// CQuadNode: a flat, textured, uniformly coloured rectangle in the node's local XZ plane
// (a floor or ground tile), drawn unlit without depth writes. CBitstripQuadNode builds on it.
//
// The corners given to Setup only size the quad: it is centred on the node's origin and
// the node's matrix places it. It leaves the node's bounding box empty, so it is never
// culled.
#pragma once
#include "scene/nodes/TexturedStripNode.h"

class CQuadNode : public CTexturedStripNode {
public:
    CQuadNode() = default;

    HRESULT Update(float elapsed) override;
    HRESULT Render(IScene* scene) override;

    // A null string leaves that field as it was.
    virtual void Setup(D3DXVECTOR3 corner1, D3DXVECTOR3 corner2, D3DXCOLOR color, const char* referencePath,
                       const char* fileName);
    // Rebuilds the corners and, when a file is named, takes the texture. A texture held from
    // an earlier build is released first, so calling it again does not leak.
    virtual HRESULT BuildGeometry(IScene* scene);

protected:
    CBoundBox extent;
};
