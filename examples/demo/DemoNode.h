// A host-side scene node: the engine's passes reach nodes only through ISceneNode, so a
// host class implementing it takes part in the tree like the engine's own nodes.
#pragma once

#include <Vestra.h>

#include <algorithm>
#include <string>
#include <vector>

class DemoNode final : public ISceneNode {
public:
    // Born with the one reference the caller owns, as the engine's factories hand out nodes.
    explicit DemoNode(const char* nodeName) : name(nodeName) { D3DXMatrixIdentity(&matrix); }

    bool QueryInterface(const GUID& id, void** out) override
    {
        if (!IsEqualGUID(id, IID_ICoreUnknown) && !IsEqualGUID(id, IID_ISceneNode)) {
            return false;
        }
        *out = static_cast<ISceneNode*>(this);
        AddRef();
        return true;
    }
    ULONG AddRef() override { return ++count; }
    ULONG Release() override
    {
        if (--count != 0) {
            return count;
        }
        RemoveAllChildren();
        delete this;
        return 0;
    }

    const char* GetName() override { return name.c_str(); }
    void SetName(const char* newName) override { name = newName; }
    bool HasSameName(ISceneNode* other) override { return name == other->GetName(); }
    HRESULT Update(float) override { return S_OK; }
    HRESULT PreRender(IScene* scene) override { return scene->GetRenderStateManager()->PushMatrix(&matrix); }
    HRESULT Render(IScene*) override { return S_OK; }
    HRESULT PostRender(IScene* scene) override { return scene->GetRenderStateManager()->PopMatrix(); }

    HRESULT AddChild(ISceneNode* child) override
    {
        child->AddRef();
        if (ISceneNode* former = child->GetParent()) {
            former->RemoveChild(child);
        }
        children.push_back(child);
        child->SetParent(this);
        return S_OK;
    }
    HRESULT RemoveChild(ISceneNode* child) override
    {
        const auto found = std::find(children.begin(), children.end(), child);
        if (found == children.end()) {
            return E_FAIL;
        }
        children.erase(found);
        child->SetParent(nullptr);
        child->Release();
        return S_OK;
    }
    HRESULT RemoveDescendant(ISceneNode* node) override
    {
        if (SUCCEEDED(RemoveChild(node))) {
            return S_OK;
        }
        for (ISceneNode* child : children) {
            if (SUCCEEDED(child->RemoveChild(node))) {
                return S_OK;
            }
        }
        return E_FAIL;
    }
    HRESULT RemoveAllChildren() override
    {
        while (!children.empty()) {
            ISceneNode* child = children.front();
            child->RemoveAllChildren();
            children.erase(children.begin());
            child->SetParent(nullptr);
            child->Release();
        }
        return S_OK;
    }
    ISceneNode* FindNode(const char* wanted) override
    {
        if (name == wanted) {
            return this;
        }
        for (ISceneNode* child : children) {
            if (ISceneNode* found = child->FindNode(wanted)) {
                return found;
            }
        }
        return nullptr;
    }
    ISceneNode* FindChild(const char* wanted) override
    {
        for (ISceneNode* child : children) {
            if (std::string(child->GetName()) == wanted) {
                return child;
            }
        }
        return nullptr;
    }
    ISceneNode* GetParent() override { return parent; }
    void SetParent(ISceneNode* newParent) override { parent = newParent; }
    const D3DXMATRIX* GetMatrix(D3DXMATRIX* out) override
    {
        if (out != nullptr) {
            *out = matrix;
        }
        return &matrix;
    }
    D3DXMATRIX* GetWorldMatrix(D3DXMATRIX* out) override
    {
        if (out == nullptr) {
            return nullptr;
        }
        *out = matrix;
        for (ISceneNode* p = parent; p != nullptr; p = p->GetParent()) {
            D3DXMatrixMultiply(out, out, p->GetMatrix(nullptr));
        }
        return out;
    }
    void SetMatrix(const D3DXMATRIX* m) override
    {
        if (m != nullptr) {
            matrix = *m;
        } else {
            D3DXMatrixIdentity(&matrix);
        }
    }
    // The demo's nodes have no extent: they are never culled.
    const CBoundBox* GetBoundingBox(CBoundBox* out) override
    {
        if (out != nullptr) {
            *out = bounds;
        }
        return &bounds;
    }
    void SetBoundingBox(const CBoundBox*) override {}
    void UpdateBoundingBox() override {}
    void InvalidateBoundingBox() override {}
    bool IsBoundingBoxDirty() override { return false; }
    int GetChildCount() override { return static_cast<int>(children.size()); }
    ISceneNode* GetChild(int index) override
    {
        return index >= 0 && index < GetChildCount() ? children[static_cast<size_t>(index)] : nullptr;
    }
    HRESULT InvalidateDeviceObjects(IScene*) override { return S_OK; }
    HRESULT RestoreDeviceObjects(IScene*) override { return S_OK; }
    void SetHidden(bool hidden) override { visible = !hidden; }
    bool IsHidden() override { return !visible; }
    bool IsPaused() override { return false; }
    void SetPaused(bool) override {}
    void SetDeferred(bool) override {}
    bool IsDeferred() override { return false; }

private:
    ~DemoNode() = default;

    ULONG count = 1;
    ISceneNode* parent = nullptr;
    std::string name;
    D3DXMATRIX matrix;
    CBoundBox bounds;
    std::vector<ISceneNode*> children;
    bool visible = true;
};
