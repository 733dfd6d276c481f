// The pieces of Clear that a draw queue reuses to fold a clear into the bands of its next
// flush, where each band is cleared just before its primitives draw into the same rows.
#pragma once

#include "d3d9/raster/Pipeline.h"

namespace vestra::raster {

// One buffer's share of a clear: rows [top, bottom) and columns [left, right) get `value`
// in the bits of `mask` (16-bit cells take value whole).
struct ClearPlan {
    BYTE* bits;
    INT pitch;
    int left, top, right, bottom;
    bool sixteen;
    DWORD value, mask;
};

// Splits a clear (arguments as for Clear) into at most two plans, colour first; returns
// how many there are.
int PlanClear(const ColorBuffer& target, const DepthBuffer& depth, const RECT& area, DWORD flags, D3DCOLOR colour,
              float z, DWORD stencil, ClearPlan plans[2]);

// Fills the plan's cells in rows [top, bottom), which must lie within the plan's rows.
void FillClearRows(const ClearPlan& plan, int top, int bottom);

}  // namespace vestra::raster
