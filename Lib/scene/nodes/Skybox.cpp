#include "scene/nodes/Skybox.h"

#include "ResManager.h"

CSkybox::~CSkybox()
{
    ReleaseTextures();
}

bool CSkybox::QueryInterface(const GUID& id, void** out)
{
    if (IsEqualGUID(id, IID_ISkybox)) {
        *out = static_cast<ISkybox*>(this);
        AddRef();
        return true;
    }
    return CSceneNode::QueryInterface(id, out);
}

ULONG CSkybox::AddRef()
{
    return CSceneNode::AddRef();
}

ULONG CSkybox::Release()
{
    return CSceneNode::Release();
}

void CSkybox::SetSize(float newSize)
{
    size = newSize;
    quad.SetColor(0xFFFFFFFF);
    const D3DXVECTOR2 extent(size, size);
    quad.SetSize(&extent);
    quad.Build(true);
    // The centred quad faces -z viewers; pushed half a size out along +z and turned to each
    // face, its front looks back at the centre, so every face is seen from inside.
    D3DXMATRIX push;
    D3DXMatrixTranslation(&push, 0.0f, 0.0f, size * 0.5f);
    D3DXMATRIX turns[faceCount];
    D3DXMatrixIdentity(&turns[0]);
    D3DXMatrixRotationY(&turns[1], D3DX_PI);
    D3DXMatrixRotationY(&turns[2], D3DX_PI / 2);
    D3DXMatrixRotationY(&turns[3], -D3DX_PI / 2);
    D3DXMatrixRotationX(&turns[4], -D3DX_PI / 2);
    D3DXMatrixRotationX(&turns[5], D3DX_PI / 2);
    for (int i = 0; i < faceCount; ++i) {
        D3DXMatrixMultiply(&faceMatrices[i], &push, &turns[i]);
    }
}

void CSkybox::SetNames(const char* newReferencePath, const char* const newFaceNames[faceCount])
{
    referencePath = newReferencePath;
    for (int i = 0; i < faceCount; ++i) {
        faceNames[i] = newFaceNames[i];
    }
}

HRESULT CSkybox::LoadTextures(IScene* scene)
{
    IDirect3DDevice9* device = scene->GetDevice();
    IResManager* manager = scene->GetResourceManager();
    for (int i = 0; i < faceCount; ++i) {
        if (faceTextures[i] != nullptr) {
            faceTextures[i]->Release();
        }
        faceTextures[i] = faceNames[i].empty() ? nullptr
                                               : manager->GetTexture(device, referencePath.c_str(),
                                                                     faceNames[i].c_str(), ".dds", TRUE);
    }
    device->GetTransform(D3DTS_PROJECTION, &projection);
    return S_OK;
}

HRESULT CSkybox::SetProjection(const D3DXMATRIX* newProjection)
{
    if (newProjection == nullptr) {
        return E_POINTER;
    }
    projection = *newProjection;
    return S_OK;
}

HRESULT CSkybox::PreRender(IScene* scene)
{
    IRenderStateManager* states = scene->GetRenderStateManager();
    states->PushRenderState(D3DRS_ZENABLE, FALSE);
    states->PushRenderState(D3DRS_ZWRITEENABLE, FALSE);
    states->PushRenderState(D3DRS_LIGHTING, FALSE);
    return CSceneNode::PreRender(scene);
}

HRESULT CSkybox::Render(IScene* scene)
{
    IDirect3DDevice9* device = scene->GetDevice();
    IRenderStateManager* states = scene->GetRenderStateManager();
    D3DXMATRIX saved;
    device->GetTransform(D3DTS_PROJECTION, &saved);
    device->SetTransform(D3DTS_PROJECTION, &projection);
    for (int i = 0; i < faceCount; ++i) {
        states->PushMatrix(&faceMatrices[i]);
        device->SetTexture(0, faceTextures[i]);
        quad.Render(device);
        states->PopMatrix();
    }
    device->SetTransform(D3DTS_PROJECTION, &saved);
    return S_OK;
}

HRESULT CSkybox::PostRender(IScene* scene)
{
    IRenderStateManager* states = scene->GetRenderStateManager();
    states->PopRenderState(D3DRS_ZENABLE);
    states->PopRenderState(D3DRS_ZWRITEENABLE);
    states->PopRenderState(D3DRS_LIGHTING);
    return CSceneNode::PostRender(scene);
}

void CSkybox::ReleaseTextures()
{
    for (IDirect3DTexture9*& texture : faceTextures) {
        if (texture != nullptr) {
            texture->Release();
            texture = nullptr;
        }
    }
}

HRESULT CSkybox::InvalidateDeviceObjects(IScene*)
{
    ReleaseTextures();
    return S_OK;
}

HRESULT CSkybox::RestoreDeviceObjects(IScene* scene)
{
    CSkybox::InvalidateDeviceObjects(scene);
    return LoadTextures(scene);
}
