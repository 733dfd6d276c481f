// The demo's own 24-bit depth buffer. The application framework takes the first depth
// format on its list that the device accepts, 16 bits; the software device runs its fast
// span loops only with 24-bit depth, more than ten times faster on this scene. The demo
// therefore binds a D24S8 buffer of the back buffer's size in place of the framework's,
// and gives it up before every device reset (a default-pool surface alive would make the
// reset fail); after the reset it binds a new one.
#pragma once

#include <d3d9.h>

// After device creation and after each reset.
HRESULT AttachDepthBuffer(IDirect3DDevice9* device);
// When the device is lost, before the framework resets it: the device drops the demo's
// buffer, the reset gives it its automatic one again.
void DetachDepthBuffer(IDirect3DDevice9* device);
