// Where each component of a flexible-vertex-format vertex sits, and reading one vertex.
#pragma once

#include "d3d9types.h"

namespace vestra::raster {

struct FvfLayout {
    bool valid = false;
    bool pretransformed = false;  // XYZRHW: already in screen space
    int positionFloats = 0;       // 3 (XYZ, XYZBn), 4 (XYZRHW, XYZW)
    int normalOffset = -1;
    int pointSizeOffset = -1;
    int diffuseOffset = -1;
    int specularOffset = -1;
    int texCoordCount = 0;
    int texCoordOffset[8] = {};
    int texCoordSize[8] = {};     // floats per set, 1..4
    UINT size = 0;                // bytes per vertex
};

// Decodes an FVF code. Codes without a position, with reserved bits or with more than
// eight coordinate sets come back with valid == false.
FvfLayout DescribeFvf(DWORD fvf);

// One vertex as read from memory, before any processing.
struct SourceVertex {
    float position[4];  // w = 1 unless XYZRHW (rhw) or XYZW
    float normal[3];
    float pointSize;
    D3DCOLOR diffuse;
    D3DCOLOR specular;
    float texCoords[8][4];  // the first missing component reads 1, the rest 0
};

void FetchVertex(const FvfLayout& layout, const BYTE* vertex, SourceVertex& out);

}  // namespace vestra::raster
