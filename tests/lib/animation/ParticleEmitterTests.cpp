// Particle emitters: births, ageing, the pool's order, the colour modes and drawing.
#include "lib/animation/AnimationTestSupport.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "IScene.h"
#include "ResManager.h"
#include "animation/ParticleEmitter.h"
#include "lib/DeviceQueries.h"
#include "lib/resources/ResourceTestSupport.h"

namespace {

using animation_test::DrawCounter;
using animation_test::ExpectVector;

const D3DXCOLOR Base(0.5f, 1.0f, 0.25f, 1.0f);

class EmitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(device.get(), nullptr);
        scene = CreateScene(device.get());
        srand(1);
    }
    void TearDown() override
    {
        EXPECT_EQ(emitter->Release(), 0u);
        scene->Cleanup();
        scene->Destroy();
    }

    size_t Active() const { return emitter->Pool().Active().size(); }
    const CParticle& First() const { return *emitter->Pool().Active().front(); }
    // `count` births of the given life in one second, after which emission stops.
    void Emit(float count, float life)
    {
        emitter->SetEmission(0, count);
        emitter->SetEmission(1, count);
        emitter->SetLife(0, life);
        emitter->SetLife(1, life);
        emitter->Update(1.0f);
        emitter->SetEmission(0, 0.0f);
        emitter->SetEmission(1, 0.0f);
    }

    vestra::test::HeadlessDevice device;
    IScene* scene = nullptr;
    CParticleEmitter* emitter = static_cast<CParticleEmitter*>(CreateParticleEmitter());
};

TEST_F(EmitterTest, AppliesThePulsePresetAndDefaultsWithoutTouchingWindColourOrMode)
{
    void* out = this;
    EXPECT_FALSE(emitter->QueryInterface(IID_IMotionPath, &out));
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Active(), 0u);
    EXPECT_EQ(emitter->Pool().Free().size(), 100u);
    emitter->SetSize(2, 99.0f); // outside the range pair: ignored
    EXPECT_EQ(emitter->GetSize(2), 0.0f);
    EXPECT_EQ(emitter->GetSize(1), 20.0f);

    emitter->SetWind(D3DXVECTOR3(1, 2, 3));
    emitter->SetColor(Base);
    emitter->SetPosition(D3DXVECTOR3(4, 5, 6));
    emitter->SetMode(PARTICLE_MODE_PULSE);
    EXPECT_EQ(emitter->GetEmission(0), 1.0f);
    EXPECT_EQ(emitter->GetSize(1), 6.0f);
    EXPECT_EQ(emitter->GetTextureName(), "light.png");
    ExpectVector(emitter->GetWind(), 0, 0, 0);
    ExpectVector(emitter->GetPosition(), 4, 5, 6);
    EXPECT_EQ(emitter->GetColor(), Base);

    emitter->SetWind(D3DXVECTOR3(1, 2, 3));
    emitter->SetDefaults(); // wind, colour and mode stay
    EXPECT_EQ(emitter->GetSize(0), 10.0f);
    ExpectVector(emitter->GetPosition(), 0, 0, 0);
    ExpectVector(emitter->GetWind(), 1, 2, 3);
    EXPECT_EQ(emitter->GetMode(), PARTICLE_MODE_PULSE);
}

TEST_F(EmitterTest, CarriesTheFractionOfABirthToTheNextUpdate)
{
    emitter->SetEmission(0, 6.0f);
    emitter->SetEmission(1, 6.0f);
    emitter->Update(0.25f); // 1.5 births
    EXPECT_EQ(Active(), 1u);
    const D3DXVECTOR3 born = First().position;
    emitter->Update(0.0f); // nothing moves or ages; the half birth waits
    EXPECT_EQ(Active(), 1u);
    EXPECT_EQ(First().age, 0.0f);
    ExpectVector(First().position, born.x, born.y, born.z);
    emitter->Update(0.25f); // 1.5 + 0.5
    EXPECT_EQ(Active(), 3u);

    Emit(1000.0f, 10.0f); // capped at the pool
    EXPECT_EQ(Active(), 100u);
    EXPECT_TRUE(emitter->Pool().Free().empty());
}

