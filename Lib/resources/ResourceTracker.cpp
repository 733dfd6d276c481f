#include "resources/ResourceTracker.h"

#include "CoreUnknown.h"
#include "ResourceTracking.h"

std::list<CResourceTracker*>& CResourceTracker::List()
{
    // Never destroyed: a resource that outlives static destruction may still free its
    // tracker, which then leaves this list.
    static auto* trackers = new std::list<CResourceTracker*>();
    return *trackers;
}

CResourceTracker::CResourceTracker(const char* name, D3DRESOURCETYPE type)
    : name(name != nullptr ? name : ""), type(type), number(static_cast<LONG>(List().size()))
{
    List().push_back(this);
}

CResourceTracker::~CResourceTracker()
{
    List().remove(this);
}

STDMETHODIMP CResourceTracker::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (IsEqualGUID(iid, IID_CResourceTracker) || IsEqualGUID(iid, IID_IUnknown)) {
        *out = static_cast<IUnknown*>(this);
        CCoreRefCount::AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

void InitResourceTracking()
{
    CResourceTracker::List().clear();
}

HRESULT TrackResource(IDirect3DResource9* resource, const char* name)
{
    if (resource == nullptr) {
        return E_INVALIDARG;
    }
    IUnknown* tracker = new CResourceTracker(name, resource->GetType());
    tracker->AddRef();
    // Direct3D takes its own reference; once ours goes, the resource alone keeps the
    // tracker alive, and if attaching failed the tracker dies here.
    const HRESULT result = resource->SetPrivateData(IID_CResourceTracker, tracker, sizeof(tracker), D3DSPD_IUNKNOWN);
    tracker->Release();
    return result;
}

void DumpTrackedResources()
{
    OutputDebugStringA("LeakedResources:\n");
    for (const CResourceTracker* tracker : CResourceTracker::List()) {
        // "\t#%d %s, %d\n", built without a length limit on the name.
        const std::string line = "\t#" + std::to_string(tracker->Number()) + " " + tracker->Name() + ", " +
                                 std::to_string(static_cast<int>(tracker->Type())) + "\n";
        OutputDebugStringA(line.c_str());
    }
}
