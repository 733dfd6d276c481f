#include "d3d9/TextureSampling.h"

#include <algorithm>

#include "d3d9/CubeTexture.h"
#include "d3d9/Texture.h"
#include "d3d9/VolumeTexture.h"
#include "formats/BlockCompression.h"
#include "formats/PixelConvert.h"

namespace vestra::d3d9 {

namespace {

bool CanSample(D3DFORMAT format) { return formats::CanConvertRows(format) || formats::IsDxtFormat(format); }

// Rows of `depth` slices, converted to packed A8R8G8B8 (pitch width * 4).
void Convert(D3DFORMAT format, const BYTE* bits, UINT width, UINT height, UINT depth, UINT rowPitch, UINT slicePitch,
             std::vector<BYTE>& out) {
    out.resize(static_cast<size_t>(width) * height * depth * 4);
    auto* texels = reinterpret_cast<D3DCOLOR*>(out.data());
    if (!formats::IsDxtFormat(format)) {
        for (UINT z = 0; z < depth; ++z)
            for (UINT y = 0; y < height; ++y)
                formats::ReadRowArgb(format, bits + static_cast<size_t>(z) * slicePitch + static_cast<size_t>(y) * rowPitch,
                                     width, texels + (static_cast<size_t>(z) * height + y) * width);
        return;
    }
    const UINT blockBytes = (format == D3DFMT_DXT1) ? 8 : 16;
    D3DCOLOR block[16];
    for (UINT by = 0; by < (height + 3) / 4; ++by) {
        for (UINT bx = 0; bx < (width + 3) / 4; ++bx) {
            formats::DecodeDxtBlock(format, bits + static_cast<size_t>(by) * rowPitch + bx * blockBytes, block);
            for (UINT y = 0; y < 4 && by * 4 + y < height; ++y)
                for (UINT x = 0; x < 4 && bx * 4 + x < width; ++x)
                    texels[static_cast<size_t>(by * 4 + y) * width + bx * 4 + x] = block[4 * y + x];
        }
    }
}

}  // namespace

void TextureSampling::SetLevel(UINT slot, D3DFORMAT format, const BYTE* bits, UINT width, UINT height, UINT depth,
                               UINT rowPitch, UINT slicePitch, UINT64 version) {
    raster::TextureLevel& level = view_.levels[slot];
    if (format == D3DFMT_A8R8G8B8) {
        level = {width, height, static_cast<INT>(rowPitch), bits, depth, static_cast<INT>(slicePitch)};
        return;
    }
    if (converted_.size() <= slot) {
        converted_.resize(slot + 1);
        versions_.resize(slot + 1, ~UINT64{0});
    }
    if (versions_[slot] != version || converted_[slot].empty()) {
        Convert(format, bits, width, height, depth, rowPitch, slicePitch, converted_[slot]);
        versions_[slot] = version;
    }
    level = {width, height, static_cast<INT>(width * 4), converted_[slot].data(), depth,
             static_cast<INT>(width * height * 4)};
}

const raster::Texture* TextureSampling::View(const CTexture& texture) {
    const D3DFORMAT format = texture.Level(0)->Desc().Format;
    if (!CanSample(format)) return nullptr;
    view_.shape = raster::TextureShape::Planar;
    view_.levelCount = std::min<UINT>(texture.LevelCount(), raster::kMaxTextureLevels);
    for (UINT i = 0; i < view_.levelCount; ++i) {
        const CSurface& level = *texture.Level(i);
        SetLevel(i, format, level.Bits(), level.Desc().Width, level.Desc().Height, 1, level.Pitch(), 0,
                 level.Version());
    }
    return &view_;
}

const raster::Texture* TextureSampling::View(const CCubeTexture& texture) {
    const D3DFORMAT format = texture.Face(0, 0)->Desc().Format;
    if (!CanSample(format)) return nullptr;
    view_.shape = raster::TextureShape::Cube;
    view_.levelCount = std::min<UINT>(texture.LevelCount(), raster::kMaxTextureLevels);
    for (UINT face = 0; face < raster::kCubeFaces; ++face) {
        for (UINT i = 0; i < view_.levelCount; ++i) {
            const CSurface& level = *texture.Face(face, i);
            SetLevel(face * raster::kMaxTextureLevels + i, format, level.Bits(), level.Desc().Width,
                     level.Desc().Height, 1, level.Pitch(), 0, level.Version());
        }
    }
    return &view_;
}

// Block-compressed volumes are not sampled.
const raster::Texture* TextureSampling::View(const CVolumeTexture& texture) {
    const D3DFORMAT format = texture.Level(0)->Desc().Format;
    if (!formats::CanConvertRows(format)) return nullptr;
    view_.shape = raster::TextureShape::Volume;
    view_.levelCount = std::min<UINT>(texture.LevelCount(), raster::kMaxTextureLevels);
    for (UINT i = 0; i < view_.levelCount; ++i) {
        const CVolume& level = *texture.Level(i);
        const D3DVOLUME_DESC& desc = level.Desc();
        SetLevel(i, format, level.Bits(), desc.Width, desc.Height, desc.Depth, level.RowPitch(), level.SlicePitch(),
                 level.Version());
    }
    return &view_;
}

}  // namespace vestra::d3d9