TEST_F(EmitterTest, ParticlesMoveWithTheWindAndDieOnceOlderThanTheirLife)
{
    emitter->SetPosition(D3DXVECTOR3(1, 1, 1));
    emitter->SetSpawnDirection(0, D3DXVECTOR3(2, 4, -2));
    emitter->SetSpawnDirection(1, D3DXVECTOR3(2, 4, -2));
    emitter->SetWind(D3DXVECTOR3(1, 0, 0));
    const CParticle* first = emitter->Pool().Free().back();
    Emit(1.0f, 1.0f);
    ASSERT_EQ(Active(), 1u);
    EXPECT_EQ(&First(), first); // the last free particle is taken first
    ExpectVector(First().velocity, 2, 4, -2);

    emitter->SetPosition(D3DXVECTOR3(0, 0, 0)); // living particles stay where they are
    emitter->Update(0.5f);
    ExpectVector(First().velocity, 3, 4, -2); // wind once per update, not per second
    ExpectVector(First().position, 2.5f, 3, 0);
    emitter->Update(0.5f); // age 1.0 equals the life: still alive
    EXPECT_EQ(Active(), 1u);
    emitter->Update(0.5f);
    EXPECT_EQ(Active(), 0u);
    EXPECT_EQ(emitter->Pool().Free().back(), first);
}

TEST_F(EmitterTest, ReusesTheMostRecentlyFreedParticleAndKeepsSpawnOrder)
{
    Emit(1.0f, 1.0f);
    const CParticle* a = &First();
    Emit(1.0f, 3.0f); // a ages to 1 and lives; b is born
    const CParticle* b = emitter->Pool().Active().back();
    Emit(1.0f, 3.0f); // a dies and is reborn at once behind b
    ASSERT_EQ(Active(), 2u);
    EXPECT_EQ(&First(), b);
    EXPECT_EQ(emitter->Pool().Active().back(), a);
    EXPECT_EQ(emitter->Pool().Active().back()->age, 0.0f);
}

// One particle born, then two updates of 0.25 s: the mode's rule last ran at age 0.25 of 1.
CParticle AfterTwoUpdates(int mode)
{
    IParticleEmitter* emitter = CreateParticleEmitter();
    emitter->SetMode(mode);
    emitter->SetColor(Base);
    emitter->SetSpawnDirection(0, D3DXVECTOR3(4, 2, 1));
    emitter->SetSpawnDirection(1, D3DXVECTOR3(4, 2, 1));
    emitter->SetSize(0, 8.0f);
    emitter->SetLife(0, 1.0f);
    emitter->SetLife(1, 1.0f);
    emitter->SetEmission(0, 4.0f);
    emitter->SetEmission(1, 4.0f);
    emitter->Update(0.25f);
    emitter->SetEmission(0, 0.0f);
    emitter->SetEmission(1, 0.0f);
    // Only the fixed mode keeps the colour of birth.
    emitter->SetColor(mode == PARTICLE_MODE_FIXED ? D3DXCOLOR(0, 0, 0, 0) : Base);
    emitter->Update(0.25f);
    emitter->Update(0.25f);
    const CParticle particle = *static_cast<CParticleEmitter*>(emitter)->Pool().Active().front();
    emitter->Release();
    return particle;
}

void ExpectColour(const D3DXCOLOR& c, float r, float g, float b, float a)
{
    EXPECT_NEAR(c.r, r, 1e-6f);
    EXPECT_NEAR(c.g, g, 1e-6f);
    EXPECT_NEAR(c.b, b, 1e-6f);
    EXPECT_NEAR(c.a, a, 1e-6f);
}

