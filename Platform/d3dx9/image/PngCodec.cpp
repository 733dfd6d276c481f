#include "d3dx9/image/PngCodec.h"

#include <png.h>

#include <cstring>

namespace vestra::image {
namespace {

struct MemoryReader {
    const BYTE* data;
    size_t size;
    size_t position;
};

void ReadFromMemory(png_structp png, png_bytep target, png_size_t length)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->position)
        png_error(png, "truncated");
    std::memcpy(target, reader->data + reader->position, length);
    reader->position += length;
}

void WriteToVector(png_structp png, png_bytep source, png_size_t length)
{
    auto* out = static_cast<std::vector<BYTE>*>(png_get_io_ptr(png));
    out->insert(out->end(), source, source + length);
}

void FlushNothing(png_structp) {}

// Errors are reported through the result; libpng's own messages would only go to stderr.
void SilentWarning(png_structp, png_const_charp) {}
[[noreturn]] void SilentError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// libpng reports errors by longjmp, so everything libpng touches lives in the caller and
// this function owns no object with a destructor.
bool ReadPng(png_structp png, png_infop info, Image& image, std::vector<png_bytep>& rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_user_limits(png, kMaxImageDimension, kMaxImageDimension);
    png_read_info(png, info);

    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    const bool hasKey = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    image.width = png_get_image_width(png, info);
    image.height = png_get_image_height(png, info);

    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp entries = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &entries, &count);
        png_bytep alpha = nullptr;
        int alphaCount = 0;
        png_color_16p keyColour = nullptr;
        if (hasKey)
            png_get_tRNS(png, info, &alpha, &alphaCount, &keyColour);
        image.palette.assign(1024, 0);
        for (int i = 0; i < 256; ++i) {
            if (i < count) {
                image.palette[4 * i] = entries[i].red;
                image.palette[4 * i + 1] = entries[i].green;
                image.palette[4 * i + 2] = entries[i].blue;
            }
            image.palette[4 * i + 3] = i < alphaCount ? alpha[i] : 255;
        }
        png_set_packing(png);
        image.format = D3DFMT_P8;
    } else if (bitDepth == 16) {
        png_set_swap(png);  // PNG samples are big-endian
        if (colourType == PNG_COLOR_TYPE_GRAY && !hasKey) {
            image.format = D3DFMT_L16;
        } else {
            png_set_gray_to_rgb(png);
            if (hasKey)
                png_set_tRNS_to_alpha(png);
            png_set_filler(png, 0xFFFF, PNG_FILLER_AFTER);
            image.format = D3DFMT_A16B16G16R16;
        }
    } else if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_expand_gray_1_2_4_to_8(png);
        if (hasKey)
            png_set_tRNS_to_alpha(png);
        image.format = (colourType == PNG_COLOR_TYPE_GRAY_ALPHA || hasKey) ? D3DFMT_A8L8 : D3DFMT_L8;
    } else {
        png_set_bgr(png);
        if (hasKey)
            png_set_tRNS_to_alpha(png);
        image.format = (colourType == PNG_COLOR_TYPE_RGB_ALPHA || hasKey) ? D3DFMT_A8R8G8B8 : D3DFMT_R8G8B8;
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    image.Allocate();
    const UINT pitch = image.LevelRowPitch(0);
    if (png_get_rowbytes(png, info) != pitch)
        return false;
    rows.resize(image.height);
    for (UINT y = 0; y < image.height; ++y)
        rows[y] = image.levels[0].data() + static_cast<size_t>(y) * pitch;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    return true;
}

bool WritePng(png_structp png, png_infop info, UINT width, UINT height, bool withAlpha,
              std::vector<png_bytep>& rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, width, height, 8, withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    return true;
}

}  // namespace

bool LooksLikePng(const BYTE* data, size_t size) { return size >= 8 && png_sig_cmp(data, 0, 8) == 0; }

HRESULT DecodePng(const BYTE* data, size_t size, Image& out)
{
    if (!LooksLikePng(data, size))
        return D3DXERR_INVALIDDATA;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, SilentError, SilentWarning);
    if (!png)
        return E_OUTOFMEMORY;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return E_OUTOFMEMORY;
    }
    MemoryReader reader{data, size, 0};
    png_set_read_fn(png, &reader, ReadFromMemory);

    Image image;
    image.fileFormat = D3DXIFF_PNG;
    std::vector<png_bytep> rows;
    const bool ok = ReadPng(png, info, image, rows);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok)
        return D3DXERR_INVALIDDATA;
    out = std::move(image);
    return D3D_OK;
}

bool EncodePng(UINT width, UINT height, const D3DCOLOR* argb, bool withAlpha, std::vector<BYTE>& out)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, SilentError, SilentWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    // B, G, R, A in memory per texel; libpng drops the alpha bytes for an RGB file only
    // through a filler, so RGB rows are packed here.
    std::vector<BYTE> pixels(static_cast<size_t>(width) * height * (withAlpha ? 4 : 3));
    BYTE* p = pixels.data();
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        *p++ = static_cast<BYTE>(argb[i]);
        *p++ = static_cast<BYTE>(argb[i] >> 8);
        *p++ = static_cast<BYTE>(argb[i] >> 16);
        if (withAlpha)
            *p++ = static_cast<BYTE>(argb[i] >> 24);
    }
    std::vector<png_bytep> rows(height);
    for (UINT y = 0; y < height; ++y)
        rows[y] = pixels.data() + static_cast<size_t>(y) * width * (withAlpha ? 4 : 3);
    std::vector<BYTE> encoded;
    png_set_write_fn(png, &encoded, WriteToVector, FlushNothing);
    const bool ok = WritePng(png, info, width, height, withAlpha, rows);
    png_destroy_write_struct(&png, &info);
    if (ok)
        out = std::move(encoded);
    return ok;
}

}  // namespace vestra::image
