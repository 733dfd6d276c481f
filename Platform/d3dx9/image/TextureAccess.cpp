#include "d3dx9/image/TextureAccess.h"

#include <cstring>

#include "formats/FormatInfo.h"
#include "formats/Resample.h"
#include "formats/SurfaceConvert.h"

namespace vestra::image {
namespace {

// One locked level: `slices` stacked 2D images.
struct Locked {
    BYTE* bits;
    UINT rowPitch;
    UINT slicePitch;
};

HRESULT Lock(IDirect3DBaseTexture9* texture, UINT face, UINT level, DWORD flags, Locked& out)
{
    HRESULT hr = D3DERR_INVALIDCALL;
    switch (texture->GetType()) {
    case D3DRTYPE_TEXTURE: {
        D3DLOCKED_RECT rect{};
        hr = static_cast<IDirect3DTexture9*>(texture)->LockRect(level, &rect, nullptr, flags);
        out = {static_cast<BYTE*>(rect.pBits), static_cast<UINT>(rect.Pitch), 0};
        break;
    }
    case D3DRTYPE_CUBETEXTURE: {
        D3DLOCKED_RECT rect{};
        hr = static_cast<IDirect3DCubeTexture9*>(texture)->LockRect(static_cast<D3DCUBEMAP_FACES>(face), level, &rect,
                                                                    nullptr, flags);
        out = {static_cast<BYTE*>(rect.pBits), static_cast<UINT>(rect.Pitch), 0};
        break;
    }
    case D3DRTYPE_VOLUMETEXTURE: {
        D3DLOCKED_BOX box{};
        hr = static_cast<IDirect3DVolumeTexture9*>(texture)->LockBox(level, &box, nullptr, flags);
        out = {static_cast<BYTE*>(box.pBits), static_cast<UINT>(box.RowPitch), static_cast<UINT>(box.SlicePitch)};
        break;
    }
    default: break;
    }
    return hr;
}

void Unlock(IDirect3DBaseTexture9* texture, UINT face, UINT level)
{
    switch (texture->GetType()) {
    case D3DRTYPE_TEXTURE: static_cast<IDirect3DTexture9*>(texture)->UnlockRect(level); break;
    case D3DRTYPE_CUBETEXTURE:
        static_cast<IDirect3DCubeTexture9*>(texture)->UnlockRect(static_cast<D3DCUBEMAP_FACES>(face), level);
        break;
    case D3DRTYPE_VOLUMETEXTURE: static_cast<IDirect3DVolumeTexture9*>(texture)->UnlockBox(level); break;
    default: break;
    }
}

// Runs `work(slice bits, row pitch, shape)` for each slice of a locked level.
template <typename Work>
HRESULT ForEachSlice(IDirect3DBaseTexture9* texture, UINT face, UINT level, DWORD flags, Work work)
{
    LevelShape shape{};
    HRESULT hr = GetLevelShape(texture, level, shape);
    if (FAILED(hr))
        return hr;
    Locked locked{};
    hr = Lock(texture, face, level, flags, locked);
    if (FAILED(hr))
        return hr;
    bool ok = true;
    for (UINT z = 0; z < shape.depth && ok; ++z)
        ok = work(locked.bits + static_cast<size_t>(z) * locked.slicePitch, locked.rowPitch, shape, z);
    Unlock(texture, face, level);
    return ok ? D3D_OK : D3DERR_INVALIDCALL;
}

}  // namespace

UINT FaceCount(IDirect3DBaseTexture9* texture) { return texture->GetType() == D3DRTYPE_CUBETEXTURE ? 6 : 1; }

HRESULT GetLevelShape(IDirect3DBaseTexture9* texture, UINT level, LevelShape& shape)
{
    HRESULT hr = D3DERR_INVALIDCALL;
    D3DSURFACE_DESC desc{};
    switch (texture->GetType()) {
    case D3DRTYPE_TEXTURE:
        hr = static_cast<IDirect3DTexture9*>(texture)->GetLevelDesc(level, &desc);
        shape = {desc.Format, desc.Width, desc.Height, 1};
        break;
    case D3DRTYPE_CUBETEXTURE:
        hr = static_cast<IDirect3DCubeTexture9*>(texture)->GetLevelDesc(level, &desc);
        shape = {desc.Format, desc.Width, desc.Height, 1};
        break;
    case D3DRTYPE_VOLUMETEXTURE: {
        D3DVOLUME_DESC volume{};
        hr = static_cast<IDirect3DVolumeTexture9*>(texture)->GetLevelDesc(level, &volume);
        shape = {volume.Format, volume.Width, volume.Height, volume.Depth};
        break;
    }
    default: break;
    }
    return hr;
}

HRESULT ReadLevel(IDirect3DBaseTexture9* texture, UINT face, UINT level, formats::Palette palette,
                  std::vector<formats::Rgba>& out)
{
    return ForEachSlice(texture, face, level, D3DLOCK_READONLY,
                        [&](const BYTE* bits, UINT pitch, const LevelShape& shape, UINT z) {
                            const size_t slice = static_cast<size_t>(shape.width) * shape.height;
                            out.resize(slice * shape.depth);
                            return formats::DecodeSurface(shape.format, bits, pitch, shape.width, shape.height,
                                                          out.data() + slice * z, palette);
                        });
}

HRESULT WriteLevel(IDirect3DBaseTexture9* texture, UINT face, UINT level, formats::Palette palette,
                   const std::vector<formats::Rgba>& texels)
{
    return ForEachSlice(texture, face, level, 0, [&](BYTE* bits, UINT pitch, const LevelShape& shape, UINT z) {
        const size_t slice = static_cast<size_t>(shape.width) * shape.height;
        return texels.size() >= slice * shape.depth &&
               formats::EncodeSurface(shape.format, texels.data() + slice * z, shape.width, shape.height, bits, pitch,
                                      palette);
    });
}

HRESULT WriteLevelBytes(IDirect3DBaseTexture9* texture, UINT face, UINT level, const std::vector<BYTE>& bytes)
{
    return ForEachSlice(texture, face, level, 0, [&](BYTE* bits, UINT pitch, const LevelShape& shape, UINT z) {
        const UINT rowBytes = formats::RowPitch(shape.format, shape.width);
        const UINT rows = formats::RowCount(shape.format, shape.height);
        const size_t slice = static_cast<size_t>(rowBytes) * rows;
        if (bytes.size() < slice * (z + 1))
            return false;
        for (UINT y = 0; y < rows; ++y)
            std::memcpy(bits + static_cast<size_t>(y) * pitch, bytes.data() + slice * z + static_cast<size_t>(y) * rowBytes,
                        rowBytes);
        return true;
    });
}

HRESULT ReadLevelBytes(IDirect3DBaseTexture9* texture, UINT face, UINT level, std::vector<BYTE>& bytes)
{
    return ForEachSlice(texture, face, level, D3DLOCK_READONLY,
                        [&](const BYTE* bits, UINT pitch, const LevelShape& shape, UINT z) {
                            const UINT rowBytes = formats::RowPitch(shape.format, shape.width);
                            const UINT rows = formats::RowCount(shape.format, shape.height);
                            const size_t slice = static_cast<size_t>(rowBytes) * rows;
                            bytes.resize(slice * shape.depth);
                            for (UINT y = 0; y < rows; ++y)
                                std::memcpy(bytes.data() + slice * z + static_cast<size_t>(y) * rowBytes,
                                            bits + static_cast<size_t>(y) * pitch, rowBytes);
                            return true;
                        });
}

HRESULT GenerateMipLevels(IDirect3DBaseTexture9* texture, UINT sourceLevel, formats::Filter filter,
                          formats::Palette palette)
{
    const UINT levels = texture->GetLevelCount();
    if (sourceLevel >= levels)
        return D3DERR_INVALIDCALL;
    for (UINT face = 0; face < FaceCount(texture); ++face) {
        std::vector<formats::Rgba> previous;
        HRESULT hr = ReadLevel(texture, face, sourceLevel, palette, previous);
        if (FAILED(hr))
            return hr;
        LevelShape from{};
        GetLevelShape(texture, sourceLevel, from);
        for (UINT level = sourceLevel + 1; level < levels; ++level) {
            LevelShape to{};
            GetLevelShape(texture, level, to);
            std::vector<formats::Rgba> next(static_cast<size_t>(to.width) * to.height * to.depth);
            formats::Resample(previous.data(), from.width, from.height, from.depth, next.data(), to.width, to.height,
                              to.depth, filter);
            hr = WriteLevel(texture, face, level, palette, next);
            if (FAILED(hr))
                return hr;
            previous = std::move(next);
            from = to;
        }
    }
    return D3D_OK;
}

}  // namespace vestra::image
