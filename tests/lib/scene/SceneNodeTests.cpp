// The node hierarchy: ownership, lookup, matrices and bounds.
#include <gtest/gtest.h>

#include "scene/SceneNode.h"
#include "lib/scene/TestNodes.h"

namespace {

ULONG CountOf(ISceneNode* node)
{
    node->AddRef();
    return node->Release();
}

TEST(SceneNode, FreshNodeBoundsAndNullChild)
{
    ISceneNode* node = NewNode("");
    EXPECT_TRUE(node->IsBoundingBoxDirty());
    EXPECT_TRUE(node->GetBoundingBox(nullptr)->IsEmpty());
    EXPECT_FALSE(node->IsBoundingBoxDirty());
    EXPECT_EQ(node->GetWorldMatrix(nullptr), nullptr);
    EXPECT_EQ(node->AddChild(nullptr), E_POINTER);
    EXPECT_EQ(node->Release(), 0u);
}

TEST(SceneNode, ChildrenHoldOneReferenceAndMoveBetweenParents)
{
    ISceneNode* a = NewNode("a");
    ISceneNode* b = NewNode("b");
    ISceneNode* child = NewNode("child");
    ISceneNode* other = NewNode("other");

    EXPECT_EQ(a->AddChild(child), S_OK);
    EXPECT_EQ(CountOf(child), 2u);
    EXPECT_EQ(child->GetParent(), a);

    b->AddChild(other);
    b->AddChild(child);
    EXPECT_EQ(a->GetChildCount(), 0);
    EXPECT_EQ(b->GetChildCount(), 2);
    EXPECT_EQ(b->GetChild(1), child);
    EXPECT_EQ(child->GetParent(), b);
    EXPECT_EQ(CountOf(child), 2u);

    // Added again to the same parent: detached and appended, so it appears once, last.
    b->AddChild(other);
    EXPECT_EQ(b->GetChildCount(), 2);
    EXPECT_EQ(b->GetChild(0), child);
    EXPECT_EQ(b->GetChild(1), other);
    EXPECT_EQ(b->GetChild(2), nullptr);
    EXPECT_EQ(b->GetChild(-1), nullptr);

    EXPECT_EQ(a->RemoveChild(child), E_FAIL);
    EXPECT_EQ(b->RemoveChild(child), S_OK);
    EXPECT_EQ(child->GetParent(), nullptr);
    EXPECT_EQ(CountOf(child), 1u);

    // A node whose only reference was its parent's survives a move.
    other->Release();
    a->AddChild(other);
    EXPECT_EQ(CountOf(other), 1u);
    EXPECT_EQ(other->GetParent(), a);

    child->Release();
    b->Release();
    a->Release();
}

TEST(SceneNode, ChildListBaseKeepsCountsAndLinks)
{
    CSceneNode* parent = new CSceneNode();
    parent->AddRef();
    ISceneNode* child = NewNode("child");
    CHierarchical<ISceneNode*>* list = parent;

    list->AppendChild(child);
    EXPECT_EQ(child->GetParent(), parent);
    EXPECT_EQ(list->IndexOfChild(child), 0);
    EXPECT_EQ(list->IndexOfChild(nullptr), -1);
    EXPECT_EQ(list->EraseChild(child), S_OK);
    EXPECT_EQ(child->GetParent(), nullptr);
    EXPECT_EQ(CountOf(child), 1u);
    EXPECT_EQ(list->EraseChild(child), E_FAIL);

    child->Release();
    parent->Release();
}

TEST(SceneNode, RemoveDescendantSearchesTwoLevels)
{
    ISceneNode* root = NewNode("root");
    ISceneNode* child = NewNode("child");
    ISceneNode* grandchild = NewNode("grandchild");
    ISceneNode* great = NewNode("great");
    root->AddChild(child);
    child->AddChild(grandchild);
    grandchild->AddChild(great);

    EXPECT_EQ(root->RemoveDescendant(great), E_FAIL);
    EXPECT_EQ(grandchild->GetChildCount(), 1);
    EXPECT_EQ(root->RemoveDescendant(grandchild), S_OK);
    EXPECT_EQ(child->GetChildCount(), 0);
    EXPECT_EQ(CountOf(grandchild), 1u);

    for (ISceneNode* node : {root, child, grandchild, great}) {
        node->Release();
    }
}

TEST(SceneNode, RemoveAllChildrenEmptiesHeldSubtrees)
{
    ISceneNode* root = NewNode("root");
    ISceneNode* held = NewNode("held");
    ISceneNode* leaf = NewNode("leaf");
    ISceneNode* second = NewNode("second");
    root->AddChild(held);
    held->AddChild(leaf);
    root->AddChild(second);
    leaf->Release();
    second->Release();

    EXPECT_EQ(root->RemoveAllChildren(), S_OK);
    EXPECT_EQ(root->GetChildCount(), 0);
    // The host's reference keeps `held` alive, but its subtree is gone.
    EXPECT_EQ(CountOf(held), 1u);
    EXPECT_EQ(held->GetChildCount(), 0);
    EXPECT_EQ(held->GetParent(), nullptr);

    held->Release();
    root->Release();
}

TEST(SceneNode, FindNodeIsPreOrderAndFindChildLooksOneLevel)
{
    ISceneNode* root = NewNode("x");
    ISceneNode* first = NewNode("first");
    ISceneNode* deep = NewNode("target");
    ISceneNode* second = NewNode("target");
    ISceneNode* selfNamed = NewNode("x");
    root->AddChild(first);
    first->AddChild(deep);
    root->AddChild(second);
    root->AddChild(selfNamed);

    EXPECT_EQ(root->FindNode("x"), root);
    EXPECT_EQ(root->FindNode("target"), deep);
    EXPECT_EQ(root->FindChild("target"), second);
    EXPECT_EQ(root->FindNode("Target"), nullptr);
    EXPECT_EQ(root->FindNode(nullptr), nullptr);
    EXPECT_TRUE(deep->HasSameName(second));
    EXPECT_FALSE(deep->HasSameName(first));

    for (ISceneNode* node : {first, deep, second, selfNamed}) {
        node->Release();
    }
    root->Release();
}

TEST(SceneNode, WorldMatrixThroughSeveralLevels)
{
    ISceneNode* parent = NewNode("parent");
    ISceneNode* child = NewNode("child");
    ISceneNode* grandchild = NewNode("grandchild");
    parent->AddChild(child);
    child->AddChild(grandchild);

    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, 10, 0, 0);
    parent->SetMatrix(&m);
    D3DXMatrixScaling(&m, 2, 2, 2);
    child->SetMatrix(&m);

