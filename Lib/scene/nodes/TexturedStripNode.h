// CTexturedStripNode: what the quad and billboard nodes share. One colour over four pre-lit
// corners drawn as a two-triangle strip, unlit and without depth writes; a texture looked up
// by name through the scene's resource manager, dropped on device loss and taken again
// after the reset; and the colour interface. It adds no virtual operation, so its node types
// keep the ISceneNode table of operations followed by their own.
#pragma once
#include <string>
#include <vector>
#include "IColoredNode.h"
#include "Vertices.h"
#include "scene/SceneNode.h"

class CTexturedStripNode : public CSceneNode, public IColoredNode {
public:
    CTexturedStripNode() = default;
    ~CTexturedStripNode() override;

    bool QueryInterface(const GUID& id, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT InvalidateDeviceObjects(IScene* scene) override;
    // Takes the named texture again; a node without a name keeps what it holds.
    HRESULT RestoreDeviceObjects(IScene* scene) override;

    // The index is ignored and there is one colour; it replaces every corner's colour,
    // alpha included.
    HRESULT SetColor(int index, const D3DXCOLOR* color) override;
    const D3DXCOLOR* GetColor(int index, D3DXCOLOR* out) override;
    int GetColorCount() override;

    // For tests and derived nodes: the corners in strip order.
    const std::vector<LITVERTEX>& Vertices() const { return vertices; }

protected:
    // Each non-null name is copied; a null one leaves that name as it was.
    void SetTextureNames(const char* referencePath, const char* fileName);
    // With a file name, releases the texture held and looks the named one up.
    void AcquireNamedTexture(IScene* scene);
    void ReleaseTexture();
    // Replaces the corners, in strip order, with the image upright over them: texture
    // coordinates (0, 1), (0, 0), (1, 1), (1, 0), all in the packed colour.
    void SetCorners(const D3DXVECTOR3 (&positions)[4]);
    void PaintCorners(D3DCOLOR packed);
    // Binds the texture to stage 0 when there is one (stage 0 keeps what it holds
    // otherwise). `world`, when given, is this draw's world transform instead of the one
    // the render pass pushed for the node. Every state pushed is popped again.
    HRESULT DrawStrip(IScene* scene, const D3DXMATRIX* world);

    D3DXCOLOR color{1.0f, 1.0f, 1.0f, 1.0f};
    IDirect3DTexture9* texture = nullptr;
    std::string referencePath;
    std::string fileName;
    std::vector<LITVERTEX> vertices;
};
