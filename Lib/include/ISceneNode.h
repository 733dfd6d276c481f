// ISceneNode: a reference-counted node of the scene tree.
//
// A node has a name, a local matrix relative to its parent (D3DX row-vector convention:
// world = local * parent * ... * root), a child list, bounding boxes, per-frame update and
// render hooks, device-loss hooks and the hidden, paused and deferred flags. A parent holds
// one reference on each child; a child holds none on its parent. GetParent, GetChild,
// FindNode and FindChild return borrowed pointers.
//
// The scene reaches nodes only through this interface, so a host class that implements it
// takes part in every pass.
#pragma once

#include "BoundBox.h"
#include "CoreUnknown.h"

class IScene;

class ISceneNode : public ICoreUnknown {
public:
    VESTRA_API ISceneNode();
    VESTRA_API ISceneNode(const ISceneNode& other);
    VESTRA_API ISceneNode& operator=(const ISceneNode& other);

    virtual const char* GetName() = 0;
    virtual void SetName(const char* name) = 0;
    virtual bool HasSameName(ISceneNode* other) = 0;
    virtual HRESULT Update(float elapsed) = 0;
    // PreRender pushes the node's matrix on the scene's render state manager and PostRender
    // pops it, so the device's world transform is the node's world matrix during Render.
    virtual HRESULT PreRender(IScene* scene) = 0;
    virtual HRESULT Render(IScene* scene) = 0;
    virtual HRESULT PostRender(IScene* scene) = 0;
    // Takes a reference on the child and moves it from its former parent, if any, to the end
    // of this node's children.
    virtual HRESULT AddChild(ISceneNode* child) = 0;
    // Drops this node's reference on the child (which may destroy it); E_FAIL if it is not
    // a child here.
    virtual HRESULT RemoveChild(ISceneNode* child) = 0;
    // Removes a child or a grandchild; deeper levels are not searched (E_FAIL).
    virtual HRESULT RemoveDescendant(ISceneNode* node) = 0;
    // Empties every descendant, front to back, even those the host still holds.
    virtual HRESULT RemoveAllChildren() = 0;
    // This node or the first descendant with that name, pre-order; case-sensitive.
    virtual ISceneNode* FindNode(const char* name) = 0;
    virtual ISceneNode* FindChild(const char* name) = 0;
    virtual ISceneNode* GetParent() = 0;
    // Link maintenance for AddChild and RemoveChild; takes no reference.
    virtual void SetParent(ISceneNode* parent) = 0;
    // Copies the local matrix to `out` when given; always returns the node's own matrix.
    virtual const D3DXMATRIX* GetMatrix(D3DXMATRIX* out) = 0;
    // Computed anew on every call; null (and nothing computed) for a null `out`.
    virtual D3DXMATRIX* GetWorldMatrix(D3DXMATRIX* out) = 0;
    // A null matrix sets the identity.
    virtual void SetMatrix(const D3DXMATRIX* matrix) = 0;
    // The combined box (own extent joined with the children's, in this node's frame),
    // refreshed first when dirty. Nothing marks a parent dirty when its children change:
    // call InvalidateBoundingBox on the parent after moving or resizing children.
    virtual const CBoundBox* GetBoundingBox(CBoundBox* out) = 0;
    // Sets the node's own extent (empty for null) and marks the combined box dirty.
    virtual void SetBoundingBox(const CBoundBox* box) = 0;
    virtual void UpdateBoundingBox() = 0;
    virtual void InvalidateBoundingBox() = 0;
    virtual bool IsBoundingBoxDirty() = 0;
    virtual int GetChildCount() = 0;
    virtual ISceneNode* GetChild(int index) = 0;
    virtual HRESULT InvalidateDeviceObjects(IScene* scene) = 0;
    virtual HRESULT RestoreDeviceObjects(IScene* scene) = 0;
    // A hidden node and its whole subtree are skipped when rendering, but still updated.
    virtual void SetHidden(bool hidden) = 0;
    virtual bool IsHidden() = 0;
    // Read by animated nodes, which skip their update work while paused.
    virtual bool IsPaused() = 0;
    virtual void SetPaused(bool paused) = 0;
    // A deferred node is drawn after the whole tree with depth writes off and blending on.
    virtual void SetDeferred(bool deferred) = 0;
    virtual bool IsDeferred() = 0;

protected:
    ~ISceneNode() = default;
};
