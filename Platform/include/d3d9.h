// Direct3D 9: Direct3DCreate9 and the device, resource and enumeration interfaces.
#pragma once

#include "d3d9types.h"
