// IDirect3D9: enumeration of the one software adapter and device creation.
#pragma once

#include "d3d9.h"

namespace vestra::d3d9 {

class CDirect3D9 final : public IDirect3D9 {
public:
    CDirect3D9() = default;

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    // There is no pluggable software rasterizer: the device is one already.
    STDMETHOD(RegisterSoftwareDevice)(void* initializeFunction) override;
    STDMETHOD_(UINT, GetAdapterCount)() override;
    STDMETHOD(GetAdapterIdentifier)(UINT adapter, DWORD flags, D3DADAPTER_IDENTIFIER9* identifier) override;
    STDMETHOD_(UINT, GetAdapterModeCount)(UINT adapter, D3DFORMAT format) override;
    STDMETHOD(EnumAdapterModes)(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) override;
    STDMETHOD(GetAdapterDisplayMode)(UINT adapter, D3DDISPLAYMODE* mode) override;
    STDMETHOD(CheckDeviceType)(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat,
                               BOOL windowed) override;
    STDMETHOD(CheckDeviceFormat)(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                                 D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) override;
    STDMETHOD(CheckDeviceMultiSampleType)(UINT adapter, D3DDEVTYPE type, D3DFORMAT surfaceFormat, BOOL windowed,
                                          D3DMULTISAMPLE_TYPE multiSampleType, DWORD* qualityLevels) override;
    STDMETHOD(CheckDepthStencilMatch)(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                      D3DFORMAT renderTargetFormat, D3DFORMAT depthStencilFormat) override;
    STDMETHOD(CheckDeviceFormatConversion)(UINT adapter, D3DDEVTYPE type, D3DFORMAT sourceFormat,
                                           D3DFORMAT targetFormat) override;
    STDMETHOD(GetDeviceCaps)(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override;
    STDMETHOD_(HMONITOR, GetAdapterMonitor)(UINT adapter) override;
    STDMETHOD(CreateDevice)(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior,
                            D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override;

private:
    ~CDirect3D9() = default;
    // Adapter and device type checks shared by the Check* methods.
    static HRESULT CheckAdapterAndType(UINT adapter, D3DDEVTYPE type);

    ULONG refs_ = 1;
};

}  // namespace vestra::d3d9
