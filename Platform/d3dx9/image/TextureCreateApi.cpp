// D3DXCheckTextureRequirements, D3DXCreate(Cube|Volume)Texture, the texture-from-file
// family and D3DXFilterTexture.
#include <d3dx9tex.h>
#include <windows.h>

#include <algorithm>

#include "d3dx9/image/ImageFile.h"
#include "d3dx9/image/SurfaceTransfer.h"
#include "d3dx9/image/TextureAccess.h"
#include "formats/FormatInfo.h"
#include "formats/PackedArgb.h"
#include "formats/SurfaceConvert.h"

using namespace vestra;
using image::Image;

namespace {

UINT RoundUpToPowerOfTwo(UINT v)
{
    UINT p = 1;
    while (p < v && p < 0x80000000u)
        p <<= 1;
    return p;
}

UINT FullChain(UINT width, UINT height, UINT depth = 1)
{
    UINT largest = std::max(width, std::max(height, depth)), levels = 1;
    while (largest > 1) {
        largest >>= 1;
        ++levels;
    }
    return levels;
}

bool IsDefault(UINT v) { return v == 0 || v == D3DX_DEFAULT; }

// Sizes, level count and format as the device can create them.
HRESULT CheckRequirements(IDirect3DDevice9* device, UINT* width, UINT* height, UINT* depth, UINT* levels, DWORD usage,
                          D3DFORMAT* format, D3DRESOURCETYPE type)
{
    if (!device)
        return D3DERR_INVALIDCALL;
    D3DCAPS9 caps{};
    HRESULT hr = device->GetDeviceCaps(&caps);
    if (FAILED(hr))
        return hr;
    UINT w = width ? *width : D3DX_DEFAULT, h = height ? *height : D3DX_DEFAULT;
    if (w == D3DX_DEFAULT && h == D3DX_DEFAULT)
        w = h = 256;
    else if (w == D3DX_DEFAULT)
        w = h;
    else if (h == D3DX_DEFAULT)
        h = w;
    w = std::max(w, 1u);
    h = std::max(h, 1u);
    UINT d = depth ? std::max(*depth == D3DX_DEFAULT ? 1u : *depth, 1u) : 1u;
    // Each kind of texture has its own power-of-two cap.
    bool pow2 = (caps.TextureCaps & D3DPTEXTURECAPS_POW2) && !(caps.TextureCaps & D3DPTEXTURECAPS_NONPOW2CONDITIONAL);
    if (type == D3DRTYPE_CUBETEXTURE)
        pow2 = (caps.TextureCaps & D3DPTEXTURECAPS_CUBEMAP_POW2) != 0;
    else if (type == D3DRTYPE_VOLUMETEXTURE)
        pow2 = (caps.TextureCaps & D3DPTEXTURECAPS_VOLUMEMAP_POW2) != 0;
    if (pow2) {
        w = RoundUpToPowerOfTwo(w);
        h = RoundUpToPowerOfTwo(h);
        if (type == D3DRTYPE_VOLUMETEXTURE)
            d = RoundUpToPowerOfTwo(d);
    }
    if ((caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) || type == D3DRTYPE_CUBETEXTURE)
        w = h = std::max(w, h);
    if (caps.MaxTextureWidth)
        w = std::min<UINT>(w, caps.MaxTextureWidth);
    if (caps.MaxTextureHeight)
        h = std::min<UINT>(h, caps.MaxTextureHeight);
    if (type == D3DRTYPE_VOLUMETEXTURE && caps.MaxVolumeExtent)
        d = std::min<UINT>(d, caps.MaxVolumeExtent);

    if (levels) {
        const UINT full = FullChain(w, h, d);
        *levels = IsDefault(*levels) ? full : std::min(*levels, full);
        if (!(caps.TextureCaps & D3DPTEXTURECAPS_MIPMAP))
            *levels = 1;
    }
    if (format) {
        if (*format == D3DFMT_UNKNOWN || static_cast<UINT>(*format) == D3DX_DEFAULT)
            *format = D3DFMT_A8R8G8B8;
        IDirect3D9* d3d = nullptr;
        D3DDEVICE_CREATION_PARAMETERS params{};
        D3DDISPLAYMODE mode{};
        if (SUCCEEDED(device->GetDirect3D(&d3d)) && d3d) {
            if (SUCCEEDED(device->GetCreationParameters(&params)) && SUCCEEDED(device->GetDisplayMode(0, &mode)) &&
                FAILED(d3d->CheckDeviceFormat(params.AdapterOrdinal, params.DeviceType, mode.Format, usage, type,
                                              *format)))
                *format = formats::GetFormatInfo(*format).hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
            d3d->Release();
        }
    }
    if (width)
        *width = w;
    if (height)
        *height = h;
    if (depth)
        *depth = d;
    return D3D_OK;
}

// The texture format for an image file's format: textures are never palettised or 24-bit,
// and a colour key needs an alpha channel to punch through.
D3DFORMAT TextureFormatFor(const Image& image, D3DCOLOR colorKey)
{
    D3DFORMAT format = image.format;
    if (format == D3DFMT_P8 || format == D3DFMT_A8P8) {
        bool alpha = format == D3DFMT_A8P8;
        for (size_t i = 3; i < image.palette.size(); i += 4)
            alpha |= image.palette[i] != 255;
        format = alpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    } else if (format == D3DFMT_R8G8B8) {
        format = D3DFMT_X8R8G8B8;
    }
    if (colorKey != 0 && !formats::GetFormatInfo(format).hasAlpha) {
        switch (format) {
        case D3DFMT_R5G6B5:
        case D3DFMT_X1R5G5B5: return D3DFMT_A1R5G5B5;
        case D3DFMT_X4R4G4B4: return D3DFMT_A4R4G4B4;
        case D3DFMT_L8: return D3DFMT_A8L8;
        default: return D3DFMT_A8R8G8B8;
        }
    }
    return format;
}

std::vector<formats::Rgba> DecodeLevel(const Image& image, UINT face, UINT level)
{
    const UINT w = image.LevelWidth(level), h = image.LevelHeight(level), d = image.LevelDepth(level);
    const size_t slice = static_cast<size_t>(w) * h;
    std::vector<formats::Rgba> out(slice * d);
    const std::vector<BYTE>& bytes = image.Level(face, level);
    for (UINT z = 0; z < d; ++z)
        formats::DecodeSurface(image.format, bytes.data() + static_cast<size_t>(image.LevelSliceSize(level)) * z,
                               image.LevelRowPitch(level), w, h, out.data() + slice * z,
                               image.palette.empty() ? nullptr : image.palette.data());
    return out;
}

// A level of 24/32-bit colour into an A8R8G8B8 or X8R8G8B8 level of the same size: no
// filter changes texels at equal sizes, so they are converted directly.
HRESULT WritePackedLevel(IDirect3DBaseTexture9* texture, const Image& image, UINT face, UINT level, D3DCOLOR colorKey)
{
    image::LevelShape shape{};
    HRESULT hr = image::GetLevelShape(texture, level, shape);
    if (FAILED(hr))
        return hr;
    const UINT width = image.LevelWidth(level), rows = image.LevelHeight(level) * image.LevelDepth(level);
    const UINT pitch = image.LevelRowPitch(level);
    const std::vector<BYTE>& bytes = image.Level(face, level);
    std::vector<D3DCOLOR> texels(static_cast<size_t>(width) * rows);
    for (UINT y = 0; y < rows; ++y)
        formats::ExpandRowToPackedArgb(image.format, bytes.data() + static_cast<size_t>(y) * pitch, width, shape.format,
                                       colorKey, texels.data() + static_cast<size_t>(y) * width);
    return image::WriteLevelBytes(texture, face, level, texels.data(), texels.size() * 4);
}

// Level 0 is the image scaled with `filter`; further levels come from the file where it has
// them at the right size, otherwise from the level above with `mipFilter`.
HRESULT FillFromImage(IDirect3DBaseTexture9* texture, const Image& image, formats::Filter filter, DWORD mipFilter,
                      D3DCOLOR colorKey)
{
    formats::Filter mip = formats::Filter::Box;
    const bool generate = (mipFilter & 0xFF) != D3DX_FILTER_NONE || mipFilter == D3DX_DEFAULT;
    if (mipFilter != D3DX_DEFAULT && !image::ParseFilter(mipFilter, mip))
        return D3DERR_INVALIDCALL;
    if (!formats::CanConvertSurface(image.format))
        return D3DXERR_INVALIDDATA;
    const UINT levels = texture->GetLevelCount();
    for (UINT level = 0; level < levels; ++level) {
        image::LevelShape shape{};
        HRESULT hr = image::GetLevelShape(texture, level, shape);
        if (FAILED(hr))
            return hr;
        const bool sameShape = level < image.mipLevels && image.LevelWidth(level) == shape.width &&
                               image.LevelHeight(level) == shape.height && image.LevelDepth(level) == shape.depth;
        if (level > 0 && !sameShape)
            return generate ? image::GenerateMipLevels(texture, level - 1, mip, nullptr) : D3D_OK;
        for (UINT face = 0; face < image::FaceCount(texture); ++face) {
            if (sameShape && shape.format == image.format && colorKey == 0) {
                hr = image::WriteLevelBytes(texture, face, level, image.Level(face, level));
            } else if (sameShape && formats::IsPackedArgb(shape.format) &&
                       formats::CanExpandToPackedArgb(image.format)) {
                hr = WritePackedLevel(texture, image, face, level, colorKey);
            } else {
                std::vector<formats::Rgba> texels = DecodeLevel(image, face, level);
                image::ApplyColorKey(texels, colorKey);
                std::vector<formats::Rgba> scaled(static_cast<size_t>(shape.width) * shape.height * shape.depth);
                formats::Resample(texels.data(), image.LevelWidth(level), image.LevelHeight(level), image.LevelDepth(level),
                                  scaled.data(), shape.width, shape.height, shape.depth, filter);
                hr = image::WriteLevel(texture, face, level, nullptr, scaled);
            }
            if (FAILED(hr))
                return hr;
        }
    }
    return D3D_OK;
}

struct FileRequest {
    UINT width, height, depth, mipLevels;
    DWORD usage;
    // The caller's D3DFORMAT, held as a number: D3DFMT_FROM_FILE lies outside the
    // enumeration's values, so it may not be stored in (or read back as) a D3DFORMAT.
    DWORD format;
    D3DPOOL pool;
    DWORD filter, mipFilter;
    D3DCOLOR colorKey;
};

UINT SizeFromFile(UINT requested, UINT fromFile)
{
    if (requested == D3DX_DEFAULT_NONPOW2 || requested == D3DX_FROM_FILE)
        return fromFile;
    return IsDefault(requested) ? RoundUpToPowerOfTwo(fromFile) : requested;
}

// Creates a texture of the image's kind from a decoded image and fills it.
HRESULT CreateFromImage(IDirect3DDevice9* device, const Image& image, FileRequest request, D3DXIMAGE_INFO* info,
                        PALETTEENTRY* palette, IDirect3DBaseTexture9** out)
{
    formats::Filter filter{};
    if (!image::ParseFilter(request.filter, filter))
        return D3DERR_INVALIDCALL;
    UINT width = SizeFromFile(request.width, image.width), height = SizeFromFile(request.height, image.height);
    UINT depth = SizeFromFile(request.depth, image.depth);
    UINT levels = request.mipLevels == D3DX_FROM_FILE ? image.mipLevels : request.mipLevels;
    const bool formatFromFile = request.format == static_cast<DWORD>(D3DFMT_FROM_FILE);
    D3DFORMAT format = formatFromFile ? image.format : static_cast<D3DFORMAT>(request.format);
    if (format == D3DFMT_UNKNOWN)
        format = TextureFormatFor(image, request.colorKey);
    HRESULT hr = CheckRequirements(device, &width, &height, &depth, &levels, request.usage,
                                   formatFromFile ? nullptr : &format, image.resourceType);
    if (FAILED(hr))
        return hr;

    IDirect3DBaseTexture9* texture = nullptr;
    if (image.resourceType == D3DRTYPE_CUBETEXTURE) {
        IDirect3DCubeTexture9* cube = nullptr;
        hr = device->CreateCubeTexture(width, levels, request.usage, format, request.pool, &cube, nullptr);
        texture = cube;
    } else if (image.resourceType == D3DRTYPE_VOLUMETEXTURE) {
        IDirect3DVolumeTexture9* volume = nullptr;
        hr = device->CreateVolumeTexture(width, height, depth, levels, request.usage, format, request.pool, &volume,
                                         nullptr);
        texture = volume;
    } else {
        IDirect3DTexture9* plain = nullptr;
        hr = device->CreateTexture(width, height, levels, request.usage, format, request.pool, &plain, nullptr);
        texture = plain;
    }
    if (FAILED(hr))
        return hr;
    hr = FillFromImage(texture, image, filter, request.mipFilter, request.colorKey);
    if (FAILED(hr)) {
        texture->Release();
        return hr;
    }
    if (info)
        *info = image.Info();
    if (palette && !image.palette.empty())
        std::copy(image.palette.begin(), image.palette.end(), reinterpret_cast<BYTE*>(palette));
    *out = texture;
    return D3D_OK;
}

HRESULT CreateFromBytes(IDirect3DDevice9* device, const BYTE* data, size_t size, D3DRESOURCETYPE expected,
                        const FileRequest& request, D3DXIMAGE_INFO* info, PALETTEENTRY* palette,
                        IDirect3DBaseTexture9** out)
{
    Image image;
    HRESULT hr = image::DecodeImage(data, size, image);
    if (FAILED(hr))
        return hr;
    if (image.resourceType != expected)
        return D3DXERR_INVALIDDATA;
    return CreateFromImage(device, image, request, info, palette, out);
}

HRESULT CreateFromFile(IDirect3DDevice9* device, LPCSTR file, D3DRESOURCETYPE expected, const FileRequest& request,
                       D3DXIMAGE_INFO* info, PALETTEENTRY* palette, IDirect3DBaseTexture9** out)
{
    if (!device || !file || !out)
        return D3DERR_INVALIDCALL;
    std::vector<BYTE> bytes;
    HRESULT hr = image::ReadWholeFile(file, bytes);
    if (FAILED(hr))
        return hr;
    return CreateFromBytes(device, bytes.data(), bytes.size(), expected, request, info, palette, out);
}

const FileRequest kDefaultRequest{D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                  D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0};

// A bitmap resource is a DIB without the 14-byte file header; put one in front.
std::vector<BYTE> BitmapResourceToFile(const BYTE* dib, DWORD size)
{
    std::vector<BYTE> file;
    if (size < 16)
        return file;
    const DWORD headerSize = dib[0] | (dib[1] << 8) | (dib[2] << 16) | (static_cast<DWORD>(dib[3]) << 24);
    DWORD paletteBytes = 0;
    if (headerSize >= 40 && size >= 40) {
        const WORD bits = static_cast<WORD>(dib[14] | (dib[15] << 8));
        const DWORD compression = dib[16] | (dib[17] << 8) | (dib[18] << 16) | (static_cast<DWORD>(dib[19]) << 24);
        const DWORD used = dib[32] | (dib[33] << 8) | (dib[34] << 16) | (static_cast<DWORD>(dib[35]) << 24);
        paletteBytes = 4 * (used ? used : (bits <= 8 ? 1u << bits : 0u));
        if (compression == 3 && headerSize == 40)
            paletteBytes += 12;
    } else if (headerSize == 12) {
        paletteBytes = 3 * (dib[10] <= 8 ? 1u << dib[10] : 0u);
    }
    const DWORD offset = 14 + headerSize + paletteBytes, total = 14 + size;
    const BYTE header[14] = {'B', 'M', static_cast<BYTE>(total), static_cast<BYTE>(total >> 8),
                             static_cast<BYTE>(total >> 16), static_cast<BYTE>(total >> 24), 0, 0, 0, 0,
                             static_cast<BYTE>(offset), static_cast<BYTE>(offset >> 8),
                             static_cast<BYTE>(offset >> 16), static_cast<BYTE>(offset >> 24)};
    file.assign(header, header + 14);
    file.insert(file.end(), dib, dib + size);
    return file;
}

}  // namespace

