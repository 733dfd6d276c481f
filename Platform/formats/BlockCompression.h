// DXT1..DXT5 4x4 blocks: decoding to A8R8G8B8 and a deterministic range-fit encoder.
#pragma once

#include <d3d9types.h>

namespace vestra::formats {

bool IsDxtFormat(D3DFORMAT format);

// Texel (x, y) of the block is out[4 * y + x]. DXT2 and DXT4 store premultiplied colour;
// decoding divides it back out so every decoded colour is straight.
void DecodeDxtBlock(D3DFORMAT format, const BYTE* block, D3DCOLOR out[16]);

// Endpoints are the extremes of the block's colours along the diagonal of their bounding
// box; each texel takes the nearest palette entry. DXT1 switches to its 3-colour mode when
// any texel has alpha below 128 and stores those texels as transparent. DXT2 and DXT4
// premultiply before encoding.
void EncodeDxtBlock(D3DFORMAT format, const D3DCOLOR in[16], BYTE* block);

}  // namespace vestra::formats
