#include <gtest/gtest.h>

#include <cstring>

#include "support/HeadlessDevice.h"

using vestra::test::HeadlessDevice;

namespace {

DWORD Bits(float f) {
    DWORD d;
    std::memcpy(&d, &f, 4);
    return d;
}

struct Expected {
    D3DRENDERSTATETYPE state;
    DWORD value;
};

// Values from the Direct3D 9 documentation of each state, written out independently of the
// device's table.
const Expected kRenderStateDefaults[] = {
    {D3DRS_FILLMODE, 3},          {D3DRS_SHADEMODE, 2},           {D3DRS_ZWRITEENABLE, 1},
    {D3DRS_ALPHATESTENABLE, 0},   {D3DRS_LASTPIXEL, 1},           {D3DRS_SRCBLEND, 2},
    {D3DRS_DESTBLEND, 1},         {D3DRS_CULLMODE, 3},            {D3DRS_ZFUNC, 4},
    {D3DRS_ALPHAREF, 0},          {D3DRS_ALPHAFUNC, 8},           {D3DRS_ALPHABLENDENABLE, 0},
    {D3DRS_FOGENABLE, 0},         {D3DRS_FOGEND, Bits(1.0f)},     {D3DRS_FOGDENSITY, Bits(1.0f)},
    {D3DRS_STENCILFUNC, 8},       {D3DRS_STENCILMASK, 0xFFFFFFFF}, {D3DRS_STENCILWRITEMASK, 0xFFFFFFFF},
    {D3DRS_TEXTUREFACTOR, 0xFFFFFFFF}, {D3DRS_WRAP7, 0},          {D3DRS_CLIPPING, 1},
    {D3DRS_LIGHTING, 1},          {D3DRS_AMBIENT, 0},             {D3DRS_COLORVERTEX, 1},
    {D3DRS_LOCALVIEWER, 1},       {D3DRS_NORMALIZENORMALS, 0},    {D3DRS_DIFFUSEMATERIALSOURCE, 1},
    {D3DRS_SPECULARMATERIALSOURCE, 2}, {D3DRS_AMBIENTMATERIALSOURCE, 0}, {D3DRS_POINTSIZE, Bits(1.0f)},
    {D3DRS_POINTSIZE_MIN, Bits(1.0f)}, {D3DRS_POINTSCALE_A, Bits(1.0f)}, {D3DRS_POINTSCALE_B, 0},
    {D3DRS_MULTISAMPLEANTIALIAS, 1}, {D3DRS_MULTISAMPLEMASK, 0xFFFFFFFF}, {D3DRS_POINTSIZE_MAX, Bits(64.0f)},
    {D3DRS_COLORWRITEENABLE, 0xF}, {D3DRS_BLENDOP, 1},            {D3DRS_POSITIONDEGREE, 3},
    {D3DRS_NORMALDEGREE, 1},      {D3DRS_SCISSORTESTENABLE, 0},   {D3DRS_MINTESSELLATIONLEVEL, Bits(1.0f)},
    {D3DRS_ADAPTIVETESS_Z, Bits(1.0f)}, {D3DRS_ADAPTIVETESS_W, 0}, {D3DRS_CCW_STENCILFUNC, 8},
    {D3DRS_COLORWRITEENABLE3, 0xF}, {D3DRS_BLENDFACTOR, 0xFFFFFFFF}, {D3DRS_WRAP15, 0},
    {D3DRS_SRCBLENDALPHA, 2},     {D3DRS_DESTBLENDALPHA, 1},      {D3DRS_BLENDOPALPHA, 1},
};

void ExpectDefaults(IDirect3DDevice9* device, bool withDepth) {
    DWORD value = 0xDEADBEEF;
    for (const Expected& e : kRenderStateDefaults) {
        ASSERT_EQ(device->GetRenderState(e.state, &value), D3D_OK) << e.state;
        EXPECT_EQ(value, e.value) << "render state " << e.state;
    }
    ASSERT_EQ(device->GetRenderState(D3DRS_ZENABLE, &value), D3D_OK);
    EXPECT_EQ(value, withDepth ? 1u : 0u);

    for (DWORD stage = 0; stage < 8; ++stage) {
        device->GetTextureStageState(stage, D3DTSS_COLOROP, &value);
        EXPECT_EQ(value, stage == 0 ? 4u : 1u) << stage;
        device->GetTextureStageState(stage, D3DTSS_ALPHAOP, &value);
        EXPECT_EQ(value, stage == 0 ? 2u : 1u) << stage;
        device->GetTextureStageState(stage, D3DTSS_COLORARG1, &value);
        EXPECT_EQ(value, static_cast<DWORD>(D3DTA_TEXTURE));
        device->GetTextureStageState(stage, D3DTSS_ALPHAARG2, &value);
        EXPECT_EQ(value, static_cast<DWORD>(D3DTA_CURRENT));
        device->GetTextureStageState(stage, D3DTSS_TEXCOORDINDEX, &value);
        EXPECT_EQ(value, stage);
        device->GetTextureStageState(stage, D3DTSS_RESULTARG, &value);
        EXPECT_EQ(value, static_cast<DWORD>(D3DTA_CURRENT));
    }
    for (DWORD sampler = 0; sampler < 16; ++sampler) {
        device->GetSamplerState(sampler, D3DSAMP_ADDRESSW, &value);
        EXPECT_EQ(value, static_cast<DWORD>(D3DTADDRESS_WRAP));
        device->GetSamplerState(sampler, D3DSAMP_MINFILTER, &value);
        EXPECT_EQ(value, static_cast<DWORD>(D3DTEXF_POINT));
        device->GetSamplerState(sampler, D3DSAMP_MIPFILTER, &value);
        EXPECT_EQ(value, static_cast<DWORD>(D3DTEXF_NONE));
        device->GetSamplerState(sampler, D3DSAMP_MAXANISOTROPY, &value);
        EXPECT_EQ(value, 1u);
    }
}

bool IsIdentity(const D3DMATRIX& m) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (m.m[r][c] != (r == c ? 1.0f : 0.0f)) return false;
    return true;
}

