// Memory and locking shared by vertex and index buffers. Buffers may be locked several
// times at once (each Lock needs its Unlock), as Direct3D 9 allows.
#pragma once

#include <vector>

#include "d3d9/ResourceImpl.h"

namespace vestra::d3d9 {

template <class Iface>
class BufferImpl : public ResourceImpl<Iface> {
public:
    // SizeToLock 0 with OffsetToLock 0 locks the whole buffer.
    STDMETHOD(Lock)(UINT offset, UINT size, void** data, DWORD) override {
        if (!data) return D3DERR_INVALIDCALL;
        *data = nullptr;
        if (offset > bytes_.size()) return D3DERR_INVALIDCALL;
        if (size == 0) size = static_cast<UINT>(bytes_.size()) - offset;
        if (size > bytes_.size() - offset) return D3DERR_INVALIDCALL;
        *data = bytes_.data() + offset;
        ++lockCount_;
        return D3D_OK;
    }
    STDMETHOD(Unlock)() override {
        if (lockCount_ == 0) return D3DERR_INVALIDCALL;
        --lockCount_;
        return D3D_OK;
    }

    const BYTE* Bytes() const { return bytes_.data(); }
    UINT Size() const { return static_cast<UINT>(bytes_.size()); }
    DWORD Usage() const { return usage_; }

protected:
    BufferImpl(CDevice* device, D3DPOOL pool, D3DRESOURCETYPE type, UINT length, DWORD usage)
        : ResourceImpl<Iface>(device, ChildKind::Resource, pool, type), usage_(usage), bytes_(length, 0) {}

private:
    DWORD usage_;
    std::vector<BYTE> bytes_;
    UINT lockCount_ = 0;
};

}  // namespace vestra::d3d9
