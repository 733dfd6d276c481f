// IDirect3DVolumeTexture9: a mip chain of volumes that share the texture's lifetime.
#pragma once

#include <memory>
#include <vector>

#include "d3d9/BaseTextureImpl.h"
#include "d3d9/TextureSampling.h"
#include "d3d9/Volume.h"

namespace vestra::d3d9 {

class CVolumeTexture final : public BaseTextureImpl<IDirect3DVolumeTexture9> {
public:
    CVolumeTexture(CDevice* device, UINT width, UINT height, UINT depth, UINT levels, DWORD usage, D3DFORMAT format,
                   D3DPOOL pool);

    STDMETHOD(GetLevelDesc)(UINT level, D3DVOLUME_DESC* desc) override;
    STDMETHOD(GetVolumeLevel)(UINT level, IDirect3DVolume9** volume) override;
    STDMETHOD(LockBox)(UINT level, D3DLOCKED_BOX* lockedVolume, CONST D3DBOX* box, DWORD flags) override;
    STDMETHOD(UnlockBox)(UINT level) override;
    STDMETHOD(AddDirtyBox)(CONST D3DBOX* dirtyBox) override;

    CVolume* Level(UINT level) const { return levels_[level].get(); }
    UINT LevelCount() const { return static_cast<UINT>(levels_.size()); }
    const raster::Texture* SamplingView() const { return sampling_.View(*this); }

private:
    bool Implements(REFIID riid) const override {
        return riid == IID_IDirect3DBaseTexture9 || riid == IID_IDirect3DVolumeTexture9;
    }

    std::vector<std::unique_ptr<CVolume>> levels_;
    mutable TextureSampling sampling_;
};

}  // namespace vestra::d3d9
