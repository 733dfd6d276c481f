#include "d3d9/raster/StateStorage.h"

#include <cstring>

namespace vestra::raster {

namespace {

DWORD Bits(float f) {
    DWORD d;
    std::memcpy(&d, &f, sizeof d);
    return d;
}

D3DMATRIX Identity() {
    D3DMATRIX m{};
    m._11 = m._22 = m._33 = m._44 = 1.0f;
    return m;
}

}  // namespace

void ApplyDefaultRenderStates(DWORD* rs, bool hasDepth) {
    std::memset(rs, 0, sizeof(DWORD) * kRenderStateCount);
    const float one = 1.0f;
    rs[D3DRS_ZENABLE] = hasDepth ? D3DZB_TRUE : D3DZB_FALSE;
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
    rs[D3DRS_FOGSTART] = Bits(0.0f);
    rs[D3DRS_FOGEND] = Bits(one);
    rs[D3DRS_FOGDENSITY] = Bits(one);
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
    rs[D3DRS_POINTSIZE] = Bits(one);
    rs[D3DRS_POINTSIZE_MIN] = Bits(one);
    rs[D3DRS_POINTSCALE_A] = Bits(one);
    rs[D3DRS_POINTSCALE_B] = Bits(0.0f);
    rs[D3DRS_POINTSCALE_C] = Bits(0.0f);
    rs[D3DRS_MULTISAMPLEANTIALIAS] = TRUE;
    rs[D3DRS_MULTISAMPLEMASK] = 0xFFFFFFFF;
    rs[D3DRS_PATCHEDGESTYLE] = D3DPATCHEDGE_DISCRETE;
    rs[D3DRS_DEBUGMONITORTOKEN] = D3DDMT_ENABLE;
    rs[D3DRS_POINTSIZE_MAX] = Bits(64.0f);
    rs[D3DRS_COLORWRITEENABLE] = 0x0000000F;
    rs[D3DRS_TWEENFACTOR] = Bits(0.0f);
    rs[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
    rs[D3DRS_POSITIONDEGREE] = D3DDEGREE_CUBIC;
    rs[D3DRS_NORMALDEGREE] = D3DDEGREE_LINEAR;
    rs[D3DRS_SLOPESCALEDEPTHBIAS] = Bits(0.0f);
    rs[D3DRS_MINTESSELLATIONLEVEL] = Bits(one);
    rs[D3DRS_MAXTESSELLATIONLEVEL] = Bits(one);
    rs[D3DRS_ADAPTIVETESS_X] = Bits(0.0f);
    rs[D3DRS_ADAPTIVETESS_Y] = Bits(0.0f);
    rs[D3DRS_ADAPTIVETESS_Z] = Bits(one);
    rs[D3DRS_ADAPTIVETESS_W] = Bits(0.0f);
    rs[D3DRS_CCW_STENCILFAIL] = D3DSTENCILOP_KEEP;
    rs[D3DRS_CCW_STENCILZFAIL] = D3DSTENCILOP_KEEP;
    rs[D3DRS_CCW_STENCILPASS] = D3DSTENCILOP_KEEP;
    rs[D3DRS_CCW_STENCILFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_COLORWRITEENABLE1] = 0x0000000F;
    rs[D3DRS_COLORWRITEENABLE2] = 0x0000000F;
    rs[D3DRS_COLORWRITEENABLE3] = 0x0000000F;
    rs[D3DRS_BLENDFACTOR] = 0xFFFFFFFF;
    rs[D3DRS_DEPTHBIAS] = Bits(0.0f);
    rs[D3DRS_SRCBLENDALPHA] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLENDALPHA] = D3DBLEND_ZERO;
    rs[D3DRS_BLENDOPALPHA] = D3DBLENDOP_ADD;
}

StateStorage::StateStorage(UINT width, UINT height, bool hasDepth) {
    ApplyDefaultRenderStates(renderStates, hasDepth);

    std::memset(stageStates, 0, sizeof stageStates);
    for (UINT s = 0; s < kMaxStages; ++s) {
        DWORD* ts = stageStates[s];
        ts[D3DTSS_COLOROP] = s == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        ts[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        ts[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        ts[D3DTSS_ALPHAOP] = s == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        ts[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        ts[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        ts[D3DTSS_TEXCOORDINDEX] = s;
        ts[D3DTSS_COLORARG0] = ts[D3DTSS_ALPHAARG0] = ts[D3DTSS_RESULTARG] = D3DTA_CURRENT;
        ts[D3DTSS_CONSTANT] = 0xFFFFFFFF;
    }
    std::memset(samplerStates, 0, sizeof samplerStates);
    for (UINT s = 0; s < kMaxSamplers; ++s) {
        DWORD* ss = samplerStates[s];
        ss[D3DSAMP_ADDRESSU] = ss[D3DSAMP_ADDRESSV] = ss[D3DSAMP_ADDRESSW] = D3DTADDRESS_WRAP;
        ss[D3DSAMP_MAGFILTER] = ss[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
        ss[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
        ss[D3DSAMP_MAXANISOTROPY] = 1;
    }
    world = view = projection = Identity();
    for (D3DMATRIX& m : textureTransforms) m = Identity();
    viewport = D3DVIEWPORT9{0, 0, width, height, 0.0f, 1.0f};
    scissorRect = RECT{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
}

void StateStorage::SetFloat(D3DRENDERSTATETYPE state, float value) { renderStates[state] = Bits(value); }

State StateStorage::View() const {
    State s;
    s.renderStates = renderStates;
    s.stageStates = stageStates;
    s.samplerStates = samplerStates;
    s.world = &world;
    s.view = &view;
    s.projection = &projection;
    s.textureTransforms = textureTransforms;
    s.viewport = viewport;
    s.scissorRect = scissorRect;
    s.material = &material;
    s.lights = lights.empty() ? nullptr : lights.data();
    s.lightCount = static_cast<UINT>(lights.size());
    for (UINT i = 0; i < kMaxStages; ++i) s.textures[i] = textures[i];
    s.target = target;
    s.depth = depth;
    return s;
}

}  // namespace vestra::raster
