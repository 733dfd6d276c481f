#include "d3d9/Presenter.h"

namespace vestra::d3d9 {

namespace {

class OffscreenPresenter final : public Presenter {
public:
    bool ClientSize(UINT&, UINT&) override { return false; }
    HRESULT Present(const FrameView&, const RECT*, const RECT*, HWND) override { return D3D_OK; }
};

PresenterFactory g_factory = nullptr;

}  // namespace

void SetPresenterFactory(PresenterFactory factory) { g_factory = factory; }

std::unique_ptr<Presenter> CreatePresenter(HWND window) {
    if (window && g_factory)
        if (std::unique_ptr<Presenter> presenter = g_factory(window)) return presenter;
    return std::make_unique<OffscreenPresenter>();
}

}  // namespace vestra::d3d9
