// IDirect3DQuery9 for event queries: the device finishes every call before returning, so an
// issued event has always been reached.
#pragma once

#include "d3d9/DeviceChild.h"

namespace vestra::d3d9 {

class CQuery final : public IDirect3DQuery9, public DeviceChild {
public:
    CQuery(CDevice* device, D3DQUERYTYPE type) : DeviceChild(device, ChildKind::Other, D3DPOOL_DEFAULT), type_(type) {}

    // Query types the device answers.
    static bool Supports(D3DQUERYTYPE type) { return type == D3DQUERYTYPE_EVENT; }

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override { return AddRefPublic(); }
    STDMETHOD_(ULONG, Release)() override { return ReleasePublic(); }
    STDMETHOD(GetDevice)(IDirect3DDevice9** device) override;
    STDMETHOD_(D3DQUERYTYPE, GetType)() override { return type_; }
    STDMETHOD_(DWORD, GetDataSize)() override { return sizeof(BOOL); }
    STDMETHOD(Issue)(DWORD flags) override;
    STDMETHOD(GetData)(void* data, DWORD size, DWORD flags) override;

private:
    D3DQUERYTYPE type_;
};

}  // namespace vestra::d3d9
