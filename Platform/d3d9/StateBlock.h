// IDirect3DStateBlock9: a copy of the part of the device state its mask covers.
#pragma once

#include "d3d9/DeviceChild.h"
#include "d3d9/StateMask.h"

namespace vestra::d3d9 {

class CStateBlock final : public IDirect3DStateBlock9, public DeviceChild {
public:
    CStateBlock(CDevice* device, const StateMask& mask);
    ~CStateBlock() override;

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override { return AddRefPublic(); }
    STDMETHOD_(ULONG, Release)() override { return ReleasePublic(); }
    STDMETHOD(GetDevice)(IDirect3DDevice9** device) override;
    STDMETHOD(Capture)() override;
    STDMETHOD(Apply)() override;

    DeviceState& Values() { return values_; }
    StateMask& Mask() { return mask_; }

private:
    StateMask mask_;
    DeviceState values_{};
};

}  // namespace vestra::d3d9
