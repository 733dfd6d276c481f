// IDirect3DVertexDeclaration9. Besides the application's own declarations, the device
// keeps one implicit declaration per FVF code it was given (what GetVertexDeclaration
// returns after SetFVF).
#pragma once

#include <vector>

#include "d3d9/DeviceChild.h"

namespace vestra::d3d9 {

class CVertexDeclaration final : public IDirect3DVertexDeclaration9, public DeviceChild {
public:
    // elements: checked, D3DDECL_END included.
    CVertexDeclaration(CDevice* device, ChildKind kind, std::vector<D3DVERTEXELEMENT9> elements);

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override { return AddRefPublic(); }
    STDMETHOD_(ULONG, Release)() override { return ReleasePublic(); }
    STDMETHOD(GetDevice)(IDirect3DDevice9** device) override;
    // pNumElements receives the element count including D3DDECL_END; with pElement null
    // only the count is returned.
    STDMETHOD(GetDeclaration)(D3DVERTEXELEMENT9* elements, UINT* count) override;

    const std::vector<D3DVERTEXELEMENT9>& Elements() const { return elements_; }
    // The equivalent FVF code, 0 if none.
    DWORD Fvf() const { return fvf_; }

private:
    std::vector<D3DVERTEXELEMENT9> elements_;
    DWORD fvf_;
};

}  // namespace vestra::d3d9