HRESULT WINAPI D3DXCheckTextureRequirements(LPDIRECT3DDEVICE9 pDevice, UINT* pWidth, UINT* pHeight, UINT* pNumMipLevels,
                                            DWORD Usage, D3DFORMAT* pFormat, D3DPOOL)
{
    return CheckRequirements(pDevice, pWidth, pHeight, nullptr, pNumMipLevels, Usage, pFormat, D3DRTYPE_TEXTURE);
}

HRESULT WINAPI D3DXCreateTexture(LPDIRECT3DDEVICE9 pDevice, UINT Width, UINT Height, UINT MipLevels, DWORD Usage,
                                 D3DFORMAT Format, D3DPOOL Pool, LPDIRECT3DTEXTURE9* ppTexture)
{
    if (!pDevice || !ppTexture)
        return D3DERR_INVALIDCALL;
    HRESULT hr = CheckRequirements(pDevice, &Width, &Height, nullptr, &MipLevels, Usage, &Format, D3DRTYPE_TEXTURE);
    if (FAILED(hr))
        return hr;
    return pDevice->CreateTexture(Width, Height, MipLevels, Usage, Format, Pool, ppTexture, nullptr);
}

HRESULT WINAPI D3DXCreateCubeTexture(LPDIRECT3DDEVICE9 pDevice, UINT Size, UINT MipLevels, DWORD Usage,
                                     D3DFORMAT Format, D3DPOOL Pool, LPDIRECT3DCUBETEXTURE9* ppCubeTexture)
{
    if (!pDevice || !ppCubeTexture)
        return D3DERR_INVALIDCALL;
    UINT height = Size;
    HRESULT hr = CheckRequirements(pDevice, &Size, &height, nullptr, &MipLevels, Usage, &Format, D3DRTYPE_CUBETEXTURE);
    if (FAILED(hr))
        return hr;
    return pDevice->CreateCubeTexture(Size, MipLevels, Usage, Format, Pool, ppCubeTexture, nullptr);
}

