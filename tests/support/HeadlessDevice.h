// A headless Direct3D 9 device for tests, created the way DESIGN.md documents (windowed,
// no window, explicit back-buffer size), and reading pixels back the Direct3D 9 way.
// Header-only: every suite compiles tests/support, and only some link the device.
#pragma once

#include <d3d9.h>

#include <vector>

namespace vestra::test {

inline D3DPRESENT_PARAMETERS HeadlessParameters(UINT width, UINT height, D3DFORMAT depthFormat = D3DFMT_D24S8,
                                                D3DFORMAT backBufferFormat = D3DFMT_X8R8G8B8) {
    D3DPRESENT_PARAMETERS pp{};
    pp.BackBufferWidth = width;
    pp.BackBufferHeight = height;
    pp.BackBufferFormat = backBufferFormat;
    pp.BackBufferCount = 1;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.hDeviceWindow = nullptr;
    pp.Windowed = TRUE;
    pp.EnableAutoDepthStencil = depthFormat != D3DFMT_UNKNOWN;
    pp.AutoDepthStencilFormat = depthFormat;
    pp.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    return pp;
}

// Owns one device; the IDirect3D9 object lives as long as the device holds it.
class HeadlessDevice {
public:
    explicit HeadlessDevice(UINT width = 32, UINT height = 24, D3DFORMAT depthFormat = D3DFMT_D24S8,
                            D3DFORMAT backBufferFormat = D3DFMT_X8R8G8B8) {
        IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
        if (!d3d) return;
        D3DPRESENT_PARAMETERS pp = HeadlessParameters(width, height, depthFormat, backBufferFormat);
        result_ = d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                    D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device_);
        d3d->Release();
    }
    ~HeadlessDevice() {
        if (device_) device_->Release();
    }
    HeadlessDevice(const HeadlessDevice&) = delete;
    HeadlessDevice& operator=(const HeadlessDevice&) = delete;

    HRESULT CreationResult() const { return result_; }
    IDirect3DDevice9* get() const { return device_; }
    IDirect3DDevice9* operator->() const { return device_; }
    // Gives up the device and returns the count left by its final Release (0 when nothing
    // else holds it).
    ULONG ReleaseDevice() {
        const ULONG left = device_->Release();
        device_ = nullptr;
        return left;
    }

private:
    IDirect3DDevice9* device_ = nullptr;
    HRESULT result_ = E_FAIL;
};

// Texels of a render target (A8R8G8B8 or X8R8G8B8) row by row, through a system-memory
// copy; empty when a step fails.
inline std::vector<DWORD> ReadRenderTarget(IDirect3DDevice9* device, IDirect3DSurface9* target) {
    std::vector<DWORD> texels;
    D3DSURFACE_DESC desc;
    if (FAILED(target->GetDesc(&desc))) return texels;
    IDirect3DSurface9* copy = nullptr;
    if (FAILED(device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM, &copy,
                                                   nullptr)))
        return texels;
    D3DLOCKED_RECT locked;
    if (SUCCEEDED(device->GetRenderTargetData(target, copy)) &&
        SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        for (UINT y = 0; y < desc.Height; ++y) {
            const DWORD* row = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(locked.pBits) + y * locked.Pitch);
            texels.insert(texels.end(), row, row + desc.Width);
        }
        copy->UnlockRect();
    }
    copy->Release();
    return texels;
}

inline std::vector<DWORD> ReadBackBuffer(IDirect3DDevice9* device) {
    IDirect3DSurface9* back = nullptr;
    if (FAILED(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back))) return {};
    std::vector<DWORD> texels = ReadRenderTarget(device, back);
    back->Release();
    return texels;
}

// The reference count an object has right now (AddRef then Release).
inline ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

}  // namespace vestra::test
