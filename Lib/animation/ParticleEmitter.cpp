#include "animation/ParticleEmitter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "IScene.h"
#include "ResManager.h"
#include "animation/ProfileFile.h"
#include "core/ColorPacking.h"

namespace {

constexpr float Pi = 3.1415927f;
constexpr float FullPool = static_cast<float>(CParticlePool::Capacity);

// One of the 101 evenly spaced values from a to b inclusive.
float RandomRange(float a, float b)
{
    return a + (b - a) * static_cast<float>(rand() % 101) * 0.01f;
}

DWORD FloatBits(float value)
{
    DWORD bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

bool IsRangeIndex(int index)
{
    return index == 0 || index == 1;
}

} // namespace

CParticleEmitter::CParticleEmitter()
{
    SetDefaults();
}

CParticleEmitter::~CParticleEmitter()
{
    ReleaseTexture();
}

bool CParticleEmitter::QueryInterface(const GUID& id, void** out)
{
    *out = nullptr;
    if (IsEqualGUID(id, IID_ICoreUnknown) || IsEqualGUID(id, IID_IParticleEmitter)) {
        *out = static_cast<IParticleEmitter*>(this);
        AddRef();
    }
    return *out != nullptr;
}

void CParticleEmitter::ApplyMode(CParticle& particle, float elapsed) const
{
    switch (mode) {
    case PARTICLE_MODE_DIM:
    case PARTICLE_MODE_DIM_SUBTRACT:
        particle.colour.r = color.r * 0.2f;
        particle.colour.g = color.g * 0.2f;
        particle.colour.b = color.b * 0.2f;
        particle.colour.a = 1.0f - 0.5f * particle.age / particle.life;
        break;
    case PARTICLE_MODE_WARM: {
        const float t = 0.5f * particle.age / particle.life;
        particle.colour = D3DXCOLOR(t, 0.75f * t, 0.0f, 1.0f - 0.5f * t);
        particle.velocity.x *= std::sin(elapsed);
        particle.velocity.y *= std::sin(elapsed);
        break;
    }
    case PARTICLE_MODE_TINT:
        particle.colour = color * (0.5f * particle.age / particle.life);
        particle.velocity.x *= std::sin(elapsed);
        particle.velocity.y *= std::sin(elapsed);
        break;
    case PARTICLE_MODE_PULSE:
        particle.colour = color * std::fabs(std::sin(pulsePhase * Pi));
        particle.age = 0.0f;
        break;
    case PARTICLE_MODE_FLICKER:
        particle.colour = color * (0.6f + 0.004f * static_cast<float>(rand() % 101));
        particle.size = particle.age >= 0.0001f ? std::min(size[0], size[0] * particle.life / particle.age * 0.25f)
                                                : size[0];
        break;
    default:
        break;
    }
}

void CParticleEmitter::Spawn(CParticle& particle) const
{
    particle.age = 0.0f;
    particle.life = RandomRange(life[0], life[1]);
    particle.size = RandomRange(size[0], size[1]);
    particle.position = position;
    particle.velocity.y = RandomRange(spawnDirection[0].y, spawnDirection[1].y);
    particle.velocity.x = RandomRange(spawnDirection[0].x, spawnDirection[1].x);
    particle.velocity.z = RandomRange(spawnDirection[0].z, spawnDirection[1].z);
    // The other modes colour particles in their next update; unknown modes keep whatever
    // colour the particle had.
    if (mode == PARTICLE_MODE_FIXED) {
        particle.colour = color;
    }
}

HRESULT CParticleEmitter::Update(float elapsed)
{
    pulsePhase += elapsed;
    if (pulsePhase > 1.0f) {
        pulsePhase = 0.0f;
    }

    CParticlePool::List& active = pool.Active();
    for (auto it = active.begin(); it != active.end();) {
        CParticle& particle = **it;
        ApplyMode(particle, elapsed);
        if (FAILED(particle.Update(elapsed, &wind)) && mode != PARTICLE_MODE_PULSE) {
            it = pool.Recycle(it);
        } else {
            ++it;
        }
    }

    const float rate = RandomRange(emission[0], emission[1]);
    const float count = std::min(rate * elapsed + emissionRemainder, FullPool);
    // Negative counts (from negative rates or steps) give no births; the debt is carried.
    size_t births = count > 0.0f ? static_cast<size_t>(count) : 0;
    if (mode == PARTICLE_MODE_PULSE) {
        if (active.size() >= CParticlePool::Capacity) {
            return S_OK;
        }
        births = CParticlePool::Capacity - active.size();
    }
    emissionRemainder = count - static_cast<float>(births);

    for (size_t i = 0; i < births; ++i) {
        if (CParticle* particle = pool.Acquire()) {
            Spawn(*particle);
        }
    }
    return S_OK;
}

HRESULT CParticleEmitter::Render(IScene* scene)
{
    if (scene == nullptr) {
        return E_POINTER;
    }
    IRenderStateManager* states = scene->GetRenderStateManager();
    IDirect3DDevice9* device = scene->GetDevice();
    if (states == nullptr || device == nullptr) {
        return E_FAIL;
    }

    const bool subtract = mode == PARTICLE_MODE_DIM_SUBTRACT;
    states->PushRenderState(D3DRS_LIGHTING, FALSE);
    states->PushRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
    states->PushRenderState(D3DRS_POINTSCALEENABLE, TRUE);
    states->PushRenderState(D3DRS_POINTSIZE_MIN, FloatBits(0.0f));
    states->PushRenderState(D3DRS_POINTSCALE_A, FloatBits(0.0f));
    states->PushRenderState(D3DRS_POINTSCALE_B, FloatBits(0.0f));
    states->PushRenderState(D3DRS_POINTSCALE_C, FloatBits(1.0f));
    states->PushRenderState(D3DRS_ZWRITEENABLE, FALSE);
    states->PushRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    states->PushRenderState(D3DRS_SRCBLEND, subtract ? D3DBLEND_ZERO : D3DBLEND_ONE);
    states->PushRenderState(D3DRS_DESTBLEND, subtract ? D3DBLEND_INVSRCCOLOR : D3DBLEND_ONE);

    device->SetTexture(0, texture);
    device->SetFVF(PARTICLEVERTEX::FVF);

    HRESULT hr = S_OK;
    size_t filled = 0;
    const CParticlePool::List& active = pool.Active();
    for (auto it = active.begin(); it != active.end();) {
        const CParticle& particle = **it;
        batch[filled++] = PARTICLEVERTEX{particle.position.x, particle.position.y, particle.position.z, particle.size,
                                         PackColor(particle.colour)};
        ++it;
        if (filled == BatchSize || it == active.end()) {
            hr = device->DrawPrimitiveUP(D3DPT_POINTLIST, static_cast<UINT>(filled), batch, sizeof(PARTICLEVERTEX));
            filled = 0;
            if (FAILED(hr)) {
                break;
            }
        }
    }

    states->PopRenderState(D3DRS_LIGHTING);
    states->PopRenderState(D3DRS_POINTSIZE_MIN);
    states->PopRenderState(D3DRS_POINTSCALE_A);
    states->PopRenderState(D3DRS_POINTSCALE_B);
    states->PopRenderState(D3DRS_POINTSCALE_C);
    states->PopRenderState(D3DRS_POINTSCALEENABLE);
    states->PopRenderState(D3DRS_POINTSPRITEENABLE);
    states->PopRenderState(D3DRS_ZWRITEENABLE);
    states->PopRenderState(D3DRS_ALPHABLENDENABLE);
    states->PopRenderState(D3DRS_SRCBLEND);
    states->PopRenderState(D3DRS_DESTBLEND);
    return hr;
}

HRESULT CParticleEmitter::LoadFromFile(const char* path)
{
    if (path == nullptr) {
        return E_INVALIDARG;
    }
    CProfileFile file(path);
    if (!file.FileExists()) {
        return E_INVALIDARG;
    }
    position.x = file.GetFloat("POSITION", "X", 0.0f);
    position.y = file.GetFloat("POSITION", "Y", 0.0f);
    position.z = file.GetFloat("POSITION", "Z", 0.0f);
    spawnDirection[0].x = file.GetFloat("SPAWNDIR0", "X", 0.0f);
    spawnDirection[0].y = file.GetFloat("SPAWNDIR0", "Y", 0.0f);
    spawnDirection[0].z = file.GetFloat("SPAWNDIR0", "Z", 0.0f);
    spawnDirection[1].x = file.GetFloat("SPAWNDIR1", "X", 0.0f);
    spawnDirection[1].y = file.GetFloat("SPAWNDIR1", "Y", 0.0f);
    spawnDirection[1].z = file.GetFloat("SPAWNDIR1", "Z", 0.0f);
    emission[0] = file.GetFloat("EMISSION", "MIN", 0.0f);
    emission[1] = file.GetFloat("EMISSION", "MAX", 0.0f);
    textureName = file.GetString("PARTICLE", "TEX", "");
    life[0] = file.GetFloat("PARTICLE", "LIFE0", 0.0f);
    life[1] = file.GetFloat("PARTICLE", "LIFE1", 1.0f);
    size[0] = file.GetFloat("PARTICLE", "SIZE0", 1.0f);
    size[1] = file.GetFloat("PARTICLE", "SIZE1", 1.0f);
    wind.x = file.GetFloat("WIND", "X", 0.0f);
    wind.y = file.GetFloat("WIND", "Y", 0.0f);
    wind.z = file.GetFloat("WIND", "Z", 0.0f);
    return S_OK;
}

HRESULT CParticleEmitter::SetReferencePath(IScene* scene, const char* path)
{
    referencePath = path != nullptr ? path : "";
    ReleaseTexture();
    return RestoreDeviceObjects(scene);
}

HRESULT CParticleEmitter::InvalidateDeviceObjects()
{
    ReleaseTexture();
    return S_OK;
}

HRESULT CParticleEmitter::RestoreDeviceObjects(IScene* scene)
{
    ReleaseTexture();
    IResManager* resources = scene != nullptr ? scene->GetResourceManager() : nullptr;
    if (resources != nullptr) {
        texture = resources->GetTexture(scene->GetDevice(), referencePath.c_str(), textureName.c_str(), ".dds", TRUE);
    }
    return texture != nullptr ? S_OK : E_INVALIDARG;
}

void CParticleEmitter::ReleaseTexture()
{
    if (texture != nullptr) {
        texture->Release();
        texture = nullptr;
    }
}

void CParticleEmitter::SetMode(int mode)
{
    this->mode = mode;
    if (mode != PARTICLE_MODE_PULSE) {
        return;
    }
    emission[0] = emission[1] = 1.0f;
    spawnDirection[0] = spawnDirection[1] = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    life[0] = life[1] = 1.0f;
    size[0] = size[1] = 6.0f;
    textureName = "light.png";
    wind = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
}

void CParticleEmitter::SetDefaults()
{
    position = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    spawnDirection[0] = D3DXVECTOR3(-50.0f, -50.0f, -50.0f);
    spawnDirection[1] = D3DXVECTOR3(50.0f, 50.0f, 50.0f);
    emission[0] = 100.0f;
    emission[1] = 500.0f;
    textureName = "particle.png";
    life[0] = 0.25f;
    life[1] = 1.5f;
    size[0] = 10.0f;
    size[1] = 20.0f;
}

void CParticleEmitter::SetSpawnDirection(const int& index, const D3DXVECTOR3& direction)
{
    if (IsRangeIndex(index)) {
        spawnDirection[index] = direction;
    }
}

D3DXVECTOR3 CParticleEmitter::GetSpawnDirection(const int& index)
{
    return IsRangeIndex(index) ? spawnDirection[index] : D3DXVECTOR3(0.0f, 0.0f, 0.0f);
}

void CParticleEmitter::SetEmission(const int& index, const float& rate)
{
    if (IsRangeIndex(index)) {
        emission[index] = rate;
    }
}

float CParticleEmitter::GetEmission(const int& index)
{
    return IsRangeIndex(index) ? emission[index] : 0.0f;
}

void CParticleEmitter::SetLife(const int& index, const float& life)
{
    if (IsRangeIndex(index)) {
        this->life[index] = life;
    }
}

float CParticleEmitter::GetLife(const int& index)
{
    return IsRangeIndex(index) ? life[index] : 0.0f;
}

void CParticleEmitter::SetSize(const int& index, const float& size)
{
    if (IsRangeIndex(index)) {
        this->size[index] = size;
    }
}

float CParticleEmitter::GetSize(const int& index)
{
    return IsRangeIndex(index) ? size[index] : 0.0f;
}

void CParticleEmitter::SetTextureName(const char* const& name)
{
    textureName = name != nullptr ? name : "";
}

IParticleEmitter* CreateParticleEmitter()
{
    IParticleEmitter* emitter = new CParticleEmitter();
    emitter->AddRef();
    return emitter;
}
