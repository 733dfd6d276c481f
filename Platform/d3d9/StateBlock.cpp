#include "d3d9/StateBlock.h"

#include "d3d9/Device.h"

namespace vestra::d3d9 {

CStateBlock::CStateBlock(CDevice* device, const StateMask& mask)
    : DeviceChild(device, ChildKind::StateBlock, D3DPOOL_DEFAULT), mask_(mask) {}

CStateBlock::~CStateBlock() { ReleaseBindings(values_); }

HRESULT CStateBlock::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDirect3DStateBlock9) {
        *object = static_cast<IDirect3DStateBlock9*>(this);
        AddRefPublic();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CStateBlock::GetDevice(IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    *device = Device();
    Device()->AddRef();
    return D3D_OK;
}

HRESULT CStateBlock::Capture() {
    CopyMaskedState(Device()->State(), values_, mask_);
    return D3D_OK;
}

HRESULT CStateBlock::Apply() {
    CopyMaskedState(values_, Device()->State(), mask_);
    return D3D_OK;
}

}  // namespace vestra::d3d9
