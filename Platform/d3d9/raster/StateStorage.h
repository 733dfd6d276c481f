// Owned copies of every array a State points to, initialised to the Direct3D 9 device
// defaults. Used by the scene setups, benchmarks and tests that drive the pipeline
// without a device.
#pragma once

#include <vector>

#include "d3d9/raster/Pipeline.h"

namespace vestra::raster {

// The render-state values of a new or reset Direct3D 9 device (the one table of them; the
// device uses it too); hasDepth sets ZENABLE.
void ApplyDefaultRenderStates(DWORD* renderStates, bool hasDepth);

struct VESTRA_PLATFORM_API StateStorage {
    DWORD renderStates[kRenderStateCount];
    DWORD stageStates[kMaxStages][kStageStateCount];
    DWORD samplerStates[kMaxSamplers][kSamplerStateCount];
    D3DMATRIX world, view, projection;
    D3DMATRIX textureTransforms[kMaxStages];
    D3DMATERIAL9 material{};
    std::vector<D3DLIGHT9> lights;  // enabled lights
    D3DVIEWPORT9 viewport{};
    RECT scissorRect{};
    const Texture* textures[kMaxStages] = {};
    ColorBuffer target;
    DepthBuffer depth;

    // Defaults of a device whose back buffer is width x height; hasDepth sets ZENABLE.
    StateStorage(UINT width, UINT height, bool hasDepth);

    void SetFloat(D3DRENDERSTATETYPE state, float value);
    State View() const;
};

}  // namespace vestra::raster
