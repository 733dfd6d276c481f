#include "formats/PackedArgb.h"

#include <cstring>

namespace vestra::formats {

bool IsPackedArgb(D3DFORMAT format) { return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8; }

bool CanHalvePackedArgb(UINT width, UINT height)
{
    return (width == 1 || width % 2 == 0) && (height == 1 || height % 2 == 0) && (width > 1 || height > 1);
}

void HalvePackedArgb(D3DFORMAT format, const D3DCOLOR* src, UINT width, UINT height, D3DCOLOR* dst)
{
    const UINT stepX = width > 1 ? 2 : 1, stepY = height > 1 ? 2 : 1;
    const UINT outWidth = width / stepX, outHeight = height / stepY;
    const UINT count = stepX * stepY, divisor = count == 4 ? 4 : 2, round = divisor / 2;
    const D3DCOLOR opaque = format == D3DFMT_X8R8G8B8 ? 0xFF000000u : 0;
    for (UINT y = 0; y < outHeight; ++y) {
        const D3DCOLOR* row0 = src + static_cast<size_t>(y) * stepY * width;
        const D3DCOLOR* row1 = row0 + (stepY - 1) * static_cast<size_t>(width);
        D3DCOLOR* out = dst + static_cast<size_t>(y) * outWidth;
        for (UINT x = 0; x < outWidth; ++x) {
            const D3DCOLOR a = row0[x * stepX], b = row0[x * stepX + stepX - 1];
            const D3DCOLOR c = row1[x * stepX], d = row1[x * stepX + stepX - 1];
            // Red and blue, then alpha and green, summed two channels at a time: four 8-bit
            // values never overflow the 16 bits between them. The duplicate taps of a side
            // of 1 are dropped by dividing by the number of distinct texels.
            UINT rb = (a & 0x00FF00FF) + (d & 0x00FF00FF), ag = ((a >> 8) & 0x00FF00FF) + ((d >> 8) & 0x00FF00FF);
            if (count == 4) {
                rb += (b & 0x00FF00FF) + (c & 0x00FF00FF);
                ag += ((b >> 8) & 0x00FF00FF) + ((c >> 8) & 0x00FF00FF);
            }
            const UINT r = (((rb >> 16) & 0xFFFF) + round) / divisor, bl = ((rb & 0xFFFF) + round) / divisor;
            const UINT al = (((ag >> 16) & 0xFFFF) + round) / divisor, g = ((ag & 0xFFFF) + round) / divisor;
            out[x] = (al << 24 | r << 16 | g << 8 | bl) | opaque;
        }
    }
}

bool CanExpandToPackedArgb(D3DFORMAT source)
{
    return source == D3DFMT_R8G8B8 || source == D3DFMT_X8R8G8B8 || source == D3DFMT_A8R8G8B8;
}

void ExpandRowToPackedArgb(D3DFORMAT source, const BYTE* src, UINT count, D3DFORMAT dstFormat, D3DCOLOR colorKey,
                           D3DCOLOR* dst)
{
    if (source == D3DFMT_R8G8B8) {
        for (UINT x = 0; x < count; ++x, src += 3)
            dst[x] = 0xFF000000u | static_cast<D3DCOLOR>(src[2]) << 16 | static_cast<D3DCOLOR>(src[1]) << 8 | src[0];
    } else {
        std::memcpy(dst, src, static_cast<size_t>(count) * 4);
        if (source == D3DFMT_X8R8G8B8)
            for (UINT x = 0; x < count; ++x)
                dst[x] |= 0xFF000000u;
    }
    if (colorKey != 0)
        for (UINT x = 0; x < count; ++x)
            if (dst[x] == colorKey)
                dst[x] = 0;
    if (dstFormat == D3DFMT_X8R8G8B8)
        for (UINT x = 0; x < count; ++x)
            dst[x] |= 0xFF000000u;
}

}  // namespace vestra::formats
