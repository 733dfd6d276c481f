#include "scene/NodeTree.h"

#include "scene/Frustum.h"

HRESULT UpdateNodeTree(ISceneNode* node, float elapsed)
{
    if (node == nullptr) {
        return E_POINTER;
    }
    HRESULT hr = node->Update(elapsed);
    if (SUCCEEDED(hr)) {
        const int count = node->GetChildCount();
        for (int index = 0; index < count && SUCCEEDED(hr); ++index) {
            if (ISceneNode* child = node->GetChild(index)) {
                hr = UpdateNodeTree(child, elapsed);
            }
        }
    }
    if (node->IsBoundingBoxDirty()) {
        node->UpdateBoundingBox();
    }
    return hr;
}

HRESULT RenderNodeTree(ISceneNode* node, IScene* scene, const CFrustum* frustum)
{
    if (node->IsHidden()) {
        return S_OK;
    }
    if (frustum != nullptr) {
        CBoundBox box;
        node->GetBoundingBox(&box);
        if (!box.IsEmpty()) {
            D3DXMATRIX world;
            box.TransformBy(node->GetWorldMatrix(&world));
            if (frustum->IsBoxOutside(box)) {
                return S_OK;
            }
        }
    }
    HRESULT hr = node->PreRender(scene);
    if (FAILED(hr)) {
        return hr;
    }
    if (node->IsDeferred()) {
        scene->DeferNode(node);
    } else {
        hr = node->Render(scene);
        if (FAILED(hr)) {
            return hr;
        }
    }
    HRESULT childResult = S_OK;
    const int count = node->GetChildCount();
    for (int index = 0; index < count && SUCCEEDED(childResult); ++index) {
        ISceneNode* child = node->GetChild(index);
        if (child != nullptr && !child->IsHidden()) {
            childResult = RenderNodeTree(child, scene, frustum);
        }
    }
    return node->PostRender(scene);
}

HRESULT InvalidateNodeTree(ISceneNode* node, IScene* scene)
{
    node->InvalidateDeviceObjects(scene);
    const int count = node->GetChildCount();
    for (int index = 0; index < count; ++index) {
        if (ISceneNode* child = node->GetChild(index)) {
            InvalidateNodeTree(child, scene);
        }
    }
    return S_OK;
}

HRESULT RestoreNodeTree(ISceneNode* node, IScene* scene)
{
    node->RestoreDeviceObjects(scene);
    const int count = node->GetChildCount();
    for (int index = 0; index < count; ++index) {
        if (ISceneNode* child = node->GetChild(index)) {
            RestoreNodeTree(child, scene);
        }
    }
    return S_OK;
}
