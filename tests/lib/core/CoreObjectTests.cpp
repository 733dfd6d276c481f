// The object core: interface ids, reference counts, the node query rule, the template exports.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "Vestra.h"
#include "scene/SceneNode.h"

namespace {

std::string Format(const GUID& id)
{
    char text[40];
    std::snprintf(text, sizeof(text), "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", unsigned(id.Data1),
                  unsigned(id.Data2), unsigned(id.Data3), id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3],
                  id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    return text;
}

TEST(InterfaceIds, HaveThePublishedValues)
{
    EXPECT_EQ(Format(IID_ICoreUnknown), "2FF1584D-DACF-4B42-BE0C-A9490BAF4D02");
    EXPECT_EQ(Format(IID_ISceneNode), "8107D6B1-102C-41DB-81FF-ACB487AF3B78");
    EXPECT_EQ(Format(IID_IColoredNode), "58C00E43-93F3-41FD-BA2C-F997E048E77F");
    EXPECT_EQ(Format(IID_IBillboardQuad), "24F8C4AE-9FBD-4973-B6F4-9A3E2A0AF642");
    EXPECT_EQ(Format(IID_IBackground), "A0AFFA69-F4CE-4898-8EA1-9F2A94DF2E34");
    EXPECT_EQ(Format(IID_ISkybox), "2940E5E0-481E-4722-8279-C121AF7178A2");
    EXPECT_EQ(Format(IID_I3DQuad), "B85A318F-C43F-448D-BD56-0751043DACEF");
    EXPECT_EQ(Format(IID_IMotionPath), "55319B42-C957-45DA-ACFB-73CDEDDBF72C");
    EXPECT_EQ(Format(IID_IBSplineMotionPath), "96A8B2DA-7FD3-44AC-BE71-EAEDE515C251");
    EXPECT_EQ(Format(IID_IParticleEmitter), "F1D00AEB-1795-46B1-8F50-402A64E0BB38");
    EXPECT_EQ(Format(IID_IResManager), "52CDEAC7-9356-4723-BE4C-D32C150A76CD");
    EXPECT_EQ(Format(IID_IAnimationCollection), "6F465B97-D0EA-48EA-BF12-AE47335F7DEA");
    EXPECT_EQ(Format(IID_CResourceTracker), "EFAF1542-F442-47D8-86E9-82BFDA84E09E");
}

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

TEST(CoreRefCount, CountsUpAndDownAndDestroysAtZero)
{
    bool destroyed = false;
    ISceneNode* node = new CMarkedNode(&destroyed);
    EXPECT_EQ(node->AddRef(), 1u);
    EXPECT_EQ(node->AddRef(), 2u);
    EXPECT_EQ(node->AddRef(), 3u);
    EXPECT_EQ(node->Release(), 2u);
    EXPECT_EQ(node->Release(), 1u);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(node->Release(), 0u);
    EXPECT_TRUE(destroyed);
}

TEST(NodeQuery, AnswersTheNodeIdsAndLeavesThePointerAloneOnRefusal)
{
    bool destroyed = false;
    CMarkedNode* object = new CMarkedNode(&destroyed);
    ISceneNode* node = object;
    node->AddRef();

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

TEST(TemplateExports, KeepTheirValues)
{
    EXPECT_EQ(fnVestra(), 42);
    EXPECT_EQ(nVestra, 0);
}

} // namespace
