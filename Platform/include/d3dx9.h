// D3DX 9 utility library: math, meshes, textures.
#pragma once

#include "d3d9.h"
#include "d3dx9tex.h"
