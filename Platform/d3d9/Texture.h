// IDirect3DTexture9: a mip chain of surfaces that share the texture's lifetime.
#pragma once

#include <memory>
#include <vector>

#include "d3d9/BaseTextureImpl.h"
#include "d3d9/Surface.h"
#include "d3d9/TextureSampling.h"

namespace vestra::d3d9 {

class CTexture final : public BaseTextureImpl<IDirect3DTexture9> {
public:
    // Arguments are validated by the device.
    CTexture(CDevice* device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool);

    STDMETHOD(GetLevelDesc)(UINT level, D3DSURFACE_DESC* desc) override;
    STDMETHOD(GetSurfaceLevel)(UINT level, IDirect3DSurface9** surface) override;
    STDMETHOD(LockRect)(UINT level, D3DLOCKED_RECT* lockedRect, CONST RECT* rect, DWORD flags) override;
    STDMETHOD(UnlockRect)(UINT level) override;
    STDMETHOD(AddDirtyRect)(CONST RECT* dirtyRect) override;

    CSurface* Level(UINT level) const { return levels_[level].get(); }
    UINT LevelCount() const { return static_cast<UINT>(levels_.size()); }
    // What the rasterizer samples when this texture is bound; null if its format cannot be.
    const raster::Texture* SamplingView() const { return sampling_.View(*this); }

private:
    bool Implements(REFIID riid) const override {
        return riid == IID_IDirect3DBaseTexture9 || riid == IID_IDirect3DTexture9;
    }

    std::vector<std::unique_ptr<CSurface>> levels_;
    mutable TextureSampling sampling_;
};

}  // namespace vestra::d3d9
