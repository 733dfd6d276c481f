// Swap chains, Present, Reset and the lost-device states.
#include <memory>

#include "d3d9/Device.h"
#include "d3d9/Presenter.h"
#include "d3d9/Surface.h"
#include "d3d9/SwapChain.h"

namespace vestra::d3d9 {

HRESULT CDevice::CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS* parameters, IDirect3DSwapChain9** swapChain) {
    if (!parameters || !swapChain) return D3DERR_INVALIDCALL;
    *swapChain = nullptr;
    if (!parameters->Windowed) return D3DERR_INVALIDCALL;  // only the device's own swap chain goes full screen
    D3DPRESENT_PARAMETERS resolved = *parameters;
    std::unique_ptr<Presenter> presenter;
    if (HRESULT hr = ResolvePresentParameters(resolved, presenter); FAILED(hr)) return hr;
    *swapChain = new CSwapChain(this, ChildKind::SwapChain, resolved, std::move(presenter));
    *parameters = resolved;
    return D3D_OK;
}

HRESULT CDevice::GetSwapChain(UINT index, IDirect3DSwapChain9** swapChain) {
    if (!swapChain) return D3DERR_INVALIDCALL;
    *swapChain = nullptr;
    if (index != 0) return D3DERR_INVALIDCALL;
    *swapChain = swapChain_;
    swapChain_->AddRef();
    return D3D_OK;
}

UINT CDevice::GetNumberOfSwapChains() { return 1; }

HRESULT CDevice::GetBackBuffer(UINT swapChain, UINT backBuffer, D3DBACKBUFFER_TYPE type, IDirect3DSurface9** surface) {
    if (swapChain != 0) {
        if (surface) *surface = nullptr;
        return D3DERR_INVALIDCALL;
    }
    return swapChain_->GetBackBuffer(backBuffer, type, surface);
}

HRESULT CDevice::Present(CONST RECT* sourceRect, CONST RECT* destRect, HWND destWindowOverride, CONST RGNDATA*) {
    return PresentSwapChain(*swapChain_, sourceRect, destRect, destWindowOverride);
}

HRESULT CDevice::PresentSwapChain(CSwapChain& swapChain, const RECT* sourceRect, const RECT* destRect,
                                  HWND overrideWindow) {
    FlushDraws();
    ++stats_.Presents;
    if (IsLost()) return D3DERR_DEVICELOST;
    const HRESULT hr = swapChain.ShowFrame(sourceRect, destRect, overrideWindow);
    if (SUCCEEDED(hr)) ++stats_.Frames;
    return hr;
}

HRESULT CDevice::Reset(D3DPRESENT_PARAMETERS* parameters) {
    if (!parameters) return D3DERR_INVALIDCALL;
    FlushDraws();
    if (cooperation_ == Cooperation::Lost && lossForced_ && lostPollsLeft_ > 0) return D3DERR_DEVICELOST;

    // Everything that lives in the device's memory must be gone: default-pool resources,
    // explicit render targets and depth-stencil surfaces, state blocks, additional swap
    // chains, and any reference to the back buffer or automatic depth-stencil surface.
    bool blocked = swapChain_->PublicRefs() > 0 || (autoDepthStencil_ && autoDepthStencil_->PublicRefs() > 0);
    for (const DeviceChild* child : children_) {
        if (child->PublicRefs() == 0) continue;
        if ((child->Kind() == ChildKind::Resource && child->Pool() == D3DPOOL_DEFAULT) ||
            child->Kind() == ChildKind::StateBlock || child->Kind() == ChildKind::SwapChain)
            blocked = true;
    }
    D3DPRESENT_PARAMETERS resolved = *parameters;
    std::unique_ptr<Presenter> presenter;
    if (!blocked && SUCCEEDED(ResolvePresentParameters(resolved, presenter))) {
        ReleasePresentation();
        BuildPresentation(resolved, std::move(presenter));
        *parameters = resolved;
        cooperation_ = Cooperation::Operational;
        inScene_ = false;
        return D3D_OK;
    }
    // A failed Reset leaves the device lost: the next poll says so, later ones ask for a
    // Reset again, which may also be retried at once. A device already waiting for its
    // Reset keeps waiting.
    if (cooperation_ == Cooperation::Operational) {
        cooperation_ = Cooperation::Lost;
        lostPollsLeft_ = 1;
        lossForced_ = false;
    }
    return D3DERR_INVALIDCALL;
}

}  // namespace vestra::d3d9
