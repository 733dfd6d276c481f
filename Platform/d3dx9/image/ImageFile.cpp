#include "d3dx9/image/ImageFile.h"

#include <filesystem>
#include <fstream>

#include "d3dx9/image/BmpCodec.h"
#include "d3dx9/image/DdsCodec.h"
#include "d3dx9/image/JpegCodec.h"
#include "d3dx9/image/PngCodec.h"
#include "d3dx9/image/TgaCodec.h"
#include "win32/WindowsPath.h"

namespace vestra::image {

HRESULT DecodeImage(const BYTE* data, size_t size, Image& out)
{
    if (!data || size == 0)
        return D3DXERR_INVALIDDATA;
    if (LooksLikeDds(data, size))
        return DecodeDds(data, size, out);
    if (LooksLikePng(data, size))
        return DecodePng(data, size, out);
    if (LooksLikeJpeg(data, size))
        return DecodeJpeg(data, size, out);
    if (LooksLikeBmp(data, size))
        return DecodeBmp(data, size, out);
    return DecodeTga(data, size, out);
}

HRESULT ReadWholeFile(LPCSTR windowsPath, std::vector<BYTE>& out)
{
    if (!windowsPath || !*windowsPath)
        return D3DXERR_INVALIDDATA;
    // A folder (an empty file name resolves to one) or a device is not an image file;
    // reading one would fail below the stream's error state.
    const std::string path = win32::ResolvePath(windowsPath);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return D3DXERR_INVALIDDATA;
    try {
        std::ifstream file(path, std::ios::binary | std::ios::ate);
        if (!file)
            return D3DXERR_INVALIDDATA;
        const std::streamoff size = file.tellg();
        if (size < 0)
            return D3DXERR_INVALIDDATA;
        std::vector<BYTE> bytes(static_cast<size_t>(size));
        file.seekg(0);
        if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
            return D3DXERR_INVALIDDATA;
        out = std::move(bytes);
    } catch (const std::ios_base::failure&) {
        return D3DXERR_INVALIDDATA;
    }
    return D3D_OK;
}

HRESULT LoadImageFile(LPCSTR windowsPath, Image& out)
{
    std::vector<BYTE> bytes;
    const HRESULT hr = ReadWholeFile(windowsPath, bytes);
    if (FAILED(hr))
        return hr;
    return DecodeImage(bytes.data(), bytes.size(), out);
}

HRESULT WriteWholeFile(LPCSTR windowsPath, const std::vector<BYTE>& bytes)
{
    if (!windowsPath || !*windowsPath)
        return E_FAIL;
    std::ofstream file(win32::ResolvePath(windowsPath), std::ios::binary | std::ios::trunc);
    if (!file)
        return E_FAIL;
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return file ? D3D_OK : E_FAIL;
}

}  // namespace vestra::image
