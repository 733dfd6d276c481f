#include "d3dx9/image/SurfaceTransfer.h"

#include "formats/FormatInfo.h"
#include "formats/SurfaceConvert.h"

namespace vestra::image {

bool ParseFilter(DWORD filter, formats::Filter& out)
{
    if (filter == D3DX_DEFAULT)
        filter = D3DX_FILTER_TRIANGLE | D3DX_FILTER_DITHER;
    switch (filter & 0xFF) {
    case D3DX_FILTER_NONE: out = formats::Filter::None; return true;
    case D3DX_FILTER_POINT: out = formats::Filter::Point; return true;
    case D3DX_FILTER_LINEAR: out = formats::Filter::Linear; return true;
    case D3DX_FILTER_TRIANGLE:
    case D3DX_FILTER_BOX: out = formats::Filter::Box; return true;
    default: return false;
    }
}

bool IsValidRect(const RECT& rect, UINT width, UINT height)
{
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           static_cast<UINT>(rect.right) <= width && static_cast<UINT>(rect.bottom) <= height;
}

void ApplyColorKey(std::vector<formats::Rgba>& texels, D3DCOLOR colorKey)
{
    if (colorKey == 0)
        return;
    for (formats::Rgba& c : texels) {
        if (formats::RgbaToArgb(c) == colorKey)
            c = {0, 0, 0, 0};
    }
}

bool ReadRect(const PixelRegion& source, const RECT& rect, std::vector<formats::Rgba>& out)
{
    const formats::FormatInfo& info = formats::GetFormatInfo(source.format);
    if (!formats::CanConvertSurface(source.format))
        return false;
    // Whole blocks (or single texels) around the rectangle are decoded, then cropped.
    const UINT align = info.blockCompressed ? 4 : 1;
    const UINT left = static_cast<UINT>(rect.left) / align * align, top = static_cast<UINT>(rect.top) / align * align;
    const UINT right = std::min(source.width, (static_cast<UINT>(rect.right) + align - 1) / align * align);
    const UINT bottom = std::min(source.height, (static_cast<UINT>(rect.bottom) + align - 1) / align * align);
    const UINT width = right - left, height = bottom - top;
    std::vector<formats::Rgba> covering(static_cast<size_t>(width) * height);
    const BYTE* start = source.bits + static_cast<size_t>(top / align) * source.pitch +
                        static_cast<size_t>(formats::RowPitch(source.format, left));
    if (!formats::DecodeSurface(source.format, start, source.pitch, width, height, covering.data(), source.palette))
        return false;
    const UINT outWidth = static_cast<UINT>(rect.right - rect.left), outHeight = static_cast<UINT>(rect.bottom - rect.top);
    out.resize(static_cast<size_t>(outWidth) * outHeight);
    for (UINT y = 0; y < outHeight; ++y) {
        for (UINT x = 0; x < outWidth; ++x)
            out[static_cast<size_t>(y) * outWidth + x] =
                covering[static_cast<size_t>(y + rect.top - top) * width + (x + rect.left - left)];
    }
    return true;
}

HRESULT WriteRect(const std::vector<formats::Rgba>& source, UINT sourceWidth, UINT sourceHeight, BYTE* destBits,
                  const PixelRegion& dest, const RECT& rect, formats::Filter filter, D3DCOLOR colorKey)
{
    if (!formats::CanConvertSurface(dest.format) || !IsValidRect(rect, dest.width, dest.height))
        return D3DERR_INVALIDCALL;
    std::vector<formats::Rgba> keyed = source;
    ApplyColorKey(keyed, colorKey);
    const UINT width = static_cast<UINT>(rect.right - rect.left), height = static_cast<UINT>(rect.bottom - rect.top);
    std::vector<formats::Rgba> scaled(static_cast<size_t>(width) * height);
    formats::Resample(keyed.data(), sourceWidth, sourceHeight, 1, scaled.data(), width, height, 1, filter);

    // The whole surface is decoded and encoded again so that DXTn blocks the rectangle only
    // partly covers keep their other texels.
    const RECT whole{0, 0, static_cast<LONG>(dest.width), static_cast<LONG>(dest.height)};
    std::vector<formats::Rgba> surface;
    if (!ReadRect(dest, whole, surface))
        return D3DERR_INVALIDCALL;
    for (UINT y = 0; y < height; ++y) {
        for (UINT x = 0; x < width; ++x)
            surface[static_cast<size_t>(y + rect.top) * dest.width + x + rect.left] = scaled[static_cast<size_t>(y) * width + x];
    }
    if (!formats::EncodeSurface(dest.format, surface.data(), dest.width, dest.height, destBits, dest.pitch, dest.palette))
        return D3DERR_INVALIDCALL;
    return D3D_OK;
}

}  // namespace vestra::image
