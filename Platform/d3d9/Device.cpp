#include "d3d9/Device.h"

#include <cstring>
#include <new>

#include "d3d9/Adapter.h"
#include "d3d9/DeviceCaps.h"
#include "d3d9/Direct3D9.h"
#include "d3d9/IndexBuffer.h"
#include "d3d9/Presenter.h"
#include "d3d9/StateMask.h"
#include "d3d9/Surface.h"
#include "d3d9/SwapChain.h"
#include "d3d9/VertexBuffer.h"
#include "d3d9/VertexDeclaration.h"

namespace vestra::d3d9 {

namespace {

constexpr DWORD kVertexProcessingFlags =
    D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING;
// Reported by GetAvailableTextureMem; memory is the process heap, so this is only a hint.
constexpr UINT kAvailableTextureMemory = 512u << 20;
// Back-buffer size when a windowed device leaves it to a window nobody can measure.
constexpr UINT kFallbackWidth = 640;
constexpr UINT kFallbackHeight = 480;
// The largest back buffer, as large as the largest texture.
constexpr UINT kMaxBackBufferSize = 8192;

}  // namespace

HRESULT CDevice::Create(CDirect3D9* direct3D, UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior,
                        D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (!IsValidAdapter(adapter) || !parameters) return D3DERR_INVALIDCALL;
    if (HRESULT hr = CheckDeviceTypeOffered(type); FAILED(hr)) return hr;
    const DWORD processing = behavior & kVertexProcessingFlags;
    if (processing != D3DCREATE_SOFTWARE_VERTEXPROCESSING && processing != D3DCREATE_HARDWARE_VERTEXPROCESSING &&
        processing != D3DCREATE_MIXED_VERTEXPROCESSING)
        return D3DERR_INVALIDCALL;
    if ((behavior & D3DCREATE_PUREDEVICE) && processing != D3DCREATE_HARDWARE_VERTEXPROCESSING)
        return D3DERR_INVALIDCALL;
    if (!parameters->Windowed && !focusWindow && !parameters->hDeviceWindow) return D3DERR_INVALIDCALL;

    CDevice* created = new (std::nothrow) CDevice(direct3D, adapter, type, focusWindow, behavior);
    if (!created) return D3DERR_OUTOFVIDEOMEMORY;
    D3DPRESENT_PARAMETERS resolved = *parameters;
    std::unique_ptr<Presenter> presenter;
    if (HRESULT hr = created->ResolvePresentParameters(resolved, presenter); FAILED(hr)) {
        created->Release();
        return hr;
    }
    created->BuildPresentation(resolved, std::move(presenter));
    *parameters = resolved;
    *device = created;
    return D3D_OK;
}

CDevice::CDevice(CDirect3D9* direct3D, UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior)
    : direct3D_(direct3D), creation_{adapter, type, focusWindow, behavior}, control_(this) {
    direct3D_->AddRef();
    state_.softwareVertexProcessing = (behavior & D3DCREATE_SOFTWARE_VERTEXPROCESSING) != 0;
    for (UINT i = 0; i < 256; ++i)
        gammaRamp_.red[i] = gammaRamp_.green[i] = gammaRamp_.blue[i] = static_cast<WORD>(i * 257);
    cursor_.Visible = FALSE;
}

CDevice::~CDevice() {
    FlushDraws();
    ReleasePresentation();
    for (auto& [fvf, declaration] : fvfDeclarations_) declaration->ReleaseInternal();
    fvfDeclarations_.clear();
    direct3D_->Release();
}

HRESULT CDevice::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDirect3DDevice9) {
        *object = static_cast<IDirect3DDevice9*>(this);
    } else if (riid == IID_IVestraDeviceControl) {
        *object = static_cast<IVestraDeviceControl*>(&control_);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CDevice::AddRef() { return ++refs_; }

ULONG CDevice::Release() {
    const ULONG remaining = --refs_;
    if (remaining == 0) delete this;
    return remaining;
}

void CDevice::RegisterChild(DeviceChild* child) { children_.insert(child); }
void CDevice::UnregisterChild(DeviceChild* child) { children_.erase(child); }

UINT CDevice::LiveResourceCount(D3DPOOL pool) const {
    UINT count = 0;
    for (const DeviceChild* child : children_)
        if (child->Kind() == ChildKind::Resource && child->Pool() == pool) ++count;
    return count;
}

HRESULT CDevice::ResolvePresentParameters(D3DPRESENT_PARAMETERS& p, std::unique_ptr<Presenter>& presenter) const {
    if (p.SwapEffect < D3DSWAPEFFECT_DISCARD || p.SwapEffect > D3DSWAPEFFECT_COPY) return D3DERR_INVALIDCALL;
    if (p.BackBufferCount > D3DPRESENT_BACK_BUFFERS_MAX) return D3DERR_INVALIDCALL;
    if (p.BackBufferCount == 0) p.BackBufferCount = 1;
    if (p.SwapEffect == D3DSWAPEFFECT_COPY && p.BackBufferCount > 1) return D3DERR_INVALIDCALL;
    if (p.MultiSampleType != D3DMULTISAMPLE_NONE) return D3DERR_INVALIDCALL;
    const UINT interval = p.PresentationInterval;
    if (interval != D3DPRESENT_INTERVAL_DEFAULT && interval != D3DPRESENT_INTERVAL_ONE &&
        interval != D3DPRESENT_INTERVAL_IMMEDIATE)
        return D3DERR_INVALIDCALL;
    if (p.EnableAutoDepthStencil && !IsDepthStencilFormat(p.AutoDepthStencilFormat)) return D3DERR_INVALIDCALL;

    // Copied member by member: the structure is packed to 4 bytes, so a handle inside it
    // may sit off its natural alignment and must not be bound by reference.
    HWND window = p.hDeviceWindow;
    if (window == nullptr) window = creation_.hFocusWindow;
    presenter = CreatePresenter(window);
    if (p.Windowed) {
        if (p.FullScreen_RefreshRateInHz != 0) return D3DERR_INVALIDCALL;
        if (p.BackBufferFormat == D3DFMT_UNKNOWN) p.BackBufferFormat = DesktopMode().Format;
        if (p.BackBufferWidth == 0 || p.BackBufferHeight == 0) {
            UINT width = kFallbackWidth, height = kFallbackHeight;
            presenter->ClientSize(width, height);
            if (p.BackBufferWidth == 0) p.BackBufferWidth = width;
            if (p.BackBufferHeight == 0) p.BackBufferHeight = height;
        }
    } else {
        bool modeFound = false;
        D3DDISPLAYMODE mode;
        for (UINT i = 0; DisplayMode(D3DFMT_X8R8G8B8, i, mode); ++i)
            modeFound |= mode.Width == p.BackBufferWidth && mode.Height == p.BackBufferHeight &&
                         (p.FullScreen_RefreshRateInHz == 0 || p.FullScreen_RefreshRateInHz == mode.RefreshRate);
        if (!modeFound) return D3DERR_INVALIDCALL;
    }
    if (p.BackBufferWidth > kMaxBackBufferSize || p.BackBufferHeight > kMaxBackBufferSize) return D3DERR_INVALIDCALL;
    if (!IsRenderTargetFormat(p.BackBufferFormat)) return D3DERR_NOTAVAILABLE;
    return D3D_OK;
}

void CDevice::BuildPresentation(const D3DPRESENT_PARAMETERS& parameters, std::unique_ptr<Presenter> presenter) {
    presentation_ = parameters;
    swapChain_ = new CSwapChain(this, ChildKind::Implicit, parameters, std::move(presenter));
    if (parameters.EnableAutoDepthStencil) {
        const D3DSURFACE_DESC desc{parameters.AutoDepthStencilFormat, D3DRTYPE_SURFACE, D3DUSAGE_DEPTHSTENCIL,
                                   D3DPOOL_DEFAULT, D3DMULTISAMPLE_NONE, 0, parameters.BackBufferWidth,
                                   parameters.BackBufferHeight};
        autoDepthStencil_ = new CSurface(this, ChildKind::Implicit, desc,
                                         parameters.AutoDepthStencilFormat == D3DFMT_D16_LOCKABLE, nullptr);
    }
    ApplyDefaultState(state_, parameters.BackBufferWidth, parameters.BackBufferHeight,
                      parameters.EnableAutoDepthStencil != FALSE);
    Rebind(state_.renderTarget, swapChain_->BackBuffer(0));
    Rebind(state_.depthStencil, autoDepthStencil_);
}

void CDevice::ReleasePresentation() {
    UnbindAll();
    if (autoDepthStencil_) autoDepthStencil_->ReleaseInternal();
    autoDepthStencil_ = nullptr;
    if (swapChain_) swapChain_->ReleaseInternal();
    swapChain_ = nullptr;
}

void CDevice::UnbindAll() { ReleaseBindings(state_); }

HRESULT CDevice::TestCooperativeLevel() {
    switch (cooperation_) {
        case Cooperation::Operational: return D3D_OK;
        case Cooperation::Lost:
            if (lostPollsLeft_ > 0) {
                --lostPollsLeft_;
                return D3DERR_DEVICELOST;
            }
            cooperation_ = Cooperation::NotReset;
            return D3DERR_DEVICENOTRESET;
        case Cooperation::NotReset: return D3DERR_DEVICENOTRESET;
    }
    return D3D_OK;
}

HRESULT CDevice::LoseDevice(UINT lostPolls) {
    cooperation_ = Cooperation::Lost;
    lostPollsLeft_ = lostPolls;
    lossForced_ = true;
    return S_OK;
}

UINT CDevice::GetAvailableTextureMem() { return kAvailableTextureMemory; }

// Managed resources live in heap memory only; there is no second copy to evict.
HRESULT CDevice::EvictManagedResources() { return D3D_OK; }

HRESULT CDevice::GetDirect3D(IDirect3D9** direct3D) {
    if (!direct3D) return D3DERR_INVALIDCALL;
    *direct3D = direct3D_;
    direct3D_->AddRef();
    return D3D_OK;
}

HRESULT CDevice::GetDeviceCaps(D3DCAPS9* caps) {
    if (!caps) return D3DERR_INVALIDCALL;
    FillDeviceCaps(creation_.DeviceType, *caps);
    return D3D_OK;
}

HRESULT CDevice::GetDisplayMode(UINT swapChain, D3DDISPLAYMODE* mode) {
    if (swapChain != 0) return D3DERR_INVALIDCALL;
    return swapChain_->GetDisplayMode(mode);
}

HRESULT CDevice::GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) {
    if (!parameters) return D3DERR_INVALIDCALL;
    *parameters = creation_;
    return D3D_OK;
}

