// The IDirect3DBaseTexture9 methods shared by 2D, cube and volume textures.
#pragma once

#include "d3d9/ResourceImpl.h"

namespace vestra::d3d9 {

// Levels in a full mip chain down to 1x1(x1).
UINT FullMipLevelCount(UINT width, UINT height, UINT depth);

template <class Iface>
class BaseTextureImpl : public ResourceImpl<Iface> {
public:
    // Only managed textures have a level of detail to drop to.
    STDMETHOD_(DWORD, SetLOD)(DWORD lod) override {
        if (this->Pool() != D3DPOOL_MANAGED) return 0;
        const DWORD previous = lod_;
        lod_ = lod < levels_ ? lod : levels_ - 1;
        return previous;
    }
    STDMETHOD_(DWORD, GetLOD)() override { return lod_; }
    STDMETHOD_(DWORD, GetLevelCount)() override { return levels_; }
    STDMETHOD(SetAutoGenFilterType)(D3DTEXTUREFILTERTYPE filter) override {
        if (!(usage_ & D3DUSAGE_AUTOGENMIPMAP)) return D3DERR_INVALIDCALL;
        if (filter != D3DTEXF_POINT && filter != D3DTEXF_LINEAR) return D3DERR_INVALIDCALL;
        autoGenFilter_ = filter;
        return D3D_OK;
    }
    STDMETHOD_(D3DTEXTUREFILTERTYPE, GetAutoGenFilterType)() override { return autoGenFilter_; }
    // An automatically mipmapped texture shows its top level only (GetLevelCount is 1), so
    // there are no visible sub-levels to regenerate.
    STDMETHOD_(void, GenerateMipSubLevels)() override {}

    DWORD Usage() const { return usage_; }
    D3DFORMAT Format() const { return format_; }
    UINT Levels() const { return levels_; }

protected:
    BaseTextureImpl(CDevice* device, D3DPOOL pool, D3DRESOURCETYPE type, UINT levels, DWORD usage, D3DFORMAT format)
        : ResourceImpl<Iface>(device, ChildKind::Resource, pool, type),
          levels_(levels),
          usage_(usage),
          format_(format) {}

    bool LevelsLockable() const { return this->Pool() != D3DPOOL_DEFAULT || (usage_ & D3DUSAGE_DYNAMIC); }

private:
    UINT levels_;
    DWORD usage_;
    D3DFORMAT format_;
    DWORD lod_ = 0;
    D3DTEXTUREFILTERTYPE autoGenFilter_ = D3DTEXF_LINEAR;
};

}  // namespace vestra::d3d9
