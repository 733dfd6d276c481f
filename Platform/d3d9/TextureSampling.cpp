#include "d3d9/TextureSampling.h"

#include <algorithm>

#include "d3d9/Texture.h"
#include "formats/BlockCompression.h"
#include "formats/PixelConvert.h"

namespace vestra::d3d9 {

namespace {

bool CanSample(D3DFORMAT format) { return formats::CanConvertRows(format) || formats::IsDxtFormat(format); }

void ConvertLevel(const CSurface& level, std::vector<BYTE>& out) {
    const D3DSURFACE_DESC& desc = level.Desc();
    const UINT width = desc.Width;
    const UINT height = desc.Height;
    out.resize(static_cast<size_t>(width) * height * 4);
    auto* texels = reinterpret_cast<D3DCOLOR*>(out.data());
    const BYTE* bits = level.Bits();
    if (!formats::IsDxtFormat(desc.Format)) {
        for (UINT y = 0; y < height; ++y)
            formats::ReadRowArgb(desc.Format, bits + static_cast<size_t>(y) * level.Pitch(), width,
                                 texels + static_cast<size_t>(y) * width);
        return;
    }
    const UINT blockBytes = (desc.Format == D3DFMT_DXT1) ? 8 : 16;
    D3DCOLOR block[16];
    for (UINT by = 0; by < (height + 3) / 4; ++by) {
        for (UINT bx = 0; bx < (width + 3) / 4; ++bx) {
            formats::DecodeDxtBlock(desc.Format, bits + static_cast<size_t>(by) * level.Pitch() + bx * blockBytes,
                                    block);
            for (UINT y = 0; y < 4 && by * 4 + y < height; ++y)
                for (UINT x = 0; x < 4 && bx * 4 + x < width; ++x)
                    texels[static_cast<size_t>(by * 4 + y) * width + bx * 4 + x] = block[4 * y + x];
        }
    }
}

}  // namespace

const raster::Texture* TextureSampling::View(const CTexture& texture) {
    const UINT levels = std::min<UINT>(texture.LevelCount(), raster::kMaxTextureLevels);
    const D3DFORMAT format = texture.Level(0)->Desc().Format;
    view_.levelCount = levels;
    if (format == D3DFMT_A8R8G8B8) {
        for (UINT i = 0; i < levels; ++i) {
            const CSurface& level = *texture.Level(i);
            view_.levels[i] = {level.Desc().Width, level.Desc().Height, static_cast<INT>(level.Pitch()), level.Bits()};
        }
        return &view_;
    }
    if (!CanSample(format)) return nullptr;
    converted_.resize(levels);
    versions_.resize(levels, ~UINT64{0});
    for (UINT i = 0; i < levels; ++i) {
        const CSurface& level = *texture.Level(i);
        if (versions_[i] != level.Version() || converted_[i].empty()) {
            ConvertLevel(level, converted_[i]);
            versions_[i] = level.Version();
        }
        view_.levels[i] = {level.Desc().Width, level.Desc().Height, static_cast<INT>(level.Desc().Width * 4),
                           converted_[i].data()};
    }
    return &view_;
}

}  // namespace vestra::d3d9
