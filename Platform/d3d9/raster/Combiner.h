// The fixed-function texture stages (colour and alpha operations), on 8-bit channels.
#pragma once

#include "d3d9/raster/ColorMath.h"
#include "d3d9/raster/Pipeline.h"

namespace vestra::raster {

struct StageSetup {
    DWORD colorOp, colorArg[3];  // arg[0] = ARG0, [1] = ARG1, [2] = ARG2
    DWORD alphaOp, alphaArg[3];
    bool resultToTemp;
    Rgba constant;
};

struct CombinerSetup {
    int stageCount = 0;          // stages before the first COLOROP DISABLE
    StageSetup stages[kMaxStages];
    Rgba textureFactor{255, 255, 255, 255};
};

// Reads the stage states; a stage samples its texture when one of its arguments names it.
void MakeCombinerSetup(const DWORD (*stageStates)[kStageStateCount], DWORD textureFactor, CombinerSetup& out,
                       bool stageSamples[kMaxStages]);

// Runs the stages. texels[s] is stage s's sample (opaque white when no texture is bound).
Rgba Combine(const CombinerSetup& setup, const Rgba& diffuse, const Rgba& specular, const Rgba* texels);

}  // namespace vestra::raster
