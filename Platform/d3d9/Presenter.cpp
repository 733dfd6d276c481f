#include "d3d9/Presenter.h"

#include <cstddef>

#include "windows.h"

namespace vestra::d3d9 {

namespace {

class OffscreenPresenter final : public Presenter {
public:
    bool ClientSize(UINT&, UINT&) override { return false; }
    HRESULT Present(const FrameView&, const RECT*, const RECT*, HWND) override { return D3D_OK; }
};

// Frames of a device with a window go to that window through the windowing layer: shown
// when there is a display, accepted and dropped when the window is headless.
class WindowPresenter final : public Presenter {
public:
    explicit WindowPresenter(HWND window) : window_(window) {}
    bool ClientSize(UINT& width, UINT& height) override {
        RECT client;
        if (!GetClientRect(window_, &client)) return false;
        width = static_cast<UINT>(client.right - client.left);
        height = static_cast<UINT>(client.bottom - client.top);
        return true;
    }
    // The source rectangle (clipped to the frame) is scaled into the destination rectangle
    // of the client area; either one left out means all of it. A frame whose size differs
    // from the client area is therefore stretched over it, as Direct3D 9 presents it.
    HRESULT Present(const FrameView& frame, const RECT* sourceRect, const RECT* destRect,
                    HWND overrideWindow) override {
        RECT source{0, 0, static_cast<LONG>(frame.width), static_cast<LONG>(frame.height)};
        if (sourceRect) {
            const RECT whole = source;
            if (!IntersectRect(&source, &whole, sourceRect)) return D3D_OK;
        }
        const BYTE* first = frame.bits + static_cast<ptrdiff_t>(source.top) * frame.pitch + source.left * 4;
        VestraPresentRectToWindow(overrideWindow ? overrideWindow : window_, first,
                                  static_cast<UINT>(source.right - source.left),
                                  static_cast<UINT>(source.bottom - source.top), frame.pitch, destRect);
        return D3D_OK;
    }

private:
    HWND window_;
};

PresenterFactory g_factory = nullptr;

}  // namespace

void SetPresenterFactory(PresenterFactory factory) { g_factory = factory; }

std::unique_ptr<Presenter> CreatePresenter(HWND window) {
    if (window && g_factory)
        if (std::unique_ptr<Presenter> presenter = g_factory(window)) return presenter;
    if (window && IsWindow(window)) return std::make_unique<WindowPresenter>(window);
    return std::make_unique<OffscreenPresenter>();
}

}  // namespace vestra::d3d9
