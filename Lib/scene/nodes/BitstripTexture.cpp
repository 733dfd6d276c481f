#include "scene/nodes/BitstripTexture.h"

#include <algorithm>

#include "resources/GlobalResourceManager.h"
#include "resources/ResourceManager.h"

namespace {

template <typename T>
void ReleaseAndClear(T*& object)
{
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

} // namespace

CBitstripTexture::~CBitstripTexture()
{
    InvalidateDeviceObjects();
}

HRESULT CBitstripTexture::Load(const char* newPath)
{
    D3DXIMAGE_INFO info;
    const HRESULT hr = D3DXGetImageInfoFromFileA(newPath, &info);
    if (FAILED(hr)) {
        return hr;
    }
    imageInfo = info;
    const UINT shorter = std::min(info.Width, info.Height);
    const UINT longer = std::max(info.Width, info.Height);
    frameSize = static_cast<int>(shorter);
    frameCount = shorter == 0 ? 0 : static_cast<int>(longer / shorter);
    currentFrame = 0;
    path = newPath;
    return S_OK;
}

HRESULT CBitstripTexture::CreateDeviceObjects(IDirect3DDevice9* newDevice)
{
    InvalidateDeviceObjects();
    device = newDevice;
    if (device != nullptr) {
        device->AddRef();
    }
    if (frameSize == 0 || device == nullptr) {
        return E_FAIL;
    }
    HRESULT hr = CreateStripSurface();
    if (FAILED(hr)) {
        return hr;
    }
    hr = D3DXCreateTexture(device, frameSize, frameSize, imageInfo.MipLevels, D3DUSAGE_DYNAMIC, imageInfo.Format,
                           D3DPOOL_DEFAULT, &frameTexture);
    if (FAILED(hr)) {
        ReleaseAndClear(stripSurface);
        ReleaseAndClear(frameTexture);
        return hr;
    }
    return SetFrame(0);
}

HRESULT CBitstripTexture::CreateStripSurface()
{
    if (CResourceManager* manager = GetGlobalResourceManager()) {
        stripSurface = manager->GetSurface(device, path.c_str(), imageInfo.Width, imageInfo.Height, imageInfo.Format,
                                           TRUE);
        return stripSurface != nullptr ? S_OK : E_FAIL;
    }
    HRESULT hr = device->CreateOffscreenPlainSurface(imageInfo.Width, imageInfo.Height, imageInfo.Format,
                                                     D3DPOOL_SYSTEMMEM, &stripSurface, nullptr);
    if (FAILED(hr)) {
        stripSurface = nullptr;
        return hr;
    }
    hr = D3DXLoadSurfaceFromFileA(stripSurface, nullptr, nullptr, path.c_str(), nullptr, D3DX_FILTER_NONE, 0,
                                  nullptr);
    if (FAILED(hr)) {
        ReleaseAndClear(stripSurface);
    }
    return hr;
}

HRESULT CBitstripTexture::RestoreDeviceObjects(IDirect3DDevice9* newDevice)
{
    InvalidateDeviceObjects();
    return CreateDeviceObjects(newDevice);
}

HRESULT CBitstripTexture::InvalidateDeviceObjects()
{
    ReleaseAndClear(stripSurface);
    ReleaseAndClear(frameTexture);
    ReleaseAndClear(device);
    return S_OK;
}

HRESULT CBitstripTexture::SetFrame(int index)
{
    if (index < 0 || index >= frameCount) {
        return E_INVALIDARG;
    }
    currentFrame = index;
    if (frameTexture == nullptr) {
        return S_OK;
    }
    IDirect3DSurface9* level = nullptr;
    HRESULT hr = frameTexture->GetSurfaceLevel(0, &level);
    if (FAILED(hr)) {
        return hr;
    }
    if (device != nullptr && stripSurface != nullptr) {
        const RECT frame = {index * frameSize, 0, (index + 1) * frameSize, frameSize};
        hr = device->UpdateSurface(stripSurface, &frame, level, nullptr);
    }
    level->Release();
    return hr;
}

int CBitstripTexture::GetFrame()
{
    return currentFrame;
}

int CBitstripTexture::GetFrameCount()
{
    return frameCount;
}

IDirect3DTexture9* CBitstripTexture::GetTexture()
{
    if (frameTexture != nullptr) {
        frameTexture->AddRef();
    }
    return frameTexture;
}
