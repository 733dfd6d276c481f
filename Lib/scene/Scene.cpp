#include "scene/Scene.h"

#include <algorithm>

#include "ResManager.h"
#include "render/RenderStateManager.h"
#include "resources/GlobalResourceManager.h"
#include "resources/ResourceManager.h"
#include "scene/Camera.h"
#include "scene/NodeTree.h"
#include "scene/SceneNode.h"

IScene* CreateScene(IDirect3DDevice9* device)
{
    if (device == nullptr) {
        return nullptr;
    }
    return new CScene(device);
}

CScene::CScene(IDirect3DDevice9* sceneDevice) : device(sceneDevice)
{
    device->AddRef();

    root = new CSceneNode();
    root->AddRef();
    root->SetName("Root");

    CCamera* defaultCamera = new CCamera();
    AddCamera(defaultCamera);
    camera = defaultCamera;

    InitializeGlobalResourceManager();
    if (CResourceManager* global = GetGlobalResourceManager()) {
        resourceManager = global;
        resourceManager->AddRef();
    }

    renderStateManager = new CRenderStateManager();
    renderStateManager->SetDevice(device);
}

CScene::~CScene() = default;

HRESULT CScene::Update(float elapsed)
{
    camera->Update(elapsed);
    return UpdateNodeTree(root, elapsed);
}

HRESULT CScene::Render()
{
    if (device == nullptr || root == nullptr || renderStateManager == nullptr) {
        return E_FAIL;
    }
    if (renderFlags & SCENE_RENDER_CLEAR) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, clearColor, 1.0f, 0);
    }
    camera->Apply(device);
    const D3DXMATRIX* view = camera->GetTransform(D3DTS_VIEW);
    const D3DXMATRIX* projection = camera->GetTransform(D3DTS_PROJECTION);
    renderStateManager->SetViewProjection(view, projection);
    frustum.Build(view, projection);
    if (renderFlags & SCENE_RENDER_BEGINEND) {
        device->BeginScene();
    }
    deferredNodes.clear();
    RenderNodeTree(root, this, &frustum);
    RenderDeferredNodes();
    if (renderFlags & SCENE_RENDER_BEGINEND) {
        return device->EndScene();
    }
    return S_OK;
}

void CScene::RenderDeferredNodes()
{
    if (deferredNodes.empty()) {
        return;
    }
    IRenderStateManager* rsm = GetRenderStateManager();
    rsm->PushRenderState(D3DRS_ZWRITEENABLE, FALSE);
    rsm->PushRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    // Last deferred, first drawn. The tree pass has popped back to the stack's base, so
    // pushing the full world matrix gives each node its world transform.
    while (!deferredNodes.empty()) {
        ISceneNode* node = deferredNodes.back();
        D3DXMATRIX world;
        node->GetWorldMatrix(&world);
        rsm->PushMatrix(&world);
        node->Render(this);
        rsm->PopMatrix();
        deferredNodes.pop_back();
    }
    rsm->PopRenderState(D3DRS_ALPHABLENDENABLE);
    rsm->PopRenderState(D3DRS_ZWRITEENABLE);
}

IDirect3DDevice9* CScene::GetDevice()
{
    return device;
}

ISceneNode* CScene::GetRoot()
{
    return root;
}

HRESULT CScene::AddNode(ISceneNode* node)
{
    if (root == nullptr) {
        return E_FAIL;
    }
    return GetRoot()->AddChild(node);
}

IRenderStateManager* CScene::GetRenderStateManager()
{
    return renderStateManager;
}

IResManager* CScene::GetResourceManager()
{
    return resourceManager;
}

HRESULT CScene::RestoreDeviceObjects()
{
    if (renderStateManager != nullptr) {
        renderStateManager->SetDevice(device);
    }
    if (root != nullptr) {
        RestoreNodeTree(root, this);
    }
    return S_OK;
}

HRESULT CScene::InvalidateDeviceObjects()
{
    if (renderStateManager != nullptr) {
        renderStateManager->SetDevice(nullptr);
    }
    if (root != nullptr) {
        InvalidateNodeTree(root, this);
    }
    return S_OK;
}

HRESULT CScene::Cleanup()
{
    if (root != nullptr) {
        root->Release();
        root = nullptr;
    }
    delete renderStateManager;
    renderStateManager = nullptr;
    if (device != nullptr) {
        device->Release();
        device = nullptr;
    }
    return S_OK;
}

void CScene::SetRenderFlags(int flags)
{
    renderFlags = flags;
}

int CScene::GetRenderFlags()
{
    return renderFlags;
}

int CScene::AddCamera(ICamera* candidate)
{
    CCamera* engineCamera = dynamic_cast<CCamera*>(candidate);
    if (engineCamera == nullptr) {
        return -1;
    }
    // A camera owned twice would be deleted twice.
    const auto owned = std::find(cameras.begin(), cameras.end(), engineCamera);
    if (owned != cameras.end()) {
        return static_cast<int>(owned - cameras.begin());
    }
    cameras.push_back(engineCamera);
    return static_cast<int>(cameras.size()) - 1;
}

void CScene::SelectCamera(int index)
{
    if (index >= 0 && static_cast<size_t>(index) < cameras.size() && cameras[static_cast<size_t>(index)] != nullptr) {
        camera = cameras[static_cast<size_t>(index)];
    }
}

void CScene::SetCamera(ICamera* candidate)
{
    if (CCamera* engineCamera = dynamic_cast<CCamera*>(candidate)) {
        camera = engineCamera;
    }
}

ICamera* CScene::GetCamera()
{
    return camera;
}

HRESULT CScene::SetClearColor(D3DCOLOR color)
{
    clearColor = color;
    return S_OK;
}

void CScene::DeferNode(ISceneNode* node)
{
    deferredNodes.push_back(node);
}

void CScene::Destroy()
{
    // A scene destroyed without Cleanup still lets go of its tree and its manager.
    Cleanup();
    for (CCamera* owned : cameras) {
        delete owned;
    }
    cameras.clear();
    if (resourceManager != nullptr) {
        resourceManager->Release();
        resourceManager = nullptr;
    }
    delete this;
}
