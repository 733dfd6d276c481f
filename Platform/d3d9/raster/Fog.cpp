#include "d3d9/raster/Fog.h"

#include <bit>
#include <cmath>

namespace vestra::raster {

FogFormula MakeFogFormula(const DWORD renderStates[kRenderStateCount], DWORD mode) {
    return FogFormula{mode, std::bit_cast<float>(renderStates[D3DRS_FOGSTART]),
                      std::bit_cast<float>(renderStates[D3DRS_FOGEND]),
                      std::bit_cast<float>(renderStates[D3DRS_FOGDENSITY])};
}

float FogFactor(const FogFormula& fog, float distance) {
    float f = 1.0f;
    switch (fog.mode) {
        case D3DFOG_LINEAR:
            if (fog.end != fog.start) f = (fog.end - distance) / (fog.end - fog.start);
            else f = distance < fog.end ? 1.0f : 0.0f;
            break;
        case D3DFOG_EXP: f = std::exp(-distance * fog.density); break;
        case D3DFOG_EXP2: {
            const float t = distance * fog.density;
            f = std::exp(-t * t);
            break;
        }
        default: break;
    }
    if (!(f > 0.0f)) return 0.0f;  // NaN too
    return f < 1.0f ? f : 1.0f;
}

}  // namespace vestra::raster
