#include "MathExpect.h"

using vestra::test::MatricesNear;
using vestra::test::NearlyEqual;

namespace {

const D3DXVECTOR3 kEye(0, 5, -10), kAt(0, 0, 0), kUp(0, 1, 0);

D3DXQUATERNION AxisAngleZ(float angle) {
    const D3DXVECTOR3 z(0, 0, 1);
    D3DXQUATERNION q;
    return *D3DXQuaternionRotationAxis(&q, &z, angle);
}

D3DXMATRIX Rotation(const D3DXVECTOR3& axis, float angle) {
    D3DXMATRIX m;
    return *D3DXMatrixRotationAxis(&m, &axis, angle);
}

}  // namespace

TEST(D3DXMatrix, MultiplyAppliesTheLeftOperandFirstAndMayAlias) {
    D3DXMATRIX scale, move, both;
    D3DXMatrixScaling(&scale, 2, 3, 4);
    D3DXMatrixTranslation(&move, 10, 20, 30);
    D3DXMatrixMultiply(&both, &scale, &move);
    EXPECT_TRUE(MatricesNear(both, D3DXMATRIX(2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 10, 20, 30, 1)));

    D3DXMATRIX a(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16), b = a;
    const D3DXMATRIX expected(90, 100, 110, 120, 202, 228, 254, 280, 314, 356, 398, 440, 426, 484, 542, 600);
    EXPECT_TRUE(MatricesNear(a * b, expected));
    D3DXMatrixMultiply(&a, &a, &a);  // output aliasing both inputs
    EXPECT_TRUE(MatricesNear(a, expected));

    D3DXMATRIX t;
    D3DXMatrixMultiplyTranspose(&t, &b, &b);
    EXPECT_EQ(t._12, expected._21);
    EXPECT_EQ(t._41, expected._14);
}

TEST(D3DXMatrix, RotationsTurnTheAxesClockwiseLookingTowardTheOrigin) {
    const float quarter = D3DX_PI / 2;
    D3DXMATRIX m;
    D3DXVECTOR3 v;
    const D3DXVECTOR3 x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    D3DXVec3TransformNormal(&v, &y, D3DXMatrixRotationX(&m, quarter));
    EXPECT_TRUE(NearlyEqual(v, {0, 0, 1}, 1e-6f));
    D3DXVec3TransformNormal(&v, &z, D3DXMatrixRotationY(&m, quarter));
    EXPECT_TRUE(NearlyEqual(v, {1, 0, 0}, 1e-6f));
    D3DXVec3TransformNormal(&v, &x, D3DXMatrixRotationZ(&m, quarter));
    EXPECT_TRUE(NearlyEqual(v, {0, 1, 0}, 1e-6f));

    // The general axis form reproduces each, and normalises the axis it is given.
    EXPECT_TRUE(MatricesNear(Rotation(D3DXVECTOR3(0, 0, 5), 0.7f), *D3DXMatrixRotationZ(&m, 0.7f)));
    EXPECT_TRUE(MatricesNear(Rotation(D3DXVECTOR3(-3, 0, 0), 0.7f), *D3DXMatrixRotationX(&m, -0.7f)));

    // Yaw-pitch-roll is roll, then pitch, then yaw.
    D3DXMATRIX roll, pitch, yaw, ypr;
    D3DXMatrixRotationZ(&roll, 0.3f);
    D3DXMatrixRotationX(&pitch, -1.1f);
    D3DXMatrixRotationY(&yaw, 2.0f);
    EXPECT_TRUE(MatricesNear(*D3DXMatrixRotationYawPitchRoll(&ypr, 2.0f, -1.1f, 0.3f), roll * pitch * yaw));
}

