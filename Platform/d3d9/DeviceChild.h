// Lifetime of every object a device hands out. Two counts keep an object alive:
//   - public references, the application's (AddRef/Release). The first one takes a
//     reference on the device and the last one gives it back, so a device outlives every
//     object the application still holds;
//   - internal references, held by the device while the object is bound (SetTexture,
//     SetStreamSource, SetRenderTarget ...) or owned by it (the back buffer). They do not
//     show in the public count, as in Direct3D 9.
// The object is destroyed when both reach zero. A part of another object (a texture
// level, a cube face) has no counts of its own: every reference counts on its owner.
#pragma once

#include "d3d9.h"

namespace vestra::d3d9 {

class CDevice;

// What Reset and the live-resource statistics need to know about an object.
enum class ChildKind {
    Resource,     // textures, surfaces, buffers: pool decides
    Implicit,     // created and owned by the device (back buffer, automatic depth-stencil)
    StateBlock,
    SwapChain,
    Other,        // declarations, queries: survive Reset
};

class DeviceChild {
public:
    DeviceChild(const DeviceChild&) = delete;
    DeviceChild& operator=(const DeviceChild&) = delete;

    ULONG AddRefPublic();
    ULONG ReleasePublic();
    void AddRefInternal();
    void ReleaseInternal();

    CDevice* Device() const { return device_; }
    ChildKind Kind() const { return kind_; }
    D3DPOOL Pool() const { return pool_; }
    ULONG PublicRefs() const { return owner_ ? owner_->PublicRefs() : publicRefs_; }

    // Called by the owner when it is destroyed.
    virtual ~DeviceChild();

protected:
    // A top-level object. Implicit objects start with one internal reference (the
    // device's); all others with one public reference (the caller's).
    DeviceChild(CDevice* device, ChildKind kind, D3DPOOL pool);
    // A part whose lifetime is its owner's.
    DeviceChild(CDevice* device, DeviceChild* owner, D3DPOOL pool);

private:
    void Destroy();

    CDevice* device_;
    DeviceChild* owner_;
    ChildKind kind_;
    D3DPOOL pool_;
    ULONG publicRefs_;
    ULONG internalRefs_;
};

// The device's own object behind an interface pointer the application passed in, or null
// when it is not one of this device's objects.
template <class T>
T* FromInterface(CDevice* device, IUnknown* object) {
    T* child = dynamic_cast<T*>(object);
    return child && child->Device() == device ? child : nullptr;
}

// Replaces the object in a binding slot, moving the internal reference from the old
// object to the new one.
template <class T>
void Rebind(T*& slot, T* object) {
    if (slot == object) return;
    if (object) static_cast<DeviceChild*>(object)->AddRefInternal();
    T* previous = slot;
    slot = object;
    if (previous) static_cast<DeviceChild*>(previous)->ReleaseInternal();
}

// The same for texture slots, which hold the interface of any of the three texture kinds.
void RebindTexture(IDirect3DBaseTexture9*& slot, IDirect3DBaseTexture9* texture);

}  // namespace vestra::d3d9
