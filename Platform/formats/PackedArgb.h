// Integer fast paths for the commonest texture formats, 8 bits per channel (A8R8G8B8 and
// X8R8G8B8): filling them from 24/32-bit image rows and halving them for mip levels,
// without the float round trip the general conversions take. Results equal the general
// path's (channels averaged and rounded to nearest).
#pragma once

#include <d3d9types.h>

namespace vestra::formats {

bool IsPackedArgb(D3DFORMAT format);

// Whether `HalvePackedArgb` can make the next mip level of a width x height image: each
// side is even or 1, so every texel of the next level averages whole texels.
bool CanHalvePackedArgb(UINT width, UINT height);

// `dst` receives MipSize(width, 1) x MipSize(height, 1) texels; X8R8G8B8 keeps 0xFF in the
// unused byte.
void HalvePackedArgb(D3DFORMAT format, const D3DCOLOR* src, UINT width, UINT height, D3DCOLOR* dst);

// R8G8B8, X8R8G8B8 and A8R8G8B8 sources.
bool CanExpandToPackedArgb(D3DFORMAT source);

// One row of `count` texels into `dstFormat` (A8R8G8B8 or X8R8G8B8). Texels equal to
// `colorKey` (as A8R8G8B8, when not 0) become transparent black first, as the general path
// keys them.
void ExpandRowToPackedArgb(D3DFORMAT source, const BYTE* src, UINT count, D3DFORMAT dstFormat, D3DCOLOR colorKey,
                           D3DCOLOR* dst);

}  // namespace vestra::formats
