// Floating-point colour to the device's packed 32-bit ARGB.
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

// Saturates each channel to [0, 1] and rounds to 8 bits. A channel that is not a number
// packs to 0 rather than reaching an undefined float-to-integer conversion.
D3DCOLOR PackColor(const D3DXCOLOR& color);
