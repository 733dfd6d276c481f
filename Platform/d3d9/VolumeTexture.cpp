#include "d3d9/VolumeTexture.h"

#include "formats/Resample.h"

namespace vestra::d3d9 {

CVolumeTexture::CVolumeTexture(CDevice* device, UINT width, UINT height, UINT depth, UINT levels, DWORD usage,
                               D3DFORMAT format, D3DPOOL pool)
    : BaseTextureImpl(device, pool, D3DRTYPE_VOLUMETEXTURE, levels, usage, format) {
    for (UINT level = 0; level < levels; ++level) {
        D3DVOLUME_DESC desc{format,
                            D3DRTYPE_VOLUME,
                            usage,
                            pool,
                            formats::MipSize(width, level),
                            formats::MipSize(height, level),
                            formats::MipSize(depth, level)};
        levels_.push_back(std::make_unique<CVolume>(device, this, static_cast<IDirect3DVolumeTexture9*>(this), desc,
                                                    LevelsLockable()));
    }
}

HRESULT CVolumeTexture::GetLevelDesc(UINT level, D3DVOLUME_DESC* desc) {
    if (level >= levels_.size()) return D3DERR_INVALIDCALL;
    return levels_[level]->GetDesc(desc);
}

HRESULT CVolumeTexture::GetVolumeLevel(UINT level, IDirect3DVolume9** volume) {
    if (!volume) return D3DERR_INVALIDCALL;
    if (level >= levels_.size()) {
        *volume = nullptr;
        return D3DERR_INVALIDCALL;
    }
    *volume = levels_[level].get();
    levels_[level]->AddRef();
    return D3D_OK;
}

HRESULT CVolumeTexture::LockBox(UINT level, D3DLOCKED_BOX* lockedVolume, CONST D3DBOX* box, DWORD flags) {
    if (level >= levels_.size()) return D3DERR_INVALIDCALL;
    return levels_[level]->LockBox(lockedVolume, box, flags);
}

HRESULT CVolumeTexture::UnlockBox(UINT level) {
    if (level >= levels_.size()) return D3DERR_INVALIDCALL;
    return levels_[level]->UnlockBox();
}

HRESULT CVolumeTexture::AddDirtyBox(CONST D3DBOX*) { return D3D_OK; }

}  // namespace vestra::d3d9
