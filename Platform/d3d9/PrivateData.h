// The private-data store of a resource (SetPrivateData / GetPrivateData / FreePrivateData).
#pragma once

#include <map>
#include <vector>

#include "d3d9.h"

namespace vestra::d3d9 {

class PrivateData {
public:
    PrivateData() = default;
    PrivateData(const PrivateData&) = delete;
    PrivateData& operator=(const PrivateData&) = delete;
    ~PrivateData();

    // With D3DSPD_IUNKNOWN, data is the interface pointer itself; the store holds a
    // reference on it until the entry is replaced or freed.
    HRESULT Set(REFGUID guid, const void* data, DWORD size, DWORD flags);
    // An IUnknown entry is copied out as the pointer and AddRef'd for the caller.
    HRESULT Get(REFGUID guid, void* data, DWORD* size) const;
    HRESULT Free(REFGUID guid);

private:
    struct Entry {
        std::vector<BYTE> bytes;
        IUnknown* object = nullptr;
    };
    struct GuidLess {
        bool operator()(const GUID& a, const GUID& b) const { return memcmp(&a, &b, sizeof(GUID)) < 0; }
    };
    static void Drop(Entry& entry);

    std::map<GUID, Entry, GuidLess> entries_;
};

}  // namespace vestra::d3d9
