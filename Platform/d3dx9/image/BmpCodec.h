// Windows and OS/2 bitmaps, by our own code: 1-, 4- and 8-bit palettes (plain, RLE4, RLE8),
// 16-bit 5:5:5, 5:6:5 and other bit fields, 24- and 32-bit, bottom-up or top-down, with
// the 12-byte core header, the 40-byte info header and the V2..V5 extensions.
#pragma once

#include <cstddef>
#include <vector>

#include "d3dx9/image/Image.h"

namespace vestra::image {

bool LooksLikeBmp(const BYTE* data, size_t size);

// Palette images become P8; 16-bit X1R5G5B5, R5G6B5, A1R5G5B5, X4R4G4B4 or A4R4G4B4 as the
// masks say; 24-bit R8G8B8; 32-bit X8R8G8B8, or A8R8G8B8 when the file has an alpha mask or
// (without one) any non-zero fourth byte. Other bit-field layouts are expanded to
// X8R8G8B8 / A8R8G8B8. 2-bit files are refused, as are images without rows or columns.
HRESULT DecodeBmp(const BYTE* data, size_t size, Image& out);

// 24-bit BI_RGB, or 32-bit with an alpha mask (V4 header) when `withAlpha`; bottom-up.
void EncodeBmp(UINT width, UINT height, const D3DCOLOR* argb, bool withAlpha, std::vector<BYTE>& out);

}  // namespace vestra::image
