// IDirect3DSwapChain9: back buffers, the last presented frame and the presenter that shows
// frames. The back buffers are parts of the swap chain: references to them count on it.
#pragma once

#include <memory>
#include <vector>

#include "d3d9/DeviceChild.h"
#include "d3d9/Presenter.h"
#include "d3d9/Surface.h"

namespace vestra::d3d9 {

class CSwapChain final : public IDirect3DSwapChain9, public DeviceChild {
public:
    // parameters: already resolved and checked by the device.
    CSwapChain(CDevice* device, ChildKind kind, const D3DPRESENT_PARAMETERS& parameters,
               std::unique_ptr<Presenter> presenter);

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override { return AddRefPublic(); }
    STDMETHOD_(ULONG, Release)() override { return ReleasePublic(); }
    STDMETHOD(Present)(CONST RECT* sourceRect, CONST RECT* destRect, HWND destWindowOverride,
                       CONST RGNDATA* dirtyRegion, DWORD flags) override;
    STDMETHOD(GetFrontBufferData)(IDirect3DSurface9* destination) override;
    STDMETHOD(GetBackBuffer)(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface9** surface) override;
    STDMETHOD(GetRasterStatus)(D3DRASTER_STATUS* status) override;
    STDMETHOD(GetDisplayMode)(D3DDISPLAYMODE* mode) override;
    STDMETHOD(GetDevice)(IDirect3DDevice9** device) override;
    STDMETHOD(GetPresentParameters)(D3DPRESENT_PARAMETERS* parameters) override;

    CSurface* BackBuffer(UINT index) const { return backBuffers_[index].get(); }
    const D3DPRESENT_PARAMETERS& Parameters() const { return parameters_; }
    // Makes back buffer 0 the front buffer (by exchanging their memory where the swap effect
    // allows) and hands it to the presenter.
    HRESULT ShowFrame(const RECT* sourceRect, const RECT* destRect, HWND overrideWindow);

private:
    D3DPRESENT_PARAMETERS parameters_;
    std::unique_ptr<Presenter> presenter_;
    std::vector<std::unique_ptr<CSurface>> backBuffers_;
    std::vector<BYTE> frontBuffer_;  // the last presented frame, back-buffer layout
};

}  // namespace vestra::d3d9
