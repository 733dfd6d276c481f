#include "d3d9/Presenter.h"

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
    HRESULT Present(const FrameView& frame, const RECT*, const RECT*, HWND overrideWindow) override {
        VestraPresentToWindow(overrideWindow ? overrideWindow : window_, frame.bits, frame.width, frame.height,
                              frame.pitch);
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
