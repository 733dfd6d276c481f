#include "DepthBuffer.h"

HRESULT AttachDepthBuffer(IDirect3DDevice9* device)
{
    IDirect3DSurface9* backBuffer = nullptr;
    HRESULT hr = device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    if (FAILED(hr)) {
        return hr;
    }
    D3DSURFACE_DESC desc;
    hr = backBuffer->GetDesc(&desc);
    backBuffer->Release();
    if (FAILED(hr)) {
        return hr;
    }
    IDirect3DSurface9* depth = nullptr;
    hr = device->CreateDepthStencilSurface(desc.Width, desc.Height, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, 0, TRUE, &depth,
                                           nullptr);
    if (FAILED(hr)) {
        return hr; // the framework's buffer stays: slower, but drawn the same
    }
    hr = device->SetDepthStencilSurface(depth);
    // The device holds the buffer while it is bound; nobody else needs to.
    depth->Release();
    return hr;
}

void DetachDepthBuffer(IDirect3DDevice9* device)
{
    device->SetDepthStencilSurface(nullptr);
}