HRESULT CDevice::SetCursorProperties(UINT hotSpotX, UINT hotSpotY, IDirect3DSurface9* cursorBitmap) {
    CSurface* surface = FromInterface<CSurface>(this, cursorBitmap);
    if (!surface) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC& desc = surface->Desc();
    const D3DDISPLAYMODE mode = DesktopMode();
    if (desc.Format != D3DFMT_A8R8G8B8 || desc.Width > mode.Width || desc.Height > mode.Height ||
        hotSpotX >= desc.Width || hotSpotY >= desc.Height)
        return D3DERR_INVALIDCALL;
    cursor_.HasImage = TRUE;
    cursor_.HotSpotX = hotSpotX;
    cursor_.HotSpotY = hotSpotY;
    cursor_.Width = desc.Width;
    cursor_.Height = desc.Height;
    return D3D_OK;
}

void CDevice::SetCursorPosition(int x, int y, DWORD) {
    cursor_.X = x;
    cursor_.Y = y;
}

BOOL CDevice::ShowCursor(BOOL show) {
    const BOOL previous = cursor_.Visible;
    cursor_.Visible = show ? TRUE : FALSE;
    return previous;
}

HRESULT CDevice::SetDialogBoxMode(BOOL enableDialogs) {
    if (enableDialogs && !(presentation_.Flags & D3DPRESENTFLAG_LOCKABLE_BACKBUFFER)) return D3DERR_INVALIDCALL;
    dialogBoxMode_ = enableDialogs;
    return D3D_OK;
}

