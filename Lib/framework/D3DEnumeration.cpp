#include "framework/D3DEnumeration.h"

#include <algorithm>
#include <initializer_list>
#include <tuple>

namespace {

UINT ColorChannelBits(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_R8G8B8:
        case D3DFMT_A8R8G8B8:
        case D3DFMT_X8R8G8B8: return 8;
        case D3DFMT_R5G6B5:
        case D3DFMT_X1R5G5B5:
        case D3DFMT_A1R5G5B5: return 5;
        case D3DFMT_A4R4G4B4:
        case D3DFMT_X4R4G4B4: return 4;
        case D3DFMT_R3G3B2:
        case D3DFMT_A8R3G3B2: return 2;
        case D3DFMT_A2B10G10R10:
        case D3DFMT_A2R10G10B10: return 10;
        default: return 0;
    }
}

UINT AlphaChannelBits(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_A8R8G8B8:
        case D3DFMT_A8R3G3B2: return 8;
        case D3DFMT_A1R5G5B5: return 1;
        case D3DFMT_A4R4G4B4: return 4;
        case D3DFMT_A2B10G10R10:
        case D3DFMT_A2R10G10B10: return 2;
        default: return 0;
    }
}

UINT DepthBits(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_D16: return 16;
        case D3DFMT_D15S1: return 15;
        case D3DFMT_D24X8:
        case D3DFMT_D24S8:
        case D3DFMT_D24X4S4: return 24;
        case D3DFMT_D32: return 32;
        default: return 0;
    }
}

UINT StencilBits(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_D15S1: return 1;
        case D3DFMT_D24S8: return 8;
        case D3DFMT_D24X4S4: return 4;
        default: return 0;
    }
}

bool ModeLess(const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b) {
    return std::tie(a.Width, a.Height, a.Format, a.RefreshRate) < std::tie(b.Width, b.Height, b.Format, b.RefreshRate);
}

template <typename T>
HRESULT AddValue(CRecordList& list, T value) {
    return list.Add(&value);
}

}  // namespace

DWORD BehaviorFlagsOf(VertexProcessingType type) {
    switch (type) {
        case SOFTWARE_VP: return D3DCREATE_SOFTWARE_VERTEXPROCESSING;
        case MIXED_VP: return D3DCREATE_MIXED_VERTEXPROCESSING;
        case HARDWARE_VP: return D3DCREATE_HARDWARE_VERTEXPROCESSING;
        case PURE_HARDWARE_VP: return D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE;
    }
    return 0;
}

D3DDeviceCombo::D3DDeviceCombo()
    : depthStencilFormats(RECORDLIST_VALUES, sizeof(D3DFORMAT)),
      multisampleTypes(RECORDLIST_VALUES, sizeof(D3DMULTISAMPLE_TYPE)),
      multisampleQualities(RECORDLIST_VALUES, sizeof(DWORD)),
      conflicts(RECORDLIST_VALUES, sizeof(D3DDSMSConflict)),
      vertexProcessingTypes(RECORDLIST_VALUES, sizeof(VertexProcessingType)),
      presentIntervals(RECORDLIST_VALUES, sizeof(UINT)) {}

D3DDeviceInfo::D3DDeviceInfo() : combos(RECORDLIST_POINTERS) {}

D3DDeviceInfo::~D3DDeviceInfo() {
    for (UINT i = 0; i < combos.Count(); ++i) delete static_cast<D3DDeviceCombo*>(combos.GetPtr(i));
}

D3DAdapterInfo::D3DAdapterInfo()
    : displayModes(RECORDLIST_VALUES, sizeof(D3DDISPLAYMODE)), devices(RECORDLIST_POINTERS) {}

D3DAdapterInfo::~D3DAdapterInfo() {
    for (UINT i = 0; i < devices.Count(); ++i) delete static_cast<D3DDeviceInfo*>(devices.GetPtr(i));
}

CD3DEnumeration::CD3DEnumeration()
    : allowedAdapterFormats(RECORDLIST_VALUES, sizeof(D3DFORMAT)), adapters(RECORDLIST_POINTERS) {}

CD3DEnumeration::~CD3DEnumeration() { DeleteAdapters(); }

void CD3DEnumeration::DeleteAdapters() {
    for (UINT i = 0; i < adapters.Count(); ++i) delete Adapter(i);
    adapters.Clear();
}

