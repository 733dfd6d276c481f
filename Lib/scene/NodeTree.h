// The passes the scene runs over its node tree.
#pragma once

#include "IScene.h"
#include "ISceneNode.h"

class CFrustum;

// Update on the node, then on its children in order; the first failing child stops the
// walk (later siblings are not updated). Whatever the result, a dirty bounding box of the
// node is refreshed before returning. E_POINTER for a null node. Hidden and paused nodes
// are visited.
HRESULT UpdateNodeTree(ISceneNode* node, float elapsed);

// Draws the subtree: hidden nodes and subtrees whose combined box lies outside the frustum
// (null turns culling off) are skipped, deferred nodes are handed to the scene, and every
// drawn node's PreRender/PostRender bracket its own draw and its children's.
HRESULT RenderNodeTree(ISceneNode* node, IScene* scene, const CFrustum* frustum);

// The device-loss and reset hooks on every node, hidden or not, parents first. S_OK.
HRESULT InvalidateNodeTree(ISceneNode* node, IScene* scene);
HRESULT RestoreNodeTree(ISceneNode* node, IScene* scene);
