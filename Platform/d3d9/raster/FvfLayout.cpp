#include "d3d9/raster/FvfLayout.h"

#include <cstring>

namespace vestra::raster {

namespace {
// D3DFVF_TEXCOORDSIZEn encodes 2 floats as 0, 3 as 1, 4 as 2 and 1 as 3.
constexpr int kCoordFloats[4] = {2, 3, 4, 1};
}  // namespace

FvfLayout DescribeFvf(DWORD fvf) {
    FvfLayout layout;
    UINT offset = 0;
    const DWORD position = fvf & D3DFVF_POSITION_MASK;
    int betas = 0;
    switch (position) {
        case D3DFVF_XYZ: layout.positionFloats = 3; break;
        case D3DFVF_XYZRHW: layout.positionFloats = 4; layout.pretransformed = true; break;
        case D3DFVF_XYZW: layout.positionFloats = 4; break;
        case D3DFVF_XYZB1: case D3DFVF_XYZB2: case D3DFVF_XYZB3: case D3DFVF_XYZB4: case D3DFVF_XYZB5:
            layout.positionFloats = 3;
            betas = static_cast<int>((position - 4) / 2);
            break;
        default: return layout;
    }
    const int texCount = static_cast<int>((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
    if (texCount > 8 || (fvf & D3DFVF_RESERVED0)) return layout;

    offset += static_cast<UINT>(layout.positionFloats + betas) * 4;
    if (fvf & D3DFVF_NORMAL) { layout.normalOffset = static_cast<int>(offset); offset += 12; }
    if (fvf & D3DFVF_PSIZE) { layout.pointSizeOffset = static_cast<int>(offset); offset += 4; }
    if (fvf & D3DFVF_DIFFUSE) { layout.diffuseOffset = static_cast<int>(offset); offset += 4; }
    if (fvf & D3DFVF_SPECULAR) { layout.specularOffset = static_cast<int>(offset); offset += 4; }
    layout.texCoordCount = texCount;
    for (int i = 0; i < texCount; ++i) {
        layout.texCoordSize[i] = kCoordFloats[(fvf >> (16 + 2 * i)) & 3];
        layout.texCoordOffset[i] = static_cast<int>(offset);
        offset += static_cast<UINT>(layout.texCoordSize[i]) * 4;
    }
    layout.size = offset;
    layout.valid = true;
    return layout;
}

void FetchVertex(const FvfLayout& layout, const BYTE* vertex, SourceVertex& out) {
    out.position[3] = 1.0f;
    std::memcpy(out.position, vertex, static_cast<size_t>(layout.positionFloats) * 4);
    if (layout.normalOffset >= 0) {
        std::memcpy(out.normal, vertex + layout.normalOffset, 12);
    } else {
        out.normal[0] = out.normal[1] = out.normal[2] = 0.0f;
    }
    out.pointSize = 0.0f;
    if (layout.pointSizeOffset >= 0) std::memcpy(&out.pointSize, vertex + layout.pointSizeOffset, 4);
    out.diffuse = 0xFFFFFFFF;
    if (layout.diffuseOffset >= 0) std::memcpy(&out.diffuse, vertex + layout.diffuseOffset, 4);
    out.specular = 0;
    if (layout.specularOffset >= 0) std::memcpy(&out.specular, vertex + layout.specularOffset, 4);
    for (int i = 0; i < layout.texCoordCount; ++i) {
        float* t = out.texCoords[i];
        const int size = layout.texCoordSize[i];
        t[0] = t[1] = t[2] = t[3] = 0.0f;
        // The component after the last one given reads 1, so a texture matrix translates
        // 2D coordinates through its third row, as fixed-function hardware does.
        if (size < 4) t[size] = 1.0f;
        std::memcpy(t, vertex + layout.texCoordOffset[i], static_cast<size_t>(size) * 4);
    }
}

}  // namespace vestra::raster
