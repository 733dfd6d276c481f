#include "scene/SceneNode.h"

#include <cstring>

CSceneNode::CSceneNode()
{
    D3DXMatrixIdentity(&matrix);
}

CSceneNode::~CSceneNode()
{
    CSceneNode::RemoveAllChildren();
}

bool CSceneNode::QueryInterface(const GUID& id, void** out)
{
    if (IsEqualGUID(id, IID_ICoreUnknown) || IsEqualGUID(id, IID_ISceneNode)) {
        *out = static_cast<ISceneNode*>(this);
        AddRef();
        return true;
    }
    return false;
}

ULONG CSceneNode::AddRef()
{
    return CCoreRefCount::AddRef();
}

ULONG CSceneNode::Release()
{
    return CCoreRefCount::Release();
}

const char* CSceneNode::GetName()
{
    return name.c_str();
}

void CSceneNode::SetName(const char* newName)
{
    name = newName != nullptr ? newName : "";
}

bool CSceneNode::HasSameName(ISceneNode* other)
{
    return other != nullptr && name == other->GetName();
}

HRESULT CSceneNode::Update(float)
{
    return S_OK;
}

HRESULT CSceneNode::PreRender(IScene* scene)
{
    if (GetMatrix(nullptr) == nullptr) {
        return S_OK;
    }
    return scene->GetRenderStateManager()->PushMatrix(&matrix);
}

HRESULT CSceneNode::Render(IScene*)
{
    return S_OK;
}

HRESULT CSceneNode::PostRender(IScene* scene)
{
    if (GetMatrix(nullptr) == nullptr) {
        return S_OK;
    }
    return scene->GetRenderStateManager()->PopMatrix();
}

HRESULT CSceneNode::AddChild(ISceneNode* child)
{
    if (child == nullptr) {
        return E_POINTER;
    }
    // The new reference comes first, so a child whose only holder was its former parent
    // survives the move.
    child->AddRef();
    if (ISceneNode* former = child->GetParent()) {
        former->RemoveChild(child);
    }
    CHierarchical::AppendChild(child);
    child->SetParent(this);
    return S_OK;
}

HRESULT CSceneNode::RemoveChild(ISceneNode* child)
{
    if (FAILED(CHierarchical::EraseChild(child))) {
        return E_FAIL;
    }
    child->SetParent(nullptr);
    child->Release();
    return S_OK;
}

HRESULT CSceneNode::RemoveDescendant(ISceneNode* node)
{
    if (SUCCEEDED(RemoveChild(node))) {
        return S_OK;
    }
    for (ISceneNode* child : children) {
        if (child != nullptr && SUCCEEDED(child->RemoveChild(node))) {
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT CSceneNode::RemoveAllChildren()
{
    while (!children.empty()) {
        ISceneNode* child = children.front();
        if (child != nullptr) {
            child->RemoveAllChildren();
        }
        children.erase(children.begin());
        if (child != nullptr) {
            child->SetParent(nullptr);
            child->Release();
        }
    }
    return S_OK;
}

ISceneNode* CSceneNode::FindNode(const char* wanted)
{
    if (wanted == nullptr) {
        return nullptr;
    }
    if (name == wanted) {
        return this;
    }
    for (ISceneNode* child : children) {
        if (child == nullptr) {
            continue;
        }
        if (ISceneNode* found = child->FindNode(wanted)) {
            return found;
        }
    }
    return nullptr;
}

ISceneNode* CSceneNode::FindChild(const char* wanted)
{
    if (wanted == nullptr) {
        return nullptr;
    }
    for (ISceneNode* child : children) {
        if (child != nullptr && std::strcmp(child->GetName(), wanted) == 0) {
            return child;
        }
    }
    return nullptr;
}

ISceneNode* CSceneNode::GetParent()
{
    return parent;
}

void CSceneNode::SetParent(ISceneNode* newParent)
{
    parent = newParent;
}

const D3DXMATRIX* CSceneNode::GetMatrix(D3DXMATRIX* out)
{
    if (out != nullptr) {
        *out = matrix;
    }
    return &matrix;
}

D3DXMATRIX* CSceneNode::GetWorldMatrix(D3DXMATRIX* out)
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

void CSceneNode::SetMatrix(const D3DXMATRIX* newMatrix)
{
    if (newMatrix != nullptr) {
        matrix = *newMatrix;
    } else {
        D3DXMatrixIdentity(&matrix);
    }
}

const CBoundBox* CSceneNode::GetBoundingBox(CBoundBox* out)
{
    if (IsBoundingBoxDirty()) {
        UpdateBoundingBox();
    }
    if (out != nullptr) {
        *out = combinedBounds;
    }
    return &combinedBounds;
}

void CSceneNode::SetBoundingBox(const CBoundBox* box)
{
    if (box != nullptr) {
        localBounds = *box;
    } else {
        localBounds.SetEmpty();
    }
    InvalidateBoundingBox();
}

void CSceneNode::UpdateBoundingBox()
{
    if (!boundsDirty) {
        return;
    }
    combinedBounds = localBounds;
    const int count = GetChildCount();
    for (int index = 0; index < count; ++index) {
        ISceneNode* child = GetChild(index);
        if (child == nullptr) {
            continue;
        }
        CBoundBox childBox;
        child->GetBoundingBox(&childBox);
        if (!childBox.IsEmpty()) {
            childBox.TransformBy(child->GetMatrix(nullptr));
            combinedBounds.Union(childBox);
        }
    }
    boundsDirty = false;
}

void CSceneNode::InvalidateBoundingBox()
{
    boundsDirty = true;
}

bool CSceneNode::IsBoundingBoxDirty()
{
    return boundsDirty;
}

int CSceneNode::GetChildCount()
{
    return static_cast<int>(children.size());
}

ISceneNode* CSceneNode::GetChild(int index)
{
    return CHierarchical::GetChildAt(index);
}

HRESULT CSceneNode::InvalidateDeviceObjects(IScene*)
{
    return S_OK;
}

HRESULT CSceneNode::RestoreDeviceObjects(IScene*)
{
    return S_OK;
}

void CSceneNode::SetHidden(bool hidden)
{
    visible = !hidden;
}

bool CSceneNode::IsHidden()
{
    return !visible;
}

bool CSceneNode::IsPaused()
{
    return paused;
}

void CSceneNode::SetPaused(bool newPaused)
{
    paused = newPaused;
}

void CSceneNode::SetDeferred(bool newDeferred)
{
    deferred = newDeferred;
}

bool CSceneNode::IsDeferred()
{
    return deferred;
}

HRESULT CSceneNode::AppendChild(ISceneNode* child)
{
    return AddChild(child);
}

ISceneNode* CSceneNode::GetChildAt(int index)
{
    return GetChild(index);
}

HRESULT CSceneNode::EraseChild(ISceneNode* child)
{
    return RemoveChild(child);
}
