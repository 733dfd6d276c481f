// CParticle: one particle of an emitter's pool. Particles are made once by the pool and
// reused: the emitter re-initialises the fields it needs at every birth.
#pragma once

#include <windows.h>
#include <d3dx9.h>

class CParticle final {
public:
    // Ages the particle; once its age exceeds its life (equal still lives) it returns
    // E_FAIL and nothing else changes. Otherwise the wind is added to the velocity (once
    // per update, whatever the time step) and the particle moves. S_OK.
    virtual HRESULT Update(float elapsed, const D3DXVECTOR3* wind);

    D3DXVECTOR3 position{0.0f, 0.0f, 0.0f};
    D3DXVECTOR3 velocity{0.0f, 0.0f, 0.0f}; // units per second
    D3DXCOLOR colour{1.0f, 1.0f, 1.0f, 1.0f};
    float size = 1.0f;  // point size in world units
    float life = 10.0f; // seconds
    float age = 0.0f;   // seconds
};