// The ramp is recorded for GetGammaRamp; frames are shown without it.
void CDevice::SetGammaRamp(UINT swapChain, DWORD, CONST D3DGAMMARAMP* ramp) {
    if (swapChain == 0 && ramp) gammaRamp_ = *ramp;
}

void CDevice::GetGammaRamp(UINT swapChain, D3DGAMMARAMP* ramp) {
    if (swapChain == 0 && ramp) *ramp = gammaRamp_;
}

HRESULT CDevice::GetRasterStatus(UINT swapChain, D3DRASTER_STATUS* status) {
    if (swapChain != 0) return D3DERR_INVALIDCALL;
    return swapChain_->GetRasterStatus(status);
}

HRESULT CDevice::SetPaletteEntries(UINT paletteNumber, CONST PALETTEENTRY* entries) {
    if (!entries || paletteNumber > 0xFFFF) return D3DERR_INVALIDCALL;
    std::vector<BYTE>& palette = palettes_[paletteNumber];
    palette.resize(256 * 4);
    std::memcpy(palette.data(), entries, palette.size());
    return D3D_OK;
}

HRESULT CDevice::GetPaletteEntries(UINT paletteNumber, PALETTEENTRY* entries) {
    const BYTE* palette = Palette(paletteNumber);
    if (!entries || !palette) return D3DERR_INVALIDCALL;
    std::memcpy(entries, palette, 256 * 4);
    return D3D_OK;
}

