#include "d3d9/StateMask.h"

#include <cstring>

#include "d3d9/IndexBuffer.h"
#include "d3d9/Surface.h"
#include "d3d9/VertexBuffer.h"
#include "d3d9/VertexDeclaration.h"

namespace vestra::d3d9 {

namespace {

constexpr D3DRENDERSTATETYPE kPixelRenderStates[] = {
    D3DRS_ZENABLE, D3DRS_FILLMODE, D3DRS_SHADEMODE, D3DRS_ZWRITEENABLE, D3DRS_ALPHATESTENABLE, D3DRS_LASTPIXEL,
    D3DRS_SRCBLEND, D3DRS_DESTBLEND, D3DRS_ZFUNC, D3DRS_ALPHAREF, D3DRS_ALPHAFUNC, D3DRS_DITHERENABLE,
    D3DRS_FOGSTART, D3DRS_FOGEND, D3DRS_FOGDENSITY, D3DRS_ALPHABLENDENABLE, D3DRS_DEPTHBIAS, D3DRS_STENCILENABLE,
    D3DRS_STENCILFAIL, D3DRS_STENCILZFAIL, D3DRS_STENCILPASS, D3DRS_STENCILFUNC, D3DRS_STENCILREF,
    D3DRS_STENCILMASK, D3DRS_STENCILWRITEMASK, D3DRS_TEXTUREFACTOR, D3DRS_WRAP0, D3DRS_WRAP1, D3DRS_WRAP2,
    D3DRS_WRAP3, D3DRS_WRAP4, D3DRS_WRAP5, D3DRS_WRAP6, D3DRS_WRAP7, D3DRS_WRAP8, D3DRS_WRAP9, D3DRS_WRAP10,
    D3DRS_WRAP11, D3DRS_WRAP12, D3DRS_WRAP13, D3DRS_WRAP14, D3DRS_WRAP15, D3DRS_COLORWRITEENABLE,
    D3DRS_COLORWRITEENABLE1, D3DRS_COLORWRITEENABLE2, D3DRS_COLORWRITEENABLE3, D3DRS_BLENDOP,
    D3DRS_SCISSORTESTENABLE, D3DRS_SLOPESCALEDEPTHBIAS, D3DRS_ANTIALIASEDLINEENABLE, D3DRS_TWOSIDEDSTENCILMODE,
    D3DRS_CCW_STENCILFAIL, D3DRS_CCW_STENCILZFAIL, D3DRS_CCW_STENCILPASS, D3DRS_CCW_STENCILFUNC,
    D3DRS_BLENDFACTOR, D3DRS_SRGBWRITEENABLE, D3DRS_SEPARATEALPHABLENDENABLE, D3DRS_SRCBLENDALPHA,
    D3DRS_DESTBLENDALPHA, D3DRS_BLENDOPALPHA};

constexpr D3DRENDERSTATETYPE kVertexRenderStates[] = {
    D3DRS_CULLMODE, D3DRS_FOGENABLE, D3DRS_FOGCOLOR, D3DRS_FOGTABLEMODE, D3DRS_FOGSTART, D3DRS_FOGEND,
    D3DRS_FOGDENSITY, D3DRS_RANGEFOGENABLE, D3DRS_AMBIENT, D3DRS_COLORVERTEX, D3DRS_FOGVERTEXMODE, D3DRS_CLIPPING,
    D3DRS_LIGHTING, D3DRS_LOCALVIEWER, D3DRS_EMISSIVEMATERIALSOURCE, D3DRS_AMBIENTMATERIALSOURCE,
    D3DRS_DIFFUSEMATERIALSOURCE, D3DRS_SPECULARMATERIALSOURCE, D3DRS_VERTEXBLEND, D3DRS_CLIPPLANEENABLE,
    D3DRS_POINTSIZE, D3DRS_POINTSIZE_MIN, D3DRS_POINTSPRITEENABLE, D3DRS_POINTSCALEENABLE, D3DRS_POINTSCALE_A,
    D3DRS_POINTSCALE_B, D3DRS_POINTSCALE_C, D3DRS_MULTISAMPLEANTIALIAS, D3DRS_MULTISAMPLEMASK,
    D3DRS_PATCHEDGESTYLE, D3DRS_POINTSIZE_MAX, D3DRS_INDEXEDVERTEXBLENDENABLE, D3DRS_TWEENFACTOR,
    D3DRS_POSITIONDEGREE, D3DRS_NORMALDEGREE, D3DRS_MINTESSELLATIONLEVEL, D3DRS_MAXTESSELLATIONLEVEL,
    D3DRS_ADAPTIVETESS_X, D3DRS_ADAPTIVETESS_Y, D3DRS_ADAPTIVETESS_Z, D3DRS_ADAPTIVETESS_W,
    D3DRS_ENABLEADAPTIVETESSELLATION, D3DRS_NORMALIZENORMALS, D3DRS_SPECULARENABLE, D3DRS_SHADEMODE};

void CoverPixelState(StateMask& mask) {
    for (D3DRENDERSTATETYPE state : kPixelRenderStates) mask.renderStates.set(state);
    for (auto& stage : mask.stageStates) {
        stage.set();
        stage.reset(D3DTSS_TEXCOORDINDEX);
        stage.reset(D3DTSS_TEXTURETRANSFORMFLAGS);
    }
    for (auto& sampler : mask.samplerStates) {
        sampler.set();
        sampler.reset(D3DSAMP_DMAPOFFSET);
    }
    mask.pixelConstantsF.set();
    mask.pixelConstantsI.set();
    mask.pixelConstantsB.set();
}

void CoverVertexState(StateMask& mask) {
    for (D3DRENDERSTATETYPE state : kVertexRenderStates) mask.renderStates.set(state);
    for (auto& stage : mask.stageStates) {
        stage.set(D3DTSS_TEXCOORDINDEX);
        stage.set(D3DTSS_TEXTURETRANSFORMFLAGS);
    }
    for (auto& sampler : mask.samplerStates) sampler.set(D3DSAMP_DMAPOFFSET);
    mask.allLights = true;
    mask.vertexFormat = true;
    mask.streamFrequencies.set();
    mask.vertexConstantsF.set();
    mask.vertexConstantsI.set();
    mask.vertexConstantsB.set();
}

template <size_t N, class T>
void CopyRegisters(const std::bitset<N>& mask, const T* from, T* to, size_t width) {
    for (size_t i = 0; i < N; ++i)
        if (mask.test(i)) std::memcpy(to + i * width, from + i * width, sizeof(T) * width);
}

}  // namespace

StateMask MaskForType(D3DSTATEBLOCKTYPE type) {
    StateMask mask;
    if (type == D3DSBT_PIXELSTATE || type == D3DSBT_ALL) CoverPixelState(mask);
    if (type == D3DSBT_VERTEXSTATE || type == D3DSBT_ALL) CoverVertexState(mask);
    if (type == D3DSBT_ALL) {
        mask.renderStates.set();
        mask.transforms.set();
        mask.viewport = mask.scissorRect = mask.material = mask.indices = true;
        mask.clipPlanes.set();
        mask.streams.set();
        mask.textures.set();
    }
    return mask;
}

void CopyMaskedState(const DeviceState& from, DeviceState& to, const StateMask& mask) {
    for (UINT i = 0; i < kRenderStateCount; ++i)
        if (mask.renderStates.test(i)) to.renderStates[i] = from.renderStates[i];
    for (UINT stage = 0; stage < kStageCount; ++stage)
        for (UINT i = 0; i < kStageStateCount; ++i)
            if (mask.stageStates[stage].test(i)) to.stageStates[stage][i] = from.stageStates[stage][i];
    for (UINT sampler = 0; sampler < kSamplerCount; ++sampler)
        for (UINT i = 0; i < kSamplerStateCount; ++i)
            if (mask.samplerStates[sampler].test(i)) to.samplerStates[sampler][i] = from.samplerStates[sampler][i];
    for (UINT t = 0; t < mask.transforms.size(); ++t) {
        if (!mask.transforms.test(t)) continue;
        if (t == D3DTS_VIEW) to.view = from.view;
        else if (t == D3DTS_PROJECTION) to.projection = from.projection;
        else if (t >= D3DTS_TEXTURE0 && t <= D3DTS_TEXTURE7) to.textureTransforms[t - D3DTS_TEXTURE0] = from.textureTransforms[t - D3DTS_TEXTURE0];
        else if (t >= 256) to.world[t - 256] = from.world[t - 256];
    }
    if (mask.viewport) to.viewport = from.viewport;
    if (mask.scissorRect) to.scissorRect = from.scissorRect;
    if (mask.material) to.material = from.material;
    if (mask.allLights) to.lights = from.lights;
    for (DWORD index : mask.lights) {
        auto it = from.lights.find(index);
        if (it != from.lights.end()) to.lights[index] = it->second;
    }
    for (UINT i = 0; i < kClipPlaneCount; ++i)
        if (mask.clipPlanes.test(i)) std::memcpy(to.clipPlanes[i], from.clipPlanes[i], sizeof to.clipPlanes[i]);
    if (mask.vertexFormat) {
        to.fvf = from.fvf;
        Rebind(to.declaration, from.declaration);
    }
    for (UINT i = 0; i < kStreamCount; ++i) {
        if (mask.streams.test(i)) {
            Rebind(to.streams[i].buffer, from.streams[i].buffer);
            to.streams[i].offset = from.streams[i].offset;
            to.streams[i].stride = from.streams[i].stride;
        }
        if (mask.streamFrequencies.test(i)) to.streams[i].frequency = from.streams[i].frequency;
    }
    if (mask.indices) Rebind(to.indices, from.indices);
    for (UINT i = 0; i < kSamplerCount; ++i)
        if (mask.textures.test(i)) RebindTexture(to.textures[i], from.textures[i]);
    CopyRegisters(mask.vertexConstantsF, &from.vertexShaderConstantsF[0][0], &to.vertexShaderConstantsF[0][0], 4);
    CopyRegisters(mask.vertexConstantsI, &from.vertexShaderConstantsI[0][0], &to.vertexShaderConstantsI[0][0], 4);
    CopyRegisters(mask.vertexConstantsB, from.vertexShaderConstantsB, to.vertexShaderConstantsB, 1);
    CopyRegisters(mask.pixelConstantsF, &from.pixelShaderConstantsF[0][0], &to.pixelShaderConstantsF[0][0], 4);
    CopyRegisters(mask.pixelConstantsI, &from.pixelShaderConstantsI[0][0], &to.pixelShaderConstantsI[0][0], 4);
    CopyRegisters(mask.pixelConstantsB, from.pixelShaderConstantsB, to.pixelShaderConstantsB, 1);
}

void ReleaseBindings(DeviceState& state) {
    for (IDirect3DBaseTexture9*& texture : state.textures) RebindTexture(texture, nullptr);
    for (StreamBinding& stream : state.streams) Rebind(stream.buffer, static_cast<CVertexBuffer*>(nullptr));
    Rebind(state.indices, static_cast<CIndexBuffer*>(nullptr));
    Rebind(state.declaration, static_cast<CVertexDeclaration*>(nullptr));
    Rebind(state.renderTarget, static_cast<CSurface*>(nullptr));
    Rebind(state.depthStencil, static_cast<CSurface*>(nullptr));
}

}  // namespace vestra::d3d9
