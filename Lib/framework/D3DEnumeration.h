// CD3DEnumeration: what Direct3D 9 offers on this machine and the application accepts,
// listed once at start-up. Adapters hold their display modes and device types; each
// device type holds its combinations of adapter format, back-buffer format and windowed
// flag, with the depth/stencil formats, multisample types, vertex-processing kinds and
// present intervals that work for that combination. Every list keeps discovery order, so
// its first entry is the natural default.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include "framework/RecordList.h"

enum VertexProcessingType {
    SOFTWARE_VP = 0,
    MIXED_VP = 1,
    HARDWARE_VP = 2,
    PURE_HARDWARE_VP = 3,
};

// The behaviour flags of device creation for a vertex-processing kind; 0 for an unknown one.
DWORD BehaviorFlagsOf(VertexProcessingType type);

// A depth/stencil format that cannot be used with a multisample type.
struct D3DDSMSConflict {
    D3DFORMAT depthStencilFormat;
    D3DMULTISAMPLE_TYPE multisampleType;
};

struct D3DDeviceCombo {
    D3DDeviceCombo();

    UINT adapterOrdinal = 0;
    D3DDEVTYPE deviceType = D3DDEVTYPE_HAL;
    D3DFORMAT adapterFormat = D3DFMT_UNKNOWN;
    D3DFORMAT backBufferFormat = D3DFMT_UNKNOWN;
    bool isWindowed = false;
    CRecordList depthStencilFormats;   // D3DFORMAT
    CRecordList multisampleTypes;      // D3DMULTISAMPLE_TYPE
    CRecordList multisampleQualities;  // DWORD, parallel to multisampleTypes
    CRecordList conflicts;             // D3DDSMSConflict
    CRecordList vertexProcessingTypes; // VertexProcessingType
    CRecordList presentIntervals;      // UINT
};

struct D3DDeviceInfo {
    D3DDeviceInfo();
    ~D3DDeviceInfo();
    D3DDeviceInfo(const D3DDeviceInfo&) = delete;
    D3DDeviceInfo& operator=(const D3DDeviceInfo&) = delete;

    UINT adapterOrdinal = 0;
    D3DDEVTYPE deviceType = D3DDEVTYPE_HAL;
    D3DCAPS9 caps{};
    CRecordList combos;  // D3DDeviceCombo*, owned
};

struct D3DAdapterInfo {
    D3DAdapterInfo();
    ~D3DAdapterInfo();
    D3DAdapterInfo(const D3DAdapterInfo&) = delete;
    D3DAdapterInfo& operator=(const D3DAdapterInfo&) = delete;

    UINT adapterOrdinal = 0;
    D3DADAPTER_IDENTIFIER9 identifier{};
    CRecordList displayModes;  // D3DDISPLAYMODE, sorted by width, height, format, refresh rate
    CRecordList devices;       // D3DDeviceInfo*, owned
};

// Asked for every vertex-processing kind of every combination; false leaves it out.
typedef bool (*AcceptDeviceCallback)(const D3DCAPS9* caps, VertexProcessingType type, D3DFORMAT adapterFormat,
                                     D3DFORMAT backBufferFormat);

class CD3DEnumeration {
public:
    CD3DEnumeration();
    ~CD3DEnumeration();
    CD3DEnumeration(const CD3DEnumeration&) = delete;
    CD3DEnumeration& operator=(const CD3DEnumeration&) = delete;

    // Rebuilds every list. E_FAIL without Direct3D, E_OUTOFMEMORY when a list cannot grow;
    // S_OK otherwise, also when nothing usable was found.
    HRESULT Enumerate();

    UINT AdapterCount() const { return adapters.Count(); }
    D3DAdapterInfo* Adapter(UINT index) const { return static_cast<D3DAdapterInfo*>(adapters.GetPtr(index)); }

    // Set by the owner before Enumerate.
    IDirect3D9* direct3D = nullptr;  // not owned
    AcceptDeviceCallback acceptDevice = nullptr;  // null accepts everything
    UINT minFullscreenWidth = 640;
    UINT minFullscreenHeight = 480;
    UINT minColorChannelBits = 5;
    UINT minAlphaChannelBits = 0;
    UINT minDepthBits = 15;
    UINT minStencilBits = 0;
    bool usesDepthBuffer = false;
    bool usesMixedVertexProcessing = false;
    bool requiresWindowed = false;
    bool requiresFullscreen = false;
    CRecordList allowedAdapterFormats;  // D3DFORMAT, filled by Enumerate

private:
    void DeleteAdapters();
    HRESULT EnumerateDevices(D3DAdapterInfo& adapter, const CRecordList& adapterFormats);
    HRESULT EnumerateCombos(D3DDeviceInfo& device, const CRecordList& adapterFormats);
    // S_OK keeps the combination, S_FALSE drops it, a failure ends the enumeration.
    HRESULT FillCombo(const D3DDeviceInfo& device, D3DDeviceCombo& combo);
    HRESULT AddDepthStencilFormats(D3DDeviceCombo& combo);
    HRESULT AddMultisampleTypes(D3DDeviceCombo& combo);
    HRESULT AddConflicts(D3DDeviceCombo& combo);
    HRESULT AddVertexProcessingTypes(const D3DDeviceInfo& device, D3DDeviceCombo& combo);
    HRESULT AddPresentIntervals(const D3DDeviceInfo& device, D3DDeviceCombo& combo);

    CRecordList adapters;  // D3DAdapterInfo*, owned
};
