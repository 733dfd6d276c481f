// The IUnknown and IDirect3DResource9 methods every resource shares, written once for all
// resource interfaces (they are separate vtables, so this is a template over the
// interface). Iface is the most derived Direct3D interface the class implements.
#pragma once

#include "d3d9/DeviceChild.h"
#include "d3d9/PrivateData.h"

namespace vestra::d3d9 {

template <class Iface>
class ResourceImpl : public Iface, public DeviceChild {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDirect3DResource9 || Implements(riid)) {
            *object = static_cast<Iface*>(this);
            AddRefPublic();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return AddRefPublic(); }
    STDMETHOD_(ULONG, Release)() override { return ReleasePublic(); }

    STDMETHOD(GetDevice)(IDirect3DDevice9** device) override;
    STDMETHOD(SetPrivateData)(REFGUID guid, CONST void* data, DWORD size, DWORD flags) override {
        return privateData_.Set(guid, data, size, flags);
    }
    STDMETHOD(GetPrivateData)(REFGUID guid, void* data, DWORD* size) override {
        return privateData_.Get(guid, data, size);
    }
    STDMETHOD(FreePrivateData)(REFGUID guid) override { return privateData_.Free(guid); }
    // Priorities steer eviction of managed resources only; other pools report 0.
    STDMETHOD_(DWORD, SetPriority)(DWORD priority) override {
        if (Pool() != D3DPOOL_MANAGED) return 0;
        const DWORD previous = priority_;
        priority_ = priority;
        return previous;
    }
    STDMETHOD_(DWORD, GetPriority)() override { return Pool() == D3DPOOL_MANAGED ? priority_ : 0; }
    // Memory is plain heap memory: there is nothing to upload ahead of time.
    STDMETHOD_(void, PreLoad)() override {}
    STDMETHOD_(D3DRESOURCETYPE, GetType)() override { return type_; }

protected:
    ResourceImpl(CDevice* device, ChildKind kind, D3DPOOL pool, D3DRESOURCETYPE type)
        : DeviceChild(device, kind, pool), type_(type) {}
    ResourceImpl(CDevice* device, DeviceChild* owner, D3DPOOL pool, D3DRESOURCETYPE type)
        : DeviceChild(device, owner, pool), type_(type) {}

    // Interfaces beyond IUnknown and IDirect3DResource9 that QueryInterface answers.
    virtual bool Implements(REFIID riid) const = 0;

private:
    D3DRESOURCETYPE type_;
    DWORD priority_ = 0;
    PrivateData privateData_;
};

}  // namespace vestra::d3d9

#include "d3d9/Device.h"

namespace vestra::d3d9 {

template <class Iface>
HRESULT ResourceImpl<Iface>::GetDevice(IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    *device = Device();
    Device()->AddRef();
    return D3D_OK;
}

}  // namespace vestra::d3d9
