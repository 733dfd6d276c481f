#include "d3dx9/image/TextureAccess.h"

#include <cstring>

#include "formats/FormatInfo.h"
#include "formats/PackedArgb.h"
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

// Box-filters the levels after `level` of a 2D A8R8G8B8 or X8R8G8B8 face while each step
// halves even sides, in integers; `level` ends at the last level made (or where it was).
HRESULT HalvePackedLevels(IDirect3DBaseTexture9* texture, UINT face, UINT& level)
{
    LevelShape from{};
    HRESULT hr = GetLevelShape(texture, level, from);
    if (FAILED(hr) || !formats::IsPackedArgb(from.format) || from.depth != 1 ||
        level + 1 >= texture->GetLevelCount() || !formats::CanHalvePackedArgb(from.width, from.height))
        return hr;
    std::vector<BYTE> bytes;
    hr = ReadLevelBytes(texture, face, level, bytes);
    if (FAILED(hr))
        return hr;
    std::vector<D3DCOLOR> previous(bytes.size() / 4), next;
    std::memcpy(previous.data(), bytes.data(), previous.size() * 4);
    while (level + 1 < texture->GetLevelCount() && formats::CanHalvePackedArgb(from.width, from.height)) {
        const LevelShape to{from.format, formats::MipSize(from.width, 1), formats::MipSize(from.height, 1), 1};
        next.resize(static_cast<size_t>(to.width) * to.height);
        formats::HalvePackedArgb(from.format, previous.data(), from.width, from.height, next.data());
        hr = WriteLevelBytes(texture, face, level + 1, next.data(), next.size() * 4);
        if (FAILED(hr))
            return hr;
        previous.swap(next);
        from = to;
        ++level;
    }
    return D3D_OK;
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
    return WriteLevelBytes(texture, face, level, bytes.data(), bytes.size());
}

HRESULT WriteLevelBytes(IDirect3DBaseTexture9* texture, UINT face, UINT level, const void* bytes, size_t size)
{
    const BYTE* source = static_cast<const BYTE*>(bytes);
    return ForEachSlice(texture, face, level, 0, [&](BYTE* bits, UINT pitch, const LevelShape& shape, UINT z) {
        const UINT rowBytes = formats::RowPitch(shape.format, shape.width);
        const UINT rows = formats::RowCount(shape.format, shape.height);
        const size_t slice = static_cast<size_t>(rowBytes) * rows;
        if (size < slice * (z + 1))
            return false;
        for (UINT y = 0; y < rows; ++y)
            std::memcpy(bits + static_cast<size_t>(y) * pitch, source + slice * z + static_cast<size_t>(y) * rowBytes,
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
        UINT start = sourceLevel;
        HRESULT hr = filter == formats::Filter::Box ? HalvePackedLevels(texture, face, start) : D3D_OK;
        if (FAILED(hr))
            return hr;
        if (start + 1 >= levels)
            continue;
        std::vector<formats::Rgba> previous;
        hr = ReadLevel(texture, face, start, palette, previous);
        if (FAILED(hr))
            return hr;
        LevelShape from{};
        GetLevelShape(texture, start, from);
        for (UINT level = start + 1; level < levels; ++level) {
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
