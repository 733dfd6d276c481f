#include "scene/nodes/QuadNode.h"

HRESULT CQuadNode::Update(float)
{
    return S_OK;
}

void CQuadNode::Setup(D3DXVECTOR3 corner1, D3DXVECTOR3 corner2, D3DXCOLOR newColor, const char* newReferencePath,
                      const char* newFileName)
{
    extent.Set(corner1, corner2);
    color = newColor;
    SetTextureNames(newReferencePath, newFileName);
}

HRESULT CQuadNode::BuildGeometry(IScene* scene)
{
    const float hx = 0.5f * extent.Range(0);
    const float hy = 0.5f * extent.Range(1);
    const float hz = 0.5f * extent.Range(2);
    // Clockwise seen from +y, so the default culling shows the top face; u runs along +x
    // and v along -z.
    SetCorners({{-hx, hy, -hz}, {-hx, hy, hz}, {hx, hy, -hz}, {hx, hy, hz}});
    AcquireNamedTexture(scene);
    return S_OK;
}

HRESULT CQuadNode::Render(IScene* scene)
{
    DrawStrip(scene, nullptr);
    return S_OK;
}
