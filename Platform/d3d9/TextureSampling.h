// The texels the rasterizer samples for a texture: its mip levels (each face's, for a
// cube) as A8R8G8B8.
//
// Levels already in that format are sampled in place. Any other format the formats
// module can read (16-bit, X8R8G8B8, luminance, DXTn for 2D and cube textures, ...) is
// converted level by level at the first draw that samples it, and a level is converted
// again only after it changed (its version moved on: a write lock, a copy into it, or
// rendering to it). Views stay valid until the texture changes; the device flushes its
// queued draws before any change.
#pragma once

#include <vector>

#include "d3d9/raster/Pipeline.h"

namespace vestra::d3d9 {

class CTexture;
class CCubeTexture;
class CVolumeTexture;

class TextureSampling {
public:
    // Null when the texture's format cannot be sampled (the stage then reads no texture).
    const raster::Texture* View(const CTexture& texture);
    const raster::Texture* View(const CCubeTexture& texture);
    const raster::Texture* View(const CVolumeTexture& texture);

private:
    // Level `slot` of the view from memory in `format`; converts into converted_[slot]
    // when the format is not A8R8G8B8 and the copy is older than `version`.
    void SetLevel(UINT slot, D3DFORMAT format, const BYTE* bits, UINT width, UINT height, UINT depth, UINT rowPitch,
                  UINT slicePitch, UINT64 version);

    raster::Texture view_{};
    std::vector<std::vector<BYTE>> converted_;
    std::vector<UINT64> versions_;
};

}  // namespace vestra::d3d9
