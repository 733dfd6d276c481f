// How finished frames leave a device. A device without a window (headless) gets the
// off-screen presenter, which keeps nothing and only accepts frames. The windowing layer
// registers a factory to show frames in real windows; it is asked once per device and
// swap chain, with the window frames go to.
#pragma once

#include <memory>

#include "d3d9.h"

namespace vestra::d3d9 {

// A frame as plain memory, valid during Present only.
struct FrameView {
    D3DFORMAT format;
    UINT width;
    UINT height;
    INT pitch;
    const BYTE* bits;
};

class Presenter {
public:
    virtual ~Presenter() = default;
    // Size of the window's client area, used for back buffers created with width or
    // height 0. False when the presenter has no window or cannot tell.
    virtual bool ClientSize(UINT& width, UINT& height) = 0;
    // sourceRect / destRect / overrideWindow as passed to IDirect3DDevice9::Present.
    virtual HRESULT Present(const FrameView& frame, const RECT* sourceRect, const RECT* destRect,
                            HWND overrideWindow) = 0;
};

// Returns null to leave the window to the off-screen presenter.
using PresenterFactory = std::unique_ptr<Presenter> (*)(HWND window);

VESTRA_PLATFORM_API void SetPresenterFactory(PresenterFactory factory);
std::unique_ptr<Presenter> CreatePresenter(HWND window);

}  // namespace vestra::d3d9
