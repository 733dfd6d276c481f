// Control extension of the software Direct3D 9 device. Hosts and tests reach it with
//     device->QueryInterface(IID_IVestraDeviceControl, (void**)&control);
// It shares the device's reference count (AddRef/Release on it count on the device), so it
// keeps the device alive and must be released like any interface obtained from it.
#pragma once

#include "d3d9.h"

// {5E7A3C1D-2B4F-4C8E-9A61-3D0F7B52E419}
DEFINE_GUID(IID_IVestraDeviceControl, 0x5e7a3c1d, 0x2b4f, 0x4c8e, 0x9a, 0x61, 0x3d, 0x0f, 0x7b, 0x52, 0xe4, 0x19);

// Counters since the device was created or the statistics were last reset.
typedef struct _VESTRA_FRAME_STATISTICS {
    UINT DrawCalls;      // draw calls that passed validation (primitive count 0 included)
    UINT Primitives;     // primitives submitted by those calls
    UINT Vertices;       // vertices those primitives reference
    UINT PixelsWritten;  // pixels the rasterizer wrote (draws only, clears excluded)
    UINT StateChanges;   // successful Set* calls on device state (states, transforms, bindings ...)
    UINT Clears;         // successful Clear calls
    UINT Presents;       // Present calls, including those refused while the device was lost
    UINT Frames;         // Present calls that showed a frame
} VESTRA_FRAME_STATISTICS;

// What SetCursorProperties / SetCursorPosition / ShowCursor last recorded.
typedef struct _VESTRA_CURSOR_STATE {
    BOOL Visible;
    BOOL HasImage;  // SetCursorProperties succeeded at least once
    UINT HotSpotX;
    UINT HotSpotY;
    UINT Width;
    UINT Height;
    INT X;
    INT Y;
} VESTRA_CURSOR_STATE;

DECLARE_INTERFACE_(IVestraDeviceControl, IUnknown) {
    STDMETHOD(QueryInterface)(THIS_ REFIID riid, void** ppvObj) PURE;
    STDMETHOD_(ULONG, AddRef)(THIS) PURE;
    STDMETHOD_(ULONG, Release)(THIS) PURE;
    // Simulates losing the device (as when a full-screen application loses focus): Present
    // returns D3DERR_DEVICELOST, TestCooperativeLevel returns D3DERR_DEVICELOST for the
    // next LostPolls calls and D3DERR_DEVICENOTRESET after that, until Reset succeeds.
    STDMETHOD(LoseDevice)(THIS_ UINT LostPolls) PURE;
    STDMETHOD(GetFrameStatistics)(THIS_ VESTRA_FRAME_STATISTICS* pStatistics) PURE;
    STDMETHOD(ResetFrameStatistics)(THIS) PURE;
    // Resources of the pool that exist (held by the application or still bound to the
    // device). The implicit back buffer and depth-stencil surface are not counted.
    STDMETHOD(GetLiveResourceCount)(THIS_ D3DPOOL Pool, UINT* pCount) PURE;
    STDMETHOD(GetCursorState)(THIS_ VESTRA_CURSOR_STATE* pState) PURE;
};
typedef IVestraDeviceControl* LPVESTRADEVICECONTROL;