TEST(EmitterModes, ColourEachLivingParticleByTheirRule)
{
    ExpectColour(AfterTwoUpdates(PARTICLE_MODE_FIXED).colour, 0.5f, 1, 0.25f, 1);
    ExpectColour(AfterTwoUpdates(PARTICLE_MODE_DIM).colour, 0.1f, 0.2f, 0.05f, 0.875f);
    ExpectColour(AfterTwoUpdates(PARTICLE_MODE_DIM_SUBTRACT).colour, 0.1f, 0.2f, 0.05f, 0.875f);
    ExpectColour(AfterTwoUpdates(42).colour, 1, 1, 1, 1); // never coloured at all

    const float s = std::sin(0.25f);
    const CParticle warm = AfterTwoUpdates(PARTICLE_MODE_WARM);
    ExpectColour(warm.colour, 0.125f, 0.09375f, 0, 0.9375f);
    ExpectVector(warm.velocity, 4 * s * s, 2 * s * s, 1); // z keeps its speed
    const CParticle tint = AfterTwoUpdates(PARTICLE_MODE_TINT);
    ExpectColour(tint.colour, 0.0625f, 0.125f, 0.03125f, 0.125f);
    ExpectVector(tint.velocity, 4 * s * s, 2 * s * s, 1);

    // The flicker factor is the 9th draw: six for the first update (rate, life, size and
    // three velocity components), then per update one per particle before the rate.
    srand(5);
    for (int i = 0; i < 8; ++i) {
        rand();
    }
    const float f = 0.6f + 0.004f * static_cast<float>(rand() % 101);
    srand(5);
    const CParticle flicker = AfterTwoUpdates(PARTICLE_MODE_FLICKER);
    ExpectColour(flicker.colour, 0.5f * f, f, 0.25f * f, f);
    EXPECT_EQ(flicker.size, 8.0f); // min(8, 8 * life / age / 4) at age 0.25
}

TEST_F(EmitterTest, PulseFillsThePoolOnceAndKeepsItsParticles)
{
    emitter->SetColor(Base);
    emitter->SetMode(PARTICLE_MODE_PULSE);
    emitter->Update(0.25f);
    EXPECT_EQ(Active(), 100u);
    emitter->Update(0.25f); // phase 0.5: full colour
    ExpectColour(First().colour, 0.5f, 1, 0.25f, 1);
    emitter->Update(0.25f);
    ExpectColour(emitter->Pool().Active().back()->colour, 0.5f * 0.70710677f, 0.70710677f, 0.25f * 0.70710677f,
                 0.70710677f);
    emitter->Update(0.3f); // phase past 1 starts again at 0
    ExpectColour(First().colour, 0, 0, 0, 0);
    EXPECT_EQ(Active(), 100u); // 1.05 s with lives of 1 s

    // The fill left a debt of 99.75 births (0.25 due, 100 made) that the updates on a full
    // pool did not touch: once the particles are gone, 100.625 due in the next second
    // still give none.
    emitter->SetMode(PARTICLE_MODE_FIXED);
    emitter->SetEmission(0, 0.0f);
    emitter->SetEmission(1, 0.0f);
    emitter->Update(1.5f);
    EXPECT_EQ(Active(), 0u);
    Emit(100.625f, 1.0f);
    EXPECT_EQ(Active(), 0u);
}

