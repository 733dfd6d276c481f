#include "d3d9/Query.h"

#include "d3d9/Device.h"

namespace vestra::d3d9 {

HRESULT CQuery::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDirect3DQuery9) {
        *object = static_cast<IDirect3DQuery9*>(this);
        AddRefPublic();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CQuery::GetDevice(IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    *device = Device();
    Device()->AddRef();
    return D3D_OK;
}

// Event queries take D3DISSUE_END only.
HRESULT CQuery::Issue(DWORD flags) { return flags == D3DISSUE_END ? D3D_OK : D3DERR_INVALIDCALL; }

HRESULT CQuery::GetData(void* data, DWORD size, DWORD) {
    if (data) {
        if (size < sizeof(BOOL)) return D3DERR_INVALIDCALL;
        *static_cast<BOOL*>(data) = TRUE;
    }
    return S_OK;
}

}  // namespace vestra::d3d9
