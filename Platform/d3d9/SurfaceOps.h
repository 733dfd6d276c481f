// Pixel operations on surfaces shared by the device's copy, fill and clear methods. Rects
// are already checked against the surfaces.
#pragma once

#include "d3d9.h"

namespace vestra::d3d9 {

class CSurface;

// Copies texels (whole 4x4 blocks for DXTn) of rect from source to `at` in destination;
// both surfaces have the same format.
void CopyRect(const CSurface& source, const RECT& rect, CSurface& destination, POINT at);

// Scales sourceRect of source into destRect of destination (same, row-convertible format)
// with point or bilinear filtering.
void StretchRect(const CSurface& source, const RECT& sourceRect, CSurface& destination, const RECT& destRect,
                 bool linear);

// Fills a rect with a colour given as A8R8G8B8, converted to the surface's format.
void FillColor(CSurface& surface, const RECT& rect, D3DCOLOR color);

// Writes depth and/or stencil (D3DCLEAR_ZBUFFER / D3DCLEAR_STENCIL in flags) in a rect of a
// depth-stencil surface, keeping the part that is not cleared.
void FillDepthStencil(CSurface& surface, const RECT& rect, DWORD flags, float z, DWORD stencil);

// Whether rect (null: the whole surface) lies inside a width x height surface and is not
// empty; with `blocks`, its edges must also fall on 4x4 block boundaries or the surface edge.
bool RectInside(const RECT* rect, UINT width, UINT height, bool blocks, RECT& out);

}  // namespace vestra::d3d9