    D3DXMATRIX world;
    const D3DXVECTOR3 local(1, 0, 0);
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &local, child->GetWorldMatrix(&world));
    EXPECT_FLOAT_EQ(out.x, 12.0f);

    D3DXMatrixRotationZ(&m, D3DX_PI / 2.0f);
    grandchild->SetMatrix(&m);
    D3DXVec3TransformCoord(&out, &local, grandchild->GetWorldMatrix(&world));
    EXPECT_NEAR(out.x, 10.0f, 1e-5f); // rotated to (0,1,0), scaled to (0,2,0), then moved
    EXPECT_NEAR(out.y, 2.0f, 1e-5f);

    child->SetMatrix(nullptr);
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    EXPECT_EQ(*child->GetMatrix(nullptr), identity);

    for (ISceneNode* node : {grandchild, child, parent}) {
        node->Release();
    }
}

TEST(SceneNode, CombinedBoundsStayStaleUntilInvalidated)
{
    ISceneNode* parent = NewNode("parent");
    ISceneNode* child = NewNode("child");
    parent->AddChild(child);
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, 5, 0, 0);
    child->SetMatrix(&m);

    CBoundBox own;
    own.Set(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(1, 1, 1));
    parent->SetBoundingBox(&own);
    EXPECT_FLOAT_EQ(parent->GetBoundingBox(nullptr)->Hi().x, 1.0f);

    child->SetBoundingBox(&own);
    EXPECT_FLOAT_EQ(parent->GetBoundingBox(nullptr)->Hi().x, 1.0f);
    parent->InvalidateBoundingBox();
    const CBoundBox* combined = parent->GetBoundingBox(nullptr);
    EXPECT_FLOAT_EQ(combined->Lo().x, 0.0f);
    EXPECT_FLOAT_EQ(combined->Hi().x, 6.0f); // the child's box in the parent's frame

    parent->SetBoundingBox(nullptr);
    EXPECT_FLOAT_EQ(parent->GetBoundingBox(nullptr)->Lo().x, 5.0f);

    child->Release();
    parent->Release();
}

} // namespace