HRESULT WINAPI D3DXCreateVolumeTexture(LPDIRECT3DDEVICE9 pDevice, UINT Width, UINT Height, UINT Depth, UINT MipLevels,
                                       DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                       LPDIRECT3DVOLUMETEXTURE9* ppVolumeTexture)
{
    if (!pDevice || !ppVolumeTexture)
        return D3DERR_INVALIDCALL;
    HRESULT hr =
        CheckRequirements(pDevice, &Width, &Height, &Depth, &MipLevels, Usage, &Format, D3DRTYPE_VOLUMETEXTURE);
    if (FAILED(hr))
        return hr;
    return pDevice->CreateVolumeTexture(Width, Height, Depth, MipLevels, Usage, Format, Pool, ppVolumeTexture, nullptr);
}

HRESULT WINAPI D3DXCreateTextureFromFileExA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile, UINT Width, UINT Height,
                                            UINT MipLevels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, DWORD Filter,
                                            DWORD MipFilter, D3DCOLOR ColorKey, D3DXIMAGE_INFO* pSrcInfo,
                                            PALETTEENTRY* pPalette, LPDIRECT3DTEXTURE9* ppTexture)
{
    const FileRequest request{Width, Height, 1, MipLevels, Usage, static_cast<DWORD>(Format), Pool, Filter,
                              MipFilter, ColorKey};
    return CreateFromFile(pDevice, pSrcFile, D3DRTYPE_TEXTURE, request, pSrcInfo, pPalette,
                          reinterpret_cast<IDirect3DBaseTexture9**>(ppTexture));
}

