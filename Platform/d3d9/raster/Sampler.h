// Texture sampling: point and bilinear filtering, mip selection, address modes.
#pragma once

#include "d3d9/raster/ColorMath.h"
#include "d3d9/raster/Pipeline.h"

namespace vestra::raster {

struct SamplerSetup {
    const Texture* texture = nullptr;
    DWORD addressU = D3DTADDRESS_WRAP;
    DWORD addressV = D3DTADDRESS_WRAP;
    DWORD addressW = D3DTADDRESS_WRAP;
    DWORD border = 0;
    DWORD magFilter = D3DTEXF_POINT;
    DWORD minFilter = D3DTEXF_POINT;
    DWORD mipFilter = D3DTEXF_NONE;
    float lodBias = 0.0f;
    int baseLevel = 0;      // D3DSAMP_MAXMIPLEVEL clamped to the chain
    bool needsLod = false;  // minification and magnification differ, or mipmapping is on
};

// Reads the sampler states of one stage. Filters other than NONE/POINT count as LINEAR.
SamplerSetup MakeSamplerSetup(const DWORD samplerStates[kSamplerStateCount], const Texture* texture);

// Samples level `level` with the given filter; u, v in texture space (0..1 spans the level).
DWORD SampleLevel(const SamplerSetup& s, int level, bool linear, float u, float v);

// Cube textures: the face the direction (x, y, z) points at, clamped at its edges;
// volume textures: u, v, w with trilinear filtering within the level when linear. Levels
// and filters are chosen from lod as for 2D textures.
DWORD Sample3(const SamplerSetup& s, float x, float y, float z, float lod);

// lod (log2 of the texel-to-pixel ratio at level 0) of a cube or volume texture read at
// coord, which changes by ddx and ddy from one pixel to the next across and down: for a
// cube, the change of the coordinates across the face coord points at.
float LevelOfDetail3(const Texture& texture, const float coord[3], const float ddx[3], const float ddy[3]);

// Full sample; lod is log2 of the texel-to-pixel ratio at level 0 (ignored when !needsLod).
DWORD Sample(const SamplerSetup& s, float u, float v, float lod);

}  // namespace vestra::raster
