#include "d3dx9/image/Image.h"

#include "formats/FormatInfo.h"
#include "formats/Resample.h"

namespace vestra::image {

UINT Image::LevelWidth(UINT level) const { return formats::MipSize(width, level); }
UINT Image::LevelHeight(UINT level) const { return formats::MipSize(height, level); }
UINT Image::LevelDepth(UINT level) const { return formats::MipSize(depth, level); }
UINT Image::LevelRowPitch(UINT level) const { return formats::RowPitch(format, LevelWidth(level)); }
UINT Image::LevelSliceSize(UINT level) const
{
    return formats::SurfaceSize(format, LevelWidth(level), LevelHeight(level));
}

void Image::Allocate()
{
    levels.assign(static_cast<size_t>(faces) * mipLevels, {});
    for (UINT face = 0; face < faces; ++face) {
        for (UINT level = 0; level < mipLevels; ++level)
            Level(face, level).resize(static_cast<size_t>(LevelSliceSize(level)) * LevelDepth(level));
    }
}

D3DXIMAGE_INFO Image::Info() const
{
    return D3DXIMAGE_INFO{width, height, depth, mipLevels, format, resourceType, fileFormat};
}

}  // namespace vestra::image
