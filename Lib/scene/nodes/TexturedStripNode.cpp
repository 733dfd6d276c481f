#include "scene/nodes/TexturedStripNode.h"

#include "ResManager.h"
#include "core/ColorPacking.h"

CTexturedStripNode::~CTexturedStripNode()
{
    ReleaseTexture();
}

bool CTexturedStripNode::QueryInterface(const GUID& id, void** out)
{
    if (IsEqualGUID(id, IID_IColoredNode)) {
        *out = static_cast<IColoredNode*>(this);
        AddRef();
        return true;
    }
    return CSceneNode::QueryInterface(id, out);
}

ULONG CTexturedStripNode::AddRef()
{
    return CSceneNode::AddRef();
}

ULONG CTexturedStripNode::Release()
{
    return CSceneNode::Release();
}

HRESULT CTexturedStripNode::InvalidateDeviceObjects(IScene*)
{
    ReleaseTexture();
    return S_OK;
}

HRESULT CTexturedStripNode::RestoreDeviceObjects(IScene* scene)
{
    AcquireNamedTexture(scene);
    return S_OK;
}

HRESULT CTexturedStripNode::SetColor(int, const D3DXCOLOR* newColor)
{
    if (newColor == nullptr) {
        return E_POINTER;
    }
    color = *newColor;
    PaintCorners(PackColor(color));
    return S_OK;
}

const D3DXCOLOR* CTexturedStripNode::GetColor(int, D3DXCOLOR* out)
{
    if (out != nullptr) {
        *out = color;
    }
    return &color;
}

int CTexturedStripNode::GetColorCount()
{
    return 1;
}

void CTexturedStripNode::SetTextureNames(const char* newReferencePath, const char* newFileName)
{
    if (newReferencePath != nullptr) {
        referencePath = newReferencePath;
    }
    if (newFileName != nullptr) {
        fileName = newFileName;
    }
}

void CTexturedStripNode::AcquireNamedTexture(IScene* scene)
{
    if (fileName.empty()) {
        return;
    }
    ReleaseTexture();
    texture = scene->GetResourceManager()->GetTexture(scene->GetDevice(), referencePath.c_str(), fileName.c_str(),
                                                      ".dds", TRUE);
}

void CTexturedStripNode::ReleaseTexture()
{
    if (texture != nullptr) {
        texture->Release();
        texture = nullptr;
    }
}

void CTexturedStripNode::SetCorners(const D3DXVECTOR3 (&positions)[4])
{
    const D3DXVECTOR2 uvs[4] = {{0.0f, 1.0f}, {0.0f, 0.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}};
    vertices.assign(4, LITVERTEX{});
    for (size_t i = 0; i < 4; ++i) {
        vertices[i].Set(positions[i], color, uvs[i]);
    }
}

void CTexturedStripNode::PaintCorners(D3DCOLOR packed)
{
    for (LITVERTEX& vertex : vertices) {
        vertex.color = packed;
    }
}

HRESULT CTexturedStripNode::DrawStrip(IScene* scene, const D3DXMATRIX* world)
{
    IDirect3DDevice9* device = scene->GetDevice();
    IRenderStateManager* states = scene->GetRenderStateManager();
    states->PushRenderState(D3DRS_LIGHTING, FALSE);
    states->PushRenderState(D3DRS_ZWRITEENABLE, FALSE);
    if (texture != nullptr) {
        device->SetTexture(0, texture);
    }
    if (world != nullptr) {
        // Identity first, so `world` replaces the node's pushed matrix instead of composing
        // with it.
        states->PushMatrix(nullptr);
        states->PushMatrix(world);
    }
    device->SetVertexShader(nullptr);
    device->SetFVF(LITVERTEX::FVF);
    const HRESULT hr = device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices.data(), sizeof(LITVERTEX));
    if (world != nullptr) {
        states->PopMatrix();
        states->PopMatrix();
    }
    states->PopRenderState(D3DRS_ZWRITEENABLE);
    states->PopRenderState(D3DRS_LIGHTING);
    return hr;
}
