#include "animation/ParticlePool.h"

CParticlePool::CParticlePool()
{
    for (size_t i = 0; i < Capacity; ++i) {
        free.push_back(new CParticle());
    }
}

CParticlePool::~CParticlePool()
{
    for (CParticle* particle : active) {
        delete particle;
    }
    for (CParticle* particle : free) {
        delete particle;
    }
}

CParticle* CParticlePool::Acquire()
{
    if (free.empty()) {
        return nullptr;
    }
    active.splice(active.end(), free, std::prev(free.end()));
    return active.back();
}

CParticlePool::List::iterator CParticlePool::Recycle(List::iterator particle)
{
    const List::iterator next = std::next(particle);
    free.splice(free.end(), active, particle);
    return next;
}
