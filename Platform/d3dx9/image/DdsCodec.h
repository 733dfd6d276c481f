// DDS files: every uncompressed Direct3D 9 pixel format with a DDS description, DXT1..DXT5,
// the numeric FOURCC formats, mip chains, cube maps and volume textures.
#pragma once

#include <cstddef>
#include <vector>

#include "d3dx9/image/Image.h"

namespace vestra::image {

bool LooksLikeDds(const BYTE* data, size_t size);
// D3DXERR_INVALIDDATA for anything malformed, truncated or in a format we cannot describe
// (including the DX10 extension header); `out` is only written on success.
HRESULT DecodeDds(const BYTE* data, size_t size, Image& out);
// False when the format has no DDS description.
bool EncodeDds(const Image& image, std::vector<BYTE>& out);

}  // namespace vestra::image
