#include "R1Media.h"

#include <d3dx9.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace r1 {

namespace {

D3DCOLOR Argb(int a, int r, int g, int b) { return D3DCOLOR_ARGB(a, r, g, b); }

template <typename Texel>
Image Draw(UINT size, Texel texel)
{
    Image image;
    image.width = image.height = size;
    image.texels.resize(static_cast<size_t>(size) * size);
    for (UINT y = 0; y < size; ++y) {
        for (UINT x = 0; x < size; ++x) image.texels[static_cast<size_t>(y) * size + x] = texel(x, y, size);
    }
    return image;
}

// 1 at the centre of the inscribed circle falling to 0 at its rim, squared for softness.
int DiscAlpha(UINT x, UINT y, UINT size)
{
    const float c = (static_cast<float>(size) - 1.0f) * 0.5f;
    const float dx = (static_cast<float>(x) - c) / c, dy = (static_cast<float>(y) - c) / c;
    const float r = std::min(1.0f, std::sqrt(dx * dx + dy * dy));
    return static_cast<int>((1.0f - r) * (1.0f - r) * 255.0f + 0.5f);
}

// Copies the image into a locked A8R8G8B8 rectangle.
void CopyRows(const Image& image, const D3DLOCKED_RECT& locked)
{
    for (UINT y = 0; y < image.height; ++y) {
        std::memcpy(static_cast<BYTE*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch,
                    &image.texels[static_cast<size_t>(y) * image.width], image.width * sizeof(D3DCOLOR));
    }
}

}  // namespace

Image SkyFace(UINT face)
{
    return Draw(256, [face](UINT x, UINT y, UINT size) {
        const int g = static_cast<int>(y * 255 / size);
        const int stripe = ((x / 32 + y / 32 + face) & 1) ? 24 : 0;
        return Argb(255, 40 + stripe + static_cast<int>(face) * 20, 90 + g / 3, 160 + g / 3);
    });
}

Image Ground()
{
    return Draw(256, [](UINT x, UINT y, UINT) {
        const bool dark = ((x / 16) ^ (y / 16)) & 1;
        return dark ? Argb(255, 60, 110, 40) : Argb(255, 90, 150, 60);
    });
}

Image Billboard()
{
    return Draw(64, [](UINT x, UINT y, UINT size) { return Argb(DiscAlpha(x, y, size), 255, 255, 255); });
}

Image Sprite()
{
    return Draw(32, [](UINT x, UINT y, UINT size) {
        const int a = DiscAlpha(x, y, size);
        return Argb(a, a, a, a);
    });
}

const char* SkyFaceFileName(UINT face)
{
    static const char* const names[6] = {"r1_sky_px.png", "r1_sky_nx.png", "r1_sky_py.png",
                                         "r1_sky_ny.png", "r1_sky_pz.png", "r1_sky_nz.png"};
    return face < 6 ? names[face] : nullptr;
}

HRESULT CreateTexture(IDirect3DDevice9* device, const Image& image, IDirect3DTexture9** texture)
{
    if (device == nullptr || texture == nullptr || image.texels.empty()) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    IDirect3DTexture9* made = nullptr;
    HRESULT hr = D3DXCreateTexture(device, image.width, image.height, D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8,
                                   D3DPOOL_MANAGED, &made);
    if (FAILED(hr)) return hr;
    D3DLOCKED_RECT locked;
    hr = made->LockRect(0, &locked, nullptr, 0);
    if (SUCCEEDED(hr)) {
        CopyRows(image, locked);
        made->UnlockRect(0);
        hr = D3DXFilterTexture(made, nullptr, 0, D3DX_FILTER_BOX);
    }
    if (FAILED(hr)) {
        made->Release();
        return hr;
    }
    *texture = made;
    return D3D_OK;
}

HRESULT SaveImage(IDirect3DDevice9* device, const Image& image, const std::string& path)
{
    if (device == nullptr || image.texels.empty()) return D3DERR_INVALIDCALL;
    IDirect3DSurface9* surface = nullptr;
    HRESULT hr = device->CreateOffscreenPlainSurface(image.width, image.height, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM,
                                                     &surface, nullptr);
    if (FAILED(hr)) return hr;
    D3DLOCKED_RECT locked;
    hr = surface->LockRect(&locked, nullptr, 0);
    if (SUCCEEDED(hr)) {
        CopyRows(image, locked);
        surface->UnlockRect();
        hr = D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_PNG, surface, nullptr, nullptr);
    }
    surface->Release();
    return hr;
}

HRESULT WriteMediaFiles(IDirect3DDevice9* device, const std::string& folder)
{
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    for (UINT face = 0; face < 6; ++face) {
        const HRESULT hr = SaveImage(device, SkyFace(face), prefix + SkyFaceFileName(face));
        if (FAILED(hr)) return hr;
    }
    HRESULT hr = SaveImage(device, Ground(), prefix + kGroundFileName);
    if (SUCCEEDED(hr)) hr = SaveImage(device, Billboard(), prefix + kBillboardFileName);
    if (SUCCEEDED(hr)) hr = SaveImage(device, Sprite(), prefix + kSpriteFileName);
    return hr;
}

}  // namespace r1
