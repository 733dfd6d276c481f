// JPEG files through libjpeg-turbo: baseline and progressive, colour and greyscale.
#pragma once

#include <cstddef>

#include "d3dx9/image/Image.h"

namespace vestra::image {

bool LooksLikeJpeg(const BYTE* data, size_t size);
// Colour images become R8G8B8 and greyscale L8. CMYK files are refused.
HRESULT DecodeJpeg(const BYTE* data, size_t size, Image& out);

}  // namespace vestra::image
