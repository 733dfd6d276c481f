// CreateBackground: screen corners, texture transform, colour rules and drawing.
#include "lib/nodes/NodeTestSupport.h"
#include "scene/nodes/BackgroundNode.h"

namespace {

using nodes_test::SceneFixture;

class BackgroundTest : public SceneFixture {
protected:
    CBackgroundNode* Make(RECT rect, const char* reference, const char* file)
    {
        return static_cast<CBackgroundNode*>(CreateBackground(scene, rect, reference, file));
    }
};

TEST_F(BackgroundTest, TransformAndRectangleKeepEachOther)
{
    CBackgroundNode* node = Make({0, 0, 10, 10}, "", "");
    IBackground* background = nullptr;
    ASSERT_TRUE(static_cast<ISceneNode*>(node)->QueryInterface(IID_IBackground, reinterpret_cast<void**>(&background)));
    D3DXMATRIX scaleAndScroll;
    D3DXMatrixScaling(&scaleAndScroll, 2, 1, 1);
    scaleAndScroll._42 = 0.25f;
    EXPECT_EQ(background->SetTextureTransform(&scaleAndScroll), S_OK);
    EXPECT_EQ(*background->GetTextureTransform(), scaleAndScroll);
    const RECT moved = {20, 30, 40, 50};
    EXPECT_EQ(background->SetRect(&moved), S_OK);
    const auto& v = node->Vertices();
    EXPECT_EQ(v[0].tu, 0.0f);
    EXPECT_EQ(v[2].tu, 2.0f) << "u runs 0 to 2 across the rectangle";
    EXPECT_EQ(v[0].tv, 1.25f);
    EXPECT_EQ(v[1].tv, 0.25f);
    EXPECT_EQ(v[3].x, 39.5f);
    EXPECT_EQ(v[3].y, 29.5f);
    EXPECT_EQ(background->SetRect(nullptr), E_POINTER);
    EXPECT_EQ(background->SetTextureTransform(nullptr), E_POINTER);
    EXPECT_EQ(background->Reserved(nullptr), E_NOTIMPL);
    background->Release();
    node->Release();
}

TEST_F(BackgroundTest, ColourIndexZeroOnly)
{
    CBackgroundNode* node = Make({0, 0, 4, 4}, "", "");
    IColoredNode* colored = node;
    const D3DXCOLOR red(1, 0, 0, 1);
    EXPECT_EQ(colored->SetColor(1, &red), E_INVALIDARG);
    EXPECT_EQ(colored->SetColor(0, nullptr), E_INVALIDARG);
    EXPECT_EQ(node->Vertices()[0].color, 0xFFFFFFFFu);
    EXPECT_EQ(colored->SetColor(0, &red), S_OK);
    EXPECT_EQ(node->Vertices()[3].color, 0xFFFF0000u);
    D3DXCOLOR out(0, 0, 0, 0);
    EXPECT_EQ(colored->GetColor(1, &out), colored->GetColor(0, nullptr));
    EXPECT_EQ(out, D3DXCOLOR(0, 0, 0, 0)) << "index 1 does not copy";
    EXPECT_EQ(colored->GetColor(0, &out), &out);
    EXPECT_EQ(out, red);
    node->Release();
}

TEST_F(BackgroundTest, NamesNeedBothStringsAndStageZeroIsAlwaysSet)
{
    nodes_test::WriteStrip(device.get(), folder / "sky.png", 4, 4);
    CBackgroundNode* unnamed = Make({0, 0, 4, 4}, nullptr, "sky.png");
    CBackgroundNode* named = Make({0, 0, 4, 4}, Reference().c_str(), "sky.png");
    scene->AddNode(named);
    scene->AddNode(unnamed);
    const std::vector<DWORD> before = nodes_test::StateSnapshot(device.get());
    EXPECT_EQ(RenderAndCountDraws(), 2u);
    EXPECT_EQ(nodes_test::StateSnapshot(device.get()), before);
    IDirect3DBaseTexture9* bound = reinterpret_cast<IDirect3DBaseTexture9*>(1);
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, nullptr) << "the unnamed background, drawn last, unbinds stage 0";
    named->Release();
    unnamed->Release();
}

} // namespace
