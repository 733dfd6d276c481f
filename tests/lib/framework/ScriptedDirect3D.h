// An IDirect3D9 whose answers a test writes down: one adapter, chosen display modes, device
// types, caps and format checks. Lets the enumeration filters be tried on machines the
// software device does not imitate (small modes, no hardware transform, multisampling).
#pragma once

#include <d3d9.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace vestra::test {

class ScriptedDirect3D final : public IDirect3D9 {
public:
    ScriptedDirect3D()
    {
        caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
        caps.PresentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE | D3DPRESENT_INTERVAL_TWO;
    }

    std::vector<D3DDISPLAYMODE> modes = {{640, 480, 60, D3DFMT_X8R8G8B8}};
    D3DDISPLAYMODE desktop = {1024, 768, 60, D3DFMT_X8R8G8B8};
    std::set<D3DDEVTYPE> deviceTypes = {D3DDEVTYPE_HAL, D3DDEVTYPE_REF};
    D3DCAPS9 caps{};
    std::set<D3DFORMAT> backBufferFormats = {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8};
    bool fullscreenOnly = false;
    std::set<D3DFORMAT> depthFormats = {D3DFMT_D16, D3DFMT_D24S8, D3DFMT_D32};
    std::set<D3DMULTISAMPLE_TYPE> multisampleTypes = {D3DMULTISAMPLE_NONE};
    // Depth formats that cannot be multisampled with any type other than none.
    std::set<D3DFORMAT> depthWithoutMultisample;

    STDMETHOD(QueryInterface)(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return 1; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(RegisterSoftwareDevice)(void*) override { return D3DERR_INVALIDCALL; }
    STDMETHOD_(UINT, GetAdapterCount)() override { return 1; }
    STDMETHOD(GetAdapterIdentifier)(UINT, DWORD, D3DADAPTER_IDENTIFIER9* id) override
    {
        std::memset(id, 0, sizeof *id);
        std::strcpy(id->Description, "Scripted adapter");
        return D3D_OK;
    }
    STDMETHOD_(UINT, GetAdapterModeCount)(UINT, D3DFORMAT format) override
    {
        return static_cast<UINT>(std::count_if(modes.begin(), modes.end(), [&](auto& m) { return m.Format == format; }));
    }
    STDMETHOD(EnumAdapterModes)(UINT, D3DFORMAT format, UINT index, D3DDISPLAYMODE* mode) override
    {
        for (const D3DDISPLAYMODE& m : modes) {
            if (m.Format == format && index-- == 0) {
                *mode = m;
                return D3D_OK;
            }
        }
        return D3DERR_INVALIDCALL;
    }
    STDMETHOD(GetAdapterDisplayMode)(UINT, D3DDISPLAYMODE* mode) override
    {
        *mode = desktop;
        return D3D_OK;
    }
    STDMETHOD(CheckDeviceType)(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT backBuffer, BOOL windowed) override
    {
        if (windowed && fullscreenOnly) return D3DERR_NOTAVAILABLE;
        return backBufferFormats.count(backBuffer) ? D3D_OK : D3DERR_NOTAVAILABLE;
    }
    STDMETHOD(CheckDeviceFormat)(UINT, D3DDEVTYPE, D3DFORMAT, DWORD usage, D3DRESOURCETYPE, D3DFORMAT format) override
    {
        return (usage & D3DUSAGE_DEPTHSTENCIL) && depthFormats.count(format) ? D3D_OK : D3DERR_NOTAVAILABLE;
    }
    STDMETHOD(CheckDeviceMultiSampleType)(UINT, D3DDEVTYPE, D3DFORMAT surface, BOOL, D3DMULTISAMPLE_TYPE type,
                                          DWORD* qualities) override
    {
        if (!multisampleTypes.count(type)) return D3DERR_NOTAVAILABLE;
        if (type != D3DMULTISAMPLE_NONE && depthWithoutMultisample.count(surface)) return D3DERR_NOTAVAILABLE;
        if (qualities) *qualities = type == D3DMULTISAMPLE_NONMASKABLE ? 4 : 1;
        return D3D_OK;
    }
    STDMETHOD(CheckDepthStencilMatch)(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT, D3DFORMAT) override { return D3D_OK; }
    STDMETHOD(CheckDeviceFormatConversion)(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT) override
    {
        return D3DERR_NOTAVAILABLE;
    }
    STDMETHOD(GetDeviceCaps)(UINT, D3DDEVTYPE type, D3DCAPS9* out) override
    {
        if (!deviceTypes.count(type)) return D3DERR_NOTAVAILABLE;
        *out = caps;
        out->DeviceType = type;
        return D3D_OK;
    }
    STDMETHOD_(HMONITOR, GetAdapterMonitor)(UINT) override { return nullptr; }
    STDMETHOD(CreateDevice)(UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*, IDirect3DDevice9**) override
    {
        return D3DERR_NOTAVAILABLE;
    }
};

}  // namespace vestra::test
