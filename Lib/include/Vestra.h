// Vestra: the whole exported engine API and, through it, the platform headers
// (windows.h, d3d9.h, d3dx9.h).
#pragma once

#include <windows.h>
#include <d3d9.h>

#include "VestraExport.h"
