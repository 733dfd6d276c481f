// A decoded image file held in memory in a D3DFORMAT: one or more faces, each a chain of
// mip levels, each level a stack of depth slices, every level tightly packed.
#pragma once

#include <d3dx9tex.h>

#include <vector>

namespace vestra::image {

struct Image {
    D3DFORMAT format = D3DFMT_UNKNOWN;
    UINT width = 0;
    UINT height = 0;
    UINT depth = 1;  // slices of a volume texture, 1 otherwise
    UINT faces = 1;  // 6 for a cube map, in the order +X, -X, +Y, -Y, +Z, -Z
    UINT mipLevels = 1;
    D3DRESOURCETYPE resourceType = D3DRTYPE_TEXTURE;
    D3DXIMAGE_FILEFORMAT fileFormat = D3DXIFF_BMP;
    // 256 entries in PALETTEENTRY layout (red, green, blue, alpha) for P8 and A8P8.
    std::vector<BYTE> palette;
    // levels[face * mipLevels + level]
    std::vector<std::vector<BYTE>> levels;

    UINT LevelWidth(UINT level) const;
    UINT LevelHeight(UINT level) const;
    UINT LevelDepth(UINT level) const;
    UINT LevelRowPitch(UINT level) const;
    // Bytes of one depth slice of a level.
    UINT LevelSliceSize(UINT level) const;
    std::vector<BYTE>& Level(UINT face, UINT level) { return levels[face * mipLevels + level]; }
    const std::vector<BYTE>& Level(UINT face, UINT level) const { return levels[face * mipLevels + level]; }

    // Sizes the level storage for the current description.
    void Allocate();
    D3DXIMAGE_INFO Info() const;
};

// Largest width or height accepted from an image file other than DDS (where the file
// itself must hold every byte), so a corrupt header cannot demand gigabytes.
constexpr UINT kMaxImageDimension = 16384;

}  // namespace vestra::image
