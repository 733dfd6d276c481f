// B-spline motion paths: the basis, distance lookup, editing and the debug strip.
#include "lib/animation/AnimationTestSupport.h"

#include "IBSplineMotionPath.h"
#include "Vertices.h"
#include "animation/BSplineMotionPath.h"

namespace {

using animation_test::DrawCounter;
using animation_test::ExpectVector;

TEST(BSplineWeights, SumToOneAndStartAtOneFourOne)
{
    float w[4];
    BSplineWeights(0.0f, w);
    EXPECT_FLOAT_EQ(w[0], 1.0f / 6);
    EXPECT_FLOAT_EQ(w[1], 4.0f / 6);
    EXPECT_FLOAT_EQ(w[2], 1.0f / 6);
    EXPECT_EQ(w[3], 0.0f);
    BSplineWeights(1.0f, w); // the next piece's start: weights moved one point along
    EXPECT_NEAR(w[0], 0.0f, 1e-7f);
    EXPECT_FLOAT_EQ(w[1], 1.0f / 6);
    EXPECT_FLOAT_EQ(w[2], 4.0f / 6);
    EXPECT_FLOAT_EQ(w[3], 1.0f / 6);
    for (float u : {0.1f, 0.25f, 0.5f, 0.9f}) {
        BSplineWeights(u, w);
        EXPECT_NEAR(w[0] + w[1] + w[2] + w[3], 1.0f, 1e-6f) << u;
    }
}

// Points at x = 0, 0, 1, 2, 3, 3 with lengths 0, 0, 1, 1, 1, 0: pieces 2 to 4 are full and
// span x from 1/6 to 17/6; the middle piece runs linearly from x = 1 to 2.
class BSplinePathTest : public ::testing::Test {
protected:
    BSplinePathTest()
    {
        const float xs[] = {0, 0, 1, 2, 3, 3};
        const float lengths[] = {0, 0, 1, 1, 1, 0};
        for (int i = 0; i < 6; ++i) {
            const D3DXVECTOR3 point(xs[i], 0, 0);
            path->AddControlPoint(&point, lengths[i]);
        }
    }
    ~BSplinePathTest() override { EXPECT_EQ(path->Release(), 0u); }

    IBSplineMotionPath* path = CreateBSplineMotionPath();
    D3DXVECTOR3 position{9, 9, 9};
    D3DXVECTOR3 direction{9, 9, 9};
    float speedSq = 9;
};

TEST_F(BSplinePathTest, AnswersItsOwnIdsOnly)
{
    void* out = this;
    EXPECT_FALSE(path->QueryInterface(IID_IMotionPath, &out));
    EXPECT_EQ(out, nullptr);
    ASSERT_TRUE(path->QueryInterface(IID_IBSplineMotionPath, &out));
    EXPECT_EQ(path->Release(), 1u);
}

TEST_F(BSplinePathTest, MapsDistanceToPiecesByTheirLengths)
{
    EXPECT_FLOAT_EQ(path->GetLength(), 3.0f);
    path->Evaluate(1.5f, &position, &direction, &speedSq); // piece 3 at u = 0.5
    ExpectVector(position, 1.5f, 0, 0);
    ExpectVector(direction, 1, 0, 0);
    EXPECT_NEAR(speedSq, 0.01f, 1e-6f); // a tenth of a unit-long piece
    // A piece's end is the next one's start.
    path->Evaluate(1.0f, &position, nullptr, nullptr);
    ExpectVector(position, 1, 0, 0);
    // Just past it the chord behind would reach into the previous piece: the chord ahead.
    path->Evaluate(1.000001f, &position, &direction, &speedSq);
    ExpectVector(direction, 1, 0, 0);
    EXPECT_NEAR(speedSq, 0.01f, 1e-5f);

    // Distance 0 falls into point 0, whose missing neighbours repeat the first point.
    path->Evaluate(0.0f, &position, &direction, &speedSq);
    ExpectVector(position, 0, 0, 0);
    ExpectVector(direction, 0, 0, 0); // and nothing moves there
    EXPECT_EQ(speedSq, 0.0f);
}

TEST_F(BSplinePathTest, WritesNothingOutsideThePath)
{
    path->Evaluate(3.01f, &position, &direction, &speedSq);
    ExpectVector(position, 9, 9, 9);
    ExpectVector(direction, 9, 9, 9);
    path->Evaluate(1.5f, nullptr, &direction, &speedSq);
    ExpectVector(direction, 9, 9, 9);
    path->GetControlPoint(6, &position);
    ExpectVector(position, 9, 9, 9);

    path->RemoveControlPoints(10);
    EXPECT_EQ(path->GetControlPointCount(), 0u);
    EXPECT_EQ(path->GetLength(), 0.0f);
    path->Evaluate(0.0f, &position, &direction, &speedSq);
    ExpectVector(position, 9, 9, 9);
}

TEST_F(BSplinePathTest, RemovesFromTheEndAndReversesWithOwnLengths)
{
    path->RemoveControlPoints(2); // the points of lengths 1 and 0
    EXPECT_EQ(path->GetControlPointCount(), 4u);
    EXPECT_FLOAT_EQ(path->GetLength(), 2.0f);
    path->GetControlPoint(3, &position);
    ExpectVector(position, 2, 0, 0);

    path->Reverse(); // x 2, 1, 0, 0 with lengths 1, 1, 0, 0
    path->GetControlPoint(0, &position);
    ExpectVector(position, 2, 0, 0);
    EXPECT_FLOAT_EQ(path->GetLength(), 2.0f);
    // Distance 1.5 lies in point 1's piece (length 1 after 1): points 2, 2, 1, 0 at u = 0.5.
    path->Evaluate(1.5f, &position, nullptr, nullptr);
    ExpectVector(position, (2.0f + 2 * 23 + 23 + 0) / 48, 0, 0);
    path->Reverse();
    path->GetControlPoint(0, &position);
    ExpectVector(position, 0, 0, 0);
}

TEST_F(BSplinePathTest, DrawsTenSamplesPerFullPieceAndKeepsTheLastStrip)
{
    vestra::test::HeadlessDevice device;
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    device->SetFVF(LITCOLOREDVERTEX::FVF);
    DrawCounter counter(device.get());

    EXPECT_EQ(path->Draw(device.get()), D3D_OK);
    VESTRA_FRAME_STATISTICS stats = counter.Take();
    EXPECT_EQ(stats.DrawCalls, 1u);
    EXPECT_EQ(stats.Vertices, 30u); // pieces 2, 3 and 4
    EXPECT_EQ(stats.Primitives, 29u);

    path->RemoveControlPoints(2);
    EXPECT_EQ(path->Draw(device.get()), D3D_OK);
    EXPECT_EQ(counter.Take().Vertices, 30u);

    IBSplineMotionPath* small = CreateBSplineMotionPath();
    const D3DXVECTOR3 point(1, 2, 3);
    for (int i = 0; i < 4; ++i) {
        small->AddControlPoint(&point, 1.0f);
    }
    EXPECT_EQ(small->Draw(device.get()), D3D_OK);
    EXPECT_EQ(counter.Take().DrawCalls, 0u);
    EXPECT_EQ(small->Draw(nullptr), E_POINTER);
    small->Release();
    device->EndScene();
}

} // namespace
