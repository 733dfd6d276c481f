// Creation of textures, buffers, surfaces, declarations, queries and (refused) shaders,
// with the pool and usage rules Direct3D 9 enforces.
#include <new>

#include "d3d9/Adapter.h"
#include "d3d9/CubeTexture.h"
#include "d3d9/Device.h"
#include "d3d9/DeviceCaps.h"
#include "d3d9/IndexBuffer.h"
#include "d3d9/Query.h"
#include "d3d9/Texture.h"
#include "d3d9/VertexBuffer.h"
#include "d3d9/VertexDeclaration.h"
#include "d3d9/VertexFormat.h"
#include "d3d9/VolumeTexture.h"
#include "formats/FormatInfo.h"

namespace vestra::d3d9 {

namespace {

constexpr DWORD kTextureUsages = D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL | D3DUSAGE_DYNAMIC |
                                 D3DUSAGE_AUTOGENMIPMAP | D3DUSAGE_DMAP | D3DUSAGE_SOFTWAREPROCESSING |
                                 D3DUSAGE_WRITEONLY;
constexpr DWORD kBufferUsages = D3DUSAGE_WRITEONLY | D3DUSAGE_SOFTWAREPROCESSING | D3DUSAGE_DONOTCLIP |
                                D3DUSAGE_POINTS | D3DUSAGE_RTPATCHES | D3DUSAGE_NPATCHES | D3DUSAGE_DYNAMIC;
constexpr UINT kMaxTextureSize = 8192;
constexpr UINT kMaxVolumeExtent = 1024;

bool IsValidPool(D3DPOOL pool) { return pool <= D3DPOOL_SCRATCH; }

// The rules shared by the three texture kinds; `levels` is replaced by the actual count.
HRESULT CheckTexture(D3DRESOURCETYPE type, UINT width, UINT height, UINT depth, UINT& levels, DWORD usage,
                     D3DFORMAT format, D3DPOOL pool) {
    if (!IsValidPool(pool) || (usage & ~kTextureUsages)) return D3DERR_INVALIDCALL;
    if (width == 0 || height == 0 || depth == 0) return D3DERR_INVALIDCALL;
    const UINT limit = type == D3DRTYPE_VOLUMETEXTURE ? kMaxVolumeExtent : kMaxTextureSize;
    if (width > limit || height > limit || depth > limit) return D3DERR_INVALIDCALL;
    if ((usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL)) && pool != D3DPOOL_DEFAULT)
        return D3DERR_INVALIDCALL;
    if ((usage & D3DUSAGE_DYNAMIC) && (pool == D3DPOOL_MANAGED || (usage & D3DUSAGE_RENDERTARGET)))
        return D3DERR_INVALIDCALL;
    if (usage & D3DUSAGE_AUTOGENMIPMAP) {
        if (pool == D3DPOOL_SYSTEMMEM || levels > 1) return D3DERR_INVALIDCALL;
        levels = 1;  // the sub-levels are not visible to the application
    }
    const UINT full = FullMipLevelCount(width, height, depth);
    if (levels == 0) levels = full;
    if (levels > full) return D3DERR_INVALIDCALL;
    // Scratch textures take any format the device knows, usable or not.
    if (pool == D3DPOOL_SCRATCH) return formats::GetFormatInfo(format).known ? D3D_OK : D3DERR_INVALIDCALL;
    const HRESULT hr = CheckResourceFormat(usage & ~static_cast<DWORD>(D3DUSAGE_AUTOGENMIPMAP), type, format);
    return FAILED(hr) ? D3DERR_INVALIDCALL : D3D_OK;
}

// Runs a creation that may run out of memory and hands the object out.
template <class Iface, class Make>
HRESULT Hand(Iface** out, Make make) {
    try {
        *out = make();
        return D3D_OK;
    } catch (const std::bad_alloc&) {
        *out = nullptr;
        return D3DERR_OUTOFVIDEOMEMORY;
    }
}

}  // namespace

HRESULT CDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                               IDirect3DTexture9** texture, HANDLE* sharedHandle) {
    if (!texture || sharedHandle) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    if (HRESULT hr = CheckTexture(D3DRTYPE_TEXTURE, width, height, 1, levels, usage, format, pool); FAILED(hr))
        return hr;
    return Hand(texture, [&] { return new CTexture(this, width, height, levels, usage, format, pool); });
}

HRESULT CDevice::CreateVolumeTexture(UINT width, UINT height, UINT depth, UINT levels, DWORD usage,
                                     D3DFORMAT format, D3DPOOL pool, IDirect3DVolumeTexture9** texture,
                                     HANDLE* sharedHandle) {
    if (!texture || sharedHandle) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    if (usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL)) return D3DERR_INVALIDCALL;
    if (HRESULT hr = CheckTexture(D3DRTYPE_VOLUMETEXTURE, width, height, depth, levels, usage, format, pool);
        FAILED(hr))
        return hr;
    return Hand(
        texture, [&] { return new CVolumeTexture(this, width, height, depth, levels, usage, format, pool); });
}

HRESULT CDevice::CreateCubeTexture(UINT edgeLength, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                   IDirect3DCubeTexture9** texture, HANDLE* sharedHandle) {
    if (!texture || sharedHandle) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    if (HRESULT hr = CheckTexture(D3DRTYPE_CUBETEXTURE, edgeLength, edgeLength, 1, levels, usage, format, pool);
        FAILED(hr))
        return hr;
    return Hand(texture,
                              [&] { return new CCubeTexture(this, edgeLength, levels, usage, format, pool); });
}

