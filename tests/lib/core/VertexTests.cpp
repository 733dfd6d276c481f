// Vertex layouts, format codes and colour packing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>

#include <d3dx9.h>

#include "Vertices.h"

namespace {

// Each layout's size is the stride the device derives from its format code.
TEST(Vertices, LayoutsMatchTheirFormatCodes)
{
    EXPECT_EQ(sizeof(UNLITVERTEX), D3DXGetFVFVertexSize(UNLITVERTEX::FVF));
    EXPECT_EQ(sizeof(LITVERTEX), D3DXGetFVFVertexSize(LITVERTEX::FVF));
    EXPECT_EQ(sizeof(LITCOLOREDVERTEX), D3DXGetFVFVertexSize(LITCOLOREDVERTEX::FVF));
    EXPECT_EQ(sizeof(VERTEX2D), D3DXGetFVFVertexSize(VERTEX2D::FVF));
    EXPECT_EQ(offsetof(UNLITVERTEX, color), 24u);
    EXPECT_EQ(offsetof(VERTEX2D, color), 16u);
}

TEST(Vertices, ColourPackingRoundsAndSaturates)
{
    LITCOLOREDVERTEX v;
    v.Set(D3DXVECTOR3(0, 0, 0), D3DXCOLOR(1.0f, 0.5f, 0.0f, 2.0f));
    EXPECT_EQ(v.color, 0xFFFF8000u);
    v.Set(D3DXVECTOR3(0, 0, 0), D3DXCOLOR(-0.5f, 1.5f, 0.25f, -3.0f));
    EXPECT_EQ(v.color, 0x0000FF40u); // 0.25 * 255 + 0.5 = 64.25
    v.Set(D3DXVECTOR3(0, 0, 0), D3DXCOLOR(std::nanf(""), 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(v.color, 0xFF000000u);
}

TEST(Vertices, ScreenVertexSetWritesZeroDepth)
{
    VERTEX2D v;
    v.Set(1.0f, 2.0f, 0.9f, 0.5f, D3DXCOLOR(1, 1, 1, 1), 0.0f, 0.0f);
    v.Set(D3DXVECTOR2(10, 20), 1.0f, D3DXCOLOR(1, 0, 0, 1), D3DXVECTOR2(1, 1));
    EXPECT_EQ(v.x, 10.0f);
    EXPECT_EQ(v.y, 20.0f);
    EXPECT_EQ(v.z, 0.0f);
    EXPECT_EQ(v.rhw, 1.0f);
    EXPECT_EQ(v.color, 0xFFFF0000u);

}

} // namespace
