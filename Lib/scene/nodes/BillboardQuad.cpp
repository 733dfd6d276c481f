#include "scene/nodes/BillboardQuad.h"

#include <cmath>

#include "ResManager.h"
#include "core/ColorPacking.h"

CBillboardQuad::~CBillboardQuad()
{
    ReleaseTexture();
}

bool CBillboardQuad::QueryInterface(const GUID& id, void** out)
{
    if (IsEqualGUID(id, IID_IColoredNode)) {
        *out = static_cast<IColoredNode*>(this);
        AddRef();
        return true;
    }
    if (IsEqualGUID(id, IID_IBillboardQuad)) {
        *out = static_cast<IBillboardQuad*>(this);
        AddRef();
        return true;
    }
    return CSceneNode::QueryInterface(id, out);
}

ULONG CBillboardQuad::AddRef()
{
    return CSceneNode::AddRef();
}

ULONG CBillboardQuad::Release()
{
    return CSceneNode::Release();
}

void CBillboardQuad::Setup(D3DXVECTOR3 position, D3DXCOLOR newColor, float newWidth, float newHeight, float depth,
                           const char* newReferencePath, const char* newFileName)
{
    offset = position;
    color = newColor;
    const D3DXVECTOR2 size(newWidth, newHeight);
    SetSize(&size, depth);
    if (newReferencePath != nullptr) {
        referencePath = newReferencePath;
    }
    if (newFileName != nullptr) {
        fileName = newFileName;
    }
}

HRESULT CBillboardQuad::BuildGeometry(IScene* scene)
{
    const D3DXVECTOR2 size(width, height);
    SetSize(&size, 0.0f);
    if (!fileName.empty()) {
        AcquireTexture(scene);
    }
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
    const struct {
        D3DXVECTOR3 position;
        D3DXVECTOR2 uv;
    } corners[4] = {
        {{-hw, -hh, depth}, {0.0f, 1.0f}},
        {{-hw, hh, depth}, {0.0f, 0.0f}},
        {{hw, -hh, depth}, {1.0f, 1.0f}},
        {{hw, hh, depth}, {1.0f, 0.0f}},
    };
    vertices.clear();
    for (const auto& corner : corners) {
        LITVERTEX vertex;
        vertex.Set(corner.position, color, corner.uv);
        vertices.push_back(vertex);
    }
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
    const D3DCOLOR packed = PackColor(D3DXCOLOR(color.r, color.g, color.b, alpha));
    for (LITVERTEX& vertex : vertices) {
        vertex.color = packed;
    }
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
    IDirect3DDevice9* device = scene->GetDevice();
    IRenderStateManager* states = scene->GetRenderStateManager();
    const D3DXMATRIX billboard = BillboardMatrix(device);
    const bool blended = pulsing;
    if (blended) {
        states->PushRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    }
    states->PushRenderState(D3DRS_LIGHTING, FALSE);
    states->PushRenderState(D3DRS_ZWRITEENABLE, FALSE);
    if (texture != nullptr) {
        device->SetTexture(0, texture);
    }
    // Identity first, so the billboard matrix replaces whatever the render pass pushed for
    // the node instead of composing with it.
    states->PushMatrix(nullptr);
    states->PushMatrix(&billboard);
    device->SetFVF(LITVERTEX::FVF);
    device->SetVertexShader(nullptr);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices.data(), sizeof(LITVERTEX));
    states->PopMatrix();
    states->PopMatrix();
    // Each state has its own stack, so popping lighting before depth writes still restores
    // both.
    states->PopRenderState(D3DRS_LIGHTING);
    states->PopRenderState(D3DRS_ZWRITEENABLE);
    if (blended) {
        states->PopRenderState(D3DRS_ALPHABLENDENABLE);
    }
    return S_OK;
}

void CBillboardQuad::ReleaseTexture()
{
    if (texture != nullptr) {
        texture->Release();
        texture = nullptr;
    }
}

void CBillboardQuad::AcquireTexture(IScene* scene)
{
    ReleaseTexture();
    texture = scene->GetResourceManager()->GetTexture(scene->GetDevice(), referencePath.c_str(), fileName.c_str(),
                                                      ".dds", TRUE);
}

HRESULT CBillboardQuad::InvalidateDeviceObjects(IScene*)
{
    ReleaseTexture();
    return S_OK;
}

HRESULT CBillboardQuad::RestoreDeviceObjects(IScene* scene)
{
    if (!fileName.empty()) {
        AcquireTexture(scene);
    }
    return S_OK;
}

HRESULT CBillboardQuad::SetColor(int, const D3DXCOLOR* newColor)
{
    if (newColor == nullptr) {
        return E_POINTER;
    }
    color = *newColor;
    const D3DCOLOR packed = PackColor(color);
    for (LITVERTEX& vertex : vertices) {
        vertex.color = packed;
    }
    return S_OK;
}

const D3DXCOLOR* CBillboardQuad::GetColor(int, D3DXCOLOR* out)
{
    if (out != nullptr) {
        *out = color;
    }
    return &color;
}

int CBillboardQuad::GetColorCount()
{
    return 1;
}
