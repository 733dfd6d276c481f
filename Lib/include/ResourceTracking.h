// Resource tracking: a debugging aid for Direct3D resources that are never released.
//
// TrackResource attaches a small tracker to a resource as private data, so the tracker
// lives exactly as long as the resource. DumpTrackedResources writes one debugger-output
// line per tracker still alive ("\t#number name, type"), numbered by how many trackers
// were listed when it was created.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include "VestraExport.h"

// Forgets every tracker listed so far; they stay attached to their resources but are
// never listed again, and the next tracker gets number 0.
VESTRA_API void InitResourceTracking();
// E_INVALIDARG for a null resource; otherwise the result of attaching the tracker. A null
// name is listed as an empty one.
VESTRA_API HRESULT TrackResource(IDirect3DResource9* resource, const char* name);
VESTRA_API void DumpTrackedResources();
