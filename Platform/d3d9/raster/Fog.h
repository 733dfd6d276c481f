// Fog factors: 1 leaves a pixel's colour alone, 0 replaces it with the fog colour.
#pragma once

#include "d3d9/raster/Pipeline.h"

namespace vestra::raster {

struct FogFormula {
    DWORD mode = D3DFOG_NONE;  // D3DFOGMODE
    float start = 0.0f, end = 1.0f, density = 1.0f;
};

// FOGSTART / FOGEND / FOGDENSITY with the given mode.
FogFormula MakeFogFormula(const DWORD renderStates[kRenderStateCount], DWORD mode);

// LINEAR (end - d) / (end - start), EXP e^-(d density), EXP2 e^-((d density)^2), clamped
// to [0, 1]. LINEAR with start == end gives 1 in front of the end and 0 from it on.
float FogFactor(const FogFormula& fog, float distance);

// The fog blend on one channel: (colour f + fog (255 - f)) / 255, rounded.
inline int FogChannel(int colour, int fog, int f) { return (colour * f + fog * (255 - f) + 127) / 255; }

}  // namespace vestra::raster
