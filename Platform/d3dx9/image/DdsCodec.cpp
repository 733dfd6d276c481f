#include "d3dx9/image/DdsCodec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "formats/FormatInfo.h"

namespace vestra::image {
namespace {

constexpr DWORD kMagic = 0x20534444;  // "DDS "
constexpr DWORD kHeaderSize = 124;
constexpr size_t kDataOffset = 4 + kHeaderSize;

constexpr DWORD DDSD_CAPS = 0x1, DDSD_HEIGHT = 0x2, DDSD_WIDTH = 0x4, DDSD_PITCH = 0x8, DDSD_PIXELFORMAT = 0x1000,
                DDSD_MIPMAPCOUNT = 0x20000, DDSD_LINEARSIZE = 0x80000, DDSD_DEPTH = 0x800000;
constexpr DWORD DDPF_ALPHAPIXELS = 0x1, DDPF_ALPHA = 0x2, DDPF_FOURCC = 0x4, DDPF_PALETTEINDEXED8 = 0x20,
                DDPF_RGB = 0x40, DDPF_LUMINANCE = 0x20000, DDPF_BUMPLUMINANCE = 0x40000, DDPF_BUMPDUDV = 0x80000;
constexpr DWORD DDSCAPS_COMPLEX = 0x8, DDSCAPS_TEXTURE = 0x1000, DDSCAPS_MIPMAP = 0x400000;
constexpr DWORD DDSCAPS2_CUBEMAP = 0x200, DDSCAPS2_ALLFACES = 0xFE00, DDSCAPS2_VOLUME = 0x200000;

struct MaskedFormat {
    DWORD kind;  // DDPF_RGB, _LUMINANCE, _ALPHA, _PALETTEINDEXED8, _BUMPDUDV or _BUMPLUMINANCE
    UINT bits;
    DWORD r, g, b, a;  // a != 0 means the file sets DDPF_ALPHAPIXELS (except for DDPF_ALPHA)
    D3DFORMAT format;
};

const MaskedFormat kMaskedFormats[] = {
    {DDPF_RGB, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, D3DFMT_A8R8G8B8},
    {DDPF_RGB, 32, 0xFF0000, 0xFF00, 0xFF, 0, D3DFMT_X8R8G8B8},
    {DDPF_RGB, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000, D3DFMT_A8B8G8R8},
    {DDPF_RGB, 32, 0xFF, 0xFF00, 0xFF0000, 0, D3DFMT_X8B8G8R8},
    {DDPF_RGB, 32, 0xFFFF, 0xFFFF0000, 0, 0, D3DFMT_G16R16},
    // These two pair each name with the other's masks; files written by the tools of the
    // time rely on it, so reading and writing both keep the pairing.
    {DDPF_RGB, 32, 0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000, D3DFMT_A2B10G10R10},
    {DDPF_RGB, 32, 0x3FF, 0xFFC00, 0x3FF00000, 0xC0000000, D3DFMT_A2R10G10B10},
    {DDPF_RGB, 24, 0xFF0000, 0xFF00, 0xFF, 0, D3DFMT_R8G8B8},
    {DDPF_RGB, 16, 0xF800, 0x7E0, 0x1F, 0, D3DFMT_R5G6B5},
    {DDPF_RGB, 16, 0x7C00, 0x3E0, 0x1F, 0x8000, D3DFMT_A1R5G5B5},
    {DDPF_RGB, 16, 0x7C00, 0x3E0, 0x1F, 0, D3DFMT_X1R5G5B5},
    {DDPF_RGB, 16, 0xF00, 0xF0, 0xF, 0xF000, D3DFMT_A4R4G4B4},
    {DDPF_RGB, 16, 0xF00, 0xF0, 0xF, 0, D3DFMT_X4R4G4B4},
    {DDPF_RGB, 16, 0xE0, 0x1C, 0x3, 0xFF00, D3DFMT_A8R3G3B2},
    {DDPF_RGB, 8, 0xE0, 0x1C, 0x3, 0, D3DFMT_R3G3B2},
    {DDPF_LUMINANCE, 8, 0xFF, 0, 0, 0, D3DFMT_L8},
    {DDPF_LUMINANCE, 16, 0xFFFF, 0, 0, 0, D3DFMT_L16},
    {DDPF_LUMINANCE, 16, 0xFF, 0, 0, 0xFF00, D3DFMT_A8L8},
    {DDPF_LUMINANCE, 8, 0xF, 0, 0, 0xF0, D3DFMT_A4L4},
    {DDPF_ALPHA, 8, 0, 0, 0, 0xFF, D3DFMT_A8},
    {DDPF_PALETTEINDEXED8, 8, 0, 0, 0, 0, D3DFMT_P8},
    {DDPF_PALETTEINDEXED8, 16, 0, 0, 0, 0xFF00, D3DFMT_A8P8},
    {DDPF_BUMPDUDV, 16, 0xFF, 0xFF00, 0, 0, D3DFMT_V8U8},
    {DDPF_BUMPDUDV, 32, 0xFFFF, 0xFFFF0000, 0, 0, D3DFMT_V16U16},
    {DDPF_BUMPDUDV, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000, D3DFMT_Q8W8V8U8},
    {DDPF_BUMPLUMINANCE, 32, 0xFF, 0xFF00, 0xFF0000, 0, D3DFMT_X8L8V8U8},
};

// FOURCC values that are D3DFORMATs in their own right.
const D3DFORMAT kFourCcFormats[] = {
    D3DFMT_DXT1,         D3DFMT_DXT2,          D3DFMT_DXT3,   D3DFMT_DXT4,      D3DFMT_DXT5,
    D3DFMT_UYVY,         D3DFMT_YUY2,          D3DFMT_R8G8_B8G8, D3DFMT_G8R8_G8B8, D3DFMT_A16B16G16R16,
    D3DFMT_Q16W16V16U16, D3DFMT_R16F,          D3DFMT_G16R16F, D3DFMT_A16B16G16R16F, D3DFMT_R32F,
    D3DFMT_G32R32F,      D3DFMT_A32B32G32R32F, D3DFMT_CxV8U8,
};

DWORD Load32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24); }
void Store32(std::vector<BYTE>& out, size_t offset, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        out[offset + i] = static_cast<BYTE>(v >> (8 * i));
}

