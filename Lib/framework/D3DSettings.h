// The device choice the application runs with: one half for a window on the desktop, one
// for fullscreen, and which of the two is in use.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include "framework/D3DEnumeration.h"

struct D3DDeviceChoice {
    // Records of the enumeration; the enumeration owns them.
    D3DAdapterInfo* adapter = nullptr;
    D3DDeviceInfo* device = nullptr;
    D3DDeviceCombo* combo = nullptr;
    // Windowed: the desktop mode, never chosen by the user.
    D3DDISPLAYMODE displayMode{};
    D3DFORMAT depthStencilFormat = D3DFMT_UNKNOWN;
    D3DMULTISAMPLE_TYPE multisampleType = D3DMULTISAMPLE_NONE;
    DWORD multisampleQuality = 0;
    VertexProcessingType vertexProcessingType = SOFTWARE_VP;
    UINT presentInterval = D3DPRESENT_INTERVAL_DEFAULT;
};

struct D3DDeviceSettings {
    bool isWindowed = true;
    D3DDeviceChoice windowed;
    int windowedWidth = 0;  // client size
    int windowedHeight = 0;
    D3DDeviceChoice fullscreen;

    D3DDeviceChoice& Current() { return isWindowed ? windowed : fullscreen; }
    const D3DDeviceChoice& Current() const { return isWindowed ? windowed : fullscreen; }
};
