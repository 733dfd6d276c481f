// CSceneNode: the base scene node. It implements the whole of ISceneNode, draws nothing,
// and is the base of every node type; the scene's root is a plain CSceneNode.
//
// Node types override the hooks (Update, Render, the device hooks) and, to answer more
// interface ids, QueryInterface: test their own ids first, then fall back on
// CSceneNode::QueryInterface (the node rule: IID_ICoreUnknown and IID_ISceneNode give the
// ISceneNode pointer; any other id returns false and leaves `*out` unchanged).
//
// Null arguments are refused rather than dereferenced: AddChild(null) is E_POINTER,
// HasSameName(null) is false, FindNode(null) and FindChild(null) find nothing. AddChild
// does not refuse cycles (a node added under itself or under its descendant); a tree
// with a cycle is never freed and must not be dismantled.
#pragma once

#include <string>

#include "ISceneNode.h"
#include "IScene.h"
#include "core/CoreRefCount.h"
#include "scene/Hierarchical.h"

class CSceneNode : public ISceneNode, public CCoreRefCount, public CHierarchical<ISceneNode*> {
public:
    CSceneNode();
    // Dismantles the subtree (RemoveAllChildren) before the node goes.
    ~CSceneNode() override;
    CSceneNode(const CSceneNode&) = delete;
    CSceneNode& operator=(const CSceneNode&) = delete;

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

    // List changes made through the child-list base go through the node operations, so
    // they keep reference counts and parent links right.
    HRESULT AppendChild(ISceneNode* child) override;
    ISceneNode* GetChildAt(int index) override;
    HRESULT EraseChild(ISceneNode* child) override;

protected:
    ISceneNode* parent = nullptr;
    std::string name;
    D3DXMATRIX matrix;
    CBoundBox localBounds;
    CBoundBox combinedBounds;
    bool boundsDirty = true;
    bool visible = true;
    bool paused = false;
    bool deferred = false;
};
