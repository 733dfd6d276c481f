#include "MathExpect.h"

using vestra::test::NearlyEqual;

namespace {

struct ProjectionFixture {
    D3DXMATRIX view, proj;
    D3DVIEWPORT9 viewport{0, 0, 640, 480, 0.0f, 1.0f};
    ProjectionFixture() {
        const D3DXVECTOR3 eye(0, 5, -10), at(0, 0, 0), up(0, 1, 0);
        D3DXMatrixLookAtLH(&view, &eye, &at, &up);
        D3DXMatrixPerspectiveFovLH(&proj, D3DX_PI / 4, 4.0f / 3.0f, 1, 100);
    }
};

}  // namespace

TEST(D3DXVector, ProjectAndUnprojectTheWorkedExample) {
    ProjectionFixture f;
    D3DXVECTOR3 out;
    const D3DXVECTOR3 origin(0, 0, 0), corner(1, 1, 1);
    D3DXVec3Project(&out, &origin, &f.viewport, &f.proj, &f.view, nullptr);
    EXPECT_TRUE(NearlyEqual(out, {320.0f, 240.0f, 0.919755f}));
    D3DXVec3Project(&out, &corner, &f.viewport, &f.proj, &f.view, nullptr);
    EXPECT_TRUE(NearlyEqual(out, {369.830883f, 173.144855f, 0.923230f}));

    D3DXVec3Unproject(&out, &out, &f.viewport, &f.proj, &f.view, nullptr);  // in place
    EXPECT_TRUE(NearlyEqual(out, {1, 1, 1}, 2e-3f));  // depth 0.92 keeps only ~4 digits of z

    // Without a viewport the normalised device coordinates come back.
    D3DXVec3Project(&out, &origin, nullptr, &f.proj, &f.view, nullptr);
    EXPECT_TRUE(NearlyEqual(out, {0, 0, 0.919755f}));

    // A singular transform cannot be unprojected.
    D3DXMATRIX flat;
    D3DXMatrixScaling(&flat, 1, 1, 0);
    EXPECT_EQ(D3DXVec3Unproject(&out, &origin, &f.viewport, &flat, nullptr, nullptr), nullptr);
}

TEST(D3DXVector, TransformsAndStridedArrays) {
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, 1, 2, 3);
    m._44 = 2;  // make W visible
    const D3DXVECTOR3 v(1, 1, 1);
    D3DXVECTOR3 out;
    D3DXVECTOR4 out4;
    EXPECT_TRUE(NearlyEqual(*D3DXVec3TransformCoord(&out, &v, &m), {1, 1.5f, 2}));
    EXPECT_TRUE(NearlyEqual(*D3DXVec3TransformNormal(&out, &v, &m), {1, 1, 1}));
    EXPECT_TRUE(NearlyEqual(*D3DXVec3Transform(&out4, &v, &m), {2, 3, 4, 2}));
    const D3DXVECTOR2 v2(1, 1);
    D3DXVECTOR2 out2;
    EXPECT_TRUE(NearlyEqual(*D3DXVec2TransformCoord(&out2, &v2, &m), {1, 1.5f}));

    // Vertices interleaved with a colour; the output is packed. The element after the
    // last must stay untouched.
    struct Vertex {
        D3DXVECTOR3 position;
        DWORD colour;
    } vertices[3] = {{{0, 0, 0}, 1}, {{2, 0, 0}, 2}, {{0, 4, 0}, 3}};
    D3DXVECTOR3 packed[4];
    packed[3] = D3DXVECTOR3(-7, -7, -7);
    D3DXMatrixTranslation(&m, 10, 0, 0);
    EXPECT_EQ(D3DXVec3TransformCoordArray(packed, sizeof(D3DXVECTOR3), &vertices[0].position, sizeof(Vertex), &m, 3),
              packed);
    EXPECT_TRUE(NearlyEqual(packed[1], {12, 0, 0}));
    EXPECT_TRUE(NearlyEqual(packed[2], {10, 4, 0}));
    EXPECT_TRUE(NearlyEqual(packed[3], {-7, -7, -7}));
    EXPECT_EQ(vertices[2].colour, 3u);
    D3DXVec3TransformNormalArray(&vertices[0].position, sizeof(Vertex), &vertices[0].position, sizeof(Vertex), &m, 3);
    EXPECT_TRUE(NearlyEqual(vertices[1].position, {2, 0, 0}));
    EXPECT_EQ(vertices[1].colour, 2u);
}

