#include "d3dx9/image/BmpCodec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vestra::image {
namespace {

constexpr DWORD BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;
constexpr size_t kFileHeaderSize = 14;

WORD Load16(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
DWORD Load32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24); }

void Put16(std::vector<BYTE>& out, WORD v)
{
    out.push_back(static_cast<BYTE>(v));
    out.push_back(static_cast<BYTE>(v >> 8));
}
void Put32(std::vector<BYTE>& out, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>(v >> (8 * i)));
}

struct Header {
    LONG width;
    LONG height;
    WORD planes;
    WORD bitCount;
    DWORD compression;
    DWORD coloursUsed;
    DWORD masks[4];  // r, g, b, a
    bool hasMasks;
    size_t paletteOffset;
    UINT paletteEntryBytes;
    DWORD pixelOffset;
};

bool ReadHeader(const BYTE* data, size_t size, Header& h)
{
    if (size < kFileHeaderSize + 4)
        return false;
    const DWORD headerSize = Load32(data + kFileHeaderSize);
    const BYTE* p = data + kFileHeaderSize;
    h = Header{};
    h.pixelOffset = Load32(data + 10);
    if (headerSize == 12) {
        if (size < kFileHeaderSize + 12)
            return false;
        h.width = Load16(p + 4);
        h.height = static_cast<SHORT>(Load16(p + 6));
        h.planes = Load16(p + 8);
        h.bitCount = Load16(p + 10);
        h.compression = BI_RGB;
        h.paletteEntryBytes = 3;
        h.paletteOffset = kFileHeaderSize + 12;
        return true;
    }
    if (headerSize < 40 || headerSize > 1024 || size < kFileHeaderSize + headerSize)
        return false;
    h.width = static_cast<LONG>(Load32(p + 4));
    h.height = static_cast<LONG>(Load32(p + 8));
    h.planes = Load16(p + 12);
    h.bitCount = Load16(p + 14);
    h.compression = Load32(p + 16);
    h.coloursUsed = Load32(p + 32);
    h.paletteEntryBytes = 4;
    h.paletteOffset = kFileHeaderSize + headerSize;
    if (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS) {
        h.hasMasks = true;
        const UINT maskCount = h.compression == BI_ALPHABITFIELDS || headerSize >= 56 ? 4 : 3;
        // An info header keeps its masks after itself, before the palette.
        const BYTE* masks = headerSize >= 52 ? p + 40 : p + headerSize;
        if (headerSize < 52) {
            if (size < h.paletteOffset + 4 * maskCount)
                return false;
            h.paletteOffset += 4 * maskCount;
        }
        for (UINT i = 0; i < maskCount; ++i)
            h.masks[i] = Load32(masks + 4 * i);
    } else if (headerSize >= 56) {
        // V3+ headers record an alpha mask even for BI_RGB.
        h.masks[3] = Load32(p + 52);
    }
    return true;
}

struct MaskChannel {
    UINT shift;
    UINT bits;
};

MaskChannel Analyse(DWORD mask)
{
    if (mask == 0)
        return {0, 0};
    UINT shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    UINT bits = 0;
    while (shift + bits < 32 && ((mask >> (shift + bits)) & 1))
        ++bits;
    return {shift, bits};
}

BYTE Extract(DWORD texel, MaskChannel c)
{
    if (c.bits == 0)
        return 0;
    const DWORD max = c.bits >= 32 ? 0xFFFFFFFFu : (1u << c.bits) - 1;
    const DWORD value = (texel >> c.shift) & max;
    return static_cast<BYTE>((static_cast<std::uint64_t>(value) * 255 + max / 2) / max);
}

D3DFORMAT FormatForMasks16(const DWORD m[4])
{
    struct Known {
        DWORD r, g, b, a;
        D3DFORMAT format;
    };
    static const Known known[] = {
        {0x7C00, 0x3E0, 0x1F, 0, D3DFMT_X1R5G5B5}, {0x7C00, 0x3E0, 0x1F, 0x8000, D3DFMT_A1R5G5B5},
        {0xF800, 0x7E0, 0x1F, 0, D3DFMT_R5G6B5},   {0xF00, 0xF0, 0xF, 0, D3DFMT_X4R4G4B4},
        {0xF00, 0xF0, 0xF, 0xF000, D3DFMT_A4R4G4B4},
    };
    for (const Known& k : known) {
        if (m[0] == k.r && m[1] == k.g && m[2] == k.b && m[3] == k.a)
            return k.format;
    }
    return D3DFMT_UNKNOWN;
}

