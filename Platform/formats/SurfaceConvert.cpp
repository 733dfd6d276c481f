#include "formats/SurfaceConvert.h"

#include <algorithm>

#include "formats/BlockCompression.h"
#include "formats/FormatInfo.h"

namespace vestra::formats {

bool CanConvertSurface(D3DFORMAT format) { return CanConvertRows(format) || IsDxtFormat(format); }

bool DecodeSurface(D3DFORMAT format, const void* src, UINT pitch, UINT width, UINT height, Rgba* out,
                   Palette palette)
{
    const BYTE* rows = static_cast<const BYTE*>(src);
    if (IsDxtFormat(format)) {
        const UINT blockBytes = GetFormatInfo(format).blockBytes;
        D3DCOLOR texels[16];
        for (UINT by = 0; by < (height + 3) / 4; ++by) {
            for (UINT bx = 0; bx < (width + 3) / 4; ++bx) {
                DecodeDxtBlock(format, rows + static_cast<size_t>(by) * pitch + static_cast<size_t>(bx) * blockBytes,
                               texels);
                // Texels of a partial block beyond the surface edge are dropped.
                for (UINT y = 0; y < 4 && by * 4 + y < height; ++y) {
                    for (UINT x = 0; x < 4 && bx * 4 + x < width; ++x)
                        out[static_cast<size_t>(by * 4 + y) * width + bx * 4 + x] = ArgbToRgba(texels[4 * y + x]);
                }
            }
        }
        return true;
    }
    if (!CanConvertRows(format))
        return false;
    for (UINT y = 0; y < height; ++y)
        ReadRow(format, rows + static_cast<size_t>(y) * pitch, width, out + static_cast<size_t>(y) * width, palette);
    return true;
}

bool EncodeSurface(D3DFORMAT format, const Rgba* in, UINT width, UINT height, void* dst, UINT pitch,
                   Palette palette)
{
    BYTE* rows = static_cast<BYTE*>(dst);
    if (IsDxtFormat(format)) {
        const UINT blockBytes = GetFormatInfo(format).blockBytes;
        D3DCOLOR texels[16];
        for (UINT by = 0; by < (height + 3) / 4; ++by) {
            for (UINT bx = 0; bx < (width + 3) / 4; ++bx) {
                // A partial block repeats its edge texels so they do not pull the endpoints.
                for (UINT y = 0; y < 4; ++y) {
                    for (UINT x = 0; x < 4; ++x) {
                        const UINT sx = std::min(bx * 4 + x, width - 1), sy = std::min(by * 4 + y, height - 1);
                        texels[4 * y + x] = RgbaToArgb(in[static_cast<size_t>(sy) * width + sx]);
                    }
                }
                EncodeDxtBlock(format, texels,
                               rows + static_cast<size_t>(by) * pitch + static_cast<size_t>(bx) * blockBytes);
            }
        }
        return true;
    }
    if (!CanConvertRows(format))
        return false;
    for (UINT y = 0; y < height; ++y)
        WriteRow(format, in + static_cast<size_t>(y) * width, width, rows + static_cast<size_t>(y) * pitch, palette);
    return true;
}

}  // namespace vestra::formats
