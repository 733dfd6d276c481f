// D3DXLoadSurfaceFrom(Memory|Surface|File), D3DXSaveSurfaceToFile and D3DXSaveTextureToFile.
#include <d3dx9tex.h>

#include "d3dx9/image/BmpCodec.h"
#include "d3dx9/image/DdsCodec.h"
#include "d3dx9/image/ImageFile.h"
#include "d3dx9/image/PngCodec.h"
#include "d3dx9/image/SurfaceTransfer.h"
#include "d3dx9/image/TextureAccess.h"
#include "formats/FormatInfo.h"
#include "formats/SurfaceConvert.h"

using namespace vestra;
using image::Image;
using image::PixelRegion;

namespace {

formats::Palette PaletteBytes(CONST PALETTEENTRY* palette) { return reinterpret_cast<formats::Palette>(palette); }

RECT WholeRect(UINT width, UINT height) { return RECT{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)}; }

// Scales the source texels into the destination surface's rectangle.
HRESULT LoadIntoSurface(IDirect3DSurface9* dest, CONST PALETTEENTRY* destPalette, CONST RECT* destRect,
                        const std::vector<formats::Rgba>& texels, UINT width, UINT height, DWORD filter,
                        D3DCOLOR colorKey)
{
    formats::Filter parsed{};
    if (!image::ParseFilter(filter, parsed))
        return D3DERR_INVALIDCALL;
    D3DSURFACE_DESC desc{};
    HRESULT hr = dest->GetDesc(&desc);
    if (FAILED(hr))
        return hr;
    const RECT rect = destRect ? *destRect : WholeRect(desc.Width, desc.Height);
    if (!image::IsValidRect(rect, desc.Width, desc.Height) || !formats::CanConvertSurface(desc.Format))
        return D3DERR_INVALIDCALL;
    D3DLOCKED_RECT locked{};
    hr = dest->LockRect(&locked, nullptr, 0);
    if (FAILED(hr))
        return hr;
    const PixelRegion region{desc.Format, static_cast<const BYTE*>(locked.pBits), static_cast<UINT>(locked.Pitch),
                             desc.Width, desc.Height, PaletteBytes(destPalette)};
    hr = image::WriteRect(texels, width, height, static_cast<BYTE*>(locked.pBits), region, rect, parsed, colorKey);
    dest->UnlockRect();
    return hr;
}

HRESULT ReadSurface(IDirect3DSurface9* surface, CONST PALETTEENTRY* palette, CONST RECT* rectIn,
                    std::vector<formats::Rgba>& out, RECT& rect, D3DSURFACE_DESC& desc);

// A render target that cannot be locked (the back buffer, say) is read through a
// system-memory copy made by its device, as a host would do it.
HRESULT ReadRenderTarget(IDirect3DSurface9* target, CONST PALETTEENTRY* palette, const RECT& rect,
                         std::vector<formats::Rgba>& out, const D3DSURFACE_DESC& desc)
{
    IDirect3DDevice9* device = nullptr;
    HRESULT hr = target->GetDevice(&device);
    if (FAILED(hr))
        return hr;
    IDirect3DSurface9* copy = nullptr;
    hr = device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM, &copy, nullptr);
    if (SUCCEEDED(hr))
        hr = device->GetRenderTargetData(target, copy);
    if (SUCCEEDED(hr)) {
        RECT copied{};
        D3DSURFACE_DESC copyDesc{};
        hr = ReadSurface(copy, palette, &rect, out, copied, copyDesc);
    }
    if (copy)
        copy->Release();
    device->Release();
    return hr;
}

HRESULT ReadSurface(IDirect3DSurface9* surface, CONST PALETTEENTRY* palette, CONST RECT* rectIn,
                    std::vector<formats::Rgba>& out, RECT& rect, D3DSURFACE_DESC& desc)
{
    HRESULT hr = surface->GetDesc(&desc);
    if (FAILED(hr))
        return hr;
    rect = rectIn ? *rectIn : WholeRect(desc.Width, desc.Height);
    if (!image::IsValidRect(rect, desc.Width, desc.Height))
        return D3DERR_INVALIDCALL;
    D3DLOCKED_RECT locked{};
    hr = surface->LockRect(&locked, nullptr, D3DLOCK_READONLY);
    if (FAILED(hr) && (desc.Usage & D3DUSAGE_RENDERTARGET) && desc.Pool == D3DPOOL_DEFAULT)
        return ReadRenderTarget(surface, palette, rect, out, desc);
    if (FAILED(hr))
        return hr;
    const PixelRegion region{desc.Format, static_cast<const BYTE*>(locked.pBits), static_cast<UINT>(locked.Pitch),
                             desc.Width, desc.Height, PaletteBytes(palette)};
    const bool ok = image::ReadRect(region, rect, out);
    surface->UnlockRect();
    return ok ? D3D_OK : D3DERR_INVALIDCALL;
}

