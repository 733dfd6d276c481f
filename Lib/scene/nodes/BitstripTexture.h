// CBitstripTexture: the engine's IBitstripTexture. The whole strip lives in a system-memory
// surface (shared through the global resource manager when there is one, keyed by the
// path as given) and SetFrame copies one square frame into level 0 of a dynamic
// default-pool texture, so the frame texture must go before a device Reset.
#pragma once
#include <string>
#include "IBitstripTexture.h"
#include <d3dx9.h>

class CBitstripTexture : public IBitstripTexture {
public:
    CBitstripTexture() = default;
    ~CBitstripTexture() override;
    CBitstripTexture(const CBitstripTexture&) = delete;
    CBitstripTexture& operator=(const CBitstripTexture&) = delete;

    HRESULT InvalidateDeviceObjects() override;
    HRESULT RestoreDeviceObjects(IDirect3DDevice9* device) override;
    HRESULT Load(const char* path) override;
    HRESULT SetFrame(int index) override;
    int GetFrame() override;
    int GetFrameCount() override;
    IDirect3DTexture9* GetTexture() override;

    // Drops the current device objects, keeps `device` (a reference added) and makes the
    // strip surface and the frame texture, then shows frame 0. E_FAIL when nothing is loaded.
    HRESULT CreateDeviceObjects(IDirect3DDevice9* device);
    int GetFrameSize() const { return frameSize; }

private:
    HRESULT CreateStripSurface();

    IDirect3DSurface9* stripSurface = nullptr;
    IDirect3DTexture9* frameTexture = nullptr;
    IDirect3DDevice9* device = nullptr;
    D3DXIMAGE_INFO imageInfo{};
    int frameCount = 0;
    int currentFrame = 0;
    int frameSize = 0;
    std::string path;
};
