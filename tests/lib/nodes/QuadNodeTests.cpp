// CreateQuad: interfaces and counts, geometry and facing, colour, drawing and textures.
#include "lib/nodes/NodeTestSupport.h"
#include "scene/nodes/QuadNode.h"

namespace {

using nodes_test::SceneFixture;

class QuadNodeTest : public SceneFixture {
protected:
    CQuadNode* Make(D3DXVECTOR3 c1, D3DXVECTOR3 c2, const char* file = nullptr)
    {
        return static_cast<CQuadNode*>(
            CreateQuad(scene, c1, c2, D3DXCOLOR(1.0f, 0.5f, 0.0f, 1.0f), Reference().c_str(), file));
    }
};

// Whether the first strip triangle runs clockwise when seen from above (+y looking down).
bool ClockwiseFromAbove(const std::vector<LITVERTEX>& v)
{
    const D3DXVECTOR3 a = v[1].position - v[0].position;
    const D3DXVECTOR3 b = v[2].position - v[0].position;
    // Left-handed: looking down -y, x to the right and z up the screen; clockwise there
    // means the cross product's y is positive.
    return a.z * b.x - a.x * b.z > 0.0f;
}

TEST_F(QuadNodeTest, CountsAndQueriesShareOneObject)
{
    CQuadNode* node = Make({-1, 0, -1}, {1, 0, 1});
    ISceneNode* asNode = node;
    void* out = &out;
    EXPECT_FALSE(asNode->QueryInterface(IID_IBillboardQuad, &out));
    EXPECT_EQ(out, &out) << "a refused query leaves a node's out pointer as it was";

    IColoredNode* colored = nullptr;
    ASSERT_TRUE(asNode->QueryInterface(IID_IColoredNode, reinterpret_cast<void**>(&colored)));
    EXPECT_EQ(colored, static_cast<IColoredNode*>(node));
    void* core = nullptr;
    ASSERT_TRUE(colored->QueryInterface(IID_ICoreUnknown, &core));
    EXPECT_EQ(core, asNode);
    EXPECT_EQ(colored->AddRef(), 4u);
    EXPECT_EQ(asNode->Release(), 3u);
    colored->Release();
    colored->Release();
    EXPECT_EQ(asNode->Release(), 0u);
}

TEST_F(QuadNodeTest, CornersCentredInXZAndVisibleFromAbove)
{
    CQuadNode* node = Make({-3, 2, 0}, {1, 2, 2});
    const auto& v = node->Vertices();
    ASSERT_EQ(v.size(), 4u);
    // Half extents 2, 0, 1: the box's position is not used.
    const float expected[4][5] = {{-2, 0, -1, 0, 1}, {-2, 0, 1, 0, 0}, {2, 0, -1, 1, 1}, {2, 0, 1, 1, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v[i].position, D3DXVECTOR3(expected[i][0], expected[i][1], expected[i][2])) << i;
        EXPECT_EQ(v[i].tu, expected[i][3]) << i;
        EXPECT_EQ(v[i].tv, expected[i][4]) << i;
        EXPECT_EQ(v[i].color, 0xFFFF8000u) << i;
    }
    EXPECT_TRUE(ClockwiseFromAbove(v));
    EXPECT_TRUE(node->GetBoundingBox(nullptr)->IsEmpty()) << "the quad is never culled";
    node->Release();
}

TEST_F(QuadNodeTest, ReversedCornersMirrorOrTurnTheQuad)
{
    CQuadNode* mirrored = Make({1, 0, -1}, {-1, 0, 1});
    EXPECT_FALSE(ClockwiseFromAbove(mirrored->Vertices())) << "one axis reversed: seen from below";
    CQuadNode* turned = Make({1, 0, 1}, {-1, 0, -1});
    EXPECT_TRUE(ClockwiseFromAbove(turned->Vertices()));
    EXPECT_EQ(turned->Vertices()[0].position, D3DXVECTOR3(1, 0, 1)) << "half a turn about y";
    CQuadNode* lifted = Make({0, 1, 0}, {2, 5, 2});
    EXPECT_EQ(lifted->Vertices()[0].position.y, 2.0f);
    CQuadNode* lowered = Make({0, 5, 0}, {2, 1, 2});
    EXPECT_EQ(lowered->Vertices()[0].position.y, -2.0f);
    for (CQuadNode* node : {mirrored, turned, lifted, lowered}) {
        node->Release();
    }
}

TEST_F(QuadNodeTest, ColourInterface)
{
    CQuadNode* node = Make({-1, 0, -1}, {1, 0, 1});
    IColoredNode* colored = node;
    EXPECT_EQ(colored->SetColor(0, nullptr), E_POINTER);
    EXPECT_EQ(node->Vertices()[0].color, 0xFFFF8000u);
    const D3DXCOLOR half(0.0f, 0.0f, 1.0f, 0.5f);
    EXPECT_EQ(colored->SetColor(7, &half), S_OK);
    for (const LITVERTEX& vertex : node->Vertices()) {
        EXPECT_EQ(vertex.color, 0x800000FFu);
    }
    D3DXCOLOR out(9, 9, 9, 9);
    EXPECT_EQ(colored->GetColor(3, &out), colored->GetColor(0, nullptr));
    EXPECT_EQ(out, half);
    EXPECT_EQ(colored->GetColorCount(), 1);
    node->Release();
}

TEST_F(QuadNodeTest, DrawsOnceWithStatesRestoredAndTextureShared)
{
    nodes_test::WriteStrip(device.get(), folder / "ground.png", 8, 8);
    CQuadNode* first = Make({-1, 0, -1}, {1, 0, 1}, "ground.png");
    CQuadNode* second = Make({-1, 0, -1}, {1, 0, 1}, "ground.png");
    IDirect3DTexture9* texture = scene->GetResourceManager()->GetTexture(device.get(), Reference().c_str(),
                                                                         "ground.png", ".dds", FALSE);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(resources_test::ReferenceCount(texture), 4u) << "manager, two quads and this test";
    texture->Release();

    scene->AddNode(first);
    first->Release();
    const std::vector<DWORD> before = nodes_test::StateSnapshot(device.get());
    EXPECT_EQ(RenderAndCountDraws(), 1u);
    EXPECT_EQ(nodes_test::StateSnapshot(device.get()), before);
    IDirect3DBaseTexture9* bound = nullptr;
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, texture);
    if (bound != nullptr) {
        bound->Release();
    }
    device->SetTexture(0, nullptr);

    EXPECT_EQ(second->Release(), 0u);
    EXPECT_EQ(resources_test::ReferenceCount(texture), 2u);
}

} // namespace