struct PixelFormatFields {
    DWORD flags, fourCC, bits, r, g, b, a;
};

D3DFORMAT FormatFromPixelFormat(const PixelFormatFields& pf)
{
    if (pf.flags & DDPF_FOURCC) {
        for (D3DFORMAT format : kFourCcFormats) {
            if (static_cast<DWORD>(format) == pf.fourCC)
                return format;
        }
        return D3DFMT_UNKNOWN;
    }
    const DWORD alpha = (pf.flags & (DDPF_ALPHAPIXELS | DDPF_ALPHA)) ? pf.a : 0;
    for (const MaskedFormat& m : kMaskedFormats) {
        if (!(pf.flags & m.kind) || pf.bits != m.bits || alpha != m.a)
            continue;
        // Luminance files often repeat the luminance mask in green and blue; only red counts.
        const bool coloursMatch = m.kind == DDPF_LUMINANCE ? pf.r == m.r
                                  : m.kind == DDPF_PALETTEINDEXED8 || m.kind == DDPF_ALPHA
                                      ? true
                                      : (pf.r == m.r && pf.g == m.g && pf.b == m.b);
        if (coloursMatch)
            return m.format;
    }
    return D3DFMT_UNKNOWN;
}

bool IsPalettised(D3DFORMAT format) { return format == D3DFMT_P8 || format == D3DFMT_A8P8; }

UINT FullChainLength(UINT width, UINT height, UINT depth)
{
    UINT largest = std::max(width, std::max(height, depth)), levels = 1;
    while (largest > 1) {
        largest >>= 1;
        ++levels;
    }
    return levels;
}

}  // namespace

bool LooksLikeDds(const BYTE* data, size_t size) { return size >= 4 && Load32(data) == kMagic; }

