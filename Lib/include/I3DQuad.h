// I3DQuad: a free rectangle of four pre-lit corners in its local XY plane, not a scene
// node. Render draws it with whatever texture, states and world transform the caller has
// set. Create3DQuad returns it with one reference, which the caller releases.
#pragma once
#include <d3d9.h>
#include <d3dx9.h>
#include "CoreUnknown.h"
#include "VestraExport.h"

class I3DQuad : public ICoreUnknown {
public:
    // Stores width and height and rebuilds bottom-anchored (Build(false)); call Build(true)
    // afterwards for the centred layout.
    virtual HRESULT SetSize(const D3DXVECTOR2* size) = 0;
    // `out` must not be null; returns it.
    virtual D3DXVECTOR2* GetSize(D3DXVECTOR2* out) = 0;
    // Paints all four corners; returns `color`.
    virtual D3DCOLOR SetColor(D3DCOLOR color) = 0;
    // Centred: the rectangle straddles the origin. Bottom-anchored: it stands on the local
    // x axis, centred in x. Texture coordinates keep the image upright, front face to -z
    // viewers (looking along +z).
    virtual HRESULT Build(bool centered) = 0;
    // SetFVF then one two-triangle strip; returns the first failure.
    virtual HRESULT Render(IDirect3DDevice9* device) = 0;

protected:
    ~I3DQuad() = default;
};

VESTRA_API I3DQuad* Create3DQuad();
