#include "core/CoreRefCount.h"

ULONG CCoreRefCount::AddRef()
{
    return static_cast<ULONG>(++refCount);
}

ULONG CCoreRefCount::Release()
{
    const LONG remaining = --refCount;
    if (remaining != 0) {
        return static_cast<ULONG>(remaining);
    }
    delete this;
    return 0;
}
