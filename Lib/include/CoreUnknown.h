// The reference-counted object core: ICoreUnknown and the interface ids.
//
// Every reference-counted engine object (scene nodes, 3D quads, motion paths, particle
// emitters, the resource manager, animation collections) is reached through an interface
// derived from ICoreUnknown. All interfaces of one object share one count; the Release
// that brings it to 0 destroys the object, after which nothing may touch it.
//
// Interface ids are published as exported constants defined once inside the engine
// (extern VESTRA_API const GUID IID_...), so a host and the engine see the same 16 bytes.
// They are always compared by value (IsEqualGUID), never by address.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "VestraExport.h"

class ICoreUnknown {
public:
    // Returns whether the object answers `id`. On success `*out` holds the matching
    // interface pointer with one reference added. On refusal, objects that are not scene
    // nodes set `*out` to null while scene nodes leave it unchanged: callers must go by
    // the result, never by `*out`.
    virtual bool QueryInterface(const GUID& id, void** out) = 0;
    // Adds a reference; returns the new count.
    virtual ULONG AddRef() = 0;
    // Drops a reference; returns the new count, 0 once the object is destroyed.
    virtual ULONG Release() = 0;

protected:
    // Objects die through their last Release, never through a delete of an interface.
    ~ICoreUnknown() = default;
};

extern VESTRA_API const GUID IID_ICoreUnknown;
extern VESTRA_API const GUID IID_ISceneNode;
extern VESTRA_API const GUID IID_IColoredNode;
extern VESTRA_API const GUID IID_IBillboardQuad;
extern VESTRA_API const GUID IID_IBackground;
extern VESTRA_API const GUID IID_ISkybox;
extern VESTRA_API const GUID IID_I3DQuad;
extern VESTRA_API const GUID IID_IMotionPath;
extern VESTRA_API const GUID IID_IBSplineMotionPath;
extern VESTRA_API const GUID IID_IParticleEmitter;
extern VESTRA_API const GUID IID_IResManager;
extern VESTRA_API const GUID IID_IAnimationCollection;
// The resource tracker is a system COM object; its id is answered by IUnknown::QueryInterface.
extern VESTRA_API const GUID IID_CResourceTracker;
