#include "d3d9/DeviceControl.h"

#include "d3d9/Device.h"

namespace vestra::d3d9 {

HRESULT CDeviceControl::QueryInterface(REFIID riid, void** object) { return device_->QueryInterface(riid, object); }
ULONG CDeviceControl::AddRef() { return device_->AddRef(); }
ULONG CDeviceControl::Release() { return device_->Release(); }

HRESULT CDeviceControl::LoseDevice(UINT lostPolls) { return device_->LoseDevice(lostPolls); }

HRESULT CDeviceControl::GetFrameStatistics(VESTRA_FRAME_STATISTICS* statistics) {
    if (!statistics) return E_POINTER;
    device_->FlushDraws();
    *statistics = device_->Statistics();
    return S_OK;
}

HRESULT CDeviceControl::ResetFrameStatistics() {
    device_->FlushDraws();
    device_->Statistics() = {};
    return S_OK;
}

HRESULT CDeviceControl::GetLiveResourceCount(D3DPOOL pool, UINT* count) {
    if (!count) return E_POINTER;
    if (pool > D3DPOOL_SCRATCH) return E_INVALIDARG;
    *count = device_->LiveResourceCount(pool);
    return S_OK;
}

HRESULT CDeviceControl::GetCursorState(VESTRA_CURSOR_STATE* state) {
    if (!state) return E_POINTER;
    *state = device_->CursorState();
    return S_OK;
}

}  // namespace vestra::d3d9
