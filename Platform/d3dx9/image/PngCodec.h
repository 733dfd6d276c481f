// PNG files through libpng: every colour type and bit depth, interlaced or not, with tRNS
// transparency. Gamma and colour-space chunks are ignored: samples are taken as stored.
#pragma once

#include <cstddef>
#include <vector>

#include "d3dx9/image/Image.h"

namespace vestra::image {

bool LooksLikePng(const BYTE* data, size_t size);

// Palette images become P8 (tRNS in the palette's alpha), grey L8 or L16, grey with alpha
// or a tRNS key A8L8 (8-bit and below), 8-bit colour R8G8B8 or, with alpha or a tRNS key,
// A8R8G8B8; every other 16-bit image becomes A16B16G16R16.
HRESULT DecodePng(const BYTE* data, size_t size, Image& out);

// Writes 8-bit RGB, or RGBA when `withAlpha`, from A8R8G8B8 texels.
bool EncodePng(UINT width, UINT height, const D3DCOLOR* argb, bool withAlpha, std::vector<BYTE>& out);

}  // namespace vestra::image
