// The textures of R1, drawn by code so the scene needs no files: a sky face per cube side
// (a gradient with a checker of stripes, tinted per face so each side is recognisable), a
// checkered ground, a soft white disc with alpha falling to zero at its rim for the
// billboards and the same disc premultiplied for the additive sprites.
#pragma once

#include <d3d9.h>

#include <string>
#include <vector>

namespace r1 {

struct Image {
    UINT width = 0;
    UINT height = 0;
    std::vector<D3DCOLOR> texels;  // A8R8G8B8, rows top to bottom
};

// Face order +x, -x, +y, -y, +z, -z.
Image SkyFace(UINT face);
Image Ground();
Image Billboard();
Image Sprite();

// The file names the media are written under, so hosts that load through files agree.
const char* SkyFaceFileName(UINT face);  // "r1_sky_px.png" ...
inline constexpr const char* kGroundFileName = "r1_ground.png";
inline constexpr const char* kBillboardFileName = "r1_billboard.png";
inline constexpr const char* kSpriteFileName = "r1_sprite.png";

// A managed A8R8G8B8 texture holding the image, with a full box-filtered mip chain.
HRESULT CreateTexture(IDirect3DDevice9* device, const Image& image, IDirect3DTexture9** texture);

// Writes the image as a PNG file (through the device, which D3DX needs for surfaces).
HRESULT SaveImage(IDirect3DDevice9* device, const Image& image, const std::string& path);

// Writes every R1 image into `folder` (which must exist) under the names above.
HRESULT WriteMediaFiles(IDirect3DDevice9* device, const std::string& folder);

}  // namespace r1