const BYTE* CDevice::Palette(UINT number) const {
    auto it = palettes_.find(number);
    return it == palettes_.end() ? nullptr : it->second.data();
}

HRESULT CDevice::SetCurrentTexturePalette(UINT paletteNumber) {
    if (paletteNumber > 0xFFFF) return D3DERR_INVALIDCALL;
    state_.currentTexturePalette = paletteNumber;
    return D3D_OK;
}

HRESULT CDevice::GetCurrentTexturePalette(UINT* paletteNumber) {
    if (!paletteNumber) return D3DERR_INVALIDCALL;
    *paletteNumber = state_.currentTexturePalette;
    return D3D_OK;
}

// Only a mixed-processing device can switch; the others must ask for what they are.
HRESULT CDevice::SetSoftwareVertexProcessing(BOOL software) {
    const DWORD processing = creation_.BehaviorFlags & kVertexProcessingFlags;
    if (processing == D3DCREATE_SOFTWARE_VERTEXPROCESSING && !software) return D3DERR_INVALIDCALL;
    if (processing == D3DCREATE_HARDWARE_VERTEXPROCESSING && software) return D3DERR_INVALIDCALL;
    state_.softwareVertexProcessing = software ? TRUE : FALSE;
    return D3D_OK;
}

BOOL CDevice::GetSoftwareVertexProcessing() { return state_.softwareVertexProcessing; }

HRESULT CDevice::SetNPatchMode(float segments) {
    if (segments < 0.0f) return D3DERR_INVALIDCALL;
    state_.nPatchSegments = segments;
    return D3D_OK;
}

float CDevice::GetNPatchMode() { return state_.nPatchSegments; }

}  // namespace vestra::d3d9
