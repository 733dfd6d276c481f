// Vertex layouts, format codes and colour packing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>

#include "Vertices.h"

namespace {

TEST(Vertices, FormatCodesAndLayouts)
{
    EXPECT_EQ(UNLITVERTEX::FVF, 0x152u);
    EXPECT_EQ(LITVERTEX::FVF, 0x142u);
    EXPECT_EQ(LITCOLOREDVERTEX::FVF, 0x42u);
    EXPECT_EQ(VERTEX2D::FVF, 0x144u);
    // The strides the device derives from those codes.
    EXPECT_EQ(sizeof(UNLITVERTEX), 36u);
    EXPECT_EQ(sizeof(LITVERTEX), 24u);
    EXPECT_EQ(sizeof(LITCOLOREDVERTEX), 16u);
    EXPECT_EQ(sizeof(VERTEX2D), 28u);
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

TEST(Vertices, ScreenVertexSetWritesZeroDepthAndSetUVTouchesOnlyUV)
{
    VERTEX2D v;
    v.Set(1.0f, 2.0f, 0.9f, 0.5f, D3DXCOLOR(1, 1, 1, 1), 0.0f, 0.0f);
    v.Set(D3DXVECTOR2(10, 20), 1.0f, D3DXCOLOR(1, 0, 0, 1), D3DXVECTOR2(1, 1));
    EXPECT_EQ(v.x, 10.0f);
    EXPECT_EQ(v.y, 20.0f);
    EXPECT_EQ(v.z, 0.0f);
    EXPECT_EQ(v.rhw, 1.0f);
    EXPECT_EQ(v.color, 0xFFFF0000u);

    v.SetUV(D3DXVECTOR2(0.5f, 0.125f));
    EXPECT_EQ(v.tu, 0.5f);
    EXPECT_EQ(v.tv, 0.125f);
    EXPECT_EQ(v.x, 10.0f);
    EXPECT_EQ(v.rhw, 1.0f);
    EXPECT_EQ(v.color, 0xFFFF0000u);
}

} // namespace
