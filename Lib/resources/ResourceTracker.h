// CResourceTracker: the object TrackResource attaches to a resource as private data.
//
// Direct3D holds the tracker through IUnknown and releases it when the resource dies, so
// a tracker lives exactly as long as its resource. While alive it sits in the process-wide
// tracker list that DumpTrackedResources walks.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <list>
#include <string>

#include "core/CoreRefCount.h"

// IUnknown's AddRef and Release use the COM calling convention and CCoreRefCount's do not,
// so on 32-bit Windows no class can override both; this base answers the COM pair and
// forwards to hooks that the tracker implements with its CCoreRefCount.
class CCountedUnknown : public IUnknown {
public:
    STDMETHODIMP_(ULONG) AddRef() override { return AddCountedReference(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseCountedReference(); }

protected:
    ~CCountedUnknown() = default;
    virtual ULONG AddCountedReference() = 0;
    virtual ULONG ReleaseCountedReference() = 0;
};

class CResourceTracker : public CCountedUnknown, public CCoreRefCount {
public:
    // Numbered by the current length of the tracker list, then appended to it.
    CResourceTracker(const char* name, D3DRESOURCETYPE type);
    // Leaves the tracker list.
    ~CResourceTracker() override;

    // IID_CResourceTracker and IID_IUnknown give this tracker with a reference added;
    // anything else E_NOINTERFACE and a null pointer.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;

    const std::string& Name() const { return name; }
    D3DRESOURCETYPE Type() const { return type; }
    LONG Number() const { return number; }

    // The live trackers in creation order, emptied by InitResourceTracking. The list
    // holds no references.
    static std::list<CResourceTracker*>& List();

private:
    ULONG AddCountedReference() override { return CCoreRefCount::AddRef(); }
    ULONG ReleaseCountedReference() override { return CCoreRefCount::Release(); }

    std::string name;
    D3DRESOURCETYPE type;
    LONG number;
};
