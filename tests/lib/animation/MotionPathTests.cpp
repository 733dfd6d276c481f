// Segment motion paths and the cubic Bezier helpers.
#include "lib/animation/AnimationTestSupport.h"

#include <cmath>

#include "IMotionPath.h"
#include "Vertices.h"

namespace {

using animation_test::DrawCounter;
using animation_test::ExpectVector;

const D3DXVECTOR3 Origin(0, 0, 0);

MotionPathSegment Line(D3DXVECTOR3 start, D3DXVECTOR3 end)
{
    return {MotionPathSegment::Line, start, end, Origin, Origin};
}

MotionPathSegment Curve(D3DXVECTOR3 start, D3DXVECTOR3 c1, D3DXVECTOR3 c2, D3DXVECTOR3 end)
{
    return {MotionPathSegment::CubicBezier, start, end, c1, c2};
}

TEST(CubicBezier, EvaluatesInsideTheUnitRangeOnly)
{
    const D3DXVECTOR3 p0(0, 0, 0), p1(0, 1, 0), p2(1, 1, 0), p3(1, 0, 2);
    D3DXVECTOR3 out(7, 7, 7);
    EXPECT_EQ(CubicBezierCurve(&out, 0.0f, &p0, &p1, &p2, &p3), &out);
    ExpectVector(out, 0, 0, 0);
    CubicBezierCurve(&out, 1.0f, &p0, &p1, &p2, &p3);
    ExpectVector(out, 1, 0, 2);
    // Weights 1/8, 3/8, 3/8, 1/8 at the middle.
    CubicBezierCurve(&out, 0.5f, &p0, &p1, &p2, &p3);
    ExpectVector(out, 0.5f, 0.75f, 0.25f);

    out = D3DXVECTOR3(7, 7, 7);
    EXPECT_EQ(CubicBezierCurve(&out, 1.0001f, &p0, &p1, &p2, &p3), nullptr);
    EXPECT_EQ(CubicBezierCurve(&out, -0.0001f, &p0, &p1, &p2, &p3), nullptr);
    EXPECT_EQ(CubicBezierCurve(&out, std::nanf(""), &p0, &p1, &p2, &p3), nullptr);
    EXPECT_EQ(CubicBezierCurve(&out, 0.5f, &p0, nullptr, &p2, &p3), nullptr);
    ExpectVector(out, 7, 7, 7);

    D3DXVECTOR3 aliased = p3; // the output may be one of the points
    CubicBezierCurve(&aliased, 0.5f, &p0, &p1, &p2, &aliased);
    ExpectVector(aliased, 0.5f, 0.75f, 0.25f);
}

TEST(CubicBezier, LengthIsTheMeanOfPolygonAndChord)
{
    const D3DXVECTOR3 x0(0, 0, 0), x1(1, 0, 0), x2(2, 0, 0), x3(3, 0, 0);
    EXPECT_FLOAT_EQ(CubicBezierCurveLength(&x0, &x1, &x2, &x3), 3.0f);
    // Three sides of a unit square (polygon 3) over a chord of 1.
    const D3DXVECTOR3 s1(0, 1, 0), s2(1, 1, 0), s3(1, 0, 0);
    EXPECT_FLOAT_EQ(CubicBezierCurveLength(&x0, &s1, &s2, &s3), 2.0f);
    EXPECT_EQ(CubicBezierCurveLength(nullptr, &s1, &s2, &s3), 0.0f);
}

class MotionPathTest : public ::testing::Test {
protected:
    ~MotionPathTest() override { EXPECT_EQ(path->Release(), 0u); }

