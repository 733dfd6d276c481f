// The texels the rasterizer samples for a 2D texture: its mip levels as A8R8G8B8.
//
// A texture already in that format is sampled in place. Any other format the formats
// module can read (16-bit, X8R8G8B8, luminance, DXTn, ...) is converted level by level at
// the first draw that samples it, and a level is converted again only after it changed
// (its surface version moved on: a write lock, a copy into it, or rendering to it).
#pragma once

#include <vector>

#include "d3d9/raster/Pipeline.h"

namespace vestra::d3d9 {

class CTexture;

class TextureSampling {
public:
    // Null when the texture's format cannot be sampled (the stage then reads no texture).
    const raster::Texture* View(const CTexture& texture);

private:
    raster::Texture view_{};
    std::vector<std::vector<BYTE>> converted_;
    std::vector<UINT64> versions_;
};

}  // namespace vestra::d3d9
