// CScene: the engine's IScene. Owns the root node, the render state manager, its cameras
// and one reference each on the device and the global resource manager.
#pragma once

#include <vector>

#include "IScene.h"
#include "scene/Frustum.h"

class CCamera;
class CRenderStateManager;

class CScene final : public IScene {
public:
    // Takes a reference on the device, creates the root "Root", the default camera (index
    // 0, current), the render state manager on the device, and a reference on the global
    // resource manager (created here if there is none yet).
    explicit CScene(IDirect3DDevice9* device);
    CScene(const CScene&) = delete;
    CScene& operator=(const CScene&) = delete;

    HRESULT Update(float elapsed) override;
    HRESULT Render() override;
    IDirect3DDevice9* GetDevice() override;
    ISceneNode* GetRoot() override;
    HRESULT AddNode(ISceneNode* node) override;
    IRenderStateManager* GetRenderStateManager() override;
    IResManager* GetResourceManager() override;
    HRESULT RestoreDeviceObjects() override;
    HRESULT InvalidateDeviceObjects() override;
    HRESULT Cleanup() override;
    void SetRenderFlags(int flags) override;
    int GetRenderFlags() override;
    int AddCamera(ICamera* camera) override;
    void SelectCamera(int index) override;
    void SetCamera(ICamera* camera) override;
    ICamera* GetCamera() override;
    HRESULT SetClearColor(D3DCOLOR color) override;
    void DeferNode(ISceneNode* node) override;
    void Destroy() override;

private:
    ~CScene();
    void RenderDeferredNodes();

    CRenderStateManager* renderStateManager = nullptr;
    IResManager* resourceManager = nullptr;
    ISceneNode* root = nullptr;
    IDirect3DDevice9* device = nullptr;
    CCamera* camera = nullptr;
    CFrustum frustum;
    int renderFlags = 0;
    std::vector<CCamera*> cameras;
    std::vector<ISceneNode*> deferredNodes;
    D3DCOLOR clearColor = 0;
};
