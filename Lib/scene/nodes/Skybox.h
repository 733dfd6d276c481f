// CSkybox: the six inner faces of a cube around the node's origin, each with its own
// texture, drawn with one C3DQuad under a per-face matrix, without depth test, depth
// writes or lighting, and with a projection of its own. The states are switched in
// PreRender and restored in PostRender, so the skybox's children are drawn under them too.
// Nothing here follows the camera: move the node with it if the sky should not approach.
//
// Faces, in index order: +z, -z, +x, -x, +y, -y (node space, left-handed, +y up).
#pragma once
#include <string>
#include "ISkybox.h"
#include "scene/SceneNode.h"
#include "scene/nodes/Quad3D.h"

class CSkybox : public CSceneNode, public ISkybox {
public:
    static constexpr int faceCount = 6;

    CSkybox() = default;
    ~CSkybox() override;

    bool QueryInterface(const GUID& id, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT PreRender(IScene* scene) override;
    HRESULT Render(IScene* scene) override;
    HRESULT PostRender(IScene* scene) override;
    HRESULT InvalidateDeviceObjects(IScene* scene) override;
    HRESULT RestoreDeviceObjects(IScene* scene) override;

    // Takes every face texture (a missing one stays null) and the device's projection.
    virtual HRESULT LoadTextures(IScene* scene);
    void SetSize(float size);
    // All seven strings must be non-null.
    void SetNames(const char* referencePath, const char* const faceNames[faceCount]);

    HRESULT SetProjection(const D3DXMATRIX* projection) override;

    const D3DXMATRIX& FaceMatrix(int face) const { return faceMatrices[face]; }
    IDirect3DTexture9* FaceTexture(int face) const { return faceTextures[face]; }
    const D3DXMATRIX& Projection() const { return projection; }
    const C3DQuad& Quad() const { return quad; }

private:
    void ReleaseTextures();

    C3DQuad quad;
    float size = 0.0f;
    D3DXMATRIX faceMatrices[faceCount];
    IDirect3DTexture9* faceTextures[faceCount] = {};
    std::string referencePath;
    std::string faceNames[faceCount];
    D3DXMATRIX projection;
};
