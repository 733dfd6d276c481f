#include "MathExpect.h"

using vestra::test::NearlyEqual;

TEST(D3DXPlane, IntersectionsAndParallelLines) {
    D3DXVECTOR3 hit;
    const D3DXPLANE p(-3, -1, 4, 7);
    const D3DXVECTOR3 v1(9, 6, 3), v2(2, 5, 8);
    ASSERT_EQ(D3DXPlaneIntersectLine(&hit, &p, &v1, &v2), &hit);
    EXPECT_TRUE(NearlyEqual(hit, {20.0f / 3, 17.0f / 3, 14.0f / 3}));

    const D3DXPLANE y1(0, 1, 0, -1);
    const D3DXVECTOR3 a(2, 3, 4), up(2, 5, 4), side(3, 3, 4);
    ASSERT_NE(D3DXPlaneIntersectLine(&hit, &y1, &a, &up), nullptr);  // beyond the segment: still a hit
    EXPECT_TRUE(NearlyEqual(hit, {2, 1, 4}));
    hit = D3DXVECTOR3(-5, -5, -5);
    EXPECT_EQ(D3DXPlaneIntersectLine(&hit, &y1, &a, &side), nullptr);
    EXPECT_TRUE(NearlyEqual(hit, {-5, -5, -5}, 0));  // untouched
}

TEST(D3DXPlane, ConstructionNormalisationAndTransform) {
    D3DXPLANE p;
    const D3DXVECTOR3 o(0, 0, 0), z(0, 0, 1), x(1, 0, 0);
    EXPECT_TRUE(NearlyEqual(*D3DXPlaneFromPoints(&p, &o, &z, &x), {0, 1, 0, 0}));
    const D3DXVECTOR3 point(1, 2, 3), normal(0, 0, 2);
    EXPECT_TRUE(NearlyEqual(*D3DXPlaneFromPointNormal(&p, &point, &normal), {0, 0, 2, -6}));
    EXPECT_FLOAT_EQ(D3DXPlaneDotCoord(&p, &o), -6.0f);
    EXPECT_FLOAT_EQ(D3DXPlaneDotNormal(&p, &point), 6.0f);
    const D3DXVECTOR4 direction(0, 0, 1, 0);
    EXPECT_FLOAT_EQ(D3DXPlaneDot(&p, &direction), 2.0f);

    EXPECT_TRUE(NearlyEqual(*D3DXPlaneNormalize(&p, &p), {0, 0, 1, -3}));
    const D3DXPLANE degenerate(0, 0, 0, 5);
    EXPECT_TRUE(NearlyEqual(*D3DXPlaneNormalize(&p, &degenerate), {0, 0, 0, 0}, 0));

    // Moving the plane z = 3 up by 2 takes the inverse transpose of the translation.
    D3DXMATRIX move, inverse;
    D3DXMatrixTranslation(&move, 0, 0, 2);
    D3DXMatrixInverse(&inverse, nullptr, &move);
    D3DXMatrixTranspose(&inverse, &inverse);
    const D3DXPLANE planes[2] = {D3DXPLANE(0, 0, 1, -3), D3DXPLANE(1, 0, 0, 0)};
    D3DXPLANE moved[2];
    D3DXPlaneTransformArray(moved, sizeof(D3DXPLANE), planes, sizeof(D3DXPLANE), &inverse, 2);
    EXPECT_TRUE(NearlyEqual(moved[0], {0, 0, 1, -5}));
    EXPECT_TRUE(NearlyEqual(moved[1], {1, 0, 0, 0}));
}

TEST(D3DXColor, PackingRoundsAndSaturates) {
    EXPECT_EQ((DWORD)D3DXCOLOR(1.0f, 0.5f, 0.0f, 2.0f), 0xFFFF8000u);
    EXPECT_EQ((DWORD)D3DXCOLOR(-1.0f, 0.999f, 0.6f / 255, 0.4f / 255), 0x0000FF01u);
    EXPECT_EQ((DWORD)D3DXCOLOR(0.2f / 255, 1.49f / 255, 0, 0), 0x00000100u);

    const D3DXCOLOR unpacked(0x80FF4000u);
    EXPECT_TRUE(NearlyEqual(unpacked, {1.0f, 64.0f / 255, 0.0f, 128.0f / 255}, 1e-7f));
    EXPECT_EQ((DWORD)unpacked, 0x80FF4000u);

    EXPECT_EQ(D3DCOLOR_COLORVALUE(0.5f, 0.5f, 0.5f, 1.0f), 0xFF7F7F7Fu);  // truncates
    EXPECT_EQ((DWORD)D3DXCOLOR(0.5f, 0.5f, 0.5f, 1.0f), 0xFF808080u);   // rounds
}

TEST(D3DXColor, ArithmeticIsUnclampedAndKeepsAlphaWhereDocumented) {
    const D3DXCOLOR c(0.2f, 0.4f, 0.8f, 0.5f), white(1, 1, 1, 1);
    D3DXCOLOR out;
    EXPECT_TRUE(NearlyEqual(*D3DXColorNegative(&out, &c), {0.8f, 0.6f, 0.2f, 0.5f}));
    EXPECT_TRUE(NearlyEqual(*D3DXColorScale(&out, &c, 3), {0.6f, 1.2f, 2.4f, 1.5f}));
    EXPECT_TRUE(NearlyEqual(*D3DXColorModulate(&out, &c, &c), {0.04f, 0.16f, 0.64f, 0.25f}));
    EXPECT_TRUE(NearlyEqual(*D3DXColorLerp(&out, &c, &white, 2), {1.8f, 1.6f, 1.2f, 1.5f}));

    EXPECT_TRUE(NearlyEqual(*D3DXColorAdjustContrast(&out, &c, 0), {0.5f, 0.5f, 0.5f, 0.5f}));
    EXPECT_TRUE(NearlyEqual(*D3DXColorAdjustContrast(&out, &c, 2), {-0.1f, 0.3f, 1.1f, 0.5f}));
    const float grey = 0.2f * 0.2125f + 0.4f * 0.7154f + 0.8f * 0.0721f;
    EXPECT_TRUE(NearlyEqual(*D3DXColorAdjustSaturation(&out, &c, 0), {grey, grey, grey, 0.5f}));
    EXPECT_TRUE(NearlyEqual(*D3DXColorAdjustSaturation(&out, &c, 1), {0.2f, 0.4f, 0.8f, 0.5f}));
}

TEST(D3DXFresnel, NormalIncidenceAndGrazing) {
    EXPECT_NEAR(D3DXFresnelTerm(1.0f, 1.5f), 0.04f, 1e-6f);  // ((n - 1) / (n + 1))^2
    EXPECT_NEAR(D3DXFresnelTerm(0.0f, 1.5f), 1.0f, 1e-6f);
}
