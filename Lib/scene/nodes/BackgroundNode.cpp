#include "scene/nodes/BackgroundNode.h"

#include "ResManager.h"
#include "core/ColorPacking.h"

namespace {

constexpr size_t cornerCount = 4;

} // namespace

CBackgroundNode::CBackgroundNode()
{
    D3DXMatrixIdentity(&textureTransform);
}

CBackgroundNode::~CBackgroundNode()
{
    ReleaseTexture();
}

bool CBackgroundNode::QueryInterface(const GUID& id, void** out)
{
    if (IsEqualGUID(id, IID_IBackground)) {
        *out = static_cast<IBackground*>(this);
        AddRef();
        return true;
    }
    if (IsEqualGUID(id, IID_IColoredNode)) {
        *out = static_cast<IColoredNode*>(this);
        AddRef();
        return true;
    }
    return CSceneNode::QueryInterface(id, out);
}

ULONG CBackgroundNode::AddRef()
{
    return CSceneNode::AddRef();
}

ULONG CBackgroundNode::Release()
{
    return CSceneNode::Release();
}

HRESULT CBackgroundNode::Setup(const RECT* rect, const char* newReferencePath, const char* newFileName)
{
    SetRect(rect);
    SetTextureTransform(GetTextureTransform());
    if (newReferencePath != nullptr && newFileName != nullptr) {
        referencePath = newReferencePath;
        fileName = newFileName;
    }
    return S_OK;
}

HRESULT CBackgroundNode::LoadTexture(IScene* scene)
{
    ReleaseTexture();
    // Without a name there is nothing to find; the manager is not asked to resolve a bare
    // directory.
    if (fileName.empty()) {
        return S_OK;
    }
    texture = scene->GetResourceManager()->GetTexture(scene->GetDevice(), referencePath.c_str(), fileName.c_str(),
                                                      ".dds", TRUE);
    return S_OK;
}

HRESULT CBackgroundNode::SetRect(const RECT* rect)
{
    if (rect == nullptr) {
        return E_POINTER;
    }
    vertices.resize(cornerCount, VERTEX2D{});
    // Half a pixel up and left, so texel centres land on pixel centres.
    const float l = static_cast<float>(rect->left) - 0.5f;
    const float t = static_cast<float>(rect->top) - 0.5f;
    const float r = static_cast<float>(rect->right) - 0.5f;
    const float b = static_cast<float>(rect->bottom) - 0.5f;
    const D3DXVECTOR2 positions[cornerCount] = {{l, b}, {l, t}, {r, b}, {r, t}};
    for (size_t i = 0; i < cornerCount; ++i) {
        VERTEX2D& vertex = vertices[i];
        vertex.Set(positions[i], 1.0f, color, D3DXVECTOR2(vertex.tu, vertex.tv));
    }
    return S_OK;
}

HRESULT CBackgroundNode::SetTextureTransform(const D3DXMATRIX* matrix)
{
    if (matrix == nullptr) {
        return E_POINTER;
    }
    if (matrix != &textureTransform) {
        textureTransform = *matrix;
    }
    const D3DXVECTOR2 base[cornerCount] = {{0.0f, 1.0f}, {0.0f, 0.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}};
    D3DXVECTOR2 transformed[cornerCount];
    D3DXVec2TransformCoordArray(transformed, sizeof(D3DXVECTOR2), base, sizeof(D3DXVECTOR2), &textureTransform,
                                cornerCount);
    for (size_t i = 0; i < cornerCount && i < vertices.size(); ++i) {
        vertices[i].SetUV(transformed[i]);
    }
    return S_OK;
}

HRESULT CBackgroundNode::Reserved(void*)
{
    return E_NOTIMPL;
}

const D3DXMATRIX* CBackgroundNode::GetTextureTransform()
{
    return &textureTransform;
}

HRESULT CBackgroundNode::Render(IScene* scene)
{
    IRenderStateManager* states = scene->GetRenderStateManager();
    IDirect3DDevice9* device = scene->GetDevice();
    states->PushRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetTexture(0, texture);
    device->SetFVF(VERTEX2D::FVF);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices.data(), sizeof(VERTEX2D));
    return states->PopRenderState(D3DRS_ZWRITEENABLE);
}

void CBackgroundNode::ReleaseTexture()
{
    if (texture != nullptr) {
        texture->Release();
        texture = nullptr;
    }
}

HRESULT CBackgroundNode::InvalidateDeviceObjects(IScene*)
{
    ReleaseTexture();
    return S_OK;
}

HRESULT CBackgroundNode::RestoreDeviceObjects(IScene* scene)
{
    return LoadTexture(scene);
}

HRESULT CBackgroundNode::SetColor(int index, const D3DXCOLOR* newColor)
{
    if (newColor == nullptr || index != 0) {
        return E_INVALIDARG;
    }
    color = *newColor;
    vertices.resize(cornerCount, VERTEX2D{});
    const D3DCOLOR packed = PackColor(color);
    for (VERTEX2D& vertex : vertices) {
        vertex.color = packed;
    }
    return S_OK;
}

const D3DXCOLOR* CBackgroundNode::GetColor(int index, D3DXCOLOR* out)
{
    if (index == 0 && out != nullptr) {
        *out = color;
        return out;
    }
    return &color;
}

int CBackgroundNode::GetColorCount()
{
    return 1;
}