HRESULT DecodeDds(const BYTE* data, size_t size, Image& out)
{
    if (size < kDataOffset || !LooksLikeDds(data, size) || Load32(data + 4) != kHeaderSize)
        return D3DXERR_INVALIDDATA;
    const BYTE* h = data + 4;
    const DWORD flags = Load32(h + 4);
    const PixelFormatFields pf{Load32(h + 76), Load32(h + 80), Load32(h + 84), Load32(h + 88),
                               Load32(h + 92), Load32(h + 96), Load32(h + 100)};
    const DWORD caps2 = Load32(h + 108);

    Image image;
    image.fileFormat = D3DXIFF_DDS;
    image.height = Load32(h + 8);
    image.width = Load32(h + 12);
    image.format = FormatFromPixelFormat(pf);
    if (image.format == D3DFMT_UNKNOWN || image.width == 0 || image.height == 0)
        return D3DXERR_INVALIDDATA;
    // DDSD_DEPTH alone makes a volume, whatever the caps say; a partial cube map is refused.
    if (flags & DDSD_DEPTH) {
        image.resourceType = D3DRTYPE_VOLUMETEXTURE;
        image.depth = std::max<DWORD>(1, Load32(h + 20));
    } else if (caps2 & DDSCAPS2_CUBEMAP) {
        if ((caps2 & DDSCAPS2_ALLFACES) != DDSCAPS2_ALLFACES)
            return D3DXERR_INVALIDDATA;
        image.resourceType = D3DRTYPE_CUBETEXTURE;
        image.faces = 6;
    }
    // The count is honoured even without DDSD_MIPMAPCOUNT; levels past 1x1 are stored as
    // further 1x1 levels and skipped.
    const UINT declaredLevels = std::max<DWORD>(1, Load32(h + 24));
    image.mipLevels = std::min(declaredLevels, FullChainLength(image.width, image.height, image.depth));

    size_t offset = kDataOffset;
    if (IsPalettised(image.format)) {
        if (size - offset < 1024)
            return D3DXERR_INVALIDDATA;
        image.palette.assign(data + offset, data + offset + 1024);
        offset += 1024;
    }

    std::uint64_t perFace = 0;
    for (UINT level = 0; level < declaredLevels; ++level) {
        const bool stored = level < image.mipLevels;
        UINT slice = 0;
        if (!formats::CheckedSurfaceSize(image.format, stored ? image.LevelWidth(level) : 1,
                                         stored ? image.LevelHeight(level) : 1, slice))
            return D3DXERR_INVALIDDATA;
        perFace += static_cast<std::uint64_t>(slice) * (stored ? image.LevelDepth(level) : 1);
    }
    if (perFace * image.faces > size - offset)
        return D3DXERR_INVALIDDATA;

    image.Allocate();
    for (UINT face = 0; face < image.faces; ++face) {
        const size_t faceStart = offset + static_cast<size_t>(perFace) * face;
        size_t cursor = faceStart;
        for (UINT level = 0; level < image.mipLevels; ++level) {
            std::vector<BYTE>& bytes = image.Level(face, level);
            std::memcpy(bytes.data(), data + cursor, bytes.size());
            cursor += bytes.size();
        }
    }
    out = std::move(image);
    return D3D_OK;
}

bool EncodeDds(const Image& image, std::vector<BYTE>& out)
{
    DWORD pfFlags = 0, fourCC = 0, bits = 0, masks[4] = {0, 0, 0, 0};
    for (D3DFORMAT format : kFourCcFormats) {
        if (format == image.format) {
            pfFlags = DDPF_FOURCC;
            fourCC = static_cast<DWORD>(format);
        }
    }
    for (const MaskedFormat& m : kMaskedFormats) {
        if (pfFlags == 0 && m.format == image.format) {
            pfFlags = m.kind | (m.a != 0 && m.kind != DDPF_ALPHA ? DDPF_ALPHAPIXELS : 0);
            bits = m.bits;
            masks[0] = m.r;
            masks[1] = m.g;
            masks[2] = m.b;
            masks[3] = m.a;
        }
    }
    if (pfFlags == 0)
        return false;

    const formats::FormatInfo& info = formats::GetFormatInfo(image.format);
    out.assign(kDataOffset, 0);
    const bool volume = image.resourceType == D3DRTYPE_VOLUMETEXTURE;
    const bool cube = image.resourceType == D3DRTYPE_CUBETEXTURE;
    DWORD flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT |
                  (info.blockCompressed ? DDSD_LINEARSIZE : DDSD_PITCH);
    if (image.mipLevels > 1)
        flags |= DDSD_MIPMAPCOUNT;
    if (volume)
        flags |= DDSD_DEPTH;
    DWORD caps = DDSCAPS_TEXTURE;
    if (image.mipLevels > 1)
        caps |= DDSCAPS_COMPLEX | DDSCAPS_MIPMAP;
    if (volume || cube)
        caps |= DDSCAPS_COMPLEX;

    Store32(out, 0, kMagic);
    Store32(out, 4, kHeaderSize);
    Store32(out, 8, flags);
    Store32(out, 12, image.height);
    Store32(out, 16, image.width);
    Store32(out, 20, info.blockCompressed ? image.LevelSliceSize(0) : image.LevelRowPitch(0));
    Store32(out, 24, volume ? image.depth : 0);
    Store32(out, 28, image.mipLevels);
    Store32(out, 76, 32);
    Store32(out, 80, pfFlags);
    Store32(out, 84, fourCC);
    Store32(out, 88, bits);
    for (int i = 0; i < 4; ++i)
        Store32(out, 92 + 4 * i, masks[i]);
    Store32(out, 108, caps);
    Store32(out, 112, cube ? DDSCAPS2_CUBEMAP | DDSCAPS2_ALLFACES : (volume ? DDSCAPS2_VOLUME : 0));

    if (IsPalettised(image.format)) {
        std::vector<BYTE> palette = image.palette;
        palette.resize(1024, 0);
        out.insert(out.end(), palette.begin(), palette.end());
    }
    for (const std::vector<BYTE>& level : image.levels)
        out.insert(out.end(), level.begin(), level.end());
    return true;
}

}  // namespace vestra::image
