// The orbit camera: pending amounts, clamps, picking and ground intersection.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/Camera.h"

namespace {

constexpr float HalfPi = 1.5707964f;

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        D3DVIEWPORT9 vp = {0, 0, 640, 480, 1.0f, 1000.0f};
        camera.SetViewport(&vp);
    }

    // Straight down on the target (3, 4).
    void LookDown()
    {
        camera.ResetOrientation();
        const D3DXVECTOR2 target(3, 4);
        camera.SetTarget(&target);
    }

    CCamera camera;
};

TEST_F(CameraTest, ViewportCarriesTheClipDistances)
{
    camera.Update(0);
    D3DXVECTOR3 eye, at;
    camera.GetEyePt(&eye);
    camera.GetLookatPt(&at);
    const D3DXVECTOR3 offset = eye - at;
    EXPECT_NEAR(D3DXVec3Length(&offset), 100.0f, 1e-3f);
    EXPECT_FLOAT_EQ(camera.GetAspect(), 640.0f / 480.0f);
    D3DVIEWPORT9 stored;
    camera.GetViewport(&stored);
    EXPECT_EQ(stored.MinZ, 0.0f);
    EXPECT_EQ(stored.MaxZ, 1.0f);
    // The clip distances went into the projection: z = near maps to depth 0.
    const D3DXMATRIX* projection = camera.GetTransform(D3DTS_PROJECTION);
    EXPECT_NEAR(projection->_33 * 1.0f + projection->_43, 0.0f, 1e-5f);
    EXPECT_EQ(camera.GetTransform(D3DTS_WORLD), nullptr);
}

TEST_F(CameraTest, SmoothingEasesPendingAmountsIn)
{
    camera.SetSmoothing(true, 0.5f);
    camera.Zoom(10, false);
    camera.Update(0.25f);
    EXPECT_FLOAT_EQ(camera.GetZoom(), 105.0f);
    camera.Update(0.0f);
    EXPECT_FLOAT_EQ(camera.GetZoom(), 105.0f);
    camera.Update(1.0f); // the fraction is capped at 1: all the rest
    EXPECT_FLOAT_EQ(camera.GetZoom(), 110.0f);

    camera.SetSmoothing(true, 0.0f); // means 0.1 s
    camera.Zoom(10, false);
    camera.Update(0.05f);
    EXPECT_FLOAT_EQ(camera.GetZoom(), 115.0f);
    camera.StopMotion();
    camera.Update(1.0f);
    EXPECT_FLOAT_EQ(camera.GetZoom(), 115.0f);

    // MoveTo accounts for what is still pending.
    const D3DXVECTOR2 first(10, 0), second(4, 2);
    camera.MoveTo(&first);
    camera.MoveTo(&second);
    camera.Update(1.0f);
    EXPECT_FLOAT_EQ(camera.GetTargetX(), 4.0f);
    EXPECT_FLOAT_EQ(camera.GetTargetY(), 2.0f);
}

TEST_F(CameraTest, ClampsZoomPitchAndYaw)
{
    camera.SetZoom(-5, true);
    EXPECT_FLOAT_EQ(camera.GetZoom(), 0.1f);
    EXPECT_FLOAT_EQ(camera.GetZoomFraction(), 1.0f - 0.1f / 1000.0f);
    camera.SetZoom(5000, true);
    EXPECT_FLOAT_EQ(camera.GetZoom(), 1000.0f);
    EXPECT_FLOAT_EQ(camera.GetZoomFraction(), 0.0f);
    camera.SetZoomRange(200, 800);
    EXPECT_FLOAT_EQ(camera.GetZoom(), 800.0f);

    camera.Rotate(0, -1, true);
    EXPECT_FLOAT_EQ(camera.GetYaw(), 5.2831855f);
    camera.ResetOrientation();
    EXPECT_FLOAT_EQ(camera.GetPitch(), HalfPi);
    EXPECT_FLOAT_EQ(camera.GetYaw(), -HalfPi);
    camera.Update(0);
    EXPECT_FLOAT_EQ(camera.GetYaw(), 4.712389f);

    camera.Rotate(-HalfPi, 0, true);
    EXPECT_FLOAT_EQ(camera.GetPitch(), 0.0f);
    camera.SetPitchRange(0.2f, 1.0f);
    EXPECT_FLOAT_EQ(camera.GetPitch(), 0.2f);
    camera.Rotate(5, 0, true);
    EXPECT_FLOAT_EQ(camera.GetPitch(), 1.0f);
}

