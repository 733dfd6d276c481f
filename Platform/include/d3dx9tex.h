// D3DX 9 textures and surfaces: image information, loading, saving and filtering.
#pragma once

// d3dx9.h carries D3DX_DEFAULT, D3DX_DEFAULT_NONPOW2, D3DX_FROM_FILE, D3DFMT_FROM_FILE and
// the D3DXERR_* codes (D3DXERR_INVALIDDATA among them).
#include "d3dx9.h"

#define D3DX_FILTER_NONE 0x00000001
#define D3DX_FILTER_POINT 0x00000002
#define D3DX_FILTER_LINEAR 0x00000003
#define D3DX_FILTER_TRIANGLE 0x00000004
#define D3DX_FILTER_BOX 0x00000005
#define D3DX_FILTER_MIRROR_U 0x00010000
#define D3DX_FILTER_MIRROR_V 0x00020000
#define D3DX_FILTER_MIRROR_W 0x00040000
#define D3DX_FILTER_MIRROR 0x00070000
#define D3DX_FILTER_DITHER 0x00080000
#define D3DX_FILTER_DITHER_DIFFUSION 0x00100000
#define D3DX_FILTER_SRGB_IN 0x00200000
#define D3DX_FILTER_SRGB_OUT 0x00400000
#define D3DX_FILTER_SRGB 0x00600000

#define D3DX_SKIP_DDS_MIP_LEVELS_MASK 0x1f
#define D3DX_SKIP_DDS_MIP_LEVELS_SHIFT 26
#define D3DX_SKIP_DDS_MIP_LEVELS(levels, filter)                                             \
    ((((levels) & D3DX_SKIP_DDS_MIP_LEVELS_MASK) << D3DX_SKIP_DDS_MIP_LEVELS_SHIFT) |          \
     ((filter) == D3DX_DEFAULT ? D3DX_FILTER_BOX : (filter)))

typedef enum _D3DXIMAGE_FILEFORMAT {
    D3DXIFF_BMP = 0,
    D3DXIFF_JPG = 1,
    D3DXIFF_TGA = 2,
    D3DXIFF_PNG = 3,
    D3DXIFF_DDS = 4,
    D3DXIFF_PPM = 5,
    D3DXIFF_DIB = 6,
    D3DXIFF_HDR = 7,
    D3DXIFF_PFM = 8,
    D3DXIFF_FORCE_DWORD = 0x7fffffff
} D3DXIMAGE_FILEFORMAT;

typedef struct _D3DXIMAGE_INFO {
    UINT Width;
    UINT Height;
    UINT Depth;
    UINT MipLevels;
    D3DFORMAT Format;
    D3DRESOURCETYPE ResourceType;
    D3DXIMAGE_FILEFORMAT ImageFileFormat;
} D3DXIMAGE_INFO;

WINPLATFORMAPI HRESULT WINAPI D3DXGetImageInfoFromFileA(LPCSTR pSrcFile, D3DXIMAGE_INFO* pSrcInfo);
WINPLATFORMAPI HRESULT WINAPI D3DXGetImageInfoFromFileInMemory(LPCVOID pSrcData, UINT SrcDataSize,
                                                               D3DXIMAGE_INFO* pSrcInfo);
#ifndef UNICODE
#define D3DXGetImageInfoFromFile D3DXGetImageInfoFromFileA
#endif

WINPLATFORMAPI HRESULT WINAPI D3DXCheckTextureRequirements(LPDIRECT3DDEVICE9 pDevice, UINT* pWidth, UINT* pHeight,
                                                           UINT* pNumMipLevels, DWORD Usage, D3DFORMAT* pFormat,
                                                           D3DPOOL Pool);
WINPLATFORMAPI HRESULT WINAPI D3DXCreateTexture(LPDIRECT3DDEVICE9 pDevice, UINT Width, UINT Height, UINT MipLevels,
                                                DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                                LPDIRECT3DTEXTURE9* ppTexture);
WINPLATFORMAPI HRESULT WINAPI D3DXCreateCubeTexture(LPDIRECT3DDEVICE9 pDevice, UINT Size, UINT MipLevels, DWORD Usage,
                                                    D3DFORMAT Format, D3DPOOL Pool,
                                                    LPDIRECT3DCUBETEXTURE9* ppCubeTexture);
WINPLATFORMAPI HRESULT WINAPI D3DXCreateVolumeTexture(LPDIRECT3DDEVICE9 pDevice, UINT Width, UINT Height, UINT Depth,
                                                      UINT MipLevels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                                      LPDIRECT3DVOLUMETEXTURE9* ppVolumeTexture);

WINPLATFORMAPI HRESULT WINAPI D3DXCreateTextureFromFileA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile,
                                                         LPDIRECT3DTEXTURE9* ppTexture);
