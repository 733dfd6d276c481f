// Moving a rectangle of texels from memory in one format into a rectangle of memory in
// another, with D3DX's filters and colour key: the core of D3DXLoadSurfaceFromMemory and
// everything built on it. Works on plain memory so it is testable without a device.
#pragma once

#include <vector>

#include <d3dx9tex.h>

#include "formats/PixelConvert.h"
#include "formats/Resample.h"

namespace vestra::image {

struct PixelRegion {
    D3DFORMAT format;
    const BYTE* bits;  // texel (0, 0) of the whole surface
    UINT pitch;        // bytes per row (per row of blocks for DXTn)
    UINT width;        // of the whole surface
    UINT height;
    formats::Palette palette;
};

// D3DX_DEFAULT means TRIANGLE | DITHER. False for a filter kind outside NONE..BOX.
// TRIANGLE and BOX both become the area-weighted filter; dithering is not applied.
bool ParseFilter(DWORD filter, formats::Filter& out);

// The rectangle must lie inside the surface; DXTn rectangles may start and end anywhere.
// False when the format cannot be read.
bool ReadRect(const PixelRegion& source, const RECT& rect, std::vector<formats::Rgba>& out);

// Scales `source` (sourceWidth x sourceHeight) into `rect` of the destination surface,
// leaving the rest of the surface as it was. Texels equal to `colorKey` (as A8R8G8B8, when
// not 0) become transparent black first.
HRESULT WriteRect(const std::vector<formats::Rgba>& source, UINT sourceWidth, UINT sourceHeight, BYTE* destBits,
                  const PixelRegion& dest, const RECT& rect, formats::Filter filter, D3DCOLOR colorKey);

bool IsValidRect(const RECT& rect, UINT width, UINT height);

// Texels equal to `colorKey` as A8R8G8B8 (alpha included) become transparent black; 0
// disables keying.
void ApplyColorKey(std::vector<formats::Rgba>& texels, D3DCOLOR colorKey);

}  // namespace vestra::image
