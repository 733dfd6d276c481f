// Reading and writing whole levels of textures, cube textures and volume textures through
// their public interfaces, as float RGBA or as raw bytes of the texture's own format.
#pragma once

#include <vector>

#include <d3dx9tex.h>

#include "formats/PixelConvert.h"
#include "formats/Resample.h"

namespace vestra::image {

struct LevelShape {
    D3DFORMAT format;
    UINT width, height, depth;
};

UINT FaceCount(IDirect3DBaseTexture9* texture);
HRESULT GetLevelShape(IDirect3DBaseTexture9* texture, UINT level, LevelShape& shape);

// Volume levels are read and written slice after slice.
HRESULT ReadLevel(IDirect3DBaseTexture9* texture, UINT face, UINT level, formats::Palette palette,
                  std::vector<formats::Rgba>& out);
HRESULT WriteLevel(IDirect3DBaseTexture9* texture, UINT face, UINT level, formats::Palette palette,
                   const std::vector<formats::Rgba>& texels);
// `bytes` holds the level tightly packed in the texture's format.
HRESULT WriteLevelBytes(IDirect3DBaseTexture9* texture, UINT face, UINT level, const std::vector<BYTE>& bytes);
HRESULT WriteLevelBytes(IDirect3DBaseTexture9* texture, UINT face, UINT level, const void* bytes, size_t size);
HRESULT ReadLevelBytes(IDirect3DBaseTexture9* texture, UINT face, UINT level, std::vector<BYTE>& bytes);

// Fills levels after `sourceLevel` of every face, each from the one before it. Box-filtered
// A8R8G8B8 and X8R8G8B8 levels of even sizes are averaged in integers.
HRESULT GenerateMipLevels(IDirect3DBaseTexture9* texture, UINT sourceLevel, formats::Filter filter,
                          formats::Palette palette);

}  // namespace vestra::image
