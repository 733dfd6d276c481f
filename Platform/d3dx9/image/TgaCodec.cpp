#include "d3dx9/image/TgaCodec.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vestra::image {
namespace {

constexpr size_t kHeaderSize = 18;

WORD Load16(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

struct Header {
    BYTE idLength, colourMapType, imageType;
    WORD mapFirst, mapLength;
    BYTE mapEntryBits;
    WORD width, height;
    BYTE pixelBits, descriptor;
};

Header ReadHeader(const BYTE* p)
{
    return Header{p[0],           p[1],           p[2],  Load16(p + 3), Load16(p + 5), p[7],
                  Load16(p + 12), Load16(p + 14), p[16], p[17]};
}

bool IsValid(const Header& h)
{
    const BYTE base = h.imageType & ~8;
    if (h.imageType != base && h.imageType != base + 8)
        return false;
    if (h.colourMapType > 1 || h.width == 0 || h.height == 0 || (h.descriptor & 0xC0) != 0)
        return false;
    const bool mapBitsValid = h.mapEntryBits == 15 || h.mapEntryBits == 16 || h.mapEntryBits == 24 || h.mapEntryBits == 32;
    if (h.colourMapType == 1 && (!mapBitsValid || h.mapLength == 0))
        return false;
    switch (base) {
    case 1: return h.colourMapType == 1 && h.pixelBits == 8;
    case 2: return h.pixelBits == 15 || h.pixelBits == 16 || h.pixelBits == 24 || h.pixelBits == 32;
    case 3: return h.pixelBits == 8 || h.pixelBits == 16;
    default: return false;
    }
}

D3DFORMAT FormatOf(const Header& h)
{
    switch (h.imageType & ~8) {
    case 1: return D3DFMT_P8;
    case 3: return h.pixelBits == 8 ? D3DFMT_L8 : D3DFMT_A8L8;
    default:
        if (h.pixelBits == 32)
            return D3DFMT_A8R8G8B8;
        if (h.pixelBits == 24)
            return D3DFMT_R8G8B8;
        return (h.pixelBits == 16 && (h.descriptor & 0xF) != 0) ? D3DFMT_A1R5G5B5 : D3DFMT_X1R5G5B5;
    }
}

void MapEntryToPalette(const BYTE* e, BYTE bits, BYTE* rgba)
{
    if (bits >= 24) {
        rgba[0] = e[2];
        rgba[1] = e[1];
        rgba[2] = e[0];
        rgba[3] = bits == 32 ? e[3] : 255;
        return;
    }
    const WORD v = Load16(e);
    auto expand = [](int five) { return static_cast<BYTE>((five << 3) | (five >> 2)); };
    rgba[0] = expand((v >> 10) & 0x1F);
    rgba[1] = expand((v >> 5) & 0x1F);
    rgba[2] = expand(v & 0x1F);
    rgba[3] = 255;
}

// Fills `pixels` (file order) from RLE packets; false when the data ends first.
bool Unpack(const BYTE* src, size_t size, size_t bytesPerPixel, std::vector<BYTE>& pixels)
{
    size_t pos = 0, filled = 0;
    while (filled < pixels.size()) {
        if (pos >= size)
            return false;
        const BYTE packet = src[pos++];
        const size_t count = (packet & 0x7F) + 1u;
        const size_t bytes = std::min(count * bytesPerPixel, pixels.size() - filled);
        if (packet & 0x80) {
            if (size - pos < bytesPerPixel)
                return false;
            for (size_t i = 0; i < bytes; ++i)
                pixels[filled + i] = src[pos + i % bytesPerPixel];
            pos += bytesPerPixel;
        } else {
            if (size - pos < count * bytesPerPixel)
                return false;
            std::memcpy(pixels.data() + filled, src + pos, bytes);
            pos += count * bytesPerPixel;
        }
        filled += bytes;
    }
    return true;
}

}  // namespace

bool LooksLikeTga(const BYTE* data, size_t size)
{
    return size >= kHeaderSize && IsValid(ReadHeader(data));
}

HRESULT DecodeTga(const BYTE* data, size_t size, Image& out)
{
    if (!LooksLikeTga(data, size))
        return D3DXERR_INVALIDDATA;
    const Header h = ReadHeader(data);
    if (h.width > kMaxImageDimension || h.height > kMaxImageDimension)
        return D3DXERR_INVALIDDATA;
    size_t pos = kHeaderSize + h.idLength;
    const size_t mapEntryBytes = (h.mapEntryBits + 7u) / 8;
    const size_t mapBytes = h.colourMapType ? mapEntryBytes * h.mapLength : 0;
    if (pos + mapBytes > size)
        return D3DXERR_INVALIDDATA;

    Image image;
    image.fileFormat = D3DXIFF_TGA;
    image.width = h.width;
    image.height = h.height;
    image.format = FormatOf(h);
    if (image.format == D3DFMT_P8) {
        image.palette.assign(1024, 0);
        for (UINT i = 0; i < h.mapLength && h.mapFirst + i < 256u; ++i)
            MapEntryToPalette(data + pos + i * mapEntryBytes, h.mapEntryBits, &image.palette[4 * (h.mapFirst + i)]);
    }
    pos += mapBytes;

    const size_t bytesPerPixel = (h.pixelBits + 7u) / 8;
    const size_t texels = static_cast<size_t>(h.width) * h.height;
    const bool rle = (h.imageType & 8) != 0;
    // An RLE packet holds at most 128 texels, so a short file cannot claim a huge picture.
    const size_t minimum = rle ? (texels + 127) / 128 * (1 + bytesPerPixel) : texels * bytesPerPixel;
    if (size - pos < minimum)
        return D3DXERR_INVALIDDATA;
    std::vector<BYTE> pixels(texels * bytesPerPixel);
    if (rle) {
        if (!Unpack(data + pos, size - pos, bytesPerPixel, pixels))
            return D3DXERR_INVALIDDATA;
    } else {
        std::memcpy(pixels.data(), data + pos, pixels.size());
    }

    image.Allocate();
    const bool topDown = (h.descriptor & 0x20) != 0, rightToLeft = (h.descriptor & 0x10) != 0;
    const size_t pitch = h.width * bytesPerPixel;
    for (UINT y = 0; y < h.height; ++y) {
        const BYTE* src = pixels.data() + pitch * (topDown ? y : h.height - 1 - y);
        BYTE* dst = image.levels[0].data() + pitch * y;
        if (!rightToLeft) {
            std::memcpy(dst, src, pitch);
            continue;
        }
        for (UINT x = 0; x < h.width; ++x)
            std::memcpy(dst + x * bytesPerPixel, src + (h.width - 1 - x) * bytesPerPixel, bytesPerPixel);
    }
    out = std::move(image);
    return D3D_OK;
}

}  // namespace vestra::image
