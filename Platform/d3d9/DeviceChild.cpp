#include "d3d9/DeviceChild.h"

#include "d3d9/Device.h"

namespace vestra::d3d9 {

DeviceChild::DeviceChild(CDevice* device, ChildKind kind, D3DPOOL pool)
    : device_(device),
      owner_(nullptr),
      kind_(kind),
      pool_(pool),
      publicRefs_(kind == ChildKind::Implicit ? 0 : 1),
      internalRefs_(kind == ChildKind::Implicit ? 1 : 0) {
    if (publicRefs_) device_->AddRef();
    device_->RegisterChild(this);
}

DeviceChild::DeviceChild(CDevice* device, DeviceChild* owner, D3DPOOL pool)
    : device_(device), owner_(owner), kind_(owner->Kind()), pool_(pool), publicRefs_(0), internalRefs_(0) {}

DeviceChild::~DeviceChild() {
    if (owner_) return;
    device_->UnregisterChild(this);
    // Only an object whose constructor failed dies with a public reference: give back the
    // device reference it took.
    if (publicRefs_ > 0) device_->Release();
}

ULONG DeviceChild::AddRefPublic() {
    if (owner_) return owner_->AddRefPublic();
    if (publicRefs_++ == 0) device_->AddRef();
    return publicRefs_;
}

ULONG DeviceChild::ReleasePublic() {
    if (owner_) return owner_->ReleasePublic();
    if (publicRefs_ == 0) return 0;
    const ULONG remaining = --publicRefs_;
    if (remaining == 0) {
        // Releasing the device may destroy it, and with it this object (through its
        // internal reference), so nothing of this object is touched afterwards.
        CDevice* device = device_;
        if (internalRefs_ == 0) Destroy();
        device->Release();
    }
    return remaining;
}

void DeviceChild::AddRefInternal() {
    if (owner_) return owner_->AddRefInternal();
    ++internalRefs_;
}

void DeviceChild::ReleaseInternal() {
    if (owner_) return owner_->ReleaseInternal();
    if (--internalRefs_ == 0 && publicRefs_ == 0) Destroy();
}

void DeviceChild::Destroy() {
    // A queued draw may still read this object's memory.
    device_->FlushDraws();
    delete this;
}

void RebindTexture(IDirect3DBaseTexture9*& slot, IDirect3DBaseTexture9* texture) {
    if (slot == texture) return;
    if (texture) dynamic_cast<DeviceChild*>(texture)->AddRefInternal();
    IDirect3DBaseTexture9* previous = slot;
    slot = texture;
    if (previous) dynamic_cast<DeviceChild*>(previous)->ReleaseInternal();
}

}  // namespace vestra::d3d9
