#include "R1DeviceScene.h"

#include "R1Media.h"

#include <cstring>

namespace r1 {

namespace {

DWORD FloatBits(float f)
{
    DWORD d;
    static_assert(sizeof d == sizeof f);
    std::memcpy(&d, &f, sizeof d);
    return d;
}

constexpr float kCornerUV[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};  // strip order

}  // namespace

HRESULT CreateDevice(HWND window, IDirect3DDevice9** device)
{
    if (device == nullptr) return D3DERR_INVALIDCALL;
    *device = nullptr;
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (direct3D == nullptr) return E_FAIL;
    D3DPRESENT_PARAMETERS pp{};
    pp.BackBufferWidth = kWidth;
    pp.BackBufferHeight = kHeight;
    pp.BackBufferFormat = kBackBufferFormat;
    pp.BackBufferCount = 1;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.hDeviceWindow = window;
    pp.Windowed = TRUE;
    pp.EnableAutoDepthStencil = TRUE;
    pp.AutoDepthStencilFormat = kDepthFormat;
    pp.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    const HRESULT hr = direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                              D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, device);
    direct3D->Release();
    return hr;
}

HRESULT DeviceScene::Create(IDirect3DDevice9* device)
{
    Release();
    if (device == nullptr) return D3DERR_INVALIDCALL;
    device_ = device;
    device_->AddRef();

    HRESULT hr = D3D_OK;
    for (UINT face = 0; face < 6 && SUCCEEDED(hr); ++face) hr = CreateTexture(device, SkyFace(face), &sky_[face]);
    if (SUCCEEDED(hr)) hr = CreateTexture(device, Ground(), &ground_);
    if (SUCCEEDED(hr)) hr = CreateTexture(device, Billboard(), &billboard_);
    if (SUCCEEDED(hr)) hr = CreateTexture(device, Sprite(), &sprite_);
    if (FAILED(hr)) {
        Release();
        return hr;
    }

    ViewMatrix(&view_);
    ProjectionMatrix(&projection_);
    D3DXMatrixTranslation(&skyWorld_, kEye.x, kEye.y, kEye.z);

    // Sky faces around the origin, each seen from inside upright and unmirrored: looking
    // along the face's axis with its image's up, the image's right is up x forward (left
    // handed). The sides stand with +y up; the top's image runs up towards -z, the
    // bottom's towards +z. The world matrix moves the cube onto the eye.
    const float h = kSkyboxEdge / 2.0f;
    const D3DXVECTOR3 forward[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    const D3DXVECTOR3 imageUp[6] = {{0, 1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}, {0, 1, 0}, {0, 1, 0}};
    const float side[4] = {-1, 1, -1, 1}, rise[4] = {1, 1, -1, -1};  // strip order
    for (int f = 0; f < 6; ++f) {
        D3DXVECTOR3 right;
        D3DXVec3Cross(&right, &imageUp[f], &forward[f]);
        for (int k = 0; k < 4; ++k) {
            const D3DXVECTOR3 p = (forward[f] + right * side[k] + imageUp[f] * rise[k]) * h;
            skyFaces_[f][k] = {p.x, p.y, p.z, kCornerUV[k][0], kCornerUV[k][1]};
        }
    }

    const float g = kGroundSize / 2.0f, repeat = kGroundTextureRepeat;
    groundQuad_[0] = {-g, 0, g, 0, 0};
    groundQuad_[1] = {g, 0, g, repeat, 0};
    groundQuad_[2] = {-g, 0, -g, 0, repeat};
    groundQuad_[3] = {g, 0, -g, repeat, repeat};

    // Camera-facing quads: the view matrix's columns are the camera's right and up axes.
    const D3DXVECTOR3 right(view_._11, view_._21, view_._31);
    const D3DXVECTOR3 up(view_._12, view_._22, view_._32);
    const float s = kBillboardSize / 2.0f;
    const float across[4] = {-s, s, -s, s}, down[4] = {s, s, -s, -s};
    billboards_.clear();
    for (int row = kBillboardRows - 1; row >= 0; --row) {  // far rows first so blending layers correctly
        for (int column = 0; column < kBillboardColumns; ++column) {
            const D3DXVECTOR3 centre = BillboardCentre(column, row);
            const D3DCOLOR tint = BillboardTint(column, row);
            for (int k = 0; k < 4; ++k) {
                const D3DXVECTOR3 p = centre + right * across[k] + up * down[k];
                billboards_.push_back({p.x, p.y, p.z, tint, kCornerUV[k][0], kCornerUV[k][1]});
            }
        }
    }

    const SpriteCloud cloud;
    sprites_.clear();
    for (int i = 0; i < kSpriteCount; ++i) {
        sprites_.push_back({cloud.position[i].x, cloud.position[i].y, cloud.position[i].z, cloud.colour[i]});
    }
    return D3D_OK;
}

void DeviceScene::Release()
{
    for (IDirect3DTexture9*& t : sky_) {
        if (t) t->Release();
        t = nullptr;
    }
    for (IDirect3DTexture9** t : {&ground_, &billboard_, &sprite_}) {
        if (*t) (*t)->Release();
        *t = nullptr;
    }
    if (device_) device_->Release();
    device_ = nullptr;
}

void DeviceScene::SetCommonStates()
{
    device_->SetTransform(D3DTS_VIEW, &view_);
    device_->SetTransform(D3DTS_PROJECTION, &projection_);
    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device_->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
    device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device_->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device_->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE);
    device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device_->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device_->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
}

