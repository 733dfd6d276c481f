// IParticleEmitter: a fixed pool of 100 particles born at the emitter's position with
// random velocities, lives and sizes, pushed by a constant wind, coloured by one of seven
// modes and drawn as point sprites with one texture.
//
// Not a scene node: the host owns it (CreateParticleEmitter gives one reference), calls
// Update with each frame's time step and Render with the scene while a frame is being
// drawn, between BeginScene and EndScene. The texture follows the device: call
// InvalidateDeviceObjects on device loss and RestoreDeviceObjects (or SetReferencePath)
// after creation and after a reset.
//
// A new emitter already holds the SetDefaults values (position at the origin, velocities
// from (-50, -50, -50) to (50, 50, 50), 100 to 500 particles per second, lives of 0.25 to
// 1.5 seconds, sizes 10 to 20, texture "particle.png"), no wind, an opaque white colour
// and mode PARTICLE_MODE_FIXED, so it emits sensibly before it is configured.
//
// Random values come from the C runtime's rand(): a value drawn from the range (a, b) is
// one of the 101 evenly spaced values a + (b - a) * k / 100. Seed with srand for
// repeatable runs.
//
// The range operations take an index: 0 is the lower bound, 1 the upper bound. Setters
// ignore any other index and getters return 0 (or the zero vector) for it.
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include <string>

#include "CoreUnknown.h"
#include "VestraExport.h"

class IScene;

// How living particles are coloured (and for some modes moved) on every Update, in terms
// of the emitter colour C, a particle's age and life, and the blend used by Render.
enum : int {
    PARTICLE_MODE_FIXED = 0,         // C, given at birth; additive
    PARTICLE_MODE_DIM = 1,           // rgb 0.2 C, alpha fading from 1 to 0.5 over the life; additive
    PARTICLE_MODE_WARM = 2,          // a dark red to orange glow growing with age, sideways speed
                                     // scaled by sin(elapsed); additive
    PARTICLE_MODE_TINT = 3,          // C scaled from 0 to 0.5 over the life, sideways speed scaled
                                     // by sin(elapsed); additive
    PARTICLE_MODE_DIM_SUBTRACT = 4,  // as DIM, but darkening what lies behind
    PARTICLE_MODE_PULSE = 5,         // the pool fills at once and never dies; C pulses once a
                                     // second; SetMode(5) also applies the pulse preset
    PARTICLE_MODE_FLICKER = 6,       // C times a random 0.6 to 1.0 per particle and update,
                                     // shrinking with age; additive
};

class IParticleEmitter : public ICoreUnknown {
public:
    // Ages, colours and moves the living particles (a particle dies once its age exceeds
    // its life), then gives birth at a rate drawn from the emission range, carrying the
    // fraction of a particle to the next update. At most 100 live at once; births beyond
    // that are dropped. Always S_OK.
    virtual HRESULT Update(float elapsed) = 0;
    // Draws the living particles as point sprites with the current world transform, in
    // batches of at most 50 points, through the scene's device. Render states are pushed on
    // the scene's render state manager and popped afterwards; the texture of stage 0 and the
    // vertex format stay as Render set them. Returns the last draw's result (S_OK when
    // nothing was drawn), E_POINTER for a null scene and E_FAIL for a scene without a device
    // or render state manager.
    virtual HRESULT Render(IScene* scene) = 0;
    // Reads a particle definition file (full path) into position, spawn directions,
    // emission, texture name, life, size and wind. E_INVALIDARG, with nothing changed, when
    // the file does not exist. The texture itself changes at the next RestoreDeviceObjects.
    virtual HRESULT LoadFromFile(const char* path) = 0;
    // Stores the path that texture names are resolved against (null is taken as "") and
    // fetches the texture again: RestoreDeviceObjects' result.
    virtual HRESULT SetReferencePath(IScene* scene, const char* path) = 0;
    // Drops the texture. S_OK.
    virtual HRESULT InvalidateDeviceObjects() = 0;
    // Drops the texture and fetches the named one through the scene's resource manager. S_OK
    // with a texture; E_INVALIDARG without one (particles are then drawn untextured).
    virtual HRESULT RestoreDeviceObjects(IScene* scene) = 0;
    // Mode 5 also applies the pulse preset: emission 1 per second, no spawn velocity, lives
    // of 1 second, size 6, texture "light.png", no wind; position and colour stay.
    virtual void SetMode(int mode) = 0;
    virtual int GetMode() = 0;
    // Restores position, spawn directions, emission, life, size and texture name to the
    // values a new emitter has; wind, colour and mode stay.
    virtual void SetDefaults() = 0;
    // Bounds of each velocity component at birth.
    virtual void SetSpawnDirection(const int& index, const D3DXVECTOR3& direction) = 0;
    virtual D3DXVECTOR3 GetSpawnDirection(const int& index) = 0;
    // Added to every living particle's velocity once per Update.
    virtual void SetWind(const D3DXVECTOR3& wind) = 0;
    virtual D3DXVECTOR3 GetWind() = 0;
    // Particles per second.
    virtual void SetEmission(const int& index, const float& rate) = 0;
    virtual float GetEmission(const int& index) = 0;
    // Seconds.
    virtual void SetLife(const int& index, const float& life) = 0;
    virtual float GetLife(const int& index) = 0;
    // Point size in world units.
    virtual void SetSize(const int& index, const float& size) = 0;
    virtual float GetSize(const int& index) = 0;
    // Null is taken as "".
    virtual void SetTextureName(const char* const& name) = 0;
    virtual const std::string& GetTextureName() = 0;
    // Where new particles are born; living ones keep their positions.
    virtual void SetPosition(const D3DXVECTOR3& position) = 0;
    virtual D3DXVECTOR3 GetPosition() = 0;
    virtual void SetColor(const D3DXCOLOR& color) = 0;
    virtual D3DXCOLOR GetColor() = 0;

protected:
    ~IParticleEmitter() = default;
};

VESTRA_API IParticleEmitter* CreateParticleEmitter();
