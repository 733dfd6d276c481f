#include "d3d9/PrivateData.h"

#include <cstring>

namespace vestra::d3d9 {

PrivateData::~PrivateData() {
    for (auto& [guid, entry] : entries_) Drop(entry);
}

void PrivateData::Drop(Entry& entry) {
    if (entry.object) entry.object->Release();
    entry.object = nullptr;
}

HRESULT PrivateData::Set(REFGUID guid, const void* data, DWORD size, DWORD flags) {
    if (flags & ~static_cast<DWORD>(D3DSPD_IUNKNOWN)) return D3DERR_INVALIDCALL;
    Entry entry;
    if (flags & D3DSPD_IUNKNOWN) {
        // Code written for 32-bit Windows passes a literal 4 as the size of the pointer.
        if (!data || (size != sizeof(IUnknown*) && size != 4)) return D3DERR_INVALIDCALL;
        entry.object = static_cast<IUnknown*>(const_cast<void*>(data));
        entry.object->AddRef();
    } else {
        if (!data && size != 0) return D3DERR_INVALIDCALL;
        entry.bytes.assign(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
    }
    auto it = entries_.find(guid);
    if (it != entries_.end()) {
        Drop(it->second);
        it->second = std::move(entry);
    } else {
        entries_.emplace(guid, std::move(entry));
    }
    return D3D_OK;
}

HRESULT PrivateData::Get(REFGUID guid, void* data, DWORD* size) const {
    if (!size) return D3DERR_INVALIDCALL;
    auto it = entries_.find(guid);
    if (it == entries_.end()) return D3DERR_NOTFOUND;
    const Entry& entry = it->second;
    const DWORD needed = entry.object ? static_cast<DWORD>(sizeof(IUnknown*)) : static_cast<DWORD>(entry.bytes.size());
    if (!data) {
        *size = needed;
        return D3D_OK;
    }
    if (*size < needed) {
        *size = needed;
        return D3DERR_MOREDATA;
    }
    if (entry.object) {
        entry.object->AddRef();
        std::memcpy(data, &entry.object, sizeof(IUnknown*));
    } else if (needed) {
        std::memcpy(data, entry.bytes.data(), needed);
    }
    *size = needed;
    return D3D_OK;
}

HRESULT PrivateData::Free(REFGUID guid) {
    auto it = entries_.find(guid);
    if (it == entries_.end()) return D3DERR_NOTFOUND;
    Drop(it->second);
    entries_.erase(it);
    return D3D_OK;
}

}  // namespace vestra::d3d9