HRESULT DeviceScene::DrawSky()
{
    // No depth at all, clamped so the faces meet without seams.
    device_->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device_->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device_->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device_->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    device_->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    device_->SetTransform(D3DTS_WORLD, &skyWorld_);
    device_->SetFVF(D3DFVF_XYZ | D3DFVF_TEX1);
    for (int f = 0; f < 6; ++f) {
        device_->SetTexture(0, sky_[f]);
        const HRESULT hr = device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, skyFaces_[f], sizeof(TexturedVertex));
        if (FAILED(hr)) return hr;
    }
    return D3D_OK;
}

HRESULT DeviceScene::DrawGround()
{
    // Depth tested, not written, tiled.
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device_->SetTransform(D3DTS_WORLD, &identity);
    device_->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device_->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP);
    device_->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP);
    device_->SetTexture(0, ground_);
    device_->SetFVF(D3DFVF_XYZ | D3DFVF_TEX1);
    return device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, groundQuad_, sizeof(TexturedVertex));
}

HRESULT DeviceScene::DrawBillboards()
{
    device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device_->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    device_->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    device_->SetTexture(0, billboard_);
    device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    for (size_t i = 0; i < billboards_.size(); i += 4) {
        const HRESULT hr = device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, &billboards_[i], sizeof(ColouredVertex));
        if (FAILED(hr)) return hr;
    }
    return D3D_OK;
}

HRESULT DeviceScene::DrawSprites()
{
    // Additive, sized by distance.
    device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    device_->SetRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
    device_->SetRenderState(D3DRS_POINTSCALEENABLE, TRUE);
    device_->SetRenderState(D3DRS_POINTSIZE, FloatBits(kSpriteSize));
    device_->SetRenderState(D3DRS_POINTSCALE_A, FloatBits(kSpriteScaleA));
    device_->SetRenderState(D3DRS_POINTSCALE_B, FloatBits(kSpriteScaleB));
    device_->SetRenderState(D3DRS_POINTSCALE_C, FloatBits(kSpriteScaleC));
    device_->SetTexture(0, sprite_);
    device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    const HRESULT hr = device_->DrawPrimitiveUP(D3DPT_POINTLIST, static_cast<UINT>(sprites_.size()), sprites_.data(),
                                                sizeof(SpriteVertex));
    device_->SetRenderState(D3DRS_POINTSPRITEENABLE, FALSE);
    device_->SetRenderState(D3DRS_POINTSCALEENABLE, FALSE);
    return hr;
}

HRESULT DeviceScene::Render()
{
    if (device_ == nullptr) return D3DERR_INVALIDCALL;
    HRESULT hr = device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_ARGB(255, 0, 0, 0), 1.0f, 0);
    if (FAILED(hr)) return hr;
    hr = device_->BeginScene();
    if (FAILED(hr)) return hr;
    SetCommonStates();
    hr = DrawSky();
    if (SUCCEEDED(hr)) hr = DrawGround();
    if (SUCCEEDED(hr)) hr = DrawBillboards();
    if (SUCCEEDED(hr)) hr = DrawSprites();
    device_->SetTexture(0, nullptr);
    const HRESULT ended = device_->EndScene();
    return FAILED(hr) ? hr : ended;
}

}  // namespace r1
