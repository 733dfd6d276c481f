// A particle emitter and a Bezier path's debug line drawn headless, checked by pixels.
#include <cmath>
#include <cstdlib>

#include "IMotionPath.h"
#include "IParticleEmitter.h"
#include "Vertices.h"
#include "animation/ParticleEmitter.h"
#include "lib/nodes/PixelScene.h"

namespace {

constexpr D3DCOLOR grey = 0xFF808080;

class EmitterPixelTest : public nodes_test::PixelSceneTest {
protected:
    EmitterPixelTest()
    {
        srand(1);
        // One motionless particle of size 2 at the origin, 10 in front of the eye, untextured.
        emitter->SetSpawnDirection(0, D3DXVECTOR3(0, 0, 0));
        emitter->SetSpawnDirection(1, D3DXVECTOR3(0, 0, 0));
        for (int i : {0, 1}) {
            emitter->SetEmission(i, 1.0f);
            emitter->SetLife(i, 100.0f);
            emitter->SetSize(i, 2.0f);
        }
        emitter->SetTextureName("");
        scene->SetClearColor(grey);
        scene->SetRenderFlags(SCENE_RENDER_CLEAR);
    }
    ~EmitterPixelTest() override { EXPECT_EQ(emitter->Release(), 0u); }

    // Every device state, with the camera's transforms and an identity world in place as
    // DrawEmitter leaves them.
    std::vector<std::pair<std::string, DWORD>> States()
    {
        scene->GetCamera()->Apply(device.get());
        D3DXMATRIX identity;
        device->SetTransform(D3DTS_WORLD, D3DXMatrixIdentity(&identity));
        return nodes_test::FullStateSnapshot(device.get());
    }

    // The particle is born in the first update; its mode colours it from the second on.
    void BearOneParticle()
    {
        emitter->Update(1.0f);
        emitter->SetEmission(0, 0.0f);
        emitter->SetEmission(1, 0.0f);
        emitter->Update(0.01f);
        ASSERT_EQ(static_cast<CParticleEmitter*>(emitter)->Pool().Active().size(), 1u);
    }

    void DrawEmitter()
    {
        device->BeginScene();
        EXPECT_EQ(scene->Render(), S_OK);
        D3DXMATRIX identity;
        device->SetTransform(D3DTS_WORLD, D3DXMatrixIdentity(&identity));
        EXPECT_EQ(emitter->Render(scene), S_OK);
        device->EndScene();
        pixels = vestra::test::ReadBackBuffer(device.get());
    }
    int Channel(int x, int y, int shift) const { return static_cast<int>((At(x, y) >> shift) & 0xFF); }
    // Covered pixels along row 32.
    int RowCoverage() const
    {
        int covered = 0;
        for (int x = 0; x < 64; ++x) {
            covered += At(x, 32) != (grey & 0xFFFFFF);
        }
        return covered;
    }

    IParticleEmitter* emitter = CreateParticleEmitter();
};

TEST_F(EmitterPixelTest, AdditiveModeBrightensTheBackgroundByTheParticleColour)
{
    emitter->SetColor(D3DXCOLOR(0.25f, 0.125f, 0.5f, 1.0f)); // packs to 64, 32, 128
    BearOneParticle();
    const auto before = States();
    DrawEmitter();
    EXPECT_EQ(At(32, 32), 0xC0A0FFu) << "0x80 + (64, 32, 128), blue saturating";
    // A world size of 2 at distance 10 on a 64-pixel-high viewport: 64 * 2 / 10 = 12.8 pixels.
    EXPECT_NEAR(RowCoverage(), 12.8, 1.0);
    EXPECT_EQ(At(32, 22), grey & 0xFFFFFF);
    EXPECT_EQ(nodes_test::FullStateSnapshot(device.get()), before);
}

TEST_F(EmitterPixelTest, SubtractiveModeDarkensTheBackgroundByTheParticleColour)
{
    emitter->SetColor(D3DXCOLOR(1.0f, 0.5f, 0.0f, 1.0f));
    emitter->SetMode(PARTICLE_MODE_DIM_SUBTRACT); // draws 0.2 of the colour: 51, 26, 0
    BearOneParticle();
    const auto before = States();
    DrawEmitter();
    // The background times one minus the source colour.
    EXPECT_NEAR(Channel(32, 32, 16), 128.0 * (255 - 51) / 255, 1.0);
    EXPECT_NEAR(Channel(32, 32, 8), 128.0 * (255 - 26) / 255, 1.0);
    EXPECT_EQ(Channel(32, 32, 0), 128) << "no blue in the source: blue untouched";
    EXPECT_NEAR(RowCoverage(), 12.8, 1.0);
    EXPECT_EQ(nodes_test::FullStateSnapshot(device.get()), before);
}

TEST_F(EmitterPixelTest, BezierDebugLineFollowsTheCurve)
{
    IMotionPath* path = CreateMotionPath();
    const D3DXVECTOR3 p0(-8, 0, 0), p1(-8, 8, 0), p2(8, 8, 0), p3(8, 0, 0);
    const MotionPathSegment segment = {MotionPathSegment::CubicBezier, p0, p3, p1, p2};
    path->AddSegment(&segment);
    path->SetColor(0xFFFF0000);
    device->BeginScene();
    scene->Render();
    D3DXMATRIX identity;
    device->SetTransform(D3DTS_WORLD, D3DXMatrixIdentity(&identity));
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetFVF(LITCOLOREDVERTEX::FVF);
    EXPECT_EQ(path->Draw(device.get()), S_OK);
    device->EndScene();
    pixels = vestra::test::ReadBackBuffer(device.get());

    // On the plane z = 0, 10 in front of the eye, (x, y) lands on (32 + 3.2 x, 32 - 3.2 y).
    std::vector<D3DXVECTOR2> curve;
    for (int i = 0; i <= 400; ++i) {
        D3DXVECTOR3 point;
        CubicBezierCurve(&point, i / 400.0f, &p0, &p1, &p2, &p3);
        curve.emplace_back(32 + 3.2f * point.x, 32 - 3.2f * point.y);
    }
    int lit = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (At(x, y) != 0xFF0000) {
                continue;
            }
            ++lit;
            float nearest = 1e9f;
            for (const D3DXVECTOR2& c : curve) {
                nearest = std::min(nearest, std::hypot(c.x - x, c.y - y));
            }
            EXPECT_LE(nearest, 1.0f) << "pixel " << x << ", " << y << " is off the curve";
        }
    }
    // The curve runs from x 6.4 to 57.6 and peaks at y 6, pixel row 12.8, above x = 0.
    for (int x = 7; x <= 57; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 64; ++y) {
            inColumn += At(x, y) == 0xFF0000;
        }
        EXPECT_GE(inColumn, 1) << "gap in column " << x;
    }
    EXPECT_TRUE(At(32, 12) == 0xFF0000 || At(32, 13) == 0xFF0000);
    EXPECT_GT(lit, 51);
    path->Release();
}

} // namespace
