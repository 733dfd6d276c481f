#include "d3d9/Volume.h"

#include "d3d9/Device.h"
#include "formats/FormatInfo.h"

namespace vestra::d3d9 {

CVolume::CVolume(CDevice* device, DeviceChild* owner, IUnknown* container, const D3DVOLUME_DESC& desc, bool lockable)
    : DeviceChild(device, owner, desc.Pool), container_(container), desc_(desc), lockable_(lockable) {
    desc_.Type = D3DRTYPE_VOLUME;
    rowPitch_ = formats::RowPitch(desc.Format, desc.Width);
    slicePitch_ = formats::SurfaceSize(desc.Format, desc.Width, desc.Height);
    bits_.assign(static_cast<size_t>(slicePitch_) * desc.Depth, 0);
}

HRESULT CVolume::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDirect3DVolume9) {
        *object = static_cast<IDirect3DVolume9*>(this);
        AddRefPublic();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CVolume::GetDevice(IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    *device = Device();
    Device()->AddRef();
    return D3D_OK;
}

HRESULT CVolume::SetPrivateData(REFGUID guid, CONST void* data, DWORD size, DWORD flags) {
    return privateData_.Set(guid, data, size, flags);
}

HRESULT CVolume::GetPrivateData(REFGUID guid, void* data, DWORD* size) { return privateData_.Get(guid, data, size); }

HRESULT CVolume::FreePrivateData(REFGUID guid) { return privateData_.Free(guid); }

HRESULT CVolume::GetContainer(REFIID riid, void** container) {
    if (!container) return D3DERR_INVALIDCALL;
    return container_->QueryInterface(riid, container);
}

HRESULT CVolume::GetDesc(D3DVOLUME_DESC* desc) {
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = desc_;
    return D3D_OK;
}

HRESULT CVolume::LockBox(D3DLOCKED_BOX* lockedVolume, CONST D3DBOX* box, DWORD flags) {
    if (!lockedVolume || !lockable_ || locked_) return D3DERR_INVALIDCALL;
    size_t offset = 0;
    if (box) {
        if (box->Left >= box->Right || box->Top >= box->Bottom || box->Front >= box->Back ||
            box->Right > desc_.Width || box->Bottom > desc_.Height || box->Back > desc_.Depth)
            return D3DERR_INVALIDCALL;
        const formats::FormatInfo& info = formats::GetFormatInfo(desc_.Format);
        if (info.blockCompressed) {
            if (box->Left % 4 || box->Top % 4) return D3DERR_INVALIDCALL;
            offset = static_cast<size_t>(box->Top / 4) * rowPitch_ + static_cast<size_t>(box->Left / 4) * info.blockBytes;
        } else {
            offset = static_cast<size_t>(box->Top) * rowPitch_ + static_cast<size_t>(box->Left) * info.bitsPerPixel / 8;
        }
        offset += static_cast<size_t>(box->Front) * slicePitch_;
    }
    Device()->FlushDraws();
    lockedVolume->RowPitch = static_cast<INT>(rowPitch_);
    lockedVolume->SlicePitch = static_cast<INT>(slicePitch_);
    lockedVolume->pBits = bits_.data() + offset;
    locked_ = true;
    lockedReadOnly_ = (flags & D3DLOCK_READONLY) != 0;
    return D3D_OK;
}

HRESULT CVolume::UnlockBox() {
    if (!locked_) return D3DERR_INVALIDCALL;
    locked_ = false;
    if (!lockedReadOnly_) ++version_;
    return D3D_OK;
}

}  // namespace vestra::d3d9
