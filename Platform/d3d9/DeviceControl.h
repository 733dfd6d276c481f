// IVestraDeviceControl: the device's control extension, a part of the device that shares
// its reference count.
#pragma once

#include "VestraDeviceControl.h"

namespace vestra::d3d9 {

class CDevice;

class CDeviceControl final : public IVestraDeviceControl {
public:
    explicit CDeviceControl(CDevice* device) : device_(device) {}

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(LoseDevice)(UINT lostPolls) override;
    STDMETHOD(GetFrameStatistics)(VESTRA_FRAME_STATISTICS* statistics) override;
    STDMETHOD(ResetFrameStatistics)() override;
    STDMETHOD(GetLiveResourceCount)(D3DPOOL pool, UINT* count) override;
    STDMETHOD(GetCursorState)(VESTRA_CURSOR_STATE* state) override;

private:
    CDevice* device_;
};

}  // namespace vestra::d3d9