// PNG and BMP carry 8-bit colour, with alpha when the source format has it.
HRESULT EncodeColourFile(D3DXIMAGE_FILEFORMAT format, const std::vector<formats::Rgba>& texels, UINT width,
                         UINT height, bool withAlpha, std::vector<BYTE>& out)
{
    std::vector<D3DCOLOR> argb(texels.size());
    for (size_t i = 0; i < texels.size(); ++i)
        argb[i] = formats::RgbaToArgb(texels[i]);
    if (format == D3DXIFF_PNG)
        return image::EncodePng(width, height, argb.data(), withAlpha, out) ? D3D_OK : E_FAIL;
    image::EncodeBmp(width, height, argb.data(), withAlpha, out);
    return D3D_OK;
}

bool IsWritable(D3DXIMAGE_FILEFORMAT format)
{
    return format == D3DXIFF_PNG || format == D3DXIFF_BMP || format == D3DXIFF_DIB || format == D3DXIFF_DDS;
}

}  // namespace

HRESULT WINAPI D3DXLoadSurfaceFromMemory(LPDIRECT3DSURFACE9 pDestSurface, CONST PALETTEENTRY* pDestPalette,
                                         CONST RECT* pDestRect, LPCVOID pSrcMemory, D3DFORMAT SrcFormat, UINT SrcPitch,
                                         CONST PALETTEENTRY* pSrcPalette, CONST RECT* pSrcRect, DWORD Filter,
                                         D3DCOLOR ColorKey)
{
    if (!pDestSurface || !pSrcMemory || !pSrcRect || SrcPitch == 0 || pSrcRect->left < 0 || pSrcRect->top < 0 ||
        pSrcRect->right <= pSrcRect->left || pSrcRect->bottom <= pSrcRect->top)
        return D3DERR_INVALIDCALL;
    // The memory is only known to reach the rectangle's far corner.
    const PixelRegion source{SrcFormat, static_cast<const BYTE*>(pSrcMemory), SrcPitch,
                             static_cast<UINT>(pSrcRect->right), static_cast<UINT>(pSrcRect->bottom),
                             PaletteBytes(pSrcPalette)};
    std::vector<formats::Rgba> texels;
    if (!image::ReadRect(source, *pSrcRect, texels))
        return D3DERR_INVALIDCALL;
    return LoadIntoSurface(pDestSurface, pDestPalette, pDestRect, texels,
                           static_cast<UINT>(pSrcRect->right - pSrcRect->left),
                           static_cast<UINT>(pSrcRect->bottom - pSrcRect->top), Filter, ColorKey);
}

HRESULT WINAPI D3DXLoadSurfaceFromSurface(LPDIRECT3DSURFACE9 pDestSurface, CONST PALETTEENTRY* pDestPalette,
                                          CONST RECT* pDestRect, LPDIRECT3DSURFACE9 pSrcSurface,
                                          CONST PALETTEENTRY* pSrcPalette, CONST RECT* pSrcRect, DWORD Filter,
                                          D3DCOLOR ColorKey)
{
    if (!pDestSurface || !pSrcSurface)
        return D3DERR_INVALIDCALL;
    std::vector<formats::Rgba> texels;
    RECT rect{};
    D3DSURFACE_DESC desc{};
    HRESULT hr = ReadSurface(pSrcSurface, pSrcPalette, pSrcRect, texels, rect, desc);
    if (FAILED(hr))
        return hr;
    return LoadIntoSurface(pDestSurface, pDestPalette, pDestRect, texels, static_cast<UINT>(rect.right - rect.left),
                           static_cast<UINT>(rect.bottom - rect.top), Filter, ColorKey);
}

HRESULT WINAPI D3DXLoadSurfaceFromFileA(LPDIRECT3DSURFACE9 pDestSurface, CONST PALETTEENTRY* pDestPalette,
                                        CONST RECT* pDestRect, LPCSTR pSrcFile, CONST RECT* pSrcRect, DWORD Filter,
                                        D3DCOLOR ColorKey, D3DXIMAGE_INFO* pSrcInfo)
{
    if (!pDestSurface || !pSrcFile)
        return D3DERR_INVALIDCALL;
    Image file;
    HRESULT hr = image::LoadImageFile(pSrcFile, file);
    if (FAILED(hr))
        return hr;
    // The top level of the first face (the first slice of a volume).
    const RECT rect = pSrcRect ? *pSrcRect : WholeRect(file.width, file.height);
    if (!image::IsValidRect(rect, file.width, file.height))
        return D3DERR_INVALIDCALL;
    const PixelRegion source{file.format, file.levels[0].data(), file.LevelRowPitch(0), file.width, file.height,
                             file.palette.empty() ? nullptr : file.palette.data()};
    std::vector<formats::Rgba> texels;
    if (!image::ReadRect(source, rect, texels))
        return D3DXERR_INVALIDDATA;
    hr = LoadIntoSurface(pDestSurface, pDestPalette, pDestRect, texels, static_cast<UINT>(rect.right - rect.left),
                         static_cast<UINT>(rect.bottom - rect.top), Filter, ColorKey);
    if (SUCCEEDED(hr) && pSrcInfo)
        *pSrcInfo = file.Info();
    return hr;
}

