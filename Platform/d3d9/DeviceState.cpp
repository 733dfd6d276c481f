#include "d3d9/DeviceState.h"

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

void ApplyRenderStateDefaults(DWORD* rs, bool autoDepthStencil) {
    std::memset(rs, 0, sizeof(DWORD) * kRenderStateCount);
    const float one = 1.0f;
    rs[D3DRS_ZENABLE] = autoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
    rs[D3DRS_FILLMODE] = D3DFILL_SOLID;
    rs[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
    rs[D3DRS_ZWRITEENABLE] = TRUE;
    rs[D3DRS_LASTPIXEL] = TRUE;
    rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    rs[D3DRS_CULLMODE] = D3DCULL_CCW;
    rs[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    rs[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_FOGTABLEMODE] = D3DFOG_NONE;
    rs[D3DRS_FOGSTART] = FloatBits(0.0f);
    rs[D3DRS_FOGEND] = FloatBits(one);
    rs[D3DRS_FOGDENSITY] = FloatBits(one);
    rs[D3DRS_STENCILFAIL] = D3DSTENCILOP_KEEP;
    rs[D3DRS_STENCILZFAIL] = D3DSTENCILOP_KEEP;
    rs[D3DRS_STENCILPASS] = D3DSTENCILOP_KEEP;
    rs[D3DRS_STENCILFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_STENCILMASK] = 0xFFFFFFFF;
    rs[D3DRS_STENCILWRITEMASK] = 0xFFFFFFFF;
    rs[D3DRS_TEXTUREFACTOR] = 0xFFFFFFFF;
    rs[D3DRS_CLIPPING] = TRUE;
    rs[D3DRS_LIGHTING] = TRUE;
    rs[D3DRS_FOGVERTEXMODE] = D3DFOG_NONE;
    rs[D3DRS_COLORVERTEX] = TRUE;
    rs[D3DRS_LOCALVIEWER] = TRUE;
    rs[D3DRS_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
    rs[D3DRS_SPECULARMATERIALSOURCE] = D3DMCS_COLOR2;
    rs[D3DRS_AMBIENTMATERIALSOURCE] = D3DMCS_MATERIAL;
    rs[D3DRS_EMISSIVEMATERIALSOURCE] = D3DMCS_MATERIAL;
    rs[D3DRS_VERTEXBLEND] = D3DVBF_DISABLE;
    rs[D3DRS_POINTSIZE] = FloatBits(one);
    rs[D3DRS_POINTSIZE_MIN] = FloatBits(one);
    rs[D3DRS_POINTSCALE_A] = FloatBits(one);
    rs[D3DRS_POINTSCALE_B] = FloatBits(0.0f);
    rs[D3DRS_POINTSCALE_C] = FloatBits(0.0f);
    rs[D3DRS_MULTISAMPLEANTIALIAS] = TRUE;
    rs[D3DRS_MULTISAMPLEMASK] = 0xFFFFFFFF;
    rs[D3DRS_PATCHEDGESTYLE] = D3DPATCHEDGE_DISCRETE;
    rs[D3DRS_DEBUGMONITORTOKEN] = D3DDMT_ENABLE;
    rs[D3DRS_POINTSIZE_MAX] = FloatBits(64.0f);
    rs[D3DRS_COLORWRITEENABLE] = 0x0000000F;
    rs[D3DRS_TWEENFACTOR] = FloatBits(0.0f);
    rs[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
    rs[D3DRS_POSITIONDEGREE] = D3DDEGREE_CUBIC;
    rs[D3DRS_NORMALDEGREE] = D3DDEGREE_LINEAR;
    rs[D3DRS_SLOPESCALEDEPTHBIAS] = FloatBits(0.0f);
    rs[D3DRS_MINTESSELLATIONLEVEL] = FloatBits(one);
    rs[D3DRS_MAXTESSELLATIONLEVEL] = FloatBits(one);
    rs[D3DRS_ADAPTIVETESS_X] = FloatBits(0.0f);
    rs[D3DRS_ADAPTIVETESS_Y] = FloatBits(0.0f);
    rs[D3DRS_ADAPTIVETESS_Z] = FloatBits(one);
    rs[D3DRS_ADAPTIVETESS_W] = FloatBits(0.0f);
    rs[D3DRS_CCW_STENCILFAIL] = D3DSTENCILOP_KEEP;
    rs[D3DRS_CCW_STENCILZFAIL] = D3DSTENCILOP_KEEP;
    rs[D3DRS_CCW_STENCILPASS] = D3DSTENCILOP_KEEP;
    rs[D3DRS_CCW_STENCILFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_COLORWRITEENABLE1] = 0x0000000F;
    rs[D3DRS_COLORWRITEENABLE2] = 0x0000000F;
    rs[D3DRS_COLORWRITEENABLE3] = 0x0000000F;
    rs[D3DRS_BLENDFACTOR] = 0xFFFFFFFF;
    rs[D3DRS_DEPTHBIAS] = FloatBits(0.0f);
    rs[D3DRS_SRCBLENDALPHA] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLENDALPHA] = D3DBLEND_ZERO;
    rs[D3DRS_BLENDOPALPHA] = D3DBLENDOP_ADD;
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
    ApplyRenderStateDefaults(state.renderStates, autoDepthStencil);
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
