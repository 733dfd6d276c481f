#include "d3d9/SurfaceOps.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "d3d9/Surface.h"
#include "formats/FormatInfo.h"
#include "formats/PixelConvert.h"
#include "formats/Resample.h"

namespace vestra::d3d9 {

namespace {

// Byte offset of texel (x, y); for DXTn, of the block holding it.
size_t Offset(const CSurface& surface, LONG x, LONG y) {
    const formats::FormatInfo& info = formats::GetFormatInfo(surface.Desc().Format);
    if (info.blockCompressed) return static_cast<size_t>(y / 4) * surface.Pitch() + static_cast<size_t>(x / 4) * info.blockBytes;
    return static_cast<size_t>(y) * surface.Pitch() + static_cast<size_t>(x) * info.bitsPerPixel / 8;
}

}  // namespace

bool RectInside(const RECT* rect, UINT width, UINT height, bool blocks, RECT& out) {
    out = rect ? *rect : RECT{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    if (out.left < 0 || out.top < 0 || out.left >= out.right || out.top >= out.bottom ||
        static_cast<UINT>(out.right) > width || static_cast<UINT>(out.bottom) > height)
        return false;
    if (blocks) {
        auto aligned = [](LONG edge, UINT size) { return edge % 4 == 0 || static_cast<UINT>(edge) == size; };
        if (!aligned(out.left, width) || !aligned(out.top, height) || !aligned(out.right, width) ||
            !aligned(out.bottom, height))
            return false;
    }
    return true;
}

void CopyRect(const CSurface& source, const RECT& rect, CSurface& destination, POINT at) {
    const D3DFORMAT format = source.Desc().Format;
    const UINT width = static_cast<UINT>(rect.right - rect.left);
    const UINT rowBytes = formats::RowPitch(format, width);
    const UINT rows = formats::RowCount(format, static_cast<UINT>(rect.bottom - rect.top));
    const UINT rowHeight = formats::GetFormatInfo(format).blockCompressed ? 4 : 1;
    for (UINT row = 0; row < rows; ++row) {
        const BYTE* from = source.Bits() + Offset(source, rect.left, rect.top + static_cast<LONG>(row * rowHeight));
        BYTE* to = destination.Bits() + Offset(destination, at.x, at.y + static_cast<LONG>(row * rowHeight));
        std::memcpy(to, from, rowBytes);
    }
}

void StretchRect(const CSurface& source, const RECT& sourceRect, CSurface& destination, const RECT& destRect,
                 bool linear) {
    const D3DFORMAT format = source.Desc().Format;
    const UINT sw = static_cast<UINT>(sourceRect.right - sourceRect.left);
    const UINT sh = static_cast<UINT>(sourceRect.bottom - sourceRect.top);
    const UINT dw = static_cast<UINT>(destRect.right - destRect.left);
    const UINT dh = static_cast<UINT>(destRect.bottom - destRect.top);
    std::vector<formats::Rgba> from(static_cast<size_t>(sw) * sh);
    std::vector<formats::Rgba> to(static_cast<size_t>(dw) * dh);
    for (UINT y = 0; y < sh; ++y)
        formats::ReadRow(format, source.Bits() + Offset(source, sourceRect.left, sourceRect.top + static_cast<LONG>(y)),
                         sw, &from[static_cast<size_t>(y) * sw]);
    formats::Resample(from.data(), sw, sh, 1, to.data(), dw, dh, 1,
                      linear ? formats::Filter::Linear : formats::Filter::Point);
    for (UINT y = 0; y < dh; ++y)
        formats::WriteRow(format, &to[static_cast<size_t>(y) * dw], dw,
                          destination.Bits() + Offset(destination, destRect.left, destRect.top + static_cast<LONG>(y)));
}

void FillColor(CSurface& surface, const RECT& rect, D3DCOLOR color) {
    const D3DFORMAT format = surface.Desc().Format;
    const UINT width = static_cast<UINT>(rect.right - rect.left);
    // The unused byte of X8R8G8B8 is written as 0xFF, as the rasterizer writes it.
    const std::vector<D3DCOLOR> colors(width, format == D3DFMT_X8R8G8B8 ? color | 0xFF000000 : color);
    std::vector<BYTE> row(formats::RowPitch(format, width));
    if (format == D3DFMT_X8R8G8B8)
        std::memcpy(row.data(), colors.data(), row.size());
    else
        formats::WriteRowArgb(format, colors.data(), width, row.data());
    for (LONG y = rect.top; y < rect.bottom; ++y)
        std::memcpy(surface.Bits() + Offset(surface, rect.left, y), row.data(), row.size());
}

void FillDepthStencil(CSurface& surface, const RECT& rect, DWORD flags, float z, DWORD stencil) {
    const D3DFORMAT format = surface.Desc().Format;
    const bool clearDepth = (flags & D3DCLEAR_ZBUFFER) != 0;
    const bool clearStencil = (flags & D3DCLEAR_STENCIL) != 0;
    for (LONG y = rect.top; y < rect.bottom; ++y) {
        BYTE* row = surface.Bits() + Offset(surface, rect.left, y);
        const UINT count = static_cast<UINT>(rect.right - rect.left);
        if (format == D3DFMT_D16 || format == D3DFMT_D16_LOCKABLE) {
            if (!clearDepth) continue;
            const WORD value = static_cast<WORD>(std::lround(z * 65535.0));
            for (UINT x = 0; x < count; ++x) std::memcpy(row + 2 * x, &value, 2);
        } else if (format == D3DFMT_D32) {
            if (!clearDepth) continue;
            const DWORD value = static_cast<DWORD>(std::llround(static_cast<double>(z) * 4294967295.0));
            for (UINT x = 0; x < count; ++x) std::memcpy(row + 4 * x, &value, 4);
        } else {  // D24S8, D24X8: depth in the high 24 bits, stencil (or nothing) in the low 8
            const DWORD depthBits = static_cast<DWORD>(std::lround(z * 16777215.0)) << 8;
            for (UINT x = 0; x < count; ++x) {
                DWORD value;
                std::memcpy(&value, row + 4 * x, 4);
                if (clearDepth) value = (value & 0xFF) | depthBits;
                if (clearStencil) value = (value & 0xFFFFFF00) | (stencil & 0xFF);
                std::memcpy(row + 4 * x, &value, 4);
            }
        }
    }
}

}  // namespace vestra::d3d9