HRESULT WINAPI D3DXCreateTextureFromFileA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile, LPDIRECT3DTEXTURE9* ppTexture)
{
    return CreateFromFile(pDevice, pSrcFile, D3DRTYPE_TEXTURE, kDefaultRequest, nullptr, nullptr,
                          reinterpret_cast<IDirect3DBaseTexture9**>(ppTexture));
}

HRESULT WINAPI D3DXCreateTextureFromFileInMemoryEx(LPDIRECT3DDEVICE9 pDevice, LPCVOID pSrcData, UINT SrcDataSize,
                                                   UINT Width, UINT Height, UINT MipLevels, DWORD Usage,
                                                   D3DFORMAT Format, D3DPOOL Pool, DWORD Filter, DWORD MipFilter,
                                                   D3DCOLOR ColorKey, D3DXIMAGE_INFO* pSrcInfo, PALETTEENTRY* pPalette,
                                                   LPDIRECT3DTEXTURE9* ppTexture)
{
    if (!pDevice || !pSrcData || SrcDataSize == 0 || !ppTexture)
        return D3DERR_INVALIDCALL;
    const FileRequest request{Width, Height, 1, MipLevels, Usage, static_cast<DWORD>(Format), Pool, Filter,
                              MipFilter, ColorKey};
    return CreateFromBytes(pDevice, static_cast<const BYTE*>(pSrcData), SrcDataSize, D3DRTYPE_TEXTURE, request,
                           pSrcInfo, pPalette, reinterpret_cast<IDirect3DBaseTexture9**>(ppTexture));
}

