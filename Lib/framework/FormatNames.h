// Display names of Direct3D 9 formats, as the settings dialog and frame statistics show them.
#pragma once

#include <d3d9.h>

// "D3DFMT_A8R8G8B8", or "A8R8G8B8" without the prefix; "Unknown format" for a value that
// is no Direct3D 9 format.
const char* FormatName(D3DFORMAT format, bool withPrefix);