// A render state manager that records what is pushed and popped, over the device.
class CRecordingStates final : public IRenderStateManager {
public:
    explicit CRecordingStates(IDirect3DDevice9* device) : device(device) {}
    const D3DXMATRIX* GetWorldMatrix() override { return nullptr; }
    const D3DXMATRIX* GetViewMatrix() override { return nullptr; }
    const D3DXMATRIX* GetProjectionMatrix() override { return nullptr; }
    const D3DXMATRIX* GetWorldViewProjectionMatrix() override { return nullptr; }
    const D3DXMATRIX* GetWorldViewMatrix() override { return nullptr; }
    const D3DXMATRIX* GetInverseViewMatrix() override { return nullptr; }
    const D3DXMATRIX* GetInverseWorldMatrix() override { return nullptr; }
    HRESULT PushMatrix(const D3DXMATRIX*) override { return E_NOTIMPL; }
    HRESULT PopMatrix() override { return E_NOTIMPL; }
    HRESULT PushRenderState(D3DRENDERSTATETYPE state, DWORD value) override
    {
        pushed.push_back({state, value});
        return device->SetRenderState(state, value);
    }
    HRESULT PopRenderState(D3DRENDERSTATETYPE state) override
    {
        popped.push_back(state);
        return S_OK;
    }
    HRESULT SetColorStage(DWORD, DWORD, DWORD, DWORD) override { return E_NOTIMPL; }
    HRESULT SetAlphaStage(DWORD, DWORD, DWORD, DWORD) override { return E_NOTIMPL; }

    IDirect3DDevice9* device;
    std::vector<std::pair<D3DRENDERSTATETYPE, DWORD>> pushed;
    std::vector<D3DRENDERSTATETYPE> popped;
};

// A scene that hands out the recording manager; everything else is unused by emitters.
class CRecordingScene final : public IScene {
public:
    explicit CRecordingScene(IDirect3DDevice9* device) : states(device) {}
    HRESULT Update(float) override { return E_NOTIMPL; }
    HRESULT Render() override { return E_NOTIMPL; }
    IDirect3DDevice9* GetDevice() override { return states.device; }
    ISceneNode* GetRoot() override { return nullptr; }
    HRESULT AddNode(ISceneNode*) override { return E_NOTIMPL; }
    IRenderStateManager* GetRenderStateManager() override { return &states; }
    IResManager* GetResourceManager() override { return nullptr; }
    HRESULT RestoreDeviceObjects() override { return E_NOTIMPL; }
    HRESULT InvalidateDeviceObjects() override { return E_NOTIMPL; }
    HRESULT Cleanup() override { return E_NOTIMPL; }
    void SetRenderFlags(int) override {}
    int GetRenderFlags() override { return 0; }
    int AddCamera(ICamera*) override { return -1; }
    void SelectCamera(int) override {}
    void SetCamera(ICamera*) override {}
    ICamera* GetCamera() override { return nullptr; }
    HRESULT SetClearColor(D3DCOLOR) override { return E_NOTIMPL; }
    void DeferNode(ISceneNode*) override {}
    void Destroy() override {}

    CRecordingStates states;
};

