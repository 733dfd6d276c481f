// Which parts of the device state a state block covers, and copying those parts between
// states (device to block on Capture, block to device on Apply).
#pragma once

#include <bitset>
#include <set>

#include "d3d9/DeviceState.h"

namespace vestra::d3d9 {

struct StateMask {
    std::bitset<kRenderStateCount> renderStates;
    std::bitset<kStageStateCount> stageStates[kStageCount];
    std::bitset<kSamplerStateCount> samplerStates[kSamplerCount];
    std::bitset<512> transforms;  // by D3DTRANSFORMSTATETYPE value
    bool viewport = false;
    bool scissorRect = false;
    bool material = false;
    bool allLights = false;
    std::set<DWORD> lights;
    std::bitset<kClipPlaneCount> clipPlanes;
    bool vertexFormat = false;  // FVF and declaration, which replace each other
    std::bitset<kStreamCount> streams;
    std::bitset<kStreamCount> streamFrequencies;
    bool indices = false;
    std::bitset<kSamplerCount> textures;
    std::bitset<kVertexShaderFloatConstants> vertexConstantsF;
    std::bitset<kIntConstants> vertexConstantsI;
    std::bitset<kBoolConstants> vertexConstantsB;
    std::bitset<kPixelShaderFloatConstants> pixelConstantsF;
    std::bitset<kIntConstants> pixelConstantsI;
    std::bitset<kBoolConstants> pixelConstantsB;
};

// What CreateStateBlock captures for D3DSBT_ALL, D3DSBT_PIXELSTATE and D3DSBT_VERTEXSTATE
// (the state lists of the Direct3D 9 documentation).
StateMask MaskForType(D3DSTATEBLOCKTYPE type);

// Copies the covered part of `from` into `to`; bound objects move their internal references.
void CopyMaskedState(const DeviceState& from, DeviceState& to, const StateMask& mask);

// Gives up the internal references a state's bindings hold.
void ReleaseBindings(DeviceState& state);

}  // namespace vestra::d3d9
