// D3DXGetImageInfoFromFileA and D3DXGetImageInfoFromFileInMemory.
#include <d3dx9tex.h>

#include "d3dx9/image/ImageFile.h"

using vestra::image::Image;

namespace {

// The information comes from a full decode, so a file that reports information also loads.
HRESULT InfoFromBytes(const BYTE* data, size_t size, D3DXIMAGE_INFO* info)
{
    Image image;
    const HRESULT hr = vestra::image::DecodeImage(data, size, image);
    // Recorded behaviour: without an info structure to fill the content is not judged.
    if (!info)
        return D3D_OK;
    if (FAILED(hr))
        return hr;
    *info = image.Info();
    return D3D_OK;
}

}  // namespace

HRESULT WINAPI D3DXGetImageInfoFromFileA(LPCSTR pSrcFile, D3DXIMAGE_INFO* pSrcInfo)
{
    if (!pSrcFile)
        return D3DERR_INVALIDCALL;
    std::vector<BYTE> bytes;
    const HRESULT hr = vestra::image::ReadWholeFile(pSrcFile, bytes);
    if (FAILED(hr))
        return hr;
    return InfoFromBytes(bytes.data(), bytes.size(), pSrcInfo);
}

HRESULT WINAPI D3DXGetImageInfoFromFileInMemory(LPCVOID pSrcData, UINT SrcDataSize, D3DXIMAGE_INFO* pSrcInfo)
{
    if (!pSrcData || SrcDataSize == 0)
        return D3DERR_INVALIDCALL;
    return InfoFromBytes(static_cast<const BYTE*>(pSrcData), SrcDataSize, pSrcInfo);
}
