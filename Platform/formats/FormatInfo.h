// Facts about every D3DFORMAT: size of a texel (or of a 4x4 block), which channels it has,
// and the memory layout rules (row pitch, row count, surface size) shared by the device,
// the rasterizer and the image loaders.
#pragma once

#include <d3d9types.h>

namespace vestra::formats {

struct FormatInfo {
    D3DFORMAT format;
    UINT bitsPerPixel;     // per texel; for DXTn the average (4 or 8)
    bool blockCompressed;  // DXT1..DXT5: stored as 4x4 blocks
    UINT blockBytes;       // bytes per 4x4 block (8 or 16); 0 for other formats
    bool hasAlpha;
    bool isDepth;
    bool hasStencil;
    // false for D3DFMT_UNKNOWN and for values that are not a D3DFORMAT; such a record has
    // format D3DFMT_UNKNOWN and every size 0.
    bool known;
};

const FormatInfo& GetFormatInfo(D3DFORMAT format);

// Bytes in one row of texels, tightly packed; for DXTn one row of 4x4 blocks. The packed
// YUV formats (UYVY, YUY2, R8G8_B8G8, G8R8_G8B8) store texels in pairs, so an odd width
// rounds up to a whole pair.
UINT RowPitch(D3DFORMAT format, UINT width);
// Rows in a surface of this height; for DXTn rows of blocks.
UINT RowCount(D3DFORMAT format, UINT height);
UINT SurfaceSize(D3DFORMAT format, UINT width, UINT height);

// SurfaceSize for sizes read from untrusted files: false when the format is unknown or the
// size does not fit in 32 bits.
bool CheckedSurfaceSize(D3DFORMAT format, UINT width, UINT height, UINT& size);

}  // namespace vestra::formats
