// IDirect3DIndexBuffer9: 16- or 32-bit indices.
#pragma once

#include "d3d9/BufferImpl.h"

namespace vestra::d3d9 {

class CIndexBuffer final : public BufferImpl<IDirect3DIndexBuffer9> {
public:
    CIndexBuffer(CDevice* device, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool)
        : BufferImpl(device, pool, D3DRTYPE_INDEXBUFFER, length, usage), format_(format) {}

    STDMETHOD(GetDesc)(D3DINDEXBUFFER_DESC* desc) override {
        if (!desc) return D3DERR_INVALIDCALL;
        *desc = {format_, D3DRTYPE_INDEXBUFFER, Usage(), Pool(), Size()};
        return D3D_OK;
    }

    D3DFORMAT Format() const { return format_; }

private:
    bool Implements(REFIID riid) const override { return riid == IID_IDirect3DIndexBuffer9; }

    D3DFORMAT format_;
};

}  // namespace vestra::d3d9
