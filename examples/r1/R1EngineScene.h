// Reference scene R1 built from engine nodes inside an IScene: the skybox node, a ground of
// quad tiles, billboard nodes and a particle emitter standing in for the sprite cloud, all
// fed from R1's generated media written as PNG files and loaded through the resource
// manager. The demo shows it; the engine benchmark measures it against R1 drawn straight
// through the device.
#pragma once

#include <Vestra.h>

#include <string>
#include <vector>

#include "R1Definition.h"

namespace r1 {

// A scene node implemented by host code, for content the engine draws only on request (a
// particle emitter, a motion path's line list). The engine reaches it through ISceneNode
// alone; derived classes override Update and Render. It has no extent, so it is never
// culled. Born with the one reference its creator owns.
class HostNode : public ISceneNode {
public:
    explicit HostNode(const char* name);
    HostNode(const HostNode&) = delete;
    HostNode& operator=(const HostNode&) = delete;

    bool QueryInterface(const GUID& id, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    const char* GetName() override;
    void SetName(const char* name) override;
    bool HasSameName(ISceneNode* other) override;
    HRESULT Update(float elapsed) override;
    HRESULT PreRender(IScene* scene) override;
    HRESULT Render(IScene* scene) override;
    HRESULT PostRender(IScene* scene) override;
    HRESULT AddChild(ISceneNode* child) override;
    HRESULT RemoveChild(ISceneNode* child) override;
    HRESULT RemoveDescendant(ISceneNode* node) override;
    HRESULT RemoveAllChildren() override;
    ISceneNode* FindNode(const char* name) override;
    ISceneNode* FindChild(const char* name) override;
    ISceneNode* GetParent() override;
    void SetParent(ISceneNode* parent) override;
    const D3DXMATRIX* GetMatrix(D3DXMATRIX* out) override;
    D3DXMATRIX* GetWorldMatrix(D3DXMATRIX* out) override;
    void SetMatrix(const D3DXMATRIX* matrix) override;
    const CBoundBox* GetBoundingBox(CBoundBox* out) override;
    void SetBoundingBox(const CBoundBox* box) override;
    void UpdateBoundingBox() override;
    void InvalidateBoundingBox() override;
    bool IsBoundingBoxDirty() override;
    int GetChildCount() override;
    ISceneNode* GetChild(int index) override;
    HRESULT InvalidateDeviceObjects(IScene* scene) override;
    HRESULT RestoreDeviceObjects(IScene* scene) override;
    void SetHidden(bool hidden) override;
    bool IsHidden() override;
    bool IsPaused() override;
    void SetPaused(bool paused) override;
    void SetDeferred(bool deferred) override;
    bool IsDeferred() override;

protected:
    virtual ~HostNode();

private:
    ULONG count = 1;
    ISceneNode* parent = nullptr;
    std::string name;
    D3DXMATRIX matrix;
    CBoundBox bounds;
    std::vector<ISceneNode*> children;
    bool hidden = false;
    bool paused = false;
    bool deferred = false;
};

// A particle emitter in the tree: updated with the scene, drawn at the node's place in the
// render pass (inside the frame's BeginScene/EndScene), and given its texture again when
// the scene restores its device objects. Holds one reference on the emitter.
class EmitterNode : public HostNode {
public:
    EmitterNode(const char* name, IParticleEmitter* emitter);

    HRESULT Update(float elapsed) override;
    HRESULT Render(IScene* scene) override;
    HRESULT InvalidateDeviceObjects(IScene* scene) override;
    HRESULT RestoreDeviceObjects(IScene* scene) override;

    IParticleEmitter* Emitter() const { return emitter; }

protected:
    ~EmitterNode() override;

private:
    IParticleEmitter* emitter;
};

// R1's render states that the engine leaves to its host (the application framework sets
// them when a device is reset): modulated texture and diffuse colour and alpha, linear
// filtering, blending source alpha over inverse source alpha, no culling, no alpha test.
void SetEngineHostStates(IDirect3DDevice9* device);

// The camera pose of R1 as the orbit camera describes it.
float OrbitZoom();
float OrbitPitch();
float OrbitYaw();

class EngineScene {
public:
    // Billboards with an alpha pulse: every kPulseStride-th of the grid.
    static constexpr int kPulseStride = 7;

    EngineScene() = default;
    EngineScene(const EngineScene&) = delete;
    EngineScene& operator=(const EngineScene&) = delete;

    // Writes R1's media into `mediaFolder` (created if missing), registers the folder with
    // the resource manager and adds R1's nodes to the scene's root; sets the scene's camera
    // (y up, R1's viewport, field of view and pose) and its clear colour (opaque black).
    // The scene's device must be R1's size.
    HRESULT Build(IScene* scene, const std::string& mediaFolder);

    // After the scene's update: turns the camera by the orbit speed and keeps the sky
    // centred on the eye. The particle emitter is a node and runs with the scene's update.
    void Update(float elapsed);

    // After the scene has restored its device objects (a device reset): the camera's
    // viewport and the sky's projection (which the sky takes from the device on restore)
    // are set for the back buffer's size, with R1's field of view and clip distances.
    HRESULT RestoreDeviceObjects();

    // Radians per second around the target; 0 (the default) keeps R1's fixed view.
    void SetOrbitSpeed(float radiansPerSecond) { orbitSpeed = radiansPerSecond; }

    // The folder the media were written to, with a trailing separator: the reference path
    // that nodes resolve file names against.
    const std::string& MediaReference() const { return mediaReference; }

    // Borrowed from the scene's tree, which owns the nodes.
    ISceneNode* Sky() const { return sky; }
    IParticleEmitter* Sprites() const { return sprites->Emitter(); }

private:
    HRESULT AddSky();
    HRESULT AddGround();
    HRESULT AddBillboards();
    HRESULT AddSprites();
    void PlaceCamera();
    void FollowEye();

    IScene* scene = nullptr;
    std::string mediaReference;
    ISceneNode* sky = nullptr;
    EmitterNode* sprites = nullptr;
    float orbitSpeed = 0.0f;
};

}  // namespace r1
