// IScene: a node tree bound to a Direct3D device, with its cameras, its render state
// manager and a reference on the global resource manager.
//
// Per frame the owner calls Update (camera, then every node, parents first, then the
// bounding boxes) and Render (optional clear, camera applied, frustum culling over the tree,
// deferred nodes last, optional BeginScene/EndScene bracket as the render flags say). On
// device loss it calls InvalidateDeviceObjects, after the reset RestoreDeviceObjects. At the
// end it calls Cleanup and then Destroy.
//
// A plain interface: no reference count, no query. The host owns the scene returned by
// CreateScene. GetDevice, GetRoot, GetResourceManager and GetCamera return borrowed pointers.
//
// After Cleanup the scene has no root, device or render state manager: Render and AddNode
// return E_FAIL, Update returns E_POINTER, the device passes do nothing. Destroy without a
// Cleanup first does Cleanup's work itself, so nothing is left behind either way.
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include "ICamera.h"
#include "IRenderStateManager.h"
#include "ISceneNode.h"
#include "VestraExport.h"

class IResManager;

// Render flags (IScene::SetRenderFlags). The scene reads the first two; the application's
// frame step reads the others.
enum : int {
    SCENE_RENDER_CLEAR = 1,       // clear target and depth to the clear colour before drawing
    SCENE_RENDER_BEGINEND = 2,    // bracket the drawing with BeginScene and EndScene
    SCENE_RENDER_UPDATE = 4,      // the application's frame step may update the scene
    SCENE_RENDER_PRESENT = 8,     // the application's frame step presents
};

class IScene {
public:
    // The camera's update first (not examined), then the node tree; the first failing
    // node Update is returned.
    virtual HRESULT Update(float elapsed) = 0;
    // The result of EndScene when the frame is bracketed, otherwise S_OK.
    virtual HRESULT Render() = 0;
    virtual IDirect3DDevice9* GetDevice() = 0;
    // The root node, named "Root".
    virtual ISceneNode* GetRoot() = 0;
    virtual HRESULT AddNode(ISceneNode* node) = 0;
    virtual IRenderStateManager* GetRenderStateManager() = 0;
    virtual IResManager* GetResourceManager() = 0;
    virtual HRESULT RestoreDeviceObjects() = 0;
    virtual HRESULT InvalidateDeviceObjects() = 0;
    // Releases the root (and every node only the tree holds), deletes the render state
    // manager and releases the device.
    virtual HRESULT Cleanup() = 0;
    virtual void SetRenderFlags(int flags) = 0;
    virtual int GetRenderFlags() = 0;
    // Only the engine's own cameras are accepted (-1 otherwise); the scene then owns the
    // camera and returns its index. A camera the scene owns already keeps its index.
    virtual int AddCamera(ICamera* camera) = 0;
    // Ignored for an index out of range.
    virtual void SelectCamera(int index) = 0;
    // Makes an engine camera current without taking ownership; others are ignored.
    virtual void SetCamera(ICamera* camera) = 0;
    virtual ICamera* GetCamera() = 0;
    virtual HRESULT SetClearColor(D3DCOLOR color) = 0;
    // Called by the render pass for nodes that draw after the tree.
    virtual void DeferNode(ISceneNode* node) = 0;
    // Deletes the owned cameras, releases the resource manager (and the device if Cleanup
    // did not), and frees the scene.
    virtual void Destroy() = 0;

protected:
    ~IScene() = default;
};

// A new scene on the device, with a root node, a default camera and a render state manager.
// The caller owns it and ends it with Cleanup and Destroy. Null for a null device.
VESTRA_API IScene* CreateScene(IDirect3DDevice9* device);
