#include "d3d9/SwapChain.h"

#include <cstring>
#include <utility>

#include "d3d9/Adapter.h"
#include "d3d9/Device.h"
#include "formats/PixelConvert.h"

namespace vestra::d3d9 {

CSwapChain::CSwapChain(CDevice* device, ChildKind kind, const D3DPRESENT_PARAMETERS& parameters,
                       std::unique_ptr<Presenter> presenter)
    : DeviceChild(device, kind, D3DPOOL_DEFAULT), parameters_(parameters), presenter_(std::move(presenter)) {
    const D3DSURFACE_DESC desc{parameters.BackBufferFormat, D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET,
                               D3DPOOL_DEFAULT, D3DMULTISAMPLE_NONE, 0, parameters.BackBufferWidth,
                               parameters.BackBufferHeight};
    const bool lockable = (parameters.Flags & D3DPRESENTFLAG_LOCKABLE_BACKBUFFER) != 0;
    for (UINT i = 0; i < parameters.BackBufferCount; ++i)
        backBuffers_.push_back(
            std::make_unique<CSurface>(device, this, desc, lockable, static_cast<IDirect3DSwapChain9*>(this)));
    frontBuffer_.assign(static_cast<size_t>(backBuffers_[0]->Pitch()) * desc.Height, 0);
}

HRESULT CSwapChain::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDirect3DSwapChain9) {
        *object = static_cast<IDirect3DSwapChain9*>(this);
        AddRefPublic();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CSwapChain::Present(CONST RECT* sourceRect, CONST RECT* destRect, HWND destWindowOverride, CONST RGNDATA*,
                            DWORD) {
    return Device()->PresentSwapChain(*this, sourceRect, destRect, destWindowOverride);
}

HRESULT CSwapChain::ShowFrame(const RECT* sourceRect, const RECT* destRect, HWND overrideWindow) {
    CSurface& back = *backBuffers_[0];
    // After Present a discarded back buffer may hold anything and a single flipped one holds
    // the previous front buffer, so the frame's memory simply changes sides. Copying stays
    // for COPY, for a flip chain of several buffers and under a host's lock.
    const D3DSWAPEFFECT effect = parameters_.SwapEffect;
    const bool flips = (effect == D3DSWAPEFFECT_DISCARD || (effect == D3DSWAPEFFECT_FLIP && backBuffers_.size() == 1)) &&
                       !back.IsLocked() && back.ByteSize() == frontBuffer_.size();
    if (flips) back.SwapBits(frontBuffer_);
    else std::memcpy(frontBuffer_.data(), std::as_const(back).Bits(), frontBuffer_.size());
    const FrameView frame{back.Desc().Format, back.Desc().Width, back.Desc().Height, static_cast<INT>(back.Pitch()),
                          frontBuffer_.data()};
    return presenter_->Present(frame, sourceRect, destRect, overrideWindow);
}

// Without a desktop to capture, the front buffer is the last presented frame; the
// destination is an A8R8G8B8 system-memory surface of the back buffer's size.
HRESULT CSwapChain::GetFrontBufferData(IDirect3DSurface9* destination) {
    CSurface* dest = FromInterface<CSurface>(Device(), destination);
    if (!dest) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC& d = dest->Desc();
    if (d.Format != D3DFMT_A8R8G8B8 || d.Pool != D3DPOOL_SYSTEMMEM || d.Width != parameters_.BackBufferWidth ||
        d.Height != parameters_.BackBufferHeight || dest->IsLocked())
        return D3DERR_INVALIDCALL;
    const UINT sourcePitch = backBuffers_[0]->Pitch();
    std::vector<D3DCOLOR> row(d.Width);
    for (UINT y = 0; y < d.Height; ++y) {
        formats::ReadRowArgb(parameters_.BackBufferFormat, frontBuffer_.data() + static_cast<size_t>(y) * sourcePitch,
                             d.Width, row.data());
        for (D3DCOLOR& texel : row) texel |= 0xFF000000;
        std::memcpy(dest->Bits() + static_cast<size_t>(y) * dest->Pitch(), row.data(), d.Width * sizeof(D3DCOLOR));
    }
    return D3D_OK;
}

HRESULT CSwapChain::GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface9** surface) {
    if (!surface) return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (index >= backBuffers_.size() || type > D3DBACKBUFFER_TYPE_RIGHT) return D3DERR_INVALIDCALL;
    *surface = backBuffers_[index].get();
    backBuffers_[index]->AddRef();
    return D3D_OK;
}

HRESULT CSwapChain::GetRasterStatus(D3DRASTER_STATUS* status) {
    if (!status) return D3DERR_INVALIDCALL;
    *status = {FALSE, 0};
    return D3D_OK;
}

HRESULT CSwapChain::GetDisplayMode(D3DDISPLAYMODE* mode) {
    if (!mode) return D3DERR_INVALIDCALL;
    if (parameters_.Windowed) {
        *mode = DesktopMode();
    } else {
        *mode = {parameters_.BackBufferWidth, parameters_.BackBufferHeight,
                 parameters_.FullScreen_RefreshRateInHz ? parameters_.FullScreen_RefreshRateInHz : 60,
                 D3DFMT_X8R8G8B8};
    }
    return D3D_OK;
}

HRESULT CSwapChain::GetDevice(IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    *device = Device();
    Device()->AddRef();
    return D3D_OK;
}

HRESULT CSwapChain::GetPresentParameters(D3DPRESENT_PARAMETERS* parameters) {
    if (!parameters) return D3DERR_INVALIDCALL;
    *parameters = parameters_;
    return D3D_OK;
}

}  // namespace vestra::d3d9
