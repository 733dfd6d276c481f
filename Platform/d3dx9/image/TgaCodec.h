// Truevision TGA files: uncompressed and RLE; true colour (15/16/24/32-bit), greyscale
// (8-bit, or 16-bit with alpha) and colour-mapped (8-bit indices into a 15/16/24/32-bit
// map); either vertical and horizontal origin.
#pragma once

#include <cstddef>

#include "d3dx9/image/Image.h"

namespace vestra::image {

// TGA has no signature, so this is the strict header check used when nothing else matched.
bool LooksLikeTga(const BYTE* data, size_t size);

// 32-bit becomes A8R8G8B8, 24-bit R8G8B8, 16-bit A1R5G5B5 (X1R5G5B5 without alpha bits,
// and for 15-bit), grey L8 or A8L8, colour-mapped P8.
HRESULT DecodeTga(const BYTE* data, size_t size, Image& out);

}  // namespace vestra::image
