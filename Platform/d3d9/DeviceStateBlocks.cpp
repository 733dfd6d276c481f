// State blocks: created from a type, or recorded between BeginStateBlock and EndStateBlock.
#include <new>

#include "d3d9/Device.h"
#include "d3d9/StateBlock.h"

namespace vestra::d3d9 {

DeviceState& CDevice::Target() { return recording_ ? recording_->Values() : state_; }

StateMask* CDevice::Recording() { return recording_ ? &recording_->Mask() : nullptr; }

HRESULT CDevice::CreateStateBlock(D3DSTATEBLOCKTYPE type, IDirect3DStateBlock9** stateBlock) {
    if (!stateBlock) return D3DERR_INVALIDCALL;
    *stateBlock = nullptr;
    if (type < D3DSBT_ALL || type > D3DSBT_VERTEXSTATE || recording_) return D3DERR_INVALIDCALL;
    CStateBlock* block = new (std::nothrow) CStateBlock(this, MaskForType(type));
    if (!block) return D3DERR_OUTOFVIDEOMEMORY;
    block->Capture();
    *stateBlock = block;
    return D3D_OK;
}

HRESULT CDevice::BeginStateBlock() {
    if (recording_) return D3DERR_INVALIDCALL;
    recording_ = new (std::nothrow) CStateBlock(this, StateMask{});
    return recording_ ? D3D_OK : D3DERR_OUTOFVIDEOMEMORY;
}

HRESULT CDevice::EndStateBlock(IDirect3DStateBlock9** stateBlock) {
    if (!stateBlock || !recording_) return D3DERR_INVALIDCALL;
    *stateBlock = recording_;
    recording_ = nullptr;
    return D3D_OK;
}

}  // namespace vestra::d3d9
