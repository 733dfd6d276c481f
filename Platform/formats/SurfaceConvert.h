// Whole surfaces (pitched memory, any colour format including DXTn) to and from a tightly
// packed float RGBA image, the common currency of loading, filtering and saving.
#pragma once

#include <vector>

#include "formats/PixelConvert.h"

namespace vestra::formats {

// Row-convertible formats and DXT1..DXT5.
bool CanConvertSurface(D3DFORMAT format);

// `out` receives width * height texels, row after row. `pitch` is the byte distance between
// rows (of blocks, for DXTn). False when the format cannot be converted.
bool DecodeSurface(D3DFORMAT format, const void* src, UINT pitch, UINT width, UINT height, Rgba* out,
                   Palette palette = nullptr);
bool EncodeSurface(D3DFORMAT format, const Rgba* in, UINT width, UINT height, void* dst, UINT pitch,
                   Palette palette = nullptr);

}  // namespace vestra::formats
