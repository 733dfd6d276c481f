#include "MathExpect.h"

using vestra::test::NearlyEqual;

TEST(D3DXBounds, BoxAndSphereOverStridedPositions) {
    struct Vertex {
        D3DXVECTOR3 position;
        DWORD colour;
    } vertices[4] = {{{1, 0, 0}, 0}, {{-1, 0, 0}, 0}, {{0, 2, 0}, 0}, {{0, -2, 4}, 0}};
    D3DXVECTOR3 lo, hi;
    ASSERT_EQ(D3DXComputeBoundingBox(&vertices[0].position, 4, sizeof(Vertex), &lo, &hi), D3D_OK);
    EXPECT_TRUE(NearlyEqual(lo, {-1, -2, 0}, 0));
    EXPECT_TRUE(NearlyEqual(hi, {1, 2, 4}, 0));

    // Zero positions: the box degenerates to the first position.
    ASSERT_EQ(D3DXComputeBoundingBox(&vertices[3].position, 0, sizeof(Vertex), &lo, &hi), D3D_OK);
    EXPECT_TRUE(NearlyEqual(lo, {0, -2, 4}, 0));
    EXPECT_TRUE(NearlyEqual(hi, {0, -2, 4}, 0));
    EXPECT_EQ(D3DXComputeBoundingBox(nullptr, 4, 12, &lo, &hi), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXComputeBoundingBox(&vertices[0].position, 4, 12, nullptr, &hi), D3DERR_INVALIDCALL);

    D3DXVECTOR3 centre;
    float radius = 0;
    ASSERT_EQ(D3DXComputeBoundingSphere(&vertices[0].position, 4, sizeof(Vertex), &centre, &radius), D3D_OK);
    EXPECT_TRUE(NearlyEqual(centre, {0, 0, 1}));
    EXPECT_NEAR(radius, sqrtf(13.0f), 1e-5f);  // the last vertex, at (0, -2, 3) from the centre
    EXPECT_EQ(D3DXComputeBoundingSphere(&vertices[0].position, 4, sizeof(Vertex), &centre, nullptr),
              D3DERR_INVALIDCALL);
}

TEST(D3DXBounds, RayAgainstTriangleBothWindings) {
    const D3DXVECTOR3 a(0, 0, 5), b(4, 0, 5), c(0, 4, 5), origin(1, 2, 0), forward(0, 0, 2);
    float u = -1, v = -1, t = -1;
    ASSERT_TRUE(D3DXIntersectTri(&a, &b, &c, &origin, &forward, &u, &v, &t));
    EXPECT_FLOAT_EQ(u, 0.25f);
    EXPECT_FLOAT_EQ(v, 0.5f);
    EXPECT_FLOAT_EQ(t, 2.5f);  // in units of the direction's length
    EXPECT_TRUE(D3DXIntersectTri(&a, &c, &b, &origin, &forward, &u, &v, &t));
    EXPECT_FLOAT_EQ(u, 0.5f);

    const D3DXVECTOR3 backward(0, 0, -1), sideways(1, 0, 0), outside(3, 3, 0);
    EXPECT_FALSE(D3DXIntersectTri(&a, &b, &c, &origin, &backward, &u, &v, &t));
    EXPECT_FALSE(D3DXIntersectTri(&a, &b, &c, &origin, &sideways, &u, &v, &t));
    EXPECT_FALSE(D3DXIntersectTri(&a, &b, &c, &outside, &forward, &u, &v, &t));
}

TEST(D3DXBounds, SphereAndBoxProbes) {
    const D3DXVECTOR3 centre(0, 0, 10), lo(-1, -1, 9), hi(1, 1, 11);
    const D3DXVECTOR3 origin(0, 0, 0), ahead(0, 0, 1), behind(0, 0, -1), offset(0, 1.5f, 0), inside(0, 0, 10);
    EXPECT_TRUE(D3DXSphereBoundProbe(&centre, 1, &origin, &ahead));
    EXPECT_FALSE(D3DXSphereBoundProbe(&centre, 1, &origin, &behind));
    EXPECT_FALSE(D3DXSphereBoundProbe(&centre, 1, &offset, &ahead));
    EXPECT_TRUE(D3DXSphereBoundProbe(&centre, 1, &inside, &behind));

    EXPECT_TRUE(D3DXBoxBoundProbe(&lo, &hi, &origin, &ahead));
    EXPECT_FALSE(D3DXBoxBoundProbe(&lo, &hi, &origin, &behind));
    EXPECT_FALSE(D3DXBoxBoundProbe(&lo, &hi, &offset, &ahead));
    EXPECT_TRUE(D3DXBoxBoundProbe(&lo, &hi, &inside, &behind));
    const D3DXVECTOR3 diagonal(0.1f, 0.1f, 1);
    EXPECT_TRUE(D3DXBoxBoundProbe(&lo, &hi, &origin, &diagonal));
}
