#include "formats/FormatInfo.h"

#include <cstdint>
#include <limits>

namespace vestra::formats {
namespace {

struct Traits {
    UINT bits;
    UINT blockBytes;
    bool alpha;
    bool depth;
    bool stencil;
};

constexpr FormatInfo Make(D3DFORMAT format, Traits t)
{
    return FormatInfo{format, t.bits, t.blockBytes != 0, t.blockBytes, t.alpha, t.depth, t.stencil, true};
}

constexpr Traits Plain(UINT bits) { return {bits, 0, false, false, false}; }
constexpr Traits Alpha(UINT bits) { return {bits, 0, true, false, false}; }
constexpr Traits Block(UINT bits, UINT bytes) { return {bits, bytes, true, false, false}; }
constexpr Traits Depth(UINT bits) { return {bits, 0, false, true, false}; }
constexpr Traits DepthStencil(UINT bits) { return {bits, 0, false, true, true}; }

const FormatInfo kFormats[] = {
    Make(D3DFMT_R8G8B8, Plain(24)),
    Make(D3DFMT_A8R8G8B8, Alpha(32)),
    Make(D3DFMT_X8R8G8B8, Plain(32)),
    Make(D3DFMT_R5G6B5, Plain(16)),
    Make(D3DFMT_X1R5G5B5, Plain(16)),
    Make(D3DFMT_A1R5G5B5, Alpha(16)),
    Make(D3DFMT_A4R4G4B4, Alpha(16)),
    Make(D3DFMT_R3G3B2, Plain(8)),
    Make(D3DFMT_A8, Alpha(8)),
    Make(D3DFMT_A8R3G3B2, Alpha(16)),
    Make(D3DFMT_X4R4G4B4, Plain(16)),
    Make(D3DFMT_A2B10G10R10, Alpha(32)),
    Make(D3DFMT_A8B8G8R8, Alpha(32)),
    Make(D3DFMT_X8B8G8R8, Plain(32)),
    Make(D3DFMT_G16R16, Plain(32)),
    Make(D3DFMT_A2R10G10B10, Alpha(32)),
    Make(D3DFMT_A16B16G16R16, Alpha(64)),
    Make(D3DFMT_A8P8, Alpha(16)),
    // The alpha of a P8 texel lives in its palette entry, not in the format.
    Make(D3DFMT_P8, Plain(8)),
    Make(D3DFMT_L8, Plain(8)),
    Make(D3DFMT_A8L8, Alpha(16)),
    Make(D3DFMT_A4L4, Alpha(8)),
    Make(D3DFMT_V8U8, Plain(16)),
    Make(D3DFMT_L6V5U5, Plain(16)),
    Make(D3DFMT_X8L8V8U8, Plain(32)),
    Make(D3DFMT_Q8W8V8U8, Plain(32)),
    Make(D3DFMT_V16U16, Plain(32)),
    Make(D3DFMT_A2W10V10U10, Alpha(32)),
    Make(D3DFMT_UYVY, Plain(16)),
    Make(D3DFMT_R8G8_B8G8, Plain(16)),
    Make(D3DFMT_YUY2, Plain(16)),
    Make(D3DFMT_G8R8_G8B8, Plain(16)),
    // DXT1 counts as having alpha: its 3-colour mode carries a transparent index.
    Make(D3DFMT_DXT1, Block(4, 8)),
    Make(D3DFMT_DXT2, Block(8, 16)),
    Make(D3DFMT_DXT3, Block(8, 16)),
    Make(D3DFMT_DXT4, Block(8, 16)),
    Make(D3DFMT_DXT5, Block(8, 16)),
    Make(D3DFMT_D16_LOCKABLE, Depth(16)),
    Make(D3DFMT_D32, Depth(32)),
    Make(D3DFMT_D15S1, DepthStencil(16)),
    Make(D3DFMT_D24S8, DepthStencil(32)),
    Make(D3DFMT_D24X8, Depth(32)),
    Make(D3DFMT_D24X4S4, DepthStencil(32)),
    Make(D3DFMT_D16, Depth(16)),
    Make(D3DFMT_D32F_LOCKABLE, Depth(32)),
    Make(D3DFMT_D24FS8, DepthStencil(32)),
    Make(D3DFMT_L16, Plain(16)),
    // Vertex data is a byte buffer: one "texel" per byte.
    Make(D3DFMT_VERTEXDATA, Plain(8)),
    Make(D3DFMT_INDEX16, Plain(16)),
    Make(D3DFMT_INDEX32, Plain(32)),
    Make(D3DFMT_Q16W16V16U16, Plain(64)),
    // One element of a multi-element surface.
    Make(D3DFMT_MULTI2_ARGB8, Alpha(32)),
    Make(D3DFMT_R16F, Plain(16)),
    Make(D3DFMT_G16R16F, Plain(32)),
    Make(D3DFMT_A16B16G16R16F, Alpha(64)),
    Make(D3DFMT_R32F, Plain(32)),
    Make(D3DFMT_G32R32F, Plain(64)),
    Make(D3DFMT_A32B32G32R32F, Alpha(128)),
    Make(D3DFMT_CxV8U8, Plain(16)),
};

bool IsPairPacked(D3DFORMAT format)
{
    return format == D3DFMT_UYVY || format == D3DFMT_YUY2 || format == D3DFMT_R8G8_B8G8 ||
           format == D3DFMT_G8R8_G8B8;
}

std::uint64_t RowPitch64(const FormatInfo& info, UINT width)
{
    if (info.blockCompressed)
        return (static_cast<std::uint64_t>(width) + 3) / 4 * info.blockBytes;
    if (IsPairPacked(info.format))
        return (static_cast<std::uint64_t>(width) + 1) / 2 * 4;
    return (static_cast<std::uint64_t>(width) * info.bitsPerPixel + 7) / 8;
}

}  // namespace

const FormatInfo& GetFormatInfo(D3DFORMAT format)
{
    for (const FormatInfo& info : kFormats) {
        if (info.format == format)
            return info;
    }
    static const FormatInfo unknown{D3DFMT_UNKNOWN, 0, false, 0, false, false, false, false};
    return unknown;
}

UINT RowPitch(D3DFORMAT format, UINT width)
{
    return static_cast<UINT>(RowPitch64(GetFormatInfo(format), width));
}

UINT RowCount(D3DFORMAT format, UINT height)
{
    return GetFormatInfo(format).blockCompressed ? static_cast<UINT>((static_cast<std::uint64_t>(height) + 3) / 4)
                                                 : height;
}

UINT SurfaceSize(D3DFORMAT format, UINT width, UINT height)
{
    return RowPitch(format, width) * RowCount(format, height);
}

bool CheckedSurfaceSize(D3DFORMAT format, UINT width, UINT height, UINT& size)
{
    const FormatInfo& info = GetFormatInfo(format);
    if (!info.known)
        return false;
    const std::uint64_t rows = info.blockCompressed ? (static_cast<std::uint64_t>(height) + 3) / 4 : height;
    const std::uint64_t bytes = RowPitch64(info, width) * rows;
    if (bytes > std::numeric_limits<UINT>::max())
        return false;
    size = static_cast<UINT>(bytes);
    return true;
}

}  // namespace vestra::formats
