// The exported vertex structures. Each matches one Direct3D 9 flexible vertex format
// (field order is the device's vertex layout) and carries that format code as FVF, to be
// passed to the device when drawing.
//
// Every Set packs its D3DXCOLOR into a 32-bit ARGB value: per channel 255 at or above 1.0,
// 0 at or below 0.0 (a channel that is not a number packs to 0), otherwise
// channel * 255 + 0.5 truncated.
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include "VestraExport.h"

#pragma pack(push, 4)

// Geometry lit by the device: position, normal, diffuse colour, one texture coordinate set.
struct VESTRA_API UNLITVERTEX {
    D3DXVECTOR3 position;
    D3DXVECTOR3 normal;
    D3DCOLOR color;
    float tu, tv;

    static const DWORD FVF; // D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1

    void Set(const D3DXVECTOR3& position, const D3DXVECTOR3& normal, const D3DXCOLOR& color,
             const D3DXVECTOR2& uv);
};

// Pre-lit textured geometry.
struct VESTRA_API LITVERTEX {
    D3DXVECTOR3 position;
    D3DCOLOR color;
    float tu, tv;

    static const DWORD FVF; // D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1

    void Set(const D3DXVECTOR3& position, const D3DXCOLOR& color, const D3DXVECTOR2& uv);
};

// Pre-lit untextured geometry.
struct VESTRA_API LITCOLOREDVERTEX {
    D3DXVECTOR3 position;
    D3DCOLOR color;

    static const DWORD FVF; // D3DFVF_XYZ | D3DFVF_DIFFUSE

    void Set(const D3DXVECTOR3& position, const D3DXCOLOR& color);
};

// Screen-space geometry, already transformed: pixels, depth and reciprocal w.
struct VESTRA_API VERTEX2D {
    float x, y;
    float z;
    float rhw;
    D3DCOLOR color;
    float tu, tv;

    static const DWORD FVF; // D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1

    // Writes z = 0 whatever the vertex held before.
    void Set(const D3DXVECTOR2& xy, float rhw, const D3DXCOLOR& color, const D3DXVECTOR2& uv);
    void Set(float x, float y, float z, float rhw, const D3DXCOLOR& color, float tu, float tv);
    // Texture coordinates only; position, rhw and colour are left as they are.
    void SetUV(const D3DXVECTOR2& uv);
};

#pragma pack(pop)
