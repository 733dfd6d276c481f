// What the demo shows on top of R1: bitstrip animations (spinning coins, flickering
// flames), a background banner, particle emitters in several modes (one read from a
// particle definition file) and a Bezier motion path that carries an emitter around the
// scene, drawn as a line.
#pragma once

#include <Vestra.h>

#include <string>

#include "R1EngineScene.h"

namespace demo {

class DemoAdditions {
public:
    // Seconds for the emitter to travel the whole path once.
    static constexpr float kPathPeriod = 12.0f;

    DemoAdditions() = default;
    DemoAdditions(const DemoAdditions&) = delete;
    DemoAdditions& operator=(const DemoAdditions&) = delete;
    ~DemoAdditions();

    // Writes the demo's images into the media folder (`mediaReference` ends with a
    // separator), registers them and adds the nodes to the scene's root. The travelling
    // emitter reads `particleFile`; a missing file leaves it with the emitter defaults.
    HRESULT Build(IScene* scene, const std::string& mediaReference, const std::string& particleFile);

    // After the scene's update: moves the travelling emitter along the path.
    void Update(float elapsed);

    bool ParticleFileLoaded() const { return particleFileLoaded; }

private:
    HRESULT AddBitstrips();
    HRESULT AddEmitters(const std::string& particleFile);
    HRESULT AddPath();
    HRESULT AddBanner();
    HRESULT AddEmitter(const char* name, IParticleEmitter* emitter);

    IScene* scene = nullptr;
    std::string mediaReference;
    IMotionPath* path = nullptr;           // one reference of ours, one of the path node's
    IParticleEmitter* traveller = nullptr; // borrowed from its node
    float pathTime = 0.0f;
    bool particleFileLoaded = false;
};

} // namespace demo