HRESULT CDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                    IDirect3DVertexBuffer9** buffer, HANDLE* sharedHandle) {
    if (!buffer || sharedHandle) return D3DERR_INVALIDCALL;
    *buffer = nullptr;
    if (!IsValidPool(pool) || pool == D3DPOOL_SCRATCH || (usage & ~kBufferUsages) || length == 0)
        return D3DERR_INVALIDCALL;
    if ((usage & D3DUSAGE_DYNAMIC) && pool == D3DPOOL_MANAGED) return D3DERR_INVALIDCALL;
    if (fvf != 0) {
        const UINT vertexSize = FvfVertexSize(fvf);
        if (vertexSize == 0 || length < vertexSize) return D3DERR_INVALIDCALL;
    }
    return Hand(buffer, [&] { return new CVertexBuffer(this, length, usage, fvf, pool); });
}

HRESULT CDevice::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                   IDirect3DIndexBuffer9** buffer, HANDLE* sharedHandle) {
    if (!buffer || sharedHandle) return D3DERR_INVALIDCALL;
    *buffer = nullptr;
    if (!IsValidPool(pool) || pool == D3DPOOL_SCRATCH || (usage & ~kBufferUsages) || length == 0)
        return D3DERR_INVALIDCALL;
    if ((usage & D3DUSAGE_DYNAMIC) && pool == D3DPOOL_MANAGED) return D3DERR_INVALIDCALL;
    if (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32) return D3DERR_INVALIDCALL;
    return Hand(buffer, [&] { return new CIndexBuffer(this, length, usage, format, pool); });
}

HRESULT CDevice::CreateRenderTarget(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                                    DWORD multisampleQuality, BOOL lockable, IDirect3DSurface9** surface,
                                    HANDLE* sharedHandle) {
    if (!surface || sharedHandle) return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (width == 0 || height == 0 || width > kMaxTextureSize || height > kMaxTextureSize) return D3DERR_INVALIDCALL;
    if (multiSample != D3DMULTISAMPLE_NONE || multisampleQuality != 0) return D3DERR_INVALIDCALL;
    if (!IsRenderTargetFormat(format)) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC desc{format, D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT,
                               D3DMULTISAMPLE_NONE, 0, width, height};
    return Hand(surface,
                          [&] { return new CSurface(this, ChildKind::Resource, desc, lockable != FALSE, nullptr); });
}

HRESULT CDevice::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                           D3DMULTISAMPLE_TYPE multiSample, DWORD multisampleQuality, BOOL,
                                           IDirect3DSurface9** surface, HANDLE* sharedHandle) {
    if (!surface || sharedHandle) return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (width == 0 || height == 0 || width > kMaxTextureSize || height > kMaxTextureSize) return D3DERR_INVALIDCALL;
    if (multiSample != D3DMULTISAMPLE_NONE || multisampleQuality != 0) return D3DERR_INVALIDCALL;
    if (!IsDepthStencilFormat(format)) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC desc{format, D3DRTYPE_SURFACE, D3DUSAGE_DEPTHSTENCIL, D3DPOOL_DEFAULT,
                               D3DMULTISAMPLE_NONE, 0, width, height};
    const bool lockable = format == D3DFMT_D16_LOCKABLE;
    return Hand(surface,
                          [&] { return new CSurface(this, ChildKind::Resource, desc, lockable, nullptr); });
}

HRESULT CDevice::CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                             IDirect3DSurface9** surface, HANDLE* sharedHandle) {
    if (!surface || sharedHandle) return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (!IsValidPool(pool) || pool == D3DPOOL_MANAGED) return D3DERR_INVALIDCALL;
    if (width == 0 || height == 0 || width > kMaxTextureSize || height > kMaxTextureSize) return D3DERR_INVALIDCALL;
    const bool known = formats::GetFormatInfo(format).known;
    if (pool == D3DPOOL_SCRATCH ? !known : !IsTextureFormat(format)) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC desc{format, D3DRTYPE_SURFACE, 0, pool, D3DMULTISAMPLE_NONE, 0, width, height};
    return Hand(surface, [&] { return new CSurface(this, ChildKind::Resource, desc, true, nullptr); });
}

HRESULT CDevice::CreateVertexDeclaration(CONST D3DVERTEXELEMENT9* elements,
                                         IDirect3DVertexDeclaration9** declaration) {
    if (!declaration) return D3DERR_INVALIDCALL;
    *declaration = nullptr;
    std::vector<D3DVERTEXELEMENT9> checked;
    if (!ReadDeclaration(elements, checked)) return D3DERR_INVALIDCALL;
    return Hand(
        declaration, [&] { return new CVertexDeclaration(this, ChildKind::Other, std::move(checked)); });
}

HRESULT CDevice::CreateQuery(D3DQUERYTYPE type, IDirect3DQuery9** query) {
    if (!CQuery::Supports(type)) return D3DERR_NOTAVAILABLE;
    if (!query) return D3D_OK;  // asks whether the type is supported
    return Hand(query, [&] { return new CQuery(this, type); });
}

// Fixed function only (the caps report no shader model).
HRESULT CDevice::CreateVertexShader(CONST DWORD*, IDirect3DVertexShader9** shader) {
    if (shader) *shader = nullptr;
    return D3DERR_INVALIDCALL;
}

HRESULT CDevice::CreatePixelShader(CONST DWORD*, IDirect3DPixelShader9** shader) {
    if (shader) *shader = nullptr;
    return D3DERR_INVALIDCALL;
}

}  // namespace vestra::d3d9
