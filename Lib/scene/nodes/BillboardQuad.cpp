#include "scene/nodes/BillboardQuad.h"

#include <cmath>

#include "core/ColorPacking.h"

bool CBillboardQuad::QueryInterface(const GUID& id, void** out)
{
    if (IsEqualGUID(id, IID_IBillboardQuad)) {
        *out = static_cast<IBillboardQuad*>(this);
        AddRef();
        return true;
    }
    return CTexturedStripNode::QueryInterface(id, out);
}

ULONG CBillboardQuad::AddRef()
{
    return CTexturedStripNode::AddRef();
}

ULONG CBillboardQuad::Release()
{
    return CTexturedStripNode::Release();
}

void CBillboardQuad::Setup(D3DXVECTOR3 position, D3DXCOLOR newColor, float newWidth, float newHeight, float depth,
                           const char* newReferencePath, const char* newFileName)
{
    offset = position;
    color = newColor;
    const D3DXVECTOR2 size(newWidth, newHeight);
    SetSize(&size, depth);
    SetTextureNames(newReferencePath, newFileName);
}

HRESULT CBillboardQuad::BuildGeometry(IScene* scene)
{
    const D3DXVECTOR2 size(width, height);
    SetSize(&size, 0.0f);
    AcquireNamedTexture(scene);
    return S_OK;
}

void CBillboardQuad::SetSize(const D3DXVECTOR2* size, float depth)
{
    width = size->x;
    height = size->y;
    const float hw = 0.5f * width;
    const float hh = 0.5f * height;
    // Clockwise for a viewer looking along +z, so the side turned to the camera is the
    // front face; u runs right and v down on screen.
    SetCorners({{-hw, -hh, depth}, {-hw, hh, depth}, {hw, -hh, depth}, {hw, hh, depth}});
}

HRESULT CBillboardQuad::SetPulse(bool enable, float newMinAlpha, float newMaxAlpha, float newFrequency)
{
    pulsing = enable;
    minAlpha = newMinAlpha;
    maxAlpha = newMaxAlpha;
    frequency = newFrequency;
    return CBillboardQuad::Update(0.0f);
}

HRESULT CBillboardQuad::Update(float elapsed)
{
    time += elapsed;
    if (!pulsing) {
        return S_OK;
    }
    float alpha = minAlpha + (maxAlpha - minAlpha) * std::sin(time * frequency);
    if (alpha < 0.0f) {
        alpha = -alpha;
    }
    PaintCorners(PackColor(D3DXCOLOR(color.r, color.g, color.b, alpha)));
    return S_OK;
}

D3DXMATRIX CBillboardQuad::BillboardMatrix(IDirect3DDevice9* device)
{
    D3DXMATRIX view;
    device->GetTransform(D3DTS_VIEW, &view);
    D3DXMATRIX billboard;
    D3DXMatrixInverse(&billboard, nullptr, &view);
    D3DXMATRIX world;
    GetWorldMatrix(&world);
    D3DXVECTOR3 position;
    D3DXVec3TransformCoord(&position, &offset, &world);
    billboard._41 = position.x;
    billboard._42 = position.y;
    billboard._43 = position.z;
    return billboard;
}

HRESULT CBillboardQuad::Render(IScene* scene)
{
    IRenderStateManager* states = scene->GetRenderStateManager();
    const D3DXMATRIX billboard = BillboardMatrix(scene->GetDevice());
    const bool blended = pulsing;
    if (blended) {
        states->PushRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    }
    DrawStrip(scene, &billboard);
    if (blended) {
        states->PopRenderState(D3DRS_ALPHABLENDENABLE);
    }
    return S_OK;
}
