// The update pass over a node tree.
#include <gtest/gtest.h>

#include "scene/NodeTree.h"
#include "lib/scene/TestNodes.h"

namespace {

using Log = std::vector<std::string>;

// root with children a (holding a1) and b; the tree holds every node but the root.
class UpdateNodeTree : public ::testing::Test {
protected:
    UpdateNodeTree()
    {
        for (CRecordingNode* node : {a, b}) {
            root->AddChild(node);
            node->Release();
        }
        a->AddChild(a1);
        a1->Release();
    }
    ~UpdateNodeTree() override { root->Release(); }

    Log log;
    CRecordingNode* root = new CRecordingNode("root", &log);
    CRecordingNode* a = new CRecordingNode("a", &log);
    CRecordingNode* a1 = new CRecordingNode("a1", &log);
    CRecordingNode* b = new CRecordingNode("b", &log);
};

TEST_F(UpdateNodeTree, ParentsBeforeChildrenHiddenIncluded)
{
    a->SetHidden(true);
    a->SetPaused(true);

    EXPECT_EQ(::UpdateNodeTree(root, 0.5f), S_OK);
    EXPECT_EQ(log, (Log{"update:root", "update:a", "update:a1", "update:b"}));
    EXPECT_FALSE(root->IsBoundingBoxDirty());
    EXPECT_EQ(::UpdateNodeTree(nullptr, 0.5f), E_POINTER);

}

TEST_F(UpdateNodeTree, FirstFailingChildStopsItsSiblingsButBoundsAreStillRefreshed)
{
    a1->updateResult = E_NOTIMPL;

    EXPECT_EQ(::UpdateNodeTree(root, 0.0f), E_NOTIMPL);
    EXPECT_EQ(log, (Log{"update:root", "update:a", "update:a1"}));
    EXPECT_FALSE(root->IsBoundingBoxDirty());
    EXPECT_FALSE(a->IsBoundingBoxDirty());

    // A failing node keeps its own children from being updated.
    log.clear();
    a1->updateResult = S_OK;
    a->updateResult = E_FAIL;
    EXPECT_EQ(::UpdateNodeTree(root, 0.0f), E_FAIL);
    EXPECT_EQ(log, (Log{"update:root", "update:a"}));

}

TEST(DeviceNodeTree, VisitsEveryNodeParentsFirst)
{
    Log log;
    auto* root = new CRecordingNode("root", &log);
    auto* hidden = new CRecordingNode("hidden", &log);
    auto* leaf = new CRecordingNode("leaf", &log);
    root->AddChild(hidden);
    hidden->AddChild(leaf);
    hidden->SetHidden(true);

    EXPECT_EQ(InvalidateNodeTree(root, nullptr), S_OK);
    EXPECT_EQ(RestoreNodeTree(root, nullptr), S_OK);
    EXPECT_EQ(log, (Log{"invalidate:root", "invalidate:hidden", "invalidate:leaf", "restore:root", "restore:hidden",
                        "restore:leaf"}));

    leaf->Release();
    hidden->Release();
    root->Release();
}

} // namespace