HRESULT WINAPI D3DXCreateTextureFromFileInMemory(LPDIRECT3DDEVICE9 pDevice, LPCVOID pSrcData, UINT SrcDataSize,
                                                 LPDIRECT3DTEXTURE9* ppTexture)
{
    return D3DXCreateTextureFromFileInMemoryEx(pDevice, pSrcData, SrcDataSize, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT,
                                               0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                               nullptr, nullptr, ppTexture);
}

HRESULT WINAPI D3DXCreateTextureFromResourceA(LPDIRECT3DDEVICE9 pDevice, HMODULE hSrcModule, LPCSTR pSrcResource,
                                              LPDIRECT3DTEXTURE9* ppTexture)
{
    if (!pDevice || !pSrcResource || !ppTexture)
        return D3DERR_INVALIDCALL;
    // Image files are looked for as raw data first, then as bitmaps.
    for (LPCSTR type : {MAKEINTRESOURCEA(10), RT_BITMAP}) {
        HRSRC found = FindResourceA(hSrcModule, pSrcResource, type);
        if (!found)
            continue;
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(hSrcModule, found)));
        const DWORD size = SizeofResource(hSrcModule, found);
        if (!data || size == 0)
            return D3DXERR_INVALIDDATA;
        std::vector<BYTE> bytes = type == RT_BITMAP ? BitmapResourceToFile(data, size) : std::vector<BYTE>(data, data + size);
        return CreateFromBytes(pDevice, bytes.data(), bytes.size(), D3DRTYPE_TEXTURE, kDefaultRequest, nullptr, nullptr,
                               reinterpret_cast<IDirect3DBaseTexture9**>(ppTexture));
    }
    return D3DXERR_INVALIDDATA;
}

