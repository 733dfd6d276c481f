#include "d3d9/VertexDeclaration.h"

#include <algorithm>

#include "d3d9/Device.h"
#include "d3d9/VertexFormat.h"

namespace vestra::d3d9 {

CVertexDeclaration::CVertexDeclaration(CDevice* device, ChildKind kind, std::vector<D3DVERTEXELEMENT9> elements)
    : DeviceChild(device, kind, D3DPOOL_DEFAULT), elements_(std::move(elements)), fvf_(DeclarationToFvf(elements_.data())) {}

HRESULT CVertexDeclaration::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDirect3DVertexDeclaration9) {
        *object = static_cast<IDirect3DVertexDeclaration9*>(this);
        AddRefPublic();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CVertexDeclaration::GetDevice(IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    *device = Device();
    Device()->AddRef();
    return D3D_OK;
}

HRESULT CVertexDeclaration::GetDeclaration(D3DVERTEXELEMENT9* elements, UINT* count) {
    if (!count) return D3DERR_INVALIDCALL;
    *count = static_cast<UINT>(elements_.size());
    if (elements) std::copy(elements_.begin(), elements_.end(), elements);
    return D3D_OK;
}

}  // namespace vestra::d3d9