    IMotionPath* path = CreateMotionPath();
    D3DXVECTOR3 position{9, 9, 9};
    D3DXVECTOR3 direction{9, 9, 9};
};

TEST_F(MotionPathTest, AnswersItsOwnIdsOnly)
{
    void* out = this;
    EXPECT_FALSE(path->QueryInterface(IID_IParticleEmitter, &out));
    EXPECT_EQ(out, nullptr);
    EXPECT_FALSE(path->QueryInterface(IID_IBSplineMotionPath, &out));
    ASSERT_TRUE(path->QueryInterface(IID_ICoreUnknown, &out));
    EXPECT_EQ(out, static_cast<void*>(path));
    EXPECT_EQ(path->Release(), 1u);
}

TEST_F(MotionPathTest, SpreadsTheParameterOverSegmentsByLength)
{
    const MotionPathSegment first = Line(Origin, D3DXVECTOR3(0, 1, 0));
    path->AddSegment(&first);
    const MotionPathSegment second = Line(D3DXVECTOR3(0, 1, 0), D3DXVECTOR3(3, 1, 0));
    path->AddSegment(&second);
    path->AddSegment(nullptr);
    EXPECT_EQ(path->GetSegmentCount(), 2u);
    EXPECT_FLOAT_EQ(path->GetLength(), 4.0f);
    EXPECT_FLOAT_EQ(path->GetSegmentLength(1), 3.0f);
    EXPECT_EQ(path->GetSegmentLength(2), 0.0f);

    EXPECT_EQ(path->Evaluate(0.5f, &position, &direction), S_OK); // 1 unit into the second line
    ExpectVector(position, 1, 1, 0);
    ExpectVector(direction, 1, 0, 0);
    // A distance equal to the first length belongs to the second segment's start.
    EXPECT_EQ(path->Evaluate(0.25f, &position, &direction), S_OK);
    ExpectVector(position, 0, 1, 0);
    ExpectVector(direction, 1, 0, 0);
    EXPECT_EQ(path->Evaluate(0.125f, &position, nullptr), S_OK);
    ExpectVector(position, 0, 0.5f, 0);
    EXPECT_EQ(path->Evaluate(-3.0f, &position, nullptr), S_OK);
    ExpectVector(position, 0, 0, 0);

    const MotionPathSegment copy = path->GetSegment(1);
    EXPECT_EQ(copy.type, MotionPathSegment::Line);
    ExpectVector(copy.end, 3, 1, 0);
    const MotionPathSegment invalid = path->GetSegment(99);
    EXPECT_EQ(invalid.type, MotionPathSegment::Invalid);
    ExpectVector(invalid.start, 0, 0, 0);
}

TEST_F(MotionPathTest, EndOfPathGivesEndPointAndFails)
{
    EXPECT_EQ(path->Evaluate(0.5f, &position, &direction), E_FAIL);
    ExpectVector(position, 0, 0, 0);
    ExpectVector(direction, 0, 0, 0);

    const MotionPathSegment line = Line(Origin, D3DXVECTOR3(10, 0, 0));
    path->AddSegment(&line);
    EXPECT_EQ(path->Evaluate(0.25f, &position, &direction), S_OK);
    ExpectVector(position, 2.5f, 0, 0);
    ExpectVector(direction, 1, 0, 0);
    EXPECT_EQ(path->Evaluate(1.0f, &position, &direction), E_FAIL);
    ExpectVector(position, 10, 0, 0);
    ExpectVector(direction, 1, 0, 0);
    EXPECT_EQ(path->Evaluate(1.25f, &position, nullptr), E_FAIL);
    ExpectVector(position, 10, 0, 0);

    path->SetLooping(TRUE);
    D3DXVECTOR3 wrapped, plain;
    EXPECT_EQ(path->Evaluate(1.25f, &wrapped, nullptr), S_OK);
    path->Evaluate(0.25f, &plain, nullptr);
    ExpectVector(wrapped, plain.x, plain.y, plain.z);
    // Wrapping stops at 1, which is the end of the path.
    EXPECT_EQ(path->Evaluate(2.0f, &position, nullptr), E_FAIL);
    ExpectVector(position, 10, 0, 0);
}

TEST_F(MotionPathTest, FollowsCurvesWithTheChordAheadAsDirection)
{
    const MotionPathSegment curve = Curve(Origin, D3DXVECTOR3(0, 4, 0), D3DXVECTOR3(4, 4, 0), D3DXVECTOR3(4, 0, 0));
    path->AddSegment(&curve);
    EXPECT_FLOAT_EQ(path->GetLength(), 8.0f); // polygon 12, chord 4

    EXPECT_EQ(path->Evaluate(0.5f, &position, &direction), S_OK);
    ExpectVector(position, 2, 3, 0);
    ExpectVector(direction, 1, 0, 0, 0.02f); // the top of the arch
    EXPECT_NEAR(D3DXVec3Length(&direction), 1.0f, 1e-5f);
    // At the very start the chord ahead is empty.
    EXPECT_EQ(path->Evaluate(0.0f, &position, &direction), S_OK);
    ExpectVector(direction, 0, 0, 1);
    EXPECT_EQ(path->Evaluate(1.0f, &position, &direction), E_FAIL);
    ExpectVector(position, 4, 0, 0);
    ExpectVector(direction, 0, -1, 0, 1e-3f);
}

TEST_F(MotionPathTest, DrawsTwoVerticesPerLineAndTheWholePathPerCurve)
{
    vestra::test::HeadlessDevice device;
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    device->SetFVF(LITCOLOREDVERTEX::FVF);
    DrawCounter counter(device.get());

    const MotionPathSegment line = Line(Origin, D3DXVECTOR3(1, 0, 0));
    path->AddSegment(&line);
    MotionPathSegment other = line; // measured as a curve, but never drawn
    other.type = 7;
    path->AddSegment(&other);
    EXPECT_FLOAT_EQ(path->GetSegmentLength(1), 1.0f);
    EXPECT_EQ(path->Draw(device.get()), D3D_OK);
    VESTRA_FRAME_STATISTICS stats = counter.Take();
    EXPECT_EQ(stats.DrawCalls, 1u);
    EXPECT_EQ(stats.Primitives, 1u);

    const MotionPathSegment curve = Curve(D3DXVECTOR3(1, 0, 0), D3DXVECTOR3(1, 1, 0), D3DXVECTOR3(2, 1, 0),
                                          D3DXVECTOR3(2, 0, 0));
    path->AddSegment(&curve);
    path->SetColor(D3DCOLOR_XRGB(255, 0, 0));
    EXPECT_EQ(path->Draw(device.get()), D3D_OK);
    stats = counter.Take();
    EXPECT_EQ(stats.Primitives, (2u + 2001u) / 2u);

    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    device->SetTexture(0, texture);
    texture->Release();
    path->Clear();
    EXPECT_EQ(path->GetLength(), 0.0f);
    EXPECT_EQ(path->GetSegmentCount(), 0u);
    EXPECT_EQ(path->Evaluate(0.5f, &position, &direction), E_FAIL);
    ExpectVector(position, 0, 0, 0);
    EXPECT_EQ(path->Draw(device.get()), D3D_OK);
    EXPECT_EQ(counter.Take().DrawCalls, 0u);
    IDirect3DBaseTexture9* bound = texture;
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, nullptr);
    EXPECT_EQ(path->Draw(nullptr), E_POINTER);
    device->EndScene();
}

} // namespace
