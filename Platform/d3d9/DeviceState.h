// All pipeline-relevant state of a device as plain data. The device's Set* methods validate
// and write here; the rasterizer is fed from here (arrays are indexed by the Direct3D
// enumeration values themselves, so renderStates[D3DRS_ZENABLE] is the Z-enable state).
//
// Bound objects are plain pointers: the device holds an internal reference on each one
// for as long as it is stored here, and releases it when the slot changes.
#pragma once

#include <map>

#include "d3d9.h"

namespace vestra::d3d9 {

class CSurface;
class CVertexBuffer;
class CIndexBuffer;
class CVertexDeclaration;

constexpr UINT kRenderStateCount = 256;
constexpr UINT kStageCount = 8;
constexpr UINT kStageStateCount = 33;  // D3DTSS_CONSTANT (32) is the last
constexpr UINT kSamplerCount = 16;
constexpr UINT kSamplerStateCount = 14;  // D3DSAMP_DMAPOFFSET (13) is the last
constexpr UINT kWorldMatrixCount = 256;
constexpr UINT kClipPlaneCount = 6;
constexpr UINT kStreamCount = 1;  // the fixed-function pipeline reads stream 0 only
constexpr UINT kVertexShaderFloatConstants = 256;
constexpr UINT kPixelShaderFloatConstants = 224;
constexpr UINT kIntConstants = 16;
constexpr UINT kBoolConstants = 16;

struct LightSlot {
    D3DLIGHT9 light;
    BOOL enabled;
};

struct StreamBinding {
    CVertexBuffer* buffer;
    UINT offset;
    UINT stride;
    UINT frequency;
};

struct DeviceState {
    DWORD renderStates[kRenderStateCount];
    DWORD stageStates[kStageCount][kStageStateCount];
    DWORD samplerStates[kSamplerCount][kSamplerStateCount];

    D3DMATRIX world[kWorldMatrixCount];  // D3DTS_WORLDMATRIX(0..255)
    D3DMATRIX view;
    D3DMATRIX projection;
    D3DMATRIX textureTransforms[kStageCount];  // D3DTS_TEXTURE0..7

    D3DVIEWPORT9 viewport;
    RECT scissorRect;
    D3DMATERIAL9 material;
    std::map<DWORD, LightSlot> lights;  // only indices that were set or enabled
    float clipPlanes[kClipPlaneCount][4];
    D3DCLIPSTATUS9 clipStatus;

    // SetFVF and SetVertexDeclaration replace each other: after SetFVF the declaration is
    // the device's own equivalent of that FVF; after SetVertexDeclaration fvf is the FVF
    // equivalent of the declaration, or 0 when it has none.
    DWORD fvf;
    CVertexDeclaration* declaration;
    StreamBinding streams[kStreamCount];
    CIndexBuffer* indices;
    IDirect3DBaseTexture9* textures[kSamplerCount];
    CSurface* renderTarget;
    CSurface* depthStencil;  // null when none is bound

    float vertexShaderConstantsF[kVertexShaderFloatConstants][4];
    int vertexShaderConstantsI[kIntConstants][4];
    BOOL vertexShaderConstantsB[kBoolConstants];
    float pixelShaderConstantsF[kPixelShaderFloatConstants][4];
    int pixelShaderConstantsI[kIntConstants][4];
    BOOL pixelShaderConstantsB[kBoolConstants];

    UINT currentTexturePalette;
    float nPatchSegments;
    BOOL softwareVertexProcessing;
};

// The values a device has after creation and after Reset: render, stage and sampler state
// defaults, identity transforms, a viewport and scissor rectangle covering the target, no
// lights and nothing bound (binding pointers are overwritten with null; release first).
void ApplyDefaultState(DeviceState& state, UINT targetWidth, UINT targetHeight, bool autoDepthStencil);

// Whether the value names a Direct3D 9 render state, texture-stage state or sampler state.
bool IsValidRenderState(DWORD state);
bool IsValidStageState(DWORD type);
bool IsValidSamplerState(DWORD type);

// Stored value of a float-valued state.
DWORD FloatBits(float value);
float BitsToFloat(DWORD bits);

}  // namespace vestra::d3d9
