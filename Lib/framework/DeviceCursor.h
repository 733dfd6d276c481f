// The device's hardware cursor made from a Windows cursor, for fullscreen use.
#pragma once

#include <windows.h>
#include <d3d9.h>

// Copies the cursor's image (transparent where its mask is set) into the device cursor with
// the cursor's hot spot. With `addMark`, a small marker is drawn into the top-left corner
// so a device cursor can be told from the system one. E_FAIL when the cursor's bitmaps
// cannot be read; a device failure is passed on.
HRESULT SetDeviceCursorFromHandle(IDirect3DDevice9* device, HCURSOR cursor, BOOL addMark);
