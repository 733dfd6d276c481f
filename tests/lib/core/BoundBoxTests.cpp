// CBoundBox algebra and the x-y helpers.
#include <gtest/gtest.h>

#include <cmath>

#include "BoundBox.h"

namespace {

CBoundBox Box(float lx, float ly, float lz, float hx, float hy, float hz)
{
    CBoundBox box;
    box.Set(D3DXVECTOR3(lx, ly, lz), D3DXVECTOR3(hx, hy, hz));
    return box;
}

void ExpectNear(const D3DXVECTOR3& actual, float x, float y, float z)
{
    EXPECT_NEAR(actual.x, x, 1e-4f);
    EXPECT_NEAR(actual.y, y, 1e-4f);
    EXPECT_NEAR(actual.z, z, 1e-4f);
}

TEST(BoundBox, UnionOfPointsAndBoxes)
{
    CBoundBox box;
    EXPECT_TRUE(box.IsEmpty());
    box.Union(D3DXVECTOR3(1, 2, 3));
    EXPECT_FALSE(box.IsEmpty());
    ExpectNear(box.Lo(), 1, 2, 3);
    ExpectNear(box.Hi(), 1, 2, 3);

    box.Union(D3DXVECTOR3(-1, 5, std::nanf("")));
    ExpectNear(box.Lo(), -1, 2, 3);
    ExpectNear(box.Hi(), 1, 5, 3);

    CBoundBox empty = Box(-100, -100, -100, 100, 100, 100);
    empty.SetEmpty();
    box.Union(empty);
    ExpectNear(box.Lo(), -1, 2, 3);
    ExpectNear(box.Hi(), 1, 5, 3);

    box.Union(Box(0, 0, 0, 0, 0, 10));
    ExpectNear(box.Lo(), -1, 0, 0);
    ExpectNear(box.Hi(), 1, 5, 10);
}

TEST(BoundBox, MidRangeOffsetAndScale)
{
    CBoundBox box = Box(0, 0, 0, 2, 4, 6);
    ExpectNear(box.Mid(), 1, 2, 3);
    EXPECT_FLOAT_EQ(box.Range(1), 4.0f);
    EXPECT_FLOAT_EQ(box.Range(3), 0.0f);

    box = Box(0, 0, 0, 2, 2, 2);
    box.Scale(D3DXVECTOR3(2, 2, 2));
    ExpectNear(box.Lo(), -1, -1, -1);
    ExpectNear(box.Hi(), 3, 3, 3);

    box.SetEmpty();
    box.Offset(D3DXVECTOR3(1, 1, 1));
    EXPECT_FALSE(box.IsEmpty());
    ExpectNear(box.Lo(), 0, 0, 0);
}

TEST(BoundBox, TransformByRotationAndNull)
{
    CBoundBox box = Box(-1, -1, 0, 1, 1, 0);
    box.TransformBy(nullptr);
    ExpectNear(box.Hi(), 1, 1, 0);

    D3DXMATRIX rotation;
    D3DXMatrixRotationZ(&rotation, D3DX_PI / 4.0f);
    box.TransformBy(&rotation);
    ExpectNear(box.Lo(), -1.4142f, -1.4142f, 0);
    ExpectNear(box.Hi(), 1.4142f, 1.4142f, 0);
}

TEST(BoundBoxXY, ContainmentCountsEdgesAndIgnoresZ)
{
    const CBoundBox box = Box(0, 0, 0, 4, 4, 0);
    EXPECT_TRUE(ContainsXY(D3DXVECTOR3(4, 4, 99), box));
    EXPECT_FALSE(ContainsXY(D3DXVECTOR3(4.001f, 2, 0), box));
    EXPECT_FALSE(ContainsXY(D3DXVECTOR3(std::nanf(""), 2, 0), box));
    EXPECT_TRUE(ContainsXY(Box(1, 1, -5, 4, 4, 5), box));
    EXPECT_FALSE(ContainsXY(Box(1, 1, 0, 5, 4, 0), box));
}

TEST(BoundBoxXY, IntersectionIsByCornersSoNotSymmetric)
{
    const CBoundBox big = Box(-10, -10, 0, 10, 10, 0);
    const CBoundBox small = Box(-1, -1, 0, 1, 1, 0);
    EXPECT_FALSE(IntersectsXY(big, small));
    EXPECT_TRUE(IntersectsXY(small, big));
    EXPECT_TRUE(IntersectsXY(Box(5, 5, 0, 20, 20, 0), big));
}

TEST(BoundBoxXY, ClosestPoints)
{
    const CBoundBox box = Box(0, 0, 0, 1, 1, 1);
    ExpectNear(ClosestPointInBox(D3DXVECTOR3(-2, 0.5f, 3), box), 0, 0.5f, 1);
    ExpectNear(ClosestPointInBoxXY(D3DXVECTOR3(-2, 5, 3), box), 0, 1, 3);
}

TEST(BoundBoxXY, OffsetToFit)
{
    D3DXVECTOR3 offset(9, 9, 9);
    EXPECT_TRUE(CalcOffsetToFitXY(Box(5, 5, 0, 7, 7, 0), Box(0, 0, 0, 6, 6, 0), offset));
    ExpectNear(offset, -1, -1, 0);
    // Wider than the target on x: both corrections apply and partly cancel.
    CalcOffsetToFitXY(Box(-2, 1, 0, 10, 2, 0), Box(0, 0, 0, 6, 6, 0), offset);
    ExpectNear(offset, 2 - 4, 0, 0);
}

} // namespace
