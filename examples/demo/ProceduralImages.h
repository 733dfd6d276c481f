// The demo's own pictures, drawn by code at start-up: flip-book strips for the bitstrip
// nodes, particle textures and the banner of the background panel.
#pragma once

#include <d3dx9.h>

#include <string>

#include "R1Media.h"

namespace demo {

constexpr UINT kStripFrameSize = 64;
constexpr UINT kCoinFrames = 16;
constexpr UINT kFlameFrames = 8;

// A gold coin turning about its vertical axis, one revolution over the strip.
r1::Image CoinStrip();
// A flame whose tongues flicker, frame after frame; alpha fades towards its edges.
r1::Image FlameStrip();
// White discs with alpha falling to 0 at the rim: `hardness` 1 is soft (a glow), larger
// values keep a brighter core.
r1::Image SoftDisc(UINT size, float hardness);
// A dark translucent banner with a frame and the word VESTRA in block letters.
r1::Image Banner();

// The file names the images are written under.
inline constexpr const char* kCoinFileName = "coin_strip.png";
inline constexpr const char* kFlameFileName = "flame_strip.png";
inline constexpr const char* kSparkFileName = "spark.png";
inline constexpr const char* kGlowFileName = "glow.png";
inline constexpr const char* kBannerFileName = "banner.png";

// Writes every image above into `folder` (with a trailing separator).
HRESULT WriteDemoMedia(IDirect3DDevice9* device, const std::string& folder);

} // namespace demo