WINPLATFORMAPI HRESULT WINAPI D3DXCreateTextureFromFileExA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile, UINT Width,
                                                           UINT Height, UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                                                           D3DPOOL Pool, DWORD Filter, DWORD MipFilter,
                                                           D3DCOLOR ColorKey, D3DXIMAGE_INFO* pSrcInfo,
                                                           PALETTEENTRY* pPalette, LPDIRECT3DTEXTURE9* ppTexture);
WINPLATFORMAPI HRESULT WINAPI D3DXCreateTextureFromFileInMemory(LPDIRECT3DDEVICE9 pDevice, LPCVOID pSrcData,
                                                                UINT SrcDataSize, LPDIRECT3DTEXTURE9* ppTexture);
WINPLATFORMAPI HRESULT WINAPI D3DXCreateTextureFromFileInMemoryEx(
    LPDIRECT3DDEVICE9 pDevice, LPCVOID pSrcData, UINT SrcDataSize, UINT Width, UINT Height, UINT MipLevels,
    DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, DWORD Filter, DWORD MipFilter, D3DCOLOR ColorKey,
    D3DXIMAGE_INFO* pSrcInfo, PALETTEENTRY* pPalette, LPDIRECT3DTEXTURE9* ppTexture);
WINPLATFORMAPI HRESULT WINAPI D3DXCreateTextureFromResourceA(LPDIRECT3DDEVICE9 pDevice, HMODULE hSrcModule,
                                                             LPCSTR pSrcResource, LPDIRECT3DTEXTURE9* ppTexture);
WINPLATFORMAPI HRESULT WINAPI D3DXCreateCubeTextureFromFileA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile,
                                                             LPDIRECT3DCUBETEXTURE9* ppCubeTexture);
WINPLATFORMAPI HRESULT WINAPI D3DXCreateVolumeTextureFromFileA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile,
                                                               LPDIRECT3DVOLUMETEXTURE9* ppVolumeTexture);
WINPLATFORMAPI HRESULT WINAPI D3DXFilterTexture(LPDIRECT3DBASETEXTURE9 pBaseTexture, CONST PALETTEENTRY* pPalette,
                                                UINT SrcLevel, DWORD Filter);
#ifndef UNICODE
#define D3DXCreateTextureFromFile D3DXCreateTextureFromFileA
#define D3DXCreateTextureFromFileEx D3DXCreateTextureFromFileExA
#define D3DXCreateTextureFromResource D3DXCreateTextureFromResourceA
#define D3DXCreateCubeTextureFromFile D3DXCreateCubeTextureFromFileA
#define D3DXCreateVolumeTextureFromFile D3DXCreateVolumeTextureFromFileA
#endif
#define D3DXFilterCubeTexture D3DXFilterTexture
#define D3DXFilterVolumeTexture D3DXFilterTexture

WINPLATFORMAPI HRESULT WINAPI D3DXLoadSurfaceFromMemory(LPDIRECT3DSURFACE9 pDestSurface,
                                                        CONST PALETTEENTRY* pDestPalette, CONST RECT* pDestRect,
                                                        LPCVOID pSrcMemory, D3DFORMAT SrcFormat, UINT SrcPitch,
                                                        CONST PALETTEENTRY* pSrcPalette, CONST RECT* pSrcRect,
                                                        DWORD Filter, D3DCOLOR ColorKey);
WINPLATFORMAPI HRESULT WINAPI D3DXLoadSurfaceFromSurface(LPDIRECT3DSURFACE9 pDestSurface,
                                                         CONST PALETTEENTRY* pDestPalette, CONST RECT* pDestRect,
                                                         LPDIRECT3DSURFACE9 pSrcSurface,
                                                         CONST PALETTEENTRY* pSrcPalette, CONST RECT* pSrcRect,
                                                         DWORD Filter, D3DCOLOR ColorKey);
WINPLATFORMAPI HRESULT WINAPI D3DXLoadSurfaceFromFileA(LPDIRECT3DSURFACE9 pDestSurface,
                                                       CONST PALETTEENTRY* pDestPalette, CONST RECT* pDestRect,
                                                       LPCSTR pSrcFile, CONST RECT* pSrcRect, DWORD Filter,
                                                       D3DCOLOR ColorKey, D3DXIMAGE_INFO* pSrcInfo);
WINPLATFORMAPI HRESULT WINAPI D3DXSaveSurfaceToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                                                     LPDIRECT3DSURFACE9 pSrcSurface, CONST PALETTEENTRY* pSrcPalette,
                                                     CONST RECT* pSrcRect);
WINPLATFORMAPI HRESULT WINAPI D3DXSaveTextureToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                                                     LPDIRECT3DBASETEXTURE9 pSrcTexture,
                                                     CONST PALETTEENTRY* pSrcPalette);
#ifndef UNICODE
#define D3DXLoadSurfaceFromFile D3DXLoadSurfaceFromFileA
#define D3DXSaveSurfaceToFile D3DXSaveSurfaceToFileA
#define D3DXSaveTextureToFile D3DXSaveTextureToFileA
#endif
