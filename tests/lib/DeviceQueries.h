// Reading device state back in the engine tests.
#pragma once

#include "support/HeadlessDevice.h"

inline DWORD RenderStateOf(IDirect3DDevice9* device, D3DRENDERSTATETYPE state)
{
    DWORD value = 0;
    device->GetRenderState(state, &value);
    return value;
}

inline D3DMATRIX TransformOf(IDirect3DDevice9* device, D3DTRANSFORMSTATETYPE type)
{
    D3DMATRIX m;
    device->GetTransform(type, &m);
    return m;
}