DWORD Bits(float value)
{
    DWORD bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

// Every state an emitter draws with, in the order it pops them.
const std::vector<D3DRENDERSTATETYPE> Touched = {
    D3DRS_LIGHTING,         D3DRS_POINTSIZE_MIN,    D3DRS_POINTSCALE_A,      D3DRS_POINTSCALE_B,
    D3DRS_POINTSCALE_C,     D3DRS_POINTSCALEENABLE, D3DRS_POINTSPRITEENABLE, D3DRS_ZWRITEENABLE,
    D3DRS_ALPHABLENDENABLE, D3DRS_SRCBLEND,         D3DRS_DESTBLEND};

TEST_F(EmitterTest, PushesItsStatesInOrderAndPopsThemAll)
{
    const std::vector<std::pair<D3DRENDERSTATETYPE, DWORD>> common = {
        {D3DRS_LIGHTING, FALSE},           {D3DRS_POINTSPRITEENABLE, TRUE}, {D3DRS_POINTSCALEENABLE, TRUE},
        {D3DRS_POINTSIZE_MIN, Bits(0.0f)}, {D3DRS_POINTSCALE_A, Bits(0.0f)}, {D3DRS_POINTSCALE_B, Bits(0.0f)},
        {D3DRS_POINTSCALE_C, Bits(1.0f)},  {D3DRS_ZWRITEENABLE, FALSE},     {D3DRS_ALPHABLENDENABLE, TRUE}};
    for (int mode : {PARTICLE_MODE_FIXED, PARTICLE_MODE_DIM_SUBTRACT, PARTICLE_MODE_FLICKER}) {
        CRecordingScene recording(device.get());
        emitter->SetMode(mode);
        EXPECT_EQ(emitter->Render(&recording), S_OK);
        auto expected = common;
        if (mode == PARTICLE_MODE_DIM_SUBTRACT) { // darkens what lies behind
            expected.push_back({D3DRS_SRCBLEND, D3DBLEND_ZERO});
            expected.push_back({D3DRS_DESTBLEND, D3DBLEND_INVSRCCOLOR});
        } else {
            expected.push_back({D3DRS_SRCBLEND, D3DBLEND_ONE});
            expected.push_back({D3DRS_DESTBLEND, D3DBLEND_ONE});
        }
        EXPECT_EQ(recording.states.pushed, expected) << mode;
        EXPECT_EQ(recording.states.popped, Touched) << mode;
    }
    EXPECT_EQ(emitter->Render(nullptr), E_POINTER);
}

TEST_F(EmitterTest, DrawsInBatchesOfFiftyAndRestoresEveryState)
{
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_POINTSCALE_C, Bits(0.5f));
    std::vector<DWORD> before;
    for (D3DRENDERSTATETYPE state : Touched) {
        before.push_back(RenderStateOf(device.get(), state));
    }

    ASSERT_EQ(device->BeginScene(), D3D_OK);
    DrawCounter counter(device.get());
    EXPECT_EQ(emitter->Render(scene), S_OK); // nothing alive: no draw
    EXPECT_EQ(counter.Take().DrawCalls, 0u);
    for (auto [births, draws] : {std::pair{50u, 1u}, std::pair{1u, 2u}, std::pair{49u, 2u}}) {
        Emit(static_cast<float>(births), 10.0f);
        EXPECT_EQ(emitter->Render(scene), S_OK);
        const VESTRA_FRAME_STATISTICS stats = counter.Take();
        EXPECT_EQ(stats.DrawCalls, draws);
        EXPECT_EQ(stats.Primitives, Active());
    }
    DWORD fvf = 0;
    device->GetFVF(&fvf);
    EXPECT_EQ(fvf, 0x62u);
    device->EndScene();

    // Outside a scene the device refuses the draw, and the states still come back.
    EXPECT_EQ(emitter->Render(scene), D3DERR_INVALIDCALL);
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(RenderStateOf(device.get(), Touched[i]), before[i]) << Touched[i];
    }
}

TEST_F(EmitterTest, HoldsOneReferenceOnItsTexture)
{
    resources_test::TempFolder folder;
    folder.Write("fx/spark.dds", resources_test::DdsBytes(4, 4));
    emitter->SetTextureName("spark.dds");
    ASSERT_EQ(emitter->SetReferencePath(scene, (folder / "fx/sparks.ini").c_str()), S_OK);
    IDirect3DTexture9* texture = scene->GetResourceManager()->GetTexture(
        device.get(), (folder / "fx/sparks.ini").c_str(), "spark.dds", ".dds", FALSE);
    ASSERT_NE(texture, nullptr);
    const ULONG held = vestra::test::RefCount(texture);
    EXPECT_EQ(emitter->RestoreDeviceObjects(scene), S_OK); // drops the old reference first
    EXPECT_EQ(vestra::test::RefCount(texture), held);

    device->BeginScene();
    emitter->Render(scene);
    device->EndScene();
    IDirect3DBaseTexture9* bound = nullptr;
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, texture);
    bound->Release();

    EXPECT_EQ(emitter->InvalidateDeviceObjects(), S_OK);
    device->SetTexture(0, nullptr);
    EXPECT_EQ(vestra::test::RefCount(texture), held - 1);
    emitter->SetTextureName("missing.dds");
    EXPECT_EQ(emitter->RestoreDeviceObjects(scene), E_INVALIDARG);
    EXPECT_EQ(emitter->RestoreDeviceObjects(nullptr), E_INVALIDARG);
    texture->Release();
}

} // namespace