HRESULT WINAPI D3DXSaveSurfaceToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat, LPDIRECT3DSURFACE9 pSrcSurface,
                                      CONST PALETTEENTRY* pSrcPalette, CONST RECT* pSrcRect)
{
    if (!pDestFile || !pSrcSurface || !IsWritable(DestFormat))
        return D3DERR_INVALIDCALL;
    std::vector<formats::Rgba> texels;
    RECT rect{};
    D3DSURFACE_DESC desc{};
    HRESULT hr = ReadSurface(pSrcSurface, pSrcPalette, pSrcRect, texels, rect, desc);
    if (FAILED(hr))
        return hr;
    const UINT width = static_cast<UINT>(rect.right - rect.left), height = static_cast<UINT>(rect.bottom - rect.top);
    std::vector<BYTE> bytes;
    if (DestFormat == D3DXIFF_DDS) {
        // The surface's own format, re-encoded from the rectangle.
        Image out;
        out.format = desc.Format;
        out.width = width;
        out.height = height;
        out.fileFormat = D3DXIFF_DDS;
        if (pSrcPalette)
            out.palette.assign(PaletteBytes(pSrcPalette), PaletteBytes(pSrcPalette) + 1024);
        out.Allocate();
        if (!formats::EncodeSurface(out.format, texels.data(), width, height, out.levels[0].data(), out.LevelRowPitch(0),
                                    out.palette.empty() ? nullptr : out.palette.data()) ||
            !image::EncodeDds(out, bytes))
            return D3DERR_INVALIDCALL;
    } else {
        hr = EncodeColourFile(DestFormat, texels, width, height, formats::GetFormatInfo(desc.Format).hasAlpha, bytes);
        if (FAILED(hr))
            return hr;
    }
    return image::WriteWholeFile(pDestFile, bytes);
}

HRESULT WINAPI D3DXSaveTextureToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                                      LPDIRECT3DBASETEXTURE9 pSrcTexture, CONST PALETTEENTRY* pSrcPalette)
{
    if (!pDestFile || !pSrcTexture || !IsWritable(DestFormat))
        return D3DERR_INVALIDCALL;
    image::LevelShape top{};
    HRESULT hr = image::GetLevelShape(pSrcTexture, 0, top);
    if (FAILED(hr))
        return hr;
    std::vector<BYTE> bytes;
    if (DestFormat == D3DXIFF_DDS) {
        // Every level of every face, bytes as stored.
        Image out;
        out.format = top.format;
        out.width = top.width;
        out.height = top.height;
        out.depth = top.depth;
        out.faces = image::FaceCount(pSrcTexture);
        out.mipLevels = pSrcTexture->GetLevelCount();
        out.resourceType = pSrcTexture->GetType();
        out.fileFormat = D3DXIFF_DDS;
        if (pSrcPalette)
            out.palette.assign(PaletteBytes(pSrcPalette), PaletteBytes(pSrcPalette) + 1024);
        out.Allocate();
        for (UINT face = 0; face < out.faces; ++face) {
            for (UINT level = 0; level < out.mipLevels; ++level) {
                hr = image::ReadLevelBytes(pSrcTexture, face, level, out.Level(face, level));
                if (FAILED(hr))
                    return hr;
            }
        }
        if (!image::EncodeDds(out, bytes))
            return D3DERR_INVALIDCALL;
    } else {
        // Flat formats hold the top level of the first face (first slice of a volume).
        std::vector<formats::Rgba> texels;
        hr = image::ReadLevel(pSrcTexture, 0, 0, PaletteBytes(pSrcPalette), texels);
        if (FAILED(hr))
            return hr;
        texels.resize(static_cast<size_t>(top.width) * top.height);
        hr = EncodeColourFile(DestFormat, texels, top.width, top.height, formats::GetFormatInfo(top.format).hasAlpha,
                              bytes);
        if (FAILED(hr))
            return hr;
    }
    return image::WriteWholeFile(pDestFile, bytes);
}
