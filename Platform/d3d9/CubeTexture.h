// IDirect3DCubeTexture9: six faces, each a mip chain of square surfaces.
#pragma once

#include <memory>
#include <vector>

#include "d3d9/BaseTextureImpl.h"
#include "d3d9/Surface.h"
#include "d3d9/TextureSampling.h"

namespace vestra::d3d9 {

class CCubeTexture final : public BaseTextureImpl<IDirect3DCubeTexture9> {
public:
    CCubeTexture(CDevice* device, UINT edgeLength, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool);

    STDMETHOD(GetLevelDesc)(UINT level, D3DSURFACE_DESC* desc) override;
    STDMETHOD(GetCubeMapSurface)(D3DCUBEMAP_FACES face, UINT level, IDirect3DSurface9** surface) override;
    STDMETHOD(LockRect)(D3DCUBEMAP_FACES face, UINT level, D3DLOCKED_RECT* lockedRect, CONST RECT* rect,
                        DWORD flags) override;
    STDMETHOD(UnlockRect)(D3DCUBEMAP_FACES face, UINT level) override;
    STDMETHOD(AddDirtyRect)(D3DCUBEMAP_FACES face, CONST RECT* dirtyRect) override;

    // Null when face or level is out of range.
    CSurface* Face(DWORD face, UINT level) const;
    UINT LevelCount() const { return static_cast<UINT>(surfaces_.size() / 6); }
    const raster::Texture* SamplingView() const { return sampling_.View(*this); }

private:
    bool Implements(REFIID riid) const override {
        return riid == IID_IDirect3DBaseTexture9 || riid == IID_IDirect3DCubeTexture9;
    }

    std::vector<std::unique_ptr<CSurface>> surfaces_;  // face-major: face * levels + level
    mutable TextureSampling sampling_;
};

}  // namespace vestra::d3d9