// Expands RLE4/RLE8 data into one index per byte, bottom-up rows of `width`.
bool DecodeRle(const BYTE* src, size_t size, bool fourBit, UINT width, UINT height, std::vector<BYTE>& indices)
{
    indices.assign(static_cast<size_t>(width) * height, 0);
    size_t pos = 0;
    UINT x = 0, y = 0;
    auto put = [&](BYTE index) {
        if (x < width && y < height)
            indices[static_cast<size_t>(y) * width + x] = index;
        ++x;
    };
    while (pos + 2 <= size) {
        const BYTE count = src[pos], value = src[pos + 1];
        pos += 2;
        if (count > 0) {
            for (UINT i = 0; i < count; ++i)
                put(fourBit ? static_cast<BYTE>(i % 2 == 0 ? value >> 4 : value & 0xF) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (pos + 2 > size)
                return false;
            x += src[pos];
            y += src[pos + 1];
            pos += 2;
        } else {
            const size_t bytes = fourBit ? (value + 1u) / 2 : value;
            if (pos + bytes > size)
                return false;
            for (UINT i = 0; i < value; ++i)
                put(fourBit ? static_cast<BYTE>(i % 2 == 0 ? src[pos + i / 2] >> 4 : src[pos + i / 2] & 0xF)
                            : src[pos + i]);
            pos += (bytes + 1) & ~static_cast<size_t>(1);  // runs are padded to 16 bits
        }
        if (y >= height)
            return true;
    }
    // Ran out of data before an end-of-bitmap marker.
    return false;
}

}  // namespace

bool LooksLikeBmp(const BYTE* data, size_t size) { return size >= 2 && data[0] == 'B' && data[1] == 'M'; }

HRESULT DecodeBmp(const BYTE* data, size_t size, Image& out)
{
    Header h;
    if (!LooksLikeBmp(data, size) || !ReadHeader(data, size, h) || h.planes != 1)
        return D3DXERR_INVALIDDATA;
    const bool topDown = h.height < 0;
    const std::int64_t absHeight = topDown ? -static_cast<std::int64_t>(h.height) : h.height;
    if (h.width <= 0 || absHeight == 0 || h.width > static_cast<LONG>(kMaxImageDimension) ||
        absHeight > kMaxImageDimension)
        return D3DXERR_INVALIDDATA;
    const UINT width = static_cast<UINT>(h.width), height = static_cast<UINT>(absHeight);
    const UINT bits = h.bitCount;
    const bool rle = h.compression == BI_RLE8 || h.compression == BI_RLE4;
    if (rle && (topDown || bits != (h.compression == BI_RLE8 ? 8u : 4u)))
        return D3DXERR_INVALIDDATA;
    if (!rle && h.compression != BI_RGB && !h.hasMasks)
        return D3DXERR_INVALIDDATA;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return D3DXERR_INVALIDDATA;
    if (h.hasMasks && bits != 16 && bits != 32)
        return D3DXERR_INVALIDDATA;

    Image image;
    image.fileFormat = D3DXIFF_BMP;
    image.width = width;
    image.height = height;
    if (h.pixelOffset > size)
        return D3DXERR_INVALIDDATA;
    const BYTE* pixels = data + h.pixelOffset;
    const size_t available = size - h.pixelOffset;
    const size_t filePitch = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    if (!rle && filePitch * height > available)
        return D3DXERR_INVALIDDATA;
    auto fileRow = [&](UINT y) { return pixels + filePitch * (topDown ? y : height - 1 - y); };

    if (bits <= 8) {
        const UINT maxEntries = 1u << bits;
        const UINT entries = h.coloursUsed == 0 ? maxEntries : std::min<DWORD>(h.coloursUsed, maxEntries);
        if (h.paletteOffset + static_cast<size_t>(entries) * h.paletteEntryBytes > size)
            return D3DXERR_INVALIDDATA;
        image.format = D3DFMT_P8;
        image.palette.assign(1024, 0);
        for (UINT i = 0; i < 256; ++i) {
            if (i < entries) {
                const BYTE* e = data + h.paletteOffset + static_cast<size_t>(i) * h.paletteEntryBytes;
                image.palette[4 * i] = e[2];
                image.palette[4 * i + 1] = e[1];
                image.palette[4 * i + 2] = e[0];
            }
            image.palette[4 * i + 3] = 255;
        }
        image.Allocate();
        BYTE* dst = image.levels[0].data();
        if (rle) {
            std::vector<BYTE> indices;
            if (!DecodeRle(pixels, available, bits == 4, width, height, indices))
                return D3DXERR_INVALIDDATA;
            for (UINT y = 0; y < height; ++y)
                std::memcpy(dst + static_cast<size_t>(y) * width, indices.data() + static_cast<size_t>(height - 1 - y) * width, width);
        } else {
            for (UINT y = 0; y < height; ++y) {
                const BYTE* row = fileRow(y);
                for (UINT x = 0; x < width; ++x) {
                    const UINT bit = x * bits;
                    dst[static_cast<size_t>(y) * width + x] =
                        static_cast<BYTE>((row[bit / 8] >> (8 - bits - bit % 8)) & (maxEntries - 1));
                }
            }
        }
        out = std::move(image);
        return D3D_OK;
    }

    DWORD masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.masks[3]};
    if (!h.hasMasks) {
        const DWORD alphaMask = masks[3];
        if (bits == 16) {
            masks[0] = 0x7C00, masks[1] = 0x3E0, masks[2] = 0x1F, masks[3] = 0;
        } else {
            masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF, masks[3] = 0;
        }
        if (bits == 32) {
            // Without a declared alpha mask the fourth byte counts as alpha only when used.
            bool alphaUsed = alphaMask == 0xFF000000;
            for (UINT y = 0; y < height && !alphaUsed; ++y) {
                for (UINT x = 0; x < width && !alphaUsed; ++x)
                    alphaUsed = fileRow(y)[4 * x + 3] != 0;
            }
            if (alphaUsed)
                masks[3] = 0xFF000000;
        }
    }

    if (bits == 24)
        image.format = D3DFMT_R8G8B8;
    else if (bits == 16)
        image.format = FormatForMasks16(masks);
    else if (masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF && (masks[3] == 0 || masks[3] == 0xFF000000))
        image.format = masks[3] ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;

    const bool direct = image.format != D3DFMT_UNKNOWN;
    if (!direct)
        image.format = masks[3] ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    image.Allocate();
    const UINT pitch = image.LevelRowPitch(0);
    const MaskChannel channels[4] = {Analyse(masks[0]), Analyse(masks[1]), Analyse(masks[2]), Analyse(masks[3])};
    for (UINT y = 0; y < height; ++y) {
        const BYTE* row = fileRow(y);
        BYTE* dst = image.levels[0].data() + static_cast<size_t>(y) * pitch;
        if (direct) {
            std::memcpy(dst, row, pitch);
            continue;
        }
        for (UINT x = 0; x < width; ++x) {
            const DWORD texel = bits == 16 ? Load16(row + 2 * x) : Load32(row + 4 * x);
            dst[4 * x] = Extract(texel, channels[2]);
            dst[4 * x + 1] = Extract(texel, channels[1]);
            dst[4 * x + 2] = Extract(texel, channels[0]);
            dst[4 * x + 3] = masks[3] ? Extract(texel, channels[3]) : 255;
        }
    }
    out = std::move(image);
    return D3D_OK;
}

