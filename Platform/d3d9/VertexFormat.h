// Conversions between flexible vertex formats and vertex declarations, and the checks a
// declaration passes before a device accepts it.
#pragma once

#include <vector>

#include "d3d9.h"

namespace vestra::d3d9 {

// Elements of the declaration equivalent to an FVF code, D3DDECL_END included. False when
// the code is not a valid FVF (no position, reserved bits, more than eight coordinate sets).
bool FvfToDeclaration(DWORD fvf, std::vector<D3DVERTEXELEMENT9>& elements);

// The FVF code equivalent to a declaration (elements up to D3DDECL_END), or 0 when the
// declaration has no FVF equivalent (other streams, other order, types FVF cannot express).
DWORD DeclarationToFvf(const D3DVERTEXELEMENT9* elements);

// Bytes per vertex of a valid FVF code; 0 for an invalid one.
UINT FvfVertexSize(DWORD fvf);

// Copies a declaration up to and including D3DDECL_END after checking every element;
// false for a declaration the device refuses.
bool ReadDeclaration(const D3DVERTEXELEMENT9* elements, std::vector<D3DVERTEXELEMENT9>& out);

}  // namespace vestra::d3d9
