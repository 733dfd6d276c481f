// Reading and writing rows of texels of the colour formats to and from A8R8G8B8 and float
// RGBA. Formats that are not colour data (depth, index, vertex data, packed YUV, DXTn) are
// refused by CanConvertRows; DXTn surfaces go through SurfaceConvert instead.
#pragma once

#include <d3d9types.h>

namespace vestra::formats {

// Same layout as D3DXCOLOR.
struct Rgba {
    float r, g, b, a;
};

// Palettes are 256 entries in PALETTEENTRY layout (red, green, blue, flags); as in
// Direct3D 9 the flags byte is the entry's alpha.
using Palette = const BYTE*;

bool CanConvertRows(D3DFORMAT format);

// Signed formats (V8U8, Q8W8V8U8, V16U16, Q16W16V16U16) read into [-1, 1] as r=U, g=V,
// b=W, a=Q. A missing colour channel reads as 1 (0 for the alpha-only A8), a missing alpha
// as 1. Writing clamps to the format's range and rounds to nearest. A null palette reads
// P8 texels as opaque black and writes index 0.
void ReadRow(D3DFORMAT format, const void* src, UINT width, Rgba* out, Palette palette = nullptr);
void WriteRow(D3DFORMAT format, const Rgba* in, UINT width, void* dst, Palette palette = nullptr);
void ReadRowArgb(D3DFORMAT format, const void* src, UINT width, D3DCOLOR* out, Palette palette = nullptr);
void WriteRowArgb(D3DFORMAT format, const D3DCOLOR* in, UINT width, void* dst, Palette palette = nullptr);

Rgba ArgbToRgba(D3DCOLOR color);
D3DCOLOR RgbaToArgb(const Rgba& color);

float HalfToFloat(WORD half);
WORD FloatToHalf(float value);

}  // namespace vestra::formats