void EncodeBmp(UINT width, UINT height, const D3DCOLOR* argb, bool withAlpha, std::vector<BYTE>& out)
{
    const DWORD headerSize = withAlpha ? 108 : 40;
    const UINT bytesPerTexel = withAlpha ? 4 : 3;
    const DWORD pitch = ((width * bytesPerTexel + 3) / 4) * 4;
    const DWORD pixelOffset = static_cast<DWORD>(kFileHeaderSize) + headerSize;
    out.clear();
    out.reserve(pixelOffset + static_cast<size_t>(pitch) * height);
    out.push_back('B');
    out.push_back('M');
    Put32(out, pixelOffset + pitch * height);
    Put32(out, 0);
    Put32(out, pixelOffset);
    Put32(out, headerSize);
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, static_cast<WORD>(bytesPerTexel * 8));
    Put32(out, withAlpha ? BI_BITFIELDS : BI_RGB);
    Put32(out, pitch * height);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    if (withAlpha) {
        for (DWORD mask : {0xFF0000u, 0xFF00u, 0xFFu, 0xFF000000u})
            Put32(out, mask);
        Put32(out, 0x73524742);  // 'sRGB' colour space; the endpoints and gamma that follow are unused
        out.resize(out.size() + 48, 0);
    }
    for (UINT y = height; y-- > 0;) {
        const D3DCOLOR* row = argb + static_cast<size_t>(y) * width;
        for (UINT x = 0; x < width; ++x) {
            out.push_back(static_cast<BYTE>(row[x]));
            out.push_back(static_cast<BYTE>(row[x] >> 8));
            out.push_back(static_cast<BYTE>(row[x] >> 16));
            if (withAlpha)
                out.push_back(static_cast<BYTE>(row[x] >> 24));
        }
        out.resize(out.size() + (pitch - width * bytesPerTexel), 0);
    }
}

}  // namespace vestra::image