TEST_F(CameraTest, GroundPickingLandsOnTheTargetAndProjectsBack)
{
    for (bool yUp : {false, true}) {
        for (bool ortho : {false, true}) {
            SCOPED_TRACE(testing::Message() << "yUp " << yUp << " ortho " << ortho);
            camera.SetYUp(yUp);
            camera.SetOrthographic(ortho);
            LookDown();
            const POINT centre = {320, 240};
            D3DXVECTOR2 onTarget(-1, -1);
            EXPECT_EQ(camera.ScreenToGround(&centre, &onTarget), S_OK);
            EXPECT_NEAR(onTarget.x, 3.0f, 1e-3f);
            EXPECT_NEAR(onTarget.y, 4.0f, 1e-3f);

            camera.Rotate(1.0f - camera.GetPitch(), 0.5f, true);
            const POINT pixel = {100, 400};
            D3DXVECTOR2 ground;
            ASSERT_EQ(camera.ScreenToGround(&pixel, &ground), S_OK);
            const D3DXVECTOR3 world = yUp ? D3DXVECTOR3(ground.x, 0, ground.y) : D3DXVECTOR3(ground.x, ground.y, 0);
            D3DXVECTOR2 screen;
            EXPECT_EQ(camera.Project(&screen, &world), S_OK);
            EXPECT_NEAR(screen.x, 100.0f, 0.01f);
            EXPECT_NEAR(screen.y, 400.0f, 0.01f);
        }
    }
}

TEST_F(CameraTest, PickRayStartsAtTheEyeAndPassesThroughTheTarget)
{
    LookDown();
    D3DXVECTOR3 origin, direction, eye;
    EXPECT_EQ(camera.GetPickRay(320, 240, &origin, &direction), S_OK);
    camera.GetEyePt(&eye);
    EXPECT_NEAR(origin.x, eye.x, 1e-3f);
    EXPECT_NEAR(origin.z, -100.0f, 1e-3f);
    EXPECT_NEAR(direction.x, 0.0f, 1e-5f);
    EXPECT_NEAR(direction.y, 0.0f, 1e-5f);
    EXPECT_NEAR(direction.z, 1.0f, 1e-5f); // not normalised: vz = 1 in view space
}

TEST_F(CameraTest, RayParallelToTheGroundFails)
{
    camera.SetFreeMode(true);
    const D3DXVECTOR3 eye(0, 0, -10), along(1, 0, 0);
    camera.SetFreeView(&eye, &along);
    const POINT centre = {320, 240};
    D3DXVECTOR2 ground(-7, -7);
    EXPECT_EQ(camera.ScreenToGround(&centre, &ground), E_FAIL);
    EXPECT_EQ(ground, D3DXVECTOR2(-7, -7));

    // The orthographic variant hands back the unprojected screen point instead.
    camera.SetOrthographic(true);
    EXPECT_EQ(camera.ScreenToGround(&centre, &ground), E_FAIL);
    EXPECT_NEAR(ground.x, 1.0f, 1e-3f); // the near plane, one unit ahead of the eye
    EXPECT_NEAR(ground.y, 0.0f, 1e-3f);
    EXPECT_EQ(camera.ScreenToGround(nullptr, &ground), E_POINTER);
}

} // namespace
