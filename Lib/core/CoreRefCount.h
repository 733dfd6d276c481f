// The reference count shared by every interface of one engine object.
//
// Implementation classes inherit an ICoreUnknown-derived interface and CCoreRefCount side
// by side and forward the interface's AddRef and Release here, so every interface of the
// object moves the same count and the last Release destroys the whole object through the
// virtual destructor:
//
//     class CThing : public IThing, public CCoreRefCount {
//         ULONG AddRef() override { return CCoreRefCount::AddRef(); }
//         ULONG Release() override { return CCoreRefCount::Release(); }
//     };
//
// The count is a plain integer (the engine is single-threaded) and starts at 0; factories
// take the first reference. A Release on a count of 0 is a caller error and is not guarded.
#pragma once

#include <windows.h>

class CCoreRefCount {
public:
    CCoreRefCount() = default;
    CCoreRefCount(const CCoreRefCount&) = delete;
    CCoreRefCount& operator=(const CCoreRefCount&) = delete;
    virtual ~CCoreRefCount() = default;

    virtual ULONG AddRef();
    virtual ULONG Release();

private:
    LONG refCount = 0;
};
