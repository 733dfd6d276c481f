// IBillboardQuad: size and alpha pulse of a camera-facing billboard (CreateBillboardQuad,
// CreateBitstripBillboard). Queried from the node with IID_IBillboardQuad.
#pragma once
#include <d3dx9.h>
#include "CoreUnknown.h"

class IBillboardQuad : public ICoreUnknown {
public:
    // Rebuilds the four corners: `size` is width and height in world units, centred on the
    // billboard's position, `depth` the corners' z in the billboard's own frame.
    virtual void SetSize(const D3DXVECTOR2* size, float depth) = 0;
    // While enabled, every Update sets the corners' alpha to
    // |minAlpha + (maxAlpha - minAlpha) * sin(time * frequency)| (time in seconds,
    // frequency in radians per second) and Render switches alpha blending on. Takes effect
    // at once. Disabling leaves the corners as last painted.
    virtual HRESULT SetPulse(bool enable, float minAlpha, float maxAlpha, float frequency) = 0;

protected:
    ~IBillboardQuad() = default;
};