TEST(DeviceStateDefaults, MatchTheDocumentedValuesWithAndWithoutDepthBuffer) {
    HeadlessDevice withDepth(16, 8);
    ASSERT_EQ(withDepth.CreationResult(), D3D_OK);
    ExpectDefaults(withDepth.get(), true);
    HeadlessDevice withoutDepth(16, 8, D3DFMT_UNKNOWN);
    ASSERT_EQ(withoutDepth.CreationResult(), D3D_OK);
    ExpectDefaults(withoutDepth.get(), false);

    D3DMATRIX m;
    for (D3DTRANSFORMSTATETYPE t : {D3DTS_VIEW, D3DTS_PROJECTION, D3DTS_TEXTURE7, D3DTS_WORLD, D3DTS_WORLDMATRIX(255)}) {
        ASSERT_EQ(withDepth->GetTransform(t, &m), D3D_OK);
        EXPECT_TRUE(IsIdentity(m)) << t;
    }
    D3DVIEWPORT9 vp;
    withDepth->GetViewport(&vp);
    EXPECT_EQ(vp.X, 0u);
    EXPECT_EQ(vp.Width, 16u);
    EXPECT_EQ(vp.Height, 8u);
    EXPECT_EQ(vp.MaxZ, 1.0f);
    DWORD fvf = 1;
    withDepth->GetFVF(&fvf);
    EXPECT_EQ(fvf, 0u);
}

