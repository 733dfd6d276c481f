// IBitstripTexture: a flip-book animation stored as one image of square frames side by
// side (frame edge = the image's smaller dimension, frame count = larger / smaller). The
// image is kept in a system-memory surface and the current frame is copied into a small
// default-pool texture.
//
// A plain interface: no reference count, no query. The caller of CreateBitstripTexture
// owns the object and deletes it (delete through the interface).
#pragma once
#include <d3d9.h>
#include "VestraExport.h"

class IBitstripTexture {
public:
    // Releases the surface, the frame texture and the device; call before a device Reset.
    virtual HRESULT InvalidateDeviceObjects() = 0;
    // Makes the device objects again after a Reset; frame 0 is shown.
    virtual HRESULT RestoreDeviceObjects(IDirect3DDevice9* device) = 0;
    // Reads the image's size and format (no device object is made); the frame goes to 0.
    // On failure nothing changes.
    virtual HRESULT Load(const char* path) = 0;
    // E_INVALIDARG outside [0, frame count). Frames past the image's width (images taller
    // than wide) are accepted and fail in the copy with the device's result.
    virtual HRESULT SetFrame(int index) = 0;
    virtual int GetFrame() = 0;
    virtual int GetFrameCount() = 0;
    // The frame texture with a reference added, which the caller releases; null when none.
    virtual IDirect3DTexture9* GetTexture() = 0;
    virtual ~IBitstripTexture() = default;
};

// Loads `path` (used as given, no resolution) and makes the device objects. Failures are
// not reported: a strip that could not be read has no frames and no texture.
VESTRA_API IBitstripTexture* CreateBitstripTexture(IDirect3DDevice9* device, const char* path);
