// IDirect3DVolume9: one level of a volume texture, sharing the texture's lifetime.
#pragma once

#include <vector>

#include "d3d9/DeviceChild.h"
#include "d3d9/PrivateData.h"

namespace vestra::d3d9 {

class CVolume final : public IDirect3DVolume9, public DeviceChild {
public:
    CVolume(CDevice* device, DeviceChild* owner, IUnknown* container, const D3DVOLUME_DESC& desc, bool lockable);

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override { return AddRefPublic(); }
    STDMETHOD_(ULONG, Release)() override { return ReleasePublic(); }
    STDMETHOD(GetDevice)(IDirect3DDevice9** device) override;
    STDMETHOD(SetPrivateData)(REFGUID guid, CONST void* data, DWORD size, DWORD flags) override;
    STDMETHOD(GetPrivateData)(REFGUID guid, void* data, DWORD* size) override;
    STDMETHOD(FreePrivateData)(REFGUID guid) override;
    STDMETHOD(GetContainer)(REFIID riid, void** container) override;
    STDMETHOD(GetDesc)(D3DVOLUME_DESC* desc) override;
    STDMETHOD(LockBox)(D3DLOCKED_BOX* lockedVolume, CONST D3DBOX* box, DWORD flags) override;
    STDMETHOD(UnlockBox)() override;

    const D3DVOLUME_DESC& Desc() const { return desc_; }
    // Writable access counts as a change, as for surfaces (see CSurface::Bits).
    BYTE* Bits() {
        ++version_;
        return bits_.data();
    }
    const BYTE* Bits() const { return bits_.data(); }
    UINT64 Version() const { return version_; }
    UINT RowPitch() const { return rowPitch_; }
    UINT SlicePitch() const { return slicePitch_; }

private:
    IUnknown* container_;
    D3DVOLUME_DESC desc_;
    bool lockable_;
    UINT rowPitch_;
    UINT slicePitch_;
    std::vector<BYTE> bits_;
    bool locked_ = false;
    bool lockedReadOnly_ = false;
    UINT64 version_ = 0;
    PrivateData privateData_;
};

}  // namespace vestra::d3d9
