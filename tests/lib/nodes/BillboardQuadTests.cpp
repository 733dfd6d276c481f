// CreateBillboardQuad: interfaces, geometry, the camera-facing matrix and the alpha pulse.
#include "lib/nodes/NodeTestSupport.h"
#include "scene/nodes/BillboardQuad.h"

namespace {

using nodes_test::SceneFixture;

class BillboardTest : public SceneFixture {
protected:
    CBillboardQuad* Make(D3DXVECTOR3 position, float width, float height, float depth = 0.0f)
    {
        return static_cast<CBillboardQuad*>(CreateBillboardQuad(scene, position, D3DXCOLOR(1.0f, 0.5f, 0.0f, 1.0f),
                                                                width, height, "", nullptr, depth));
    }
};

BYTE AlphaOf(D3DCOLOR color)
{
    return static_cast<BYTE>(color >> 24);
}

TEST_F(BillboardTest, AnswersBothInterfacesOnOneCount)
{
    CBillboardQuad* node = Make({0, 0, 0}, 2, 2);
    IColoredNode* colored = nullptr;
    ASSERT_TRUE(static_cast<ISceneNode*>(node)->QueryInterface(IID_IColoredNode, reinterpret_cast<void**>(&colored)));
    IBillboardQuad* billboard = nullptr;
    ASSERT_TRUE(colored->QueryInterface(IID_IBillboardQuad, reinterpret_cast<void**>(&billboard)));
    EXPECT_EQ(billboard, static_cast<IBillboardQuad*>(node));
    void* core = nullptr;
    ASSERT_TRUE(colored->QueryInterface(IID_ICoreUnknown, &core));
    EXPECT_EQ(core, static_cast<ISceneNode*>(node));
    EXPECT_EQ(billboard->Release(), 3u);
    EXPECT_EQ(colored->Release(), 2u);
    EXPECT_EQ(static_cast<ISceneNode*>(core)->Release(), 1u);
    EXPECT_EQ(static_cast<ISceneNode*>(node)->Release(), 0u);
}

TEST_F(BillboardTest, CornersAtDepthZeroWhateverTheFactoryDepth)
{
    CBillboardQuad* node = Make({0, 0, 0}, 4, 2, 5.0f);
    const auto& v = node->Vertices();
    ASSERT_EQ(v.size(), 4u);
    const float expected[4][4] = {{-2, -1, 0, 1}, {-2, 1, 0, 0}, {2, -1, 1, 1}, {2, 1, 1, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v[i].position, D3DXVECTOR3(expected[i][0], expected[i][1], 0.0f)) << i;
        EXPECT_EQ(v[i].tu, expected[i][2]);
        EXPECT_EQ(v[i].tv, expected[i][3]);
    }
    const D3DXVECTOR2 size(6, 8);
    static_cast<IBillboardQuad*>(node)->SetSize(&size, 3.0f);
    EXPECT_EQ(v[3].position, D3DXVECTOR3(3, 4, 3));
    node->Release();
}

TEST_F(BillboardTest, PulseSetsAlphaFromAccumulatedTime)
{
    CBillboardQuad* node = Make({0, 0, 0}, 2, 2);
    IBillboardQuad* billboard = node;
    const float quarterTurn = D3DX_PI / 2;
    node->Update(1.0f / 3.0f);
    EXPECT_EQ(node->Vertices()[0].color, 0xFFFF8000u) << "time runs while not pulsing, colours stay";
    EXPECT_EQ(billboard->SetPulse(true, 0.0f, 1.0f, quarterTurn), S_OK);
    EXPECT_NEAR(AlphaOf(node->Vertices()[0].color), 128, 1) << "sin(pi/6) at once";
    EXPECT_EQ(node->Vertices()[3].color & 0xFFFFFF, 0xFF8000u);
    node->Update(2.0f / 3.0f);
    EXPECT_EQ(AlphaOf(node->Vertices()[0].color), 255);
    billboard->SetPulse(true, 1.0f, 0.0f, quarterTurn);
    EXPECT_EQ(AlphaOf(node->Vertices()[0].color), 0) << "1 - sin(pi/2)";
    node->Update(2.0f);
    EXPECT_EQ(AlphaOf(node->Vertices()[0].color), 255) << "1 - sin(3pi/2) = 2, packed to 255";
    billboard->SetPulse(true, 0.0f, 0.5f, quarterTurn);
    EXPECT_NEAR(AlphaOf(node->Vertices()[0].color), 128, 1) << "|0.5 sin(3pi/2)|";
    billboard->SetPulse(false, 0.0f, 1.0f, quarterTurn);
    node->Update(1.0f);
    EXPECT_NEAR(AlphaOf(node->Vertices()[0].color), 128, 1) << "stopping keeps the last colours";
    const D3DXCOLOR opaque(1, 1, 1, 1);
    static_cast<IColoredNode*>(node)->SetColor(0, &opaque);
    EXPECT_EQ(node->Vertices()[0].color, 0xFFFFFFFFu);
    node->Release();
}

} // namespace