HRESULT WINAPI D3DXCreateCubeTextureFromFileA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile,
                                              LPDIRECT3DCUBETEXTURE9* ppCubeTexture)
{
    return CreateFromFile(pDevice, pSrcFile, D3DRTYPE_CUBETEXTURE, kDefaultRequest, nullptr, nullptr,
                          reinterpret_cast<IDirect3DBaseTexture9**>(ppCubeTexture));
}

HRESULT WINAPI D3DXCreateVolumeTextureFromFileA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile,
                                                LPDIRECT3DVOLUMETEXTURE9* ppVolumeTexture)
{
    return CreateFromFile(pDevice, pSrcFile, D3DRTYPE_VOLUMETEXTURE, kDefaultRequest, nullptr, nullptr,
                          reinterpret_cast<IDirect3DBaseTexture9**>(ppVolumeTexture));
}

HRESULT WINAPI D3DXFilterTexture(LPDIRECT3DBASETEXTURE9 pBaseTexture, CONST PALETTEENTRY* pPalette, UINT SrcLevel,
                                 DWORD Filter)
{
    if (!pBaseTexture)
        return D3DERR_INVALIDCALL;
    formats::Filter filter = formats::Filter::Box;
    if (Filter != D3DX_DEFAULT && !image::ParseFilter(Filter, filter))
        return D3DERR_INVALIDCALL;
    if (SrcLevel == D3DX_DEFAULT)
        SrcLevel = 0;
    if (filter == formats::Filter::None)
        return D3D_OK;
    return image::GenerateMipLevels(pBaseTexture, SrcLevel, filter, reinterpret_cast<formats::Palette>(pPalette));
}
