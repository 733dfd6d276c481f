#include "MathExpect.h"

using vestra::test::MatricesNear;
using vestra::test::NearlyEqual;

namespace {

D3DXQUATERNION AxisAngle(float x, float y, float z, float angle) {
    const D3DXVECTOR3 axis(x, y, z);
    D3DXQUATERNION q;
    return *D3DXQuaternionRotationAxis(&q, &axis, angle);
}

D3DXMATRIX Matrix(const D3DXQUATERNION& q) {
    D3DXMATRIX m;
    return *D3DXMatrixRotationQuaternion(&m, &q);
}

}  // namespace

TEST(D3DXQuaternion, SlerpTakesTheShortestPath) {
    D3DXQUATERNION out, identity;
    D3DXQuaternionIdentity(&identity);
    const D3DXQUATERNION quarterY(0, 0.707107f, 0, 0.707107f);
    EXPECT_TRUE(NearlyEqual(*D3DXQuaternionSlerp(&out, &identity, &quarterY, 0.5f), {0, 0.382683f, 0, 0.923880f}));
    const D3DXQUATERNION negated = -quarterY;
    EXPECT_TRUE(NearlyEqual(*D3DXQuaternionSlerp(&out, &identity, &negated, 0.5f), {0, 0.382683f, 0, 0.923880f}));

    // Opposite hemispheres and nearly parallel: a linear blend with q2 negated.
    const D3DXQUATERNION q1(1, 2, 4, 10), q2(-1111, 111, -11, 1);
    EXPECT_TRUE(NearlyEqual(*D3DXQuaternionSlerp(&out, &q1, &q2, 0.3f), {334, -31.9f, 6.1f, 6.7f}));
    const D3DXQUATERNION a(0.1f, 0.2f, 0.3f, 0.4f), b(0.5f, 0.6f, 0.7f, 0.8f);
    EXPECT_TRUE(NearlyEqual(*D3DXQuaternionSlerp(&out, &a, &b, 0.3f), {0.239485f, 0.346580f, 0.453676f, 0.560772f}));
}

TEST(D3DXQuaternion, MatrixConversionsAgreeWithTheMatrixFunctions) {
    // Used as given, without normalisation.
    const D3DXMATRIX raw = Matrix(D3DXQUATERNION(1, -4, 7, -11));
    EXPECT_TRUE(NearlyEqual(raw, {-129, -162, -74}));

    const D3DXVECTOR3 axis(1, 2, -2);
    D3DXMATRIX m;
    EXPECT_TRUE(MatricesNear(Matrix(AxisAngle(1, 2, -2, 0.8f)), *D3DXMatrixRotationAxis(&m, &axis, 0.8f)));
    D3DXQUATERNION ypr;
    D3DXQuaternionRotationYawPitchRoll(&ypr, 0.4f, -1.3f, 2.2f);
    EXPECT_TRUE(MatricesNear(Matrix(ypr), *D3DXMatrixRotationYawPitchRoll(&m, 0.4f, -1.3f, 2.2f)));

    // Multiply composes "q1 then q2" like the matrix product.
    const D3DXQUATERNION q1 = AxisAngle(1, 0, 0, 0.5f), q2 = AxisAngle(0, 1, 1, 1.5f);
    EXPECT_TRUE(MatricesNear(Matrix(q1 * q2), Matrix(q1) * Matrix(q2)));

    // Back from matrices, on every branch: small angle, near pi about each axis, and a
    // diagonal summing to exactly 0 (120 degrees about (1,1,1)).
    const D3DXQUATERNION cases[] = {AxisAngle(0.3f, -1, 0.2f, 0.1f), AxisAngle(1, 0.1f, 0, 3.1f),
                                    AxisAngle(0, 1, 0.1f, 3.1f), AxisAngle(0.1f, 0, 1, 3.1f),
                                    AxisAngle(1, 1, 1, 2 * D3DX_PI / 3)};
    for (const D3DXQUATERNION& q : cases) {
        D3DXQUATERNION back;
        const D3DXMATRIX m = Matrix(q);
        D3DXQuaternionRotationMatrix(&back, &m);
        EXPECT_TRUE(MatricesNear(Matrix(back), Matrix(q), 1e-4f));
    }
}

TEST(D3DXQuaternion, InverseLogarithmAndAxisAngle) {
    const D3DXQUATERNION q = AxisAngle(0, 0, 2, 1.0f);
    D3DXQUATERNION r;
    EXPECT_TRUE(NearlyEqual(*D3DXQuaternionLn(&r, &q), {0, 0, 0.5f, 0}));
    EXPECT_TRUE(NearlyEqual(*D3DXQuaternionExp(&r, &r), {q.x, q.y, q.z, q.w}));

    const D3DXQUATERNION scaled = q * 3.0f;
    D3DXQuaternionInverse(&r, &scaled);
    EXPECT_TRUE(NearlyEqual(r * scaled, {0, 0, 0, 1}));

    D3DXVECTOR3 axis;
    float angle;
    D3DXQuaternionToAxisAngle(&q, &axis, &angle);
    EXPECT_NEAR(angle, 1.0f, 1e-5f);
    EXPECT_NEAR(axis.z, sinf(0.5f), 1e-6f);

    const D3DXQUATERNION zero(0, 0, 0, 0);
    EXPECT_TRUE(NearlyEqual(*D3DXQuaternionNormalize(&r, &zero), {0, 0, 0, 0}, 0));
}

TEST(D3DXQuaternion, SquadAndBaryCentricInterpolateBetweenKeys) {
    const D3DXQUATERNION q0 = AxisAngle(0, 1, 0, 0.0f), q1 = AxisAngle(0, 1, 0, 0.5f), q2 = AxisAngle(1, 1, 0, 1.0f),
                         q3 = AxisAngle(1, 0, 0, 1.5f);
    D3DXQUATERNION a, b, c, out;
    // Passing -q2 must not change anything: the setup aligns signs along the sequence.
    const D3DXQUATERNION flipped = -q2;
    D3DXQuaternionSquadSetup(&a, &b, &c, &q0, &q1, &flipped, &q3);
    EXPECT_TRUE(NearlyEqual(c, {q2.x, q2.y, q2.z, q2.w}));
    EXPECT_TRUE(NearlyEqual(*D3DXQuaternionSquad(&out, &q1, &a, &b, &c, 0), {q1.x, q1.y, q1.z, q1.w}));
    EXPECT_TRUE(NearlyEqual(*D3DXQuaternionSquad(&out, &q1, &a, &b, &c, 1), {q2.x, q2.y, q2.z, q2.w}));
    D3DXQuaternionSquad(&out, &q1, &a, &b, &c, 0.5f);
    EXPECT_NEAR(D3DXQuaternionLength(&out), 1.0f, 1e-4f);

    // A constant sequence stays put.
    D3DXQuaternionSquadSetup(&a, &b, &c, &q1, &q1, &q1, &q1);
    EXPECT_TRUE(NearlyEqual(a, {q1.x, q1.y, q1.z, q1.w}));

    EXPECT_TRUE(NearlyEqual(*D3DXQuaternionBaryCentric(&out, &q1, &q2, &q3, 0, 0), {q1.x, q1.y, q1.z, q1.w}));
    EXPECT_TRUE(NearlyEqual(*D3DXQuaternionBaryCentric(&out, &q1, &q2, &q3, 1, 0), {q2.x, q2.y, q2.z, q2.w}));
    EXPECT_TRUE(NearlyEqual(*D3DXQuaternionBaryCentric(&out, &q1, &q2, &q3, 0, 1), {q3.x, q3.y, q3.z, q3.w}));
}
