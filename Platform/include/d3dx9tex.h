// D3DX 9 textures and surfaces: image information, loading, saving and filtering.
#pragma once

#include "d3d9.h"
