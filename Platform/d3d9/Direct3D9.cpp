#include "d3d9/Direct3D9.h"

#include <new>

#include "d3d9/Adapter.h"
#include "d3d9/Device.h"
#include "d3d9/DeviceCaps.h"

namespace vestra::d3d9 {

HRESULT CDirect3D9::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDirect3D9) {
        *object = static_cast<IDirect3D9*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CDirect3D9::AddRef() { return ++refs_; }

ULONG CDirect3D9::Release() {
    const ULONG remaining = --refs_;
    if (remaining == 0) delete this;
    return remaining;
}

HRESULT CDirect3D9::RegisterSoftwareDevice(void*) { return D3DERR_NOTAVAILABLE; }

UINT CDirect3D9::GetAdapterCount() { return kAdapterCount; }

HRESULT CDirect3D9::GetAdapterIdentifier(UINT adapter, DWORD, D3DADAPTER_IDENTIFIER9* identifier) {
    if (!IsValidAdapter(adapter) || !identifier) return D3DERR_INVALIDCALL;
    FillAdapterIdentifier(*identifier);
    return D3D_OK;
}

UINT CDirect3D9::GetAdapterModeCount(UINT adapter, D3DFORMAT format) {
    return IsValidAdapter(adapter) ? DisplayModeCount(format) : 0;
}

HRESULT CDirect3D9::EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) {
    if (!IsValidAdapter(adapter) || !displayMode) return D3DERR_INVALIDCALL;
    if (DisplayModeCount(format) == 0) return D3DERR_NOTAVAILABLE;
    return DisplayMode(format, mode, *displayMode) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT CDirect3D9::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) {
    if (!IsValidAdapter(adapter) || !mode) return D3DERR_INVALIDCALL;
    *mode = DesktopMode();
    return D3D_OK;
}

HRESULT CDirect3D9::CheckAdapterAndType(UINT adapter, D3DDEVTYPE type) {
    if (!IsValidAdapter(adapter)) return D3DERR_INVALIDCALL;
    return CheckDeviceTypeOffered(type);
}

HRESULT CDirect3D9::CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                    D3DFORMAT backBufferFormat, BOOL windowed) {
    if (HRESULT hr = CheckAdapterAndType(adapter, type); FAILED(hr)) return hr;
    return CheckBackBufferPair(adapterFormat, backBufferFormat, windowed);
}

HRESULT CDirect3D9::CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                                      D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) {
    if (HRESULT hr = CheckAdapterAndType(adapter, type); FAILED(hr)) return hr;
    if (!IsDisplayFormat(adapterFormat)) return D3DERR_NOTAVAILABLE;
    return CheckResourceFormat(usage, resourceType, checkFormat);
}

HRESULT CDirect3D9::CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type, D3DFORMAT, BOOL,
                                               D3DMULTISAMPLE_TYPE multiSampleType, DWORD* qualityLevels) {
    if (HRESULT hr = CheckAdapterAndType(adapter, type); FAILED(hr)) return hr;
    if (multiSampleType > D3DMULTISAMPLE_16_SAMPLES) return D3DERR_INVALIDCALL;
    if (multiSampleType != D3DMULTISAMPLE_NONE) return D3DERR_NOTAVAILABLE;
    if (qualityLevels) *qualityLevels = 1;
    return D3D_OK;
}

HRESULT CDirect3D9::CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                           D3DFORMAT renderTargetFormat, D3DFORMAT depthStencilFormat) {
    if (HRESULT hr = CheckAdapterAndType(adapter, type); FAILED(hr)) return hr;
    if (!IsDisplayFormat(adapterFormat)) return D3DERR_NOTAVAILABLE;
    return CheckDepthMatch(renderTargetFormat, depthStencilFormat);
}

// StretchRect copies between surfaces of the same format only.
HRESULT CDirect3D9::CheckDeviceFormatConversion(UINT adapter, D3DDEVTYPE type, D3DFORMAT sourceFormat,
                                                D3DFORMAT targetFormat) {
    if (HRESULT hr = CheckAdapterAndType(adapter, type); FAILED(hr)) return hr;
    return sourceFormat == targetFormat && IsRenderTargetFormat(targetFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT CDirect3D9::GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) {
    if (!caps) return D3DERR_INVALIDCALL;
    if (HRESULT hr = CheckAdapterAndType(adapter, type); FAILED(hr)) return hr;
    FillDeviceCaps(type, *caps);
    return D3D_OK;
}

// There is no monitor handle to give on this platform.
HMONITOR CDirect3D9::GetAdapterMonitor(UINT) { return nullptr; }

HRESULT CDirect3D9::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior,
                                 D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) {
    return CDevice::Create(this, adapter, type, focusWindow, behavior, parameters, device);
}

}  // namespace vestra::d3d9

using vestra::d3d9::CDirect3D9;

IDirect3D9* WINAPI Direct3DCreate9(UINT SDKVersion) {
    // Debug builds of applications set the high bit to ask for the debug runtime.
    if ((SDKVersion & 0x7FFFFFFF) != D3D_SDK_VERSION) return nullptr;
    return new (std::nothrow) CDirect3D9();
}
