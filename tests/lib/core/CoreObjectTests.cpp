// The object core: shared reference counts and the node query rule.
#include <gtest/gtest.h>

#include "Vestra.h"
#include "scene/SceneNode.h"

namespace {

// A node with a secondary interface, built the way every node type is: the secondary
// interface forwards to the object's shared count and query.
class IMarker : public ICoreUnknown {
public:
    virtual int Mark() = 0;

protected:
    ~IMarker() = default;
};

const GUID IID_TestMarker = {0x11111111, 0x2222, 0x3333, {4, 4, 4, 4, 4, 4, 4, 4}};

class CMarkedNode : public CSceneNode, public IMarker {
public:
    explicit CMarkedNode(bool* destroyed) : destroyed(destroyed) {}
    ~CMarkedNode() override { *destroyed = true; }

    bool QueryInterface(const GUID& id, void** out) override
    {
        if (IsEqualGUID(id, IID_TestMarker)) {
            *out = static_cast<IMarker*>(this);
            AddRef();
            return true;
        }
        return CSceneNode::QueryInterface(id, out);
    }
    ULONG AddRef() override { return CSceneNode::AddRef(); }
    ULONG Release() override { return CSceneNode::Release(); }
    int Mark() override { return 7; }

private:
    bool* destroyed;
};

TEST(NodeQuery, AnswersTheNodeIdsAndLeavesThePointerAloneOnRefusal)
{
    bool destroyed = false;
    CMarkedNode* object = new CMarkedNode(&destroyed);
    ISceneNode* node = object;
    EXPECT_EQ(node->AddRef(), 1u); // a new object starts at zero

    void* out = &destroyed; // any non-null sentinel
    EXPECT_FALSE(node->QueryInterface(IID_IBillboardQuad, &out));
    EXPECT_EQ(out, &destroyed);

    EXPECT_TRUE(node->QueryInterface(IID_ISceneNode, &out));
    EXPECT_EQ(out, static_cast<void*>(node));
    EXPECT_EQ(node->Release(), 1u);

    // Through the secondary interface: the same answers and the same count.
    IMarker* marker = object;
    EXPECT_TRUE(marker->QueryInterface(IID_ICoreUnknown, &out));
    EXPECT_EQ(out, static_cast<void*>(node));
    EXPECT_EQ(marker->AddRef(), 3u);
    EXPECT_EQ(node->Release(), 2u);
    EXPECT_EQ(marker->Release(), 1u);

    EXPECT_TRUE(node->QueryInterface(IID_TestMarker, &out));
    EXPECT_EQ(static_cast<IMarker*>(out)->Mark(), 7);
    EXPECT_EQ(static_cast<IMarker*>(out)->Release(), 1u);

    EXPECT_EQ(marker->Release(), 0u);
    EXPECT_TRUE(destroyed);
}

} // namespace
