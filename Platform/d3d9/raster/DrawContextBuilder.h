// Decodes the device state of one draw into a DrawContext.
#pragma once

#include "d3d9/raster/DrawContext.h"

namespace vestra::raster {

// False when the target or depth views are unusable (null memory, unsupported format).
// Colour interpolation is planned for Gouraud shading; Draw drops the planes again when
// the colours turn out constant.
bool BuildDrawContext(const State& state, DrawContext& out);

}  // namespace vestra::raster