TEST(D3DXMatrix, InverseDeterminantAndSingularMatrices) {
    D3DXMATRIX world = Rotation(D3DXVECTOR3(1, 2, 3), 0.9f), move, inverse;
    D3DXMatrixTranslation(&move, 4, -5, 6);
    world *= move;
    float det = 0;
    ASSERT_EQ(D3DXMatrixInverse(&inverse, &det, &world), &inverse);
    EXPECT_NEAR(det, 1.0f, 1e-5f);
    D3DXMATRIX identity;
    EXPECT_TRUE(MatricesNear(world * inverse, *D3DXMatrixIdentity(&identity), 1e-5f));

    D3DXMATRIX general(2, 0, 1, 3, 1, 4, 0, 2, 0, 1, 5, 1, 3, 2, 1, 6);
    EXPECT_NEAR(D3DXMatrixDeterminant(&general), 53.0f, 1e-4f);
    ASSERT_NE(D3DXMatrixInverse(&inverse, nullptr, &general), nullptr);
    EXPECT_TRUE(MatricesNear(inverse * general, identity, 1e-5f));
    D3DXMATRIX aliased = general;
    D3DXMatrixInverse(&aliased, nullptr, &aliased);
    EXPECT_TRUE(MatricesNear(aliased, inverse));

    // Two equal rows: determinant 0, no inverse, and the caller still learns the determinant.
    D3DXMATRIX singular(1, 2, 3, 4, 1, 2, 3, 4, 0, 1, 0, 0, 0, 0, 1, 1);
    det = 99;
    EXPECT_EQ(D3DXMatrixInverse(&inverse, &det, &singular), nullptr);
    EXPECT_EQ(det, 0.0f);
    D3DXMATRIX zero(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(D3DXMatrixInverse(&inverse, nullptr, &zero), nullptr);
}

TEST(D3DXMatrix, LookAtAndPerspectiveMatchTheWorkedExample) {
    D3DXMATRIX view, proj;
    D3DXMatrixLookAtLH(&view, &kEye, &kAt, &kUp);
    EXPECT_TRUE(MatricesNear(view, D3DXMATRIX(1, 0, 0, 0, 0, 0.894427f, -0.447214f, 0, 0, 0.447214f, 0.894427f, 0,
                                              0, 0, 11.180340f, 1)));
    D3DXMatrixLookAtRH(&view, &kEye, &kAt, &kUp);
    EXPECT_TRUE(MatricesNear(view, D3DXMATRIX(-1, 0, 0, 0, 0, 0.894427f, 0.447214f, 0, 0, 0.447214f, -0.894427f, 0,
                                              0, 0, -11.180340f, 1)));

    D3DXMatrixPerspectiveFovLH(&proj, D3DX_PI / 4, 4.0f / 3.0f, 1, 100);
    EXPECT_TRUE(MatricesNear(proj, D3DXMATRIX(1.810660f, 0, 0, 0, 0, 2.414214f, 0, 0, 0, 0, 1.010101f, 1, 0, 0,
                                              -1.010101f, 0)));
    D3DXMatrixPerspectiveFovRH(&proj, D3DX_PI / 4, 4.0f / 3.0f, 1, 100);
    EXPECT_TRUE(MatricesNear(proj, D3DXMATRIX(1.810660f, 0, 0, 0, 0, 2.414214f, 0, 0, 0, 0, -1.010101f, -1, 0, 0,
                                              -1.010101f, 0)));

    // Near and far planes land on depth 0 and 1.
    D3DXVECTOR3 p, nearPoint(0, 0, 2), farPoint(0, 0, 50);
    D3DXMatrixPerspectiveLH(&proj, 2, 1, 2, 50);
    EXPECT_NEAR(D3DXVec3TransformCoord(&p, &nearPoint, &proj)->z, 0.0f, 1e-6f);
    EXPECT_NEAR(D3DXVec3TransformCoord(&p, &farPoint, &proj)->z, 1.0f, 1e-6f);
    D3DXMatrixPerspectiveOffCenterLH(&proj, -1, 1, -0.5f, 0.5f, 2, 50);
    D3DXMATRIX centred;
    EXPECT_TRUE(MatricesNear(proj, *D3DXMatrixPerspectiveLH(&centred, 2, 1, 2, 50)));
}

TEST(D3DXMatrix, OrthographicProjections) {
    D3DXMATRIX m;
    D3DXVECTOR3 p;
    D3DXMatrixOrthoOffCenterLH(&m, 0, 640, 480, 0, 0, 1);
    const D3DXVECTOR3 topLeft(0, 0, 0), bottomRight(640, 480, 1);
    EXPECT_TRUE(NearlyEqual(*D3DXVec3TransformCoord(&p, &topLeft, &m), {-1, 1, 0}));
    EXPECT_TRUE(NearlyEqual(*D3DXVec3TransformCoord(&p, &bottomRight, &m), {1, -1, 1}));

    D3DXMatrixOrthoLH(&m, 4, 2, 1, 11);
    EXPECT_TRUE(MatricesNear(m, D3DXMATRIX(0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0.1f, 0, 0, 0, -0.1f, 1)));
    D3DXMatrixOrthoRH(&m, 4, 2, 1, 11);
    EXPECT_TRUE(MatricesNear(m, D3DXMATRIX(0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -0.1f, 0, 0, 0, -0.1f, 1)));
}

TEST(D3DXMatrix, DecomposeAndTransformationRebuildEachOther) {
    D3DXQUATERNION rotation;
    D3DXVECTOR3 axis(1, -2, 0.5f);
    D3DXQuaternionRotationAxis(&rotation, &axis, 1.2f);
    const D3DXVECTOR3 scaling(2, 3, 0.5f), translation(7, -8, 9);
    D3DXMATRIX m;
    D3DXMatrixTransformation(&m, nullptr, nullptr, &scaling, nullptr, &rotation, &translation);

    D3DXVECTOR3 s, t;
    D3DXQUATERNION r;
    ASSERT_EQ(D3DXMatrixDecompose(&s, &r, &t, &m), S_OK);
    EXPECT_TRUE(NearlyEqual(s, {2, 3, 0.5f}));
    EXPECT_TRUE(NearlyEqual(t, {7, -8, 9}));
    EXPECT_TRUE(NearlyEqual(r, {rotation.x, rotation.y, rotation.z, rotation.w}));

    // Scaling along axes turned by the scaling rotation, about the scaling centre: x scaled
    // by 2 after a quarter turn about z stretches y, measured from (1, 0, 0).
    const D3DXVECTOR3 stretch(2, 1, 1), scalingCentre(1, 0, 0), p(1, 1, 0);
    const D3DXQUATERNION quarterZ = AxisAngleZ(D3DX_PI / 2);
    D3DXVECTOR3 q;
    D3DXMatrixTransformation(&m, &scalingCentre, &quarterZ, &stretch, nullptr, nullptr, nullptr);
    EXPECT_TRUE(NearlyEqual(*D3DXVec3TransformCoord(&q, &p, &m), {1, 2, 0}, 1e-6f));

    D3DXMATRIX flat;
    D3DXMatrixScaling(&flat, 1, 0, 1);
    EXPECT_TRUE(FAILED(D3DXMatrixDecompose(&s, &r, &t, &flat)));

    // The affine form rotates about the given centre: the centre itself only moves by t.
    D3DXVECTOR3 centre(1, 1, 1), moved;
    D3DXMatrixAffineTransformation(&m, 1.0f, &centre, &rotation, &translation);
    EXPECT_TRUE(NearlyEqual(*D3DXVec3TransformCoord(&moved, &centre, &m), {8, -7, 10}));
    D3DXVECTOR2 centre2(2, 0), shift(0, 0);
    D3DXMatrixAffineTransformation2D(&m, 2.0f, &centre2, D3DX_PI / 2, &shift);
    const D3DXVECTOR3 origin(0, 0, 0);  // 2*origin - centre, turned 90 degrees, + centre
    EXPECT_TRUE(NearlyEqual(*D3DXVec3TransformCoord(&moved, &origin, &m), {2, -2, 0}, 1e-6f));
}

TEST(D3DXMatrix, ShadowAndReflectUseTheNormalisedPlane) {
    const D3DXPLANE ground(0, 2, 0, 0);  // y = 0, deliberately unnormalised
    const D3DXVECTOR4 sun(1, 1, 0, 0);   // directional: shadows fall along -(1, 1, 0)
    D3DXMATRIX m;
    D3DXVECTOR3 p;
    const D3DXVECTOR3 point(3, 2, 5);
    D3DXMatrixShadow(&m, &sun, &ground);
    EXPECT_TRUE(NearlyEqual(*D3DXVec3TransformCoord(&p, &point, &m), {1, 0, 5}));

    const D3DXPLANE mirror(0, 0, 1, -1);  // z = 1
    D3DXMatrixReflect(&m, &mirror);
    EXPECT_TRUE(NearlyEqual(*D3DXVec3TransformCoord(&p, &point, &m), {3, 2, -3}));
}
