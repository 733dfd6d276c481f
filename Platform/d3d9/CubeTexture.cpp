#include "d3d9/CubeTexture.h"

#include "formats/Resample.h"

namespace vestra::d3d9 {

CCubeTexture::CCubeTexture(CDevice* device, UINT edgeLength, UINT levels, DWORD usage, D3DFORMAT format,
                           D3DPOOL pool)
    : BaseTextureImpl(device, pool, D3DRTYPE_CUBETEXTURE, levels, usage, format) {
    for (UINT face = 0; face < 6; ++face) {
        for (UINT level = 0; level < levels; ++level) {
            const UINT edge = formats::MipSize(edgeLength, level);
            D3DSURFACE_DESC desc{format, D3DRTYPE_SURFACE, usage, pool, D3DMULTISAMPLE_NONE, 0, edge, edge};
            surfaces_.push_back(std::make_unique<CSurface>(device, this, desc, LevelsLockable(),
                                                           static_cast<IDirect3DCubeTexture9*>(this)));
        }
    }
}

CSurface* CCubeTexture::Face(DWORD face, UINT level) const {
    if (face > D3DCUBEMAP_FACE_NEGATIVE_Z || level >= Levels()) return nullptr;
    return surfaces_[face * Levels() + level].get();
}

HRESULT CCubeTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    CSurface* surface = Face(D3DCUBEMAP_FACE_POSITIVE_X, level);
    return surface ? surface->GetDesc(desc) : D3DERR_INVALIDCALL;
}

HRESULT CCubeTexture::GetCubeMapSurface(D3DCUBEMAP_FACES face, UINT level, IDirect3DSurface9** surface) {
    if (!surface) return D3DERR_INVALIDCALL;
    CSurface* found = Face(face, level);
    *surface = found;
    if (!found) return D3DERR_INVALIDCALL;
    found->AddRef();
    return D3D_OK;
}

HRESULT CCubeTexture::LockRect(D3DCUBEMAP_FACES face, UINT level, D3DLOCKED_RECT* lockedRect, CONST RECT* rect,
                               DWORD flags) {
    CSurface* surface = Face(face, level);
    return surface ? surface->LockRect(lockedRect, rect, flags) : D3DERR_INVALIDCALL;
}

HRESULT CCubeTexture::UnlockRect(D3DCUBEMAP_FACES face, UINT level) {
    CSurface* surface = Face(face, level);
    return surface ? surface->UnlockRect() : D3DERR_INVALIDCALL;
}

HRESULT CCubeTexture::AddDirtyRect(D3DCUBEMAP_FACES face, CONST RECT*) {
    return face <= D3DCUBEMAP_FACE_NEGATIVE_Z ? D3D_OK : D3DERR_INVALIDCALL;
}

}  // namespace vestra::d3d9
