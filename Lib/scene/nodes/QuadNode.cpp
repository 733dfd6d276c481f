#include "scene/nodes/QuadNode.h"

#include "ResManager.h"
#include "core/ColorPacking.h"

CQuadNode::~CQuadNode()
{
    ReleaseTexture();
}

bool CQuadNode::QueryInterface(const GUID& id, void** out)
{
    if (IsEqualGUID(id, IID_IColoredNode)) {
        *out = static_cast<IColoredNode*>(this);
        AddRef();
        return true;
    }
    return CSceneNode::QueryInterface(id, out);
}

ULONG CQuadNode::AddRef()
{
    return CSceneNode::AddRef();
}

ULONG CQuadNode::Release()
{
    return CSceneNode::Release();
}

HRESULT CQuadNode::Update(float)
{
    return S_OK;
}

void CQuadNode::Setup(D3DXVECTOR3 corner1, D3DXVECTOR3 corner2, D3DXCOLOR newColor, const char* newReferencePath,
                      const char* newFileName)
{
    extent.Set(corner1, corner2);
    color = newColor;
    if (newReferencePath != nullptr) {
        referencePath = newReferencePath;
    }
    if (newFileName != nullptr) {
        fileName = newFileName;
    }
}

HRESULT CQuadNode::BuildGeometry(IScene* scene)
{
    std::vector<LITVERTEX>().swap(vertices);
    const float hx = 0.5f * extent.Range(0);
    const float hy = 0.5f * extent.Range(1);
    const float hz = 0.5f * extent.Range(2);
    // Strip order: clockwise seen from +y, so the default culling shows the top face; u runs
    // along +x and v along -z.
    const struct {
        D3DXVECTOR3 position;
        D3DXVECTOR2 uv;
    } corners[4] = {
        {{-hx, hy, -hz}, {0.0f, 1.0f}},
        {{-hx, hy, hz}, {0.0f, 0.0f}},
        {{hx, hy, -hz}, {1.0f, 1.0f}},
        {{hx, hy, hz}, {1.0f, 0.0f}},
    };
    for (const auto& corner : corners) {
        LITVERTEX vertex;
        vertex.Set(corner.position, color, corner.uv);
        vertices.push_back(vertex);
    }
    if (!fileName.empty()) {
        AcquireTexture(scene);
    }
    return S_OK;
}

void CQuadNode::ReleaseTexture()
{
    if (texture != nullptr) {
        texture->Release();
        texture = nullptr;
    }
}

void CQuadNode::AcquireTexture(IScene* scene)
{
    ReleaseTexture();
    texture = scene->GetResourceManager()->GetTexture(scene->GetDevice(), referencePath.c_str(), fileName.c_str(),
                                                      ".dds", TRUE);
}

HRESULT CQuadNode::Render(IScene* scene)
{
    IDirect3DDevice9* device = scene->GetDevice();
    IRenderStateManager* states = scene->GetRenderStateManager();
    states->PushRenderState(D3DRS_LIGHTING, FALSE);
    states->PushRenderState(D3DRS_ZWRITEENABLE, FALSE);
    if (texture != nullptr) {
        device->SetTexture(0, texture);
    }
    device->SetVertexShader(nullptr);
    device->SetFVF(LITVERTEX::FVF);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices.data(), sizeof(LITVERTEX));
    states->PopRenderState(D3DRS_ZWRITEENABLE);
    states->PopRenderState(D3DRS_LIGHTING);
    return S_OK;
}

HRESULT CQuadNode::InvalidateDeviceObjects(IScene*)
{
    ReleaseTexture();
    return S_OK;
}

HRESULT CQuadNode::RestoreDeviceObjects(IScene* scene)
{
    // Also the bitstrip quad's path, whose texture comes from its strip instead.
    if (!fileName.empty()) {
        AcquireTexture(scene);
    }
    return S_OK;
}

HRESULT CQuadNode::SetColor(int, const D3DXCOLOR* newColor)
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

const D3DXCOLOR* CQuadNode::GetColor(int, D3DXCOLOR* out)
{
    if (out != nullptr) {
        *out = color;
    }
    return &color;
}

int CQuadNode::GetColorCount()
{
    return 1;
}
