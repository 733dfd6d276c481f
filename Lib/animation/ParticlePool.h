// CParticlePool: the 100 particles of an emitter, each either active (in spawn order) or
// free. Particles only move between the two lists; none is made or freed after
// construction, and moving one allocates nothing.
#pragma once

#include <list>

#include "animation/Particle.h"

class CParticlePool {
public:
    static constexpr size_t Capacity = 100;
    using List = std::list<CParticle*>;

    CParticlePool();
    ~CParticlePool();
    CParticlePool(const CParticlePool&) = delete;
    CParticlePool& operator=(const CParticlePool&) = delete;

    // Moves the most recently freed particle to the end of the active list and returns it;
    // null when every particle is active.
    CParticle* Acquire();
    // Moves an active particle to the end of the free list; returns the active particle
    // that followed it.
    List::iterator Recycle(List::iterator active);

    List& Active() { return active; }
    const List& Active() const { return active; }
    const List& Free() const { return free; }

private:
    List active;
    List free;
};
