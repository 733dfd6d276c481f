#include "d3d9/DeviceState.h"

#include "d3d9/raster/StateStorage.h"

#include <cstring>

namespace vestra::d3d9 {

DWORD FloatBits(float value) {
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float BitsToFloat(DWORD bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

namespace {

D3DMATRIX Identity() {
    D3DMATRIX m{};
    m._11 = m._22 = m._33 = m._44 = 1.0f;
    return m;
}


void ApplyStageDefaults(DWORD (*stages)[kStageStateCount]) {
    for (UINT stage = 0; stage < kStageCount; ++stage) {
        DWORD* s = stages[stage];
        std::memset(s, 0, sizeof(DWORD) * kStageStateCount);
        s[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        s[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        s[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        s[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        s[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        s[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        s[D3DTSS_TEXCOORDINDEX] = stage;
        s[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
        s[D3DTSS_COLORARG0] = D3DTA_CURRENT;
        s[D3DTSS_ALPHAARG0] = D3DTA_CURRENT;
        s[D3DTSS_RESULTARG] = D3DTA_CURRENT;
        s[D3DTSS_CONSTANT] = 0xFFFFFFFF;
    }
}

void ApplySamplerDefaults(DWORD (*samplers)[kSamplerStateCount]) {
    for (UINT sampler = 0; sampler < kSamplerCount; ++sampler) {
        DWORD* s = samplers[sampler];
        std::memset(s, 0, sizeof(DWORD) * kSamplerStateCount);
        s[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
        s[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
        s[D3DSAMP_ADDRESSW] = D3DTADDRESS_WRAP;
        s[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
        s[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
        s[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
        s[D3DSAMP_MAXANISOTROPY] = 1;
    }
}

}  // namespace

void ApplyDefaultState(DeviceState& state, UINT targetWidth, UINT targetHeight, bool autoDepthStencil) {
    raster::ApplyDefaultRenderStates(state.renderStates, autoDepthStencil);
    ApplyStageDefaults(state.stageStates);
    ApplySamplerDefaults(state.samplerStates);

    const D3DMATRIX identity = Identity();
    for (D3DMATRIX& m : state.world) m = identity;
    state.view = identity;
    state.projection = identity;
    for (D3DMATRIX& m : state.textureTransforms) m = identity;

    state.viewport = {0, 0, targetWidth, targetHeight, 0.0f, 1.0f};
    state.scissorRect = {0, 0, static_cast<LONG>(targetWidth), static_cast<LONG>(targetHeight)};
    state.material = {};
    state.lights.clear();
    std::memset(state.clipPlanes, 0, sizeof state.clipPlanes);
    state.clipStatus = {0, D3DCS_ALL};

    state.fvf = 0;
    state.declaration = nullptr;
    for (StreamBinding& stream : state.streams) stream = {nullptr, 0, 0, 1};
    state.indices = nullptr;
    for (IDirect3DBaseTexture9*& texture : state.textures) texture = nullptr;
    state.renderTarget = nullptr;
    state.depthStencil = nullptr;

    std::memset(state.vertexShaderConstantsF, 0, sizeof state.vertexShaderConstantsF);
    std::memset(state.vertexShaderConstantsI, 0, sizeof state.vertexShaderConstantsI);
    std::memset(state.vertexShaderConstantsB, 0, sizeof state.vertexShaderConstantsB);
    std::memset(state.pixelShaderConstantsF, 0, sizeof state.pixelShaderConstantsF);
    std::memset(state.pixelShaderConstantsI, 0, sizeof state.pixelShaderConstantsI);
    std::memset(state.pixelShaderConstantsB, 0, sizeof state.pixelShaderConstantsB);

    state.currentTexturePalette = 0;
    state.nPatchSegments = 0.0f;
}

bool IsValidRenderState(DWORD state) {
    // The holes in the numbering belong to states Direct3D 9 retired.
    static const bool* const table = [] {
        static bool valid[kRenderStateCount] = {};
        const DWORD ranges[][2] = {{7, 9},     {14, 16},   {19, 20},   {22, 29},   {34, 38},
                                   {48, 48},   {52, 60},   {128, 137}, {139, 143}, {145, 148},
                                   {151, 152}, {154, 163}, {165, 168}, {170, 176}, {178, 195},
                                   {198, 209}};
        for (const auto& range : ranges)
            for (DWORD s = range[0]; s <= range[1]; ++s) valid[s] = true;
        return valid;
    }();
    return state < kRenderStateCount && table[state];
}

bool IsValidStageState(DWORD type) {
    return (type >= D3DTSS_COLOROP && type <= D3DTSS_TEXCOORDINDEX) ||
           (type >= D3DTSS_BUMPENVLSCALE && type <= D3DTSS_TEXTURETRANSFORMFLAGS) ||
           (type >= D3DTSS_COLORARG0 && type <= D3DTSS_RESULTARG) || type == D3DTSS_CONSTANT;
}

bool IsValidSamplerState(DWORD type) { return type >= D3DSAMP_ADDRESSU && type <= D3DSAMP_DMAPOFFSET; }

}  // namespace vestra::d3d9
