// CBackgroundNode: a textured, coloured rectangle in screen pixels (pre-transformed
// vertices) drawn without depth writes: a backdrop, or a panel over the viewport. The
// node's matrix and the scene's transforms do not move it; it is drawn in tree order and
// never culled (its bounding box stays empty).
#pragma once
#include <string>
#include <vector>
#include "IBackground.h"
#include "IColoredNode.h"
#include "Vertices.h"
#include "scene/SceneNode.h"

class CBackgroundNode : public CSceneNode, public IBackground, public IColoredNode {
public:
    CBackgroundNode();
    ~CBackgroundNode() override;

    bool QueryInterface(const GUID& id, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT Render(IScene* scene) override;
    HRESULT InvalidateDeviceObjects(IScene* scene) override;
    HRESULT RestoreDeviceObjects(IScene* scene) override;

    // The names are copied only when both are non-null.
    HRESULT Setup(const RECT* rect, const char* referencePath, const char* fileName);
    // Takes the named texture again (none without a name).
    HRESULT LoadTexture(IScene* scene);

    HRESULT SetRect(const RECT* rect) override;
    HRESULT SetTextureTransform(const D3DXMATRIX* matrix) override;
    HRESULT Reserved(void* argument) override;
    const D3DXMATRIX* GetTextureTransform() override;

    HRESULT SetColor(int index, const D3DXCOLOR* color) override;
    const D3DXCOLOR* GetColor(int index, D3DXCOLOR* out) override;
    int GetColorCount() override;

    const std::vector<VERTEX2D>& Vertices() const { return vertices; }

private:
    void ReleaseTexture();

    std::vector<VERTEX2D> vertices;
    IDirect3DTexture9* texture = nullptr;
    std::string referencePath;
    std::string fileName;
    D3DXMATRIX textureTransform;
    D3DXCOLOR color{1.0f, 1.0f, 1.0f, 1.0f};
};
