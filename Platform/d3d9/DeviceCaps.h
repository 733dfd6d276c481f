// The capabilities of the software device, the same for HAL and REF.
#pragma once

#include "d3d9.h"

namespace vestra::d3d9 {

void FillDeviceCaps(D3DDEVTYPE type, D3DCAPS9& caps);

}  // namespace vestra::d3d9