HRESULT CD3DEnumeration::Enumerate() {
    if (!direct3D) return E_FAIL;
    DeleteAdapters();
    allowedAdapterFormats.Clear();
    for (D3DFORMAT format : {D3DFMT_X8R8G8B8, D3DFMT_X1R5G5B5, D3DFMT_R5G6B5, D3DFMT_A2R10G10B10}) {
        if (FAILED(AddValue(allowedAdapterFormats, format))) return E_OUTOFMEMORY;
    }

    // Formats seen on any adapter so far; later adapters test these too.
    CRecordList adapterFormats(RECORDLIST_VALUES, sizeof(D3DFORMAT));
    const UINT adapterCount = direct3D->GetAdapterCount();
    for (UINT ordinal = 0; ordinal < adapterCount; ++ordinal) {
        D3DAdapterInfo* adapter = new D3DAdapterInfo;
        adapter->adapterOrdinal = ordinal;
        direct3D->GetAdapterIdentifier(ordinal, 0, &adapter->identifier);

        for (UINT f = 0; f < allowedAdapterFormats.Count(); ++f) {
            const D3DFORMAT format = *static_cast<D3DFORMAT*>(allowedAdapterFormats.GetPtr(f));
            const UINT modeCount = direct3D->GetAdapterModeCount(ordinal, format);
            for (UINT m = 0; m < modeCount; ++m) {
                D3DDISPLAYMODE mode{};
                direct3D->EnumAdapterModes(ordinal, format, m, &mode);
                if (mode.Width < minFullscreenWidth || mode.Height < minFullscreenHeight ||
                    ColorChannelBits(mode.Format) < minColorChannelBits)
                    continue;
                HRESULT hr = adapter->displayModes.Add(&mode);
                if (SUCCEEDED(hr) && !adapterFormats.Contains(&mode.Format)) hr = adapterFormats.Add(&mode.Format);
                if (FAILED(hr)) {
                    delete adapter;
                    return E_OUTOFMEMORY;
                }
            }
        }

        auto* modes = static_cast<D3DDISPLAYMODE*>(adapter->displayModes.GetPtr(0));
        if (modes) std::sort(modes, modes + adapter->displayModes.Count(), ModeLess);

        HRESULT hr = EnumerateDevices(*adapter, adapterFormats);
        if (SUCCEEDED(hr) && adapter->devices.Count() > 0) {
            hr = adapters.Add(adapter);
            if (SUCCEEDED(hr)) continue;
        }
        delete adapter;
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT CD3DEnumeration::EnumerateDevices(D3DAdapterInfo& adapter, const CRecordList& adapterFormats) {
    for (D3DDEVTYPE type : {D3DDEVTYPE_HAL, D3DDEVTYPE_SW, D3DDEVTYPE_REF}) {
        D3DDeviceInfo* device = new D3DDeviceInfo;
        device->adapterOrdinal = adapter.adapterOrdinal;
        device->deviceType = type;
        HRESULT hr = direct3D->GetDeviceCaps(adapter.adapterOrdinal, type, &device->caps);
        if (FAILED(hr)) {
            delete device;
            continue;
        }
        hr = EnumerateCombos(*device, adapterFormats);
        if (SUCCEEDED(hr) && device->combos.Count() > 0) {
            hr = adapter.devices.Add(device);
            if (SUCCEEDED(hr)) continue;
        }
        delete device;
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT CD3DEnumeration::EnumerateCombos(D3DDeviceInfo& device, const CRecordList& adapterFormats) {
    const D3DFORMAT candidates[] = {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_A2R10G10B10,
                                    D3DFMT_R5G6B5,   D3DFMT_A1R5G5B5, D3DFMT_X1R5G5B5};
    for (UINT f = 0; f < adapterFormats.Count(); ++f) {
        const D3DFORMAT adapterFormat = *static_cast<D3DFORMAT*>(adapterFormats.GetPtr(f));
        for (D3DFORMAT backBufferFormat : candidates) {
            if (AlphaChannelBits(backBufferFormat) < minAlphaChannelBits) continue;
            for (bool windowed : {false, true}) {
                if (windowed && requiresFullscreen) continue;
                if (!windowed && requiresWindowed) continue;
                if (FAILED(direct3D->CheckDeviceType(device.adapterOrdinal, device.deviceType, adapterFormat,
                                                     backBufferFormat, windowed)))
                    continue;
                D3DDeviceCombo* combo = new D3DDeviceCombo;
                combo->adapterOrdinal = device.adapterOrdinal;
                combo->deviceType = device.deviceType;
                combo->adapterFormat = adapterFormat;
                combo->backBufferFormat = backBufferFormat;
                combo->isWindowed = windowed;
                HRESULT hr = FillCombo(device, *combo);
                if (hr == S_OK) {
                    hr = device.combos.Add(combo);
                    if (SUCCEEDED(hr)) continue;
                }
                delete combo;
                if (FAILED(hr)) return hr;
            }
        }
    }
    return S_OK;
}

HRESULT CD3DEnumeration::FillCombo(const D3DDeviceInfo& device, D3DDeviceCombo& combo) {
    if (usesDepthBuffer) {
        if (FAILED(AddDepthStencilFormats(combo))) return E_OUTOFMEMORY;
        if (combo.depthStencilFormats.Count() == 0) return S_FALSE;
    }
    if (FAILED(AddMultisampleTypes(combo))) return E_OUTOFMEMORY;
    if (combo.multisampleTypes.Count() == 0) return S_FALSE;
    if (FAILED(AddConflicts(combo))) return E_OUTOFMEMORY;
    if (FAILED(AddVertexProcessingTypes(device, combo))) return E_OUTOFMEMORY;
    if (combo.vertexProcessingTypes.Count() == 0) return S_FALSE;
    if (FAILED(AddPresentIntervals(device, combo))) return E_OUTOFMEMORY;
    return S_OK;
}

HRESULT CD3DEnumeration::AddDepthStencilFormats(D3DDeviceCombo& combo) {
    for (D3DFORMAT format : {D3DFMT_D16, D3DFMT_D15S1, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D24X4S4, D3DFMT_D32}) {
        if (DepthBits(format) < minDepthBits || StencilBits(format) < minStencilBits) continue;
        if (FAILED(direct3D->CheckDeviceFormat(combo.adapterOrdinal, combo.deviceType, combo.adapterFormat,
                                               D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, format)))
            continue;
        if (FAILED(direct3D->CheckDepthStencilMatch(combo.adapterOrdinal, combo.deviceType, combo.adapterFormat,
                                                    combo.backBufferFormat, format)))
            continue;
        if (FAILED(AddValue(combo.depthStencilFormats, format))) return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CD3DEnumeration::AddMultisampleTypes(D3DDeviceCombo& combo) {
    for (int value = D3DMULTISAMPLE_NONE; value <= D3DMULTISAMPLE_16_SAMPLES; ++value) {
        const auto type = static_cast<D3DMULTISAMPLE_TYPE>(value);
        DWORD qualities = 0;
        if (FAILED(direct3D->CheckDeviceMultiSampleType(combo.adapterOrdinal, combo.deviceType,
                                                        combo.backBufferFormat, combo.isWindowed, type, &qualities)))
            continue;
        if (FAILED(AddValue(combo.multisampleTypes, type)) || FAILED(AddValue(combo.multisampleQualities, qualities)))
            return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CD3DEnumeration::AddConflicts(D3DDeviceCombo& combo) {
    for (UINT d = 0; d < combo.depthStencilFormats.Count(); ++d) {
        const D3DFORMAT format = *static_cast<D3DFORMAT*>(combo.depthStencilFormats.GetPtr(d));
        for (UINT m = 0; m < combo.multisampleTypes.Count(); ++m) {
            const auto type = *static_cast<D3DMULTISAMPLE_TYPE*>(combo.multisampleTypes.GetPtr(m));
            if (SUCCEEDED(direct3D->CheckDeviceMultiSampleType(combo.adapterOrdinal, combo.deviceType, format,
                                                               combo.isWindowed, type, nullptr)))
                continue;
            if (FAILED(AddValue(combo.conflicts, D3DDSMSConflict{format, type}))) return E_OUTOFMEMORY;
        }
    }
    return S_OK;
}

HRESULT CD3DEnumeration::AddVertexProcessingTypes(const D3DDeviceInfo& device, D3DDeviceCombo& combo) {
    auto accepted = [&](VertexProcessingType type) {
        return !acceptDevice || acceptDevice(&device.caps, type, combo.adapterFormat, combo.backBufferFormat);
    };
    CRecordList& types = combo.vertexProcessingTypes;
    if (device.caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) {
        if ((device.caps.DevCaps & D3DDEVCAPS_PUREDEVICE) && accepted(PURE_HARDWARE_VP) &&
            FAILED(AddValue(types, PURE_HARDWARE_VP)))
            return E_OUTOFMEMORY;
        if (accepted(HARDWARE_VP) && FAILED(AddValue(types, HARDWARE_VP))) return E_OUTOFMEMORY;
        if (usesMixedVertexProcessing && accepted(MIXED_VP) && FAILED(AddValue(types, MIXED_VP)))
            return E_OUTOFMEMORY;
    }
    if (accepted(SOFTWARE_VP) && FAILED(AddValue(types, SOFTWARE_VP))) return E_OUTOFMEMORY;
    return S_OK;
}

HRESULT CD3DEnumeration::AddPresentIntervals(const D3DDeviceInfo& device, D3DDeviceCombo& combo) {
    const UINT candidates[] = {D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT, D3DPRESENT_INTERVAL_ONE,
                               D3DPRESENT_INTERVAL_TWO,       D3DPRESENT_INTERVAL_THREE,  D3DPRESENT_INTERVAL_FOUR};
    for (UINT interval : candidates) {
        // A window cannot wait for more than one vertical blank per frame.
        if (combo.isWindowed && (interval == D3DPRESENT_INTERVAL_TWO || interval == D3DPRESENT_INTERVAL_THREE ||
                                 interval == D3DPRESENT_INTERVAL_FOUR))
            continue;
        if (interval != D3DPRESENT_INTERVAL_DEFAULT && !(device.caps.PresentationIntervals & interval)) continue;
        if (FAILED(AddValue(combo.presentIntervals, interval))) return E_OUTOFMEMORY;
    }
    return S_OK;
}
