// IDirect3DVertexBuffer9.
#pragma once

#include "d3d9/BufferImpl.h"

namespace vestra::d3d9 {

class CVertexBuffer final : public BufferImpl<IDirect3DVertexBuffer9> {
public:
    CVertexBuffer(CDevice* device, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool)
        : BufferImpl(device, pool, D3DRTYPE_VERTEXBUFFER, length, usage), fvf_(fvf) {}

    STDMETHOD(GetDesc)(D3DVERTEXBUFFER_DESC* desc) override {
        if (!desc) return D3DERR_INVALIDCALL;
        *desc = {D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, Usage(), Pool(), Size(), fvf_};
        return D3D_OK;
    }

private:
    bool Implements(REFIID riid) const override { return riid == IID_IDirect3DVertexBuffer9; }

    DWORD fvf_;
};

}  // namespace vestra::d3d9
