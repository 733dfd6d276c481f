#include "d3d9/Texture.h"

#include "formats/Resample.h"

namespace vestra::d3d9 {

UINT FullMipLevelCount(UINT width, UINT height, UINT depth) {
    UINT largest = width > height ? width : height;
    if (depth > largest) largest = depth;
    UINT levels = 1;
    while (largest > 1) {
        largest >>= 1;
        ++levels;
    }
    return levels;
}

CTexture::CTexture(CDevice* device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                   D3DPOOL pool)
    : BaseTextureImpl(device, pool, D3DRTYPE_TEXTURE, levels, usage, format) {
    for (UINT level = 0; level < levels; ++level) {
        D3DSURFACE_DESC desc{format, D3DRTYPE_SURFACE, usage, pool, D3DMULTISAMPLE_NONE, 0,
                             formats::MipSize(width, level), formats::MipSize(height, level)};
        levels_.push_back(std::make_unique<CSurface>(device, this, desc, LevelsLockable(),
                                                     static_cast<IDirect3DTexture9*>(this)));
    }
}

HRESULT CTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    if (level >= levels_.size()) return D3DERR_INVALIDCALL;
    return levels_[level]->GetDesc(desc);
}

HRESULT CTexture::GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) {
    if (!surface) return D3DERR_INVALIDCALL;
    if (level >= levels_.size()) {
        *surface = nullptr;
        return D3DERR_INVALIDCALL;
    }
    *surface = levels_[level].get();
    levels_[level]->AddRef();
    return D3D_OK;
}

HRESULT CTexture::LockRect(UINT level, D3DLOCKED_RECT* lockedRect, CONST RECT* rect, DWORD flags) {
    if (level >= levels_.size()) return D3DERR_INVALIDCALL;
    return levels_[level]->LockRect(lockedRect, rect, flags);
}

HRESULT CTexture::UnlockRect(UINT level) {
    if (level >= levels_.size()) return D3DERR_INVALIDCALL;
    return levels_[level]->UnlockRect();
}

HRESULT CTexture::AddDirtyRect(CONST RECT*) { return D3D_OK; }

}  // namespace vestra::d3d9
