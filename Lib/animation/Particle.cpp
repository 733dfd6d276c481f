#include "animation/Particle.h"

HRESULT CParticle::Update(float elapsed, const D3DXVECTOR3* wind)
{
    age += elapsed;
    if (age > life) {
        return E_FAIL;
    }
    velocity += *wind;
    position += velocity * elapsed;
    return S_OK;
}
