// Vertex element facts shared by the D3DX vertex-format functions and the mesh.
#pragma once

#include <d3d9.h>

namespace vestra::d3dx9 {

// Bytes taken by one element of the given D3DDECLTYPE (0 for UNUSED or unknown types).
UINT DeclTypeSize(BYTE type);

}  // namespace vestra::d3dx9