TEST(DeviceStateDefaults, ResetRestoresDefaults) {
    HeadlessDevice device(16, 8);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetTextureStageState(3, D3DTSS_COLOROP, D3DTOP_ADD);
    device->SetSamplerState(2, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    D3DMATRIX scale{};
    scale._11 = scale._22 = scale._33 = 2.0f;
    scale._44 = 1.0f;
    device->SetTransform(D3DTS_VIEW, &scale);
    device->LightEnable(2, TRUE);
    device->SetFVF(D3DFVF_XYZ);

    D3DPRESENT_PARAMETERS pp = vestra::test::HeadlessParameters(16, 8);
    ASSERT_EQ(device->Reset(&pp), D3D_OK);
    ExpectDefaults(device.get(), true);
    D3DMATRIX view;
    device->GetTransform(D3DTS_VIEW, &view);
    EXPECT_TRUE(IsIdentity(view));
    BOOL enabled;
    EXPECT_EQ(device->GetLightEnable(2, &enabled), D3DERR_INVALIDCALL);  // lights are gone
    DWORD fvf = 1;
    device->GetFVF(&fvf);
    EXPECT_EQ(fvf, 0u);
}

TEST(DeviceState, RefusesValuesThatNameNoState) {
    HeadlessDevice device;
    DWORD value;
    for (DWORD retired : {0u, 6u, 10u, 21u, 30u, 138u, 153u, 164u, 169u, 177u, 196u, 210u, 255u, 256u}) {
        EXPECT_EQ(device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(retired), 1), D3DERR_INVALIDCALL) << retired;
        EXPECT_EQ(device->GetRenderState(static_cast<D3DRENDERSTATETYPE>(retired), &value), D3DERR_INVALIDCALL);
    }
    EXPECT_EQ(device->GetRenderState(D3DRS_ZENABLE, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTextureStageState(8, D3DTSS_COLOROP, D3DTOP_ADD), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTextureStageState(0, static_cast<D3DTEXTURESTAGESTATETYPE>(33), 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTextureStageState(7, D3DTSS_CONSTANT, 5), D3D_OK);
    EXPECT_EQ(device->SetSamplerState(16, D3DSAMP_MINFILTER, 2), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetSamplerState(15, static_cast<D3DSAMPLERSTATETYPE>(14), 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetSamplerState(15, D3DSAMP_DMAPOFFSET, 3), D3D_OK);
    D3DMATRIX m{};
    EXPECT_EQ(device->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(1), &m), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(512), &m), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetTransform(D3DTS_VIEW, nullptr), D3DERR_INVALIDCALL);
}

TEST(DeviceState, MultiplyTransformPutsTheArgumentFirst) {
    HeadlessDevice device;
    D3DMATRIX translate{};
    translate._11 = translate._22 = translate._33 = translate._44 = 1.0f;
    translate._41 = 5.0f;
    D3DMATRIX scale{};
    scale._11 = scale._22 = scale._33 = 2.0f;
    scale._44 = 1.0f;
    device->SetTransform(D3DTS_WORLD, &scale);
    ASSERT_EQ(device->MultiplyTransform(D3DTS_WORLD, &translate), D3D_OK);
    D3DMATRIX result;
    device->GetTransform(D3DTS_WORLD, &result);
    // translate * scale moves by 5 and then scales: the translation doubles.
    EXPECT_EQ(result._41, 10.0f);
    EXPECT_EQ(result._11, 2.0f);
}

TEST(DeviceState, ViewportMustFitTheRenderTarget) {
    HeadlessDevice device(32, 24);
    D3DVIEWPORT9 vp{8, 4, 24, 20, 0.0f, 1.0f};
    EXPECT_EQ(device->SetViewport(&vp), D3D_OK);
    vp.Width = 25;
    EXPECT_EQ(device->SetViewport(&vp), D3DERR_INVALIDCALL);
    vp = {0, 0, 32, 25, 0.0f, 1.0f};
    EXPECT_EQ(device->SetViewport(&vp), D3DERR_INVALIDCALL);
    vp = {0xFFFFFFF0u, 0, 32, 24, 0.0f, 1.0f};  // X + Width wraps in 32 bits
    EXPECT_EQ(device->SetViewport(&vp), D3DERR_INVALIDCALL);
    device->GetViewport(&vp);
    EXPECT_EQ(vp.X, 8u);
    EXPECT_EQ(vp.Width, 24u);
}

TEST(DeviceState, EnablingAnUnsetLightCreatesTheDefaultLight) {
    HeadlessDevice device;
    D3DLIGHT9 light;
    EXPECT_EQ(device->GetLight(3, &light), D3DERR_INVALIDCALL);
    ASSERT_EQ(device->LightEnable(3, TRUE), D3D_OK);
    ASSERT_EQ(device->GetLight(3, &light), D3D_OK);
    EXPECT_EQ(light.Type, D3DLIGHT_DIRECTIONAL);
    EXPECT_EQ(light.Diffuse.r, 1.0f);
    EXPECT_EQ(light.Diffuse.a, 0.0f);
    EXPECT_EQ(light.Specular.r, 0.0f);
    EXPECT_EQ(light.Direction.z, 1.0f);
    EXPECT_EQ(light.Range, 0.0f);
    BOOL enabled = FALSE;
    device->GetLightEnable(3, &enabled);
    EXPECT_TRUE(enabled);

    light.Type = D3DLIGHT_SPOT;
    light.Range = 10.0f;
    light.Theta = 1.0f;
    light.Phi = 0.5f;  // outer cone inside the inner one
    EXPECT_EQ(device->SetLight(4, &light), D3DERR_INVALIDCALL);
    light.Type = static_cast<D3DLIGHTTYPE>(4);
    EXPECT_EQ(device->SetLight(4, &light), D3DERR_INVALIDCALL);
}

TEST(DeviceState, FvfAndDeclarationReplaceEachOther) {
    HeadlessDevice device;
    const DWORD fvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX3 | D3DFVF_TEXCOORDSIZE3(1) | D3DFVF_TEXCOORDSIZE1(2);
    ASSERT_EQ(device->SetFVF(fvf), D3D_OK);
    IDirect3DVertexDeclaration9* implicit = nullptr;
    ASSERT_EQ(device->GetVertexDeclaration(&implicit), D3D_OK);
    ASSERT_NE(implicit, nullptr);
    D3DVERTEXELEMENT9 elements[MAXD3DDECLLENGTH + 1];
    UINT count = 0;
    implicit->GetDeclaration(elements, &count);
    ASSERT_EQ(count, 6u);  // position, normal, three sets, end
    EXPECT_EQ(elements[2].Offset, 24);
    EXPECT_EQ(elements[2].Type, D3DDECLTYPE_FLOAT2);
    EXPECT_EQ(elements[3].Offset, 32);
    EXPECT_EQ(elements[3].Type, D3DDECLTYPE_FLOAT3);
    EXPECT_EQ(elements[4].Offset, 44);
    EXPECT_EQ(elements[4].Type, D3DDECLTYPE_FLOAT1);
    EXPECT_EQ(elements[4].UsageIndex, 2);
    EXPECT_EQ(elements[5].Stream, 0xFF);

    // The device's declaration converts back to the same FVF; one with no FVF gives 0.
    ASSERT_EQ(device->SetVertexDeclaration(implicit), D3D_OK);
    DWORD back = 0;
    device->GetFVF(&back);
    EXPECT_EQ(back, fvf);
    implicit->Release();

    const D3DVERTEXELEMENT9 tangents[] = {
        {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
        {0, 12, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TANGENT, 0},
        D3DDECL_END()};
    IDirect3DVertexDeclaration9* declaration = nullptr;
    ASSERT_EQ(device->CreateVertexDeclaration(tangents, &declaration), D3D_OK);
    device->SetVertexDeclaration(declaration);
    device->GetFVF(&back);
    EXPECT_EQ(back, 0u);
    declaration->Release();

    const D3DVERTEXELEMENT9 duplicate[] = {
        {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
        {0, 12, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
        D3DDECL_END()};
    EXPECT_EQ(device->CreateVertexDeclaration(duplicate, &declaration), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateVertexDeclaration(nullptr, &declaration), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetFVF(D3DFVF_TEX1), D3DERR_INVALIDCALL);  // no position
}

TEST(DeviceState, ShadersCannotBeCreatedButNoneCanBeSet) {
    HeadlessDevice device;
    const DWORD function[] = {D3DVS_VERSION(1, 1), D3DVS_END()};
    IDirect3DVertexShader9* vs = reinterpret_cast<IDirect3DVertexShader9*>(1);
    EXPECT_EQ(device->CreateVertexShader(function, &vs), D3DERR_INVALIDCALL);
    EXPECT_EQ(vs, nullptr);
    EXPECT_EQ(device->SetVertexShader(nullptr), D3D_OK);
    EXPECT_EQ(device->SetPixelShader(nullptr), D3D_OK);
    IDirect3DPixelShader9* ps = reinterpret_cast<IDirect3DPixelShader9*>(1);
    EXPECT_EQ(device->GetPixelShader(&ps), D3D_OK);
    EXPECT_EQ(ps, nullptr);
    D3DCAPS9 caps;
    device->GetDeviceCaps(&caps);
    EXPECT_EQ(caps.VertexShaderVersion, 0u);
    EXPECT_EQ(caps.PixelShaderVersion, 0u);
}

}  // namespace