TEST(D3DXVector, NormaliseLengthsAndZeroVectors) {
    D3DXVECTOR3 v(3, 0, 4), n;
    EXPECT_FLOAT_EQ(D3DXVec3Length(&v), 5.0f);
    EXPECT_TRUE(NearlyEqual(*D3DXVec3Normalize(&n, &v), {0.6f, 0, 0.8f}));
    const D3DXVECTOR3 zero(0, 0, 0);
    EXPECT_TRUE(NearlyEqual(*D3DXVec3Normalize(&n, &zero), {0, 0, 0}, 0));
    D3DXVECTOR2 zero2(0, 0), n2;
    EXPECT_TRUE(NearlyEqual(*D3DXVec2Normalize(&n2, &zero2), {0, 0}, 0));
    D3DXVECTOR4 zero4(0, 0, 0, 0), n4;
    EXPECT_TRUE(NearlyEqual(*D3DXVec4Normalize(&n4, &zero4), {0, 0, 0, 0}, 0));

    D3DXVECTOR3 a(1, 0, 0), b(0, 1, 0);
    EXPECT_TRUE(NearlyEqual(*D3DXVec3Cross(&a, &a, &b), {0, 0, 1}));  // aliased output
    const D3DXVECTOR2 x(1, 0), y(0, 1);
    EXPECT_EQ(D3DXVec2CCW(&x, &y), 1.0f);
}

TEST(D3DXVector, SplinesPassThroughTheirControlPoints) {
    const D3DXVECTOR3 v0(0, 0, 0), v1(1, 2, 3), v2(4, 4, 4), v3(9, 0, -1), t1(1, 0, 0), t2(0, 1, 0);
    D3DXVECTOR3 out;
    EXPECT_TRUE(NearlyEqual(*D3DXVec3Hermite(&out, &v1, &t1, &v2, &t2, 0), {1, 2, 3}));
    EXPECT_TRUE(NearlyEqual(*D3DXVec3Hermite(&out, &v1, &t1, &v2, &t2, 1), {4, 4, 4}));
    // Midpoint: (v1 + v2) / 2 + (t1 - t2) / 8.
    EXPECT_TRUE(NearlyEqual(*D3DXVec3Hermite(&out, &v1, &t1, &v2, &t2, 0.5f), {2.625f, 2.875f, 3.5f}));
    EXPECT_TRUE(NearlyEqual(*D3DXVec3CatmullRom(&out, &v0, &v1, &v2, &v3, 0), {1, 2, 3}));
    EXPECT_TRUE(NearlyEqual(*D3DXVec3CatmullRom(&out, &v0, &v1, &v2, &v3, 1), {4, 4, 4}));
    EXPECT_TRUE(NearlyEqual(*D3DXVec3BaryCentric(&out, &v1, &v2, &v3, 0.25f, 0.5f), {5.75f, 1.5f, 1.25f}));

    // The 4D cross product is orthogonal to all three inputs.
    const D3DXVECTOR4 a(1, 2, 3, 4), b(-2, 0, 1, 5), c(3, -1, 2, 0);
    D3DXVECTOR4 cross;
    D3DXVec4Cross(&cross, &a, &b, &c);
    EXPECT_NEAR(D3DXVec4Dot(&cross, &a), 0.0f, 1e-4f);
    EXPECT_NEAR(D3DXVec4Dot(&cross, &b), 0.0f, 1e-4f);
    EXPECT_NEAR(D3DXVec4Dot(&cross, &c), 0.0f, 1e-4f);
    EXPECT_GT(D3DXVec4Length(&cross), 1.0f);
}

TEST(D3DXFloat16, RoundsToNearestEvenAndKeepsSpecialValues) {
    const float in[] = {1.0f, -2.0f, 65504.0f, 65520.0f, 0.1f, 5.9604645e-8f, 2.9802322e-8f, 1.0f + 1.0f / 2048};
    D3DXFLOAT16 half[8];
    D3DXFloat32To16Array(half, in, 8);
    const WORD expected[] = {0x3c00, 0xc000, 0x7bff, 0x7c00, 0x2e66, 0x0001, 0x0000, 0x3c00};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(half[i].value, expected[i]) << "input " << in[i];

    float back[8];
    D3DXFloat16To32Array(back, half, 8);
    EXPECT_EQ(back[2], 65504.0f);
    EXPECT_TRUE(std::isinf(back[3]));
    EXPECT_EQ(back[4], 0.0999755859375f);
    EXPECT_EQ(back[5], 5.9604645e-8f);  // smallest subnormal survives the round trip

    const float nan = NAN;
    D3DXFLOAT16 h(nan);
    EXPECT_TRUE(std::isnan((float)h));
    EXPECT_TRUE(D3DXFLOAT16(0.0f) == D3DXFLOAT16(-0.0f));
    const D3DXVECTOR3 fromHalf(half);
    EXPECT_TRUE(NearlyEqual(fromHalf, {1, -2, 65504}, 0));
}
