// The one adapter of the software device: its display modes, the formats it accepts for
// each use, and its identity. HAL and REF are the same software device.
#pragma once

#include "d3d9.h"

namespace vestra::d3d9 {

constexpr UINT kAdapterCount = 1;

bool IsValidAdapter(UINT adapter);
// HAL and REF are offered; SW needs a registered software device and NULLREF is not offered.
HRESULT CheckDeviceTypeOffered(D3DDEVTYPE type);

// Display modes of one display format, smallest first, and the desktop mode: those of the
// windowing layer (the real display, or its fixed headless list).
UINT DisplayModeCount(D3DFORMAT format);
bool DisplayMode(D3DFORMAT format, UINT index, D3DDISPLAYMODE& mode);
D3DDISPLAYMODE DesktopMode();

bool IsDisplayFormat(D3DFORMAT format);
// Formats the device renders into: A8R8G8B8 and X8R8G8B8.
bool IsRenderTargetFormat(D3DFORMAT format);
// Depth-stencil formats the device tests against: D16, D16_LOCKABLE, D24S8, D24X8, D32.
bool IsDepthStencilFormat(D3DFORMAT format);
// Every colour, luminance, bump, float, palettised, packed-YUV and DXTn format.
bool IsTextureFormat(D3DFORMAT format);

HRESULT CheckBackBufferPair(D3DFORMAT displayFormat, D3DFORMAT backBufferFormat, BOOL windowed);
HRESULT CheckResourceFormat(DWORD usage, D3DRESOURCETYPE type, D3DFORMAT format);
HRESULT CheckDepthMatch(D3DFORMAT renderTargetFormat, D3DFORMAT depthStencilFormat);

void FillAdapterIdentifier(D3DADAPTER_IDENTIFIER9& identifier);

}  // namespace vestra::d3d9
