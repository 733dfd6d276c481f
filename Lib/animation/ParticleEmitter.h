// CParticleEmitter: the engine's IParticleEmitter. Particles live in a fixed pool and are
// drawn from a fixed batch of point-sprite vertices, so nothing is allocated after
// construction and only the texture needs restoring after device loss.
#pragma once

#include <string>

#include "IParticleEmitter.h"
#include "animation/ParticlePool.h"
#include "core/CoreRefCount.h"

#pragma pack(push, 4)
// One point sprite as the device reads it.
struct PARTICLEVERTEX {
    float x, y, z;
    float size;
    D3DCOLOR color;

    static constexpr DWORD FVF = D3DFVF_XYZ | D3DFVF_PSIZE | D3DFVF_DIFFUSE;
};
#pragma pack(pop)

class CParticleEmitter final : public IParticleEmitter, public CCoreRefCount {
public:
    // Points drawn by one DrawPrimitiveUP call.
    static constexpr size_t BatchSize = 50;

    CParticleEmitter();
    ~CParticleEmitter() override;

    bool QueryInterface(const GUID& id, void** out) override;
    ULONG AddRef() override { return CCoreRefCount::AddRef(); }
    ULONG Release() override { return CCoreRefCount::Release(); }

    HRESULT Update(float elapsed) override;
    HRESULT Render(IScene* scene) override;
    HRESULT LoadFromFile(const char* path) override;
    HRESULT SetReferencePath(IScene* scene, const char* path) override;
    HRESULT InvalidateDeviceObjects() override;
    HRESULT RestoreDeviceObjects(IScene* scene) override;
    void SetMode(int mode) override;
    int GetMode() override { return mode; }
    void SetDefaults() override;
    void SetSpawnDirection(const int& index, const D3DXVECTOR3& direction) override;
    D3DXVECTOR3 GetSpawnDirection(const int& index) override;
    void SetWind(const D3DXVECTOR3& wind) override { this->wind = wind; }
    D3DXVECTOR3 GetWind() override { return wind; }
    void SetEmission(const int& index, const float& rate) override;
    float GetEmission(const int& index) override;
    void SetLife(const int& index, const float& life) override;
    float GetLife(const int& index) override;
    void SetSize(const int& index, const float& size) override;
    float GetSize(const int& index) override;
    void SetTextureName(const char* const& name) override;
    const std::string& GetTextureName() override { return textureName; }
    void SetPosition(const D3DXVECTOR3& position) override { this->position = position; }
    D3DXVECTOR3 GetPosition() override { return position; }
    void SetColor(const D3DXCOLOR& color) override { this->color = color; }
    D3DXCOLOR GetColor() override { return color; }

    // The particles, for tests and tools that look inside.
    const CParticlePool& Pool() const { return pool; }

private:
    // The mode's per-update colour (and for some modes motion) of one living particle.
    void ApplyMode(CParticle& particle, float elapsed) const;
    void Spawn(CParticle& particle) const;
    void ReleaseTexture();

    int mode = PARTICLE_MODE_FIXED;
    D3DXVECTOR3 position;
    D3DXVECTOR3 spawnDirection[2];
    D3DXVECTOR3 wind{0.0f, 0.0f, 0.0f};
    float emission[2] = {};
    float life[2] = {};
    float size[2] = {};
    std::string textureName;
    std::string referencePath;
    IDirect3DTexture9* texture = nullptr;
    float emissionRemainder = 0.0f;
    CParticlePool pool;
    PARTICLEVERTEX batch[BatchSize] = {};
    D3DXCOLOR color{1.0f, 1.0f, 1.0f, 1.0f};
    float pulsePhase = 0.0f;
};
