// Scaling of float RGBA images (2D or volume) with the filters D3DX offers, and the box
// reduction that builds mip chains.
#pragma once

#include "formats/PixelConvert.h"

namespace vestra::formats {

enum class Filter {
    None,    // no scaling: texels outside the source read as transparent black
    Point,   // nearest texel
    Linear,  // bilinear (trilinear for volumes), clamped at the edges
    Box,     // area-weighted average: every source texel contributes by its overlap
};

// Images are tightly packed, x fastest, then y, then z.
void Resample(const Rgba* src, UINT srcWidth, UINT srcHeight, UINT srcDepth, Rgba* dst, UINT dstWidth,
              UINT dstHeight, UINT dstDepth, Filter filter);

// The next mip level: each size halves (rounding down, at least 1). Odd sizes use the area
// weights, so the last row or column is not dropped.
void DownsampleForMip(const Rgba* src, UINT width, UINT height, UINT depth, Rgba* dst);

inline UINT MipSize(UINT size, UINT level) { return level >= 32 || (size >> level) == 0 ? 1 : size >> level; }

}  // namespace vestra::formats
