#include "d3dx9/image/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace vestra::image {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool truncated;
};

[[noreturn]] void ExitByJump(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// libjpeg only warns when the data ends early and pads the picture with grey; a file cut
// short is a failure for us.
void NoteMessage(j_common_ptr info, int level)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    if (level < 0 && errors->base.msg_code == JWRN_JPEG_EOF)
        errors->truncated = true;
}

// libjpeg reports errors by longjmp, so this function owns no object with a destructor.
bool ReadJpeg(jpeg_decompress_struct& decoder, ErrorManager& errors, const BYTE* data, size_t size, Image& image)
{
    if (setjmp(errors.jump))
        return false;
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, data, static_cast<unsigned long>(size));
    jpeg_read_header(&decoder, TRUE);
    if (decoder.image_width > kMaxImageDimension || decoder.image_height > kMaxImageDimension)
        return false;
    if (decoder.jpeg_color_space == JCS_GRAYSCALE) {
        decoder.out_color_space = JCS_GRAYSCALE;
        image.format = D3DFMT_L8;
    } else if (decoder.jpeg_color_space == JCS_YCbCr || decoder.jpeg_color_space == JCS_RGB) {
        decoder.out_color_space = JCS_EXT_BGR;  // B, G, R in memory: R8G8B8
        image.format = D3DFMT_R8G8B8;
    } else {
        return false;
    }
    jpeg_start_decompress(&decoder);
    image.width = decoder.output_width;
    image.height = decoder.output_height;
    image.Allocate();
    const UINT pitch = image.LevelRowPitch(0);
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW row = image.levels[0].data() + static_cast<size_t>(decoder.output_scanline) * pitch;
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    return !errors.truncated;
}

}  // namespace

bool LooksLikeJpeg(const BYTE* data, size_t size) { return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF; }

HRESULT DecodeJpeg(const BYTE* data, size_t size, Image& out)
{
    if (!LooksLikeJpeg(data, size))
        return D3DXERR_INVALIDDATA;
    jpeg_decompress_struct decoder{};
    ErrorManager errors{};
    decoder.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ExitByJump;
    errors.base.emit_message = NoteMessage;

    Image image;
    image.fileFormat = D3DXIFF_JPG;
    const bool ok = ReadJpeg(decoder, errors, data, size, image);
    jpeg_destroy_decompress(&decoder);
    if (!ok)
        return D3DXERR_INVALIDDATA;
    out = std::move(image);
    return D3D_OK;
}

}  // namespace vestra::image
