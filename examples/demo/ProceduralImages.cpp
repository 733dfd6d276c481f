#include "ProceduralImages.h"

#include <algorithm>
#include <cmath>

namespace demo {

namespace {

int Channel(float value)
{
    return static_cast<int>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

D3DCOLOR Colour(float a, float r, float g, float b)
{
    return D3DCOLOR_ARGB(Channel(a), Channel(r), Channel(g), Channel(b));
}

r1::Image Blank(UINT width, UINT height)
{
    r1::Image image;
    image.width = width;
    image.height = height;
    image.texels.assign(static_cast<size_t>(width) * height, 0);
    return image;
}

D3DCOLOR& Texel(r1::Image& image, UINT x, UINT y)
{
    return image.texels[static_cast<size_t>(y) * image.width + x];
}

// A repeatable value in [0, 1) for integer coordinates: the flame's noise.
float Hash(int x, int y)
{
    unsigned int h = static_cast<unsigned int>(x) * 374761393u + static_cast<unsigned int>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65536.0f;
}

// Smoothly interpolated value noise.
float Noise(float x, float y)
{
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    const float fx = x - static_cast<float>(ix);
    const float fy = y - static_cast<float>(iy);
    const float sx = fx * fx * (3.0f - 2.0f * fx);
    const float sy = fy * fy * (3.0f - 2.0f * fy);
    const float top = Hash(ix, iy) + (Hash(ix + 1, iy) - Hash(ix, iy)) * sx;
    const float bottom = Hash(ix, iy + 1) + (Hash(ix + 1, iy + 1) - Hash(ix, iy + 1)) * sx;
    return top + (bottom - top) * sy;
}

// 5 x 7 block letters, one row per byte, most significant of the low five bits leftmost.
struct Glyph {
    char letter;
    unsigned char rows[7];
};
constexpr Glyph kGlyphs[] = {
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}}, {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}}, {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
};

const Glyph* FindGlyph(char letter)
{
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.letter == letter) {
            return &glyph;
        }
    }
    return nullptr;
}

} // namespace

r1::Image CoinStrip()
{
    const UINT size = kStripFrameSize;
    r1::Image image = Blank(size * kCoinFrames, size);
    const float radius = 0.42f * static_cast<float>(size);
    const float centre = 0.5f * static_cast<float>(size) - 0.5f;
    for (UINT frame = 0; frame < kCoinFrames; ++frame) {
        const float angle = 2.0f * D3DX_PI * static_cast<float>(frame) / static_cast<float>(kCoinFrames);
        // The face seen edge-on still shows the rim's thickness.
        const float squeeze = std::max(std::fabs(std::cos(angle)), 0.08f);
        const bool back = std::cos(angle) < 0.0f;
        for (UINT y = 0; y < size; ++y) {
            for (UINT x = 0; x < size; ++x) {
                const float u = (static_cast<float>(x) - centre) / (radius * squeeze);
                const float v = (static_cast<float>(y) - centre) / radius;
                const float r = std::sqrt(u * u + v * v);
                if (r > 1.0f) {
                    continue;
                }
                // Light from the upper left, a raised rim and an embossed ring on the face.
                float shade = 0.75f + 0.25f * (-u * 0.6f - v * 0.8f) * std::copysign(1.0f, std::sin(angle) + 0.01f);
                if (r > 0.86f) {
                    shade *= 0.8f;
                } else if (r > 0.58f && r < 0.66f) {
                    shade *= 1.15f;
                }
                if (back) {
                    shade *= 0.85f;
                }
                const float edge = std::clamp((1.0f - r) * radius * squeeze, 0.0f, 1.0f);
                Texel(image, frame * size + x, y) = Colour(edge, 1.0f * shade, 0.78f * shade, 0.25f * shade);
            }
        }
    }
    return image;
}

r1::Image FlameStrip()
{
    const UINT size = kStripFrameSize;
    r1::Image image = Blank(size * kFlameFrames, size);
    for (UINT frame = 0; frame < kFlameFrames; ++frame) {
        const float phase = static_cast<float>(frame) * 1.7f;
        for (UINT y = 0; y < size; ++y) {
            for (UINT x = 0; x < size; ++x) {
                // Height 0 at the base (bottom row), 1 at the top.
                const float h = 1.0f - static_cast<float>(y) / static_cast<float>(size - 1);
                const float across = (static_cast<float>(x) - 0.5f * static_cast<float>(size)) / (0.5f * size);
                const float sway = 0.18f * h * (Noise(h * 3.0f + phase, 7.0f) - 0.5f) * 2.0f;
                const float width = 0.55f * std::pow(1.0f - h, 0.7f) * (0.8f + 0.4f * Noise(h * 6.0f - phase, 3.0f));
                const float d = std::fabs(across - sway) / std::max(width, 0.01f);
                if (d >= 1.0f || h > 0.97f) {
                    continue;
                }
                const float heat = (1.0f - d) * (1.0f - 0.7f * h);
                const float alpha = std::clamp((1.0f - d) * 2.0f, 0.0f, 1.0f) * std::clamp((0.97f - h) * 8.0f, 0.0f, 1.0f);
                Texel(image, frame * size + x, y) =
                    Colour(alpha, 1.0f, std::clamp(heat * 1.6f, 0.15f, 1.0f), std::clamp(heat * heat * 1.5f - 0.3f, 0.0f, 1.0f));
            }
        }
    }
    return image;
}

r1::Image SoftDisc(UINT size, float hardness)
{
    r1::Image image = Blank(size, size);
    const float centre = 0.5f * static_cast<float>(size) - 0.5f;
    for (UINT y = 0; y < size; ++y) {
        for (UINT x = 0; x < size; ++x) {
            const float dx = (static_cast<float>(x) - centre) / centre;
            const float dy = (static_cast<float>(y) - centre) / centre;
            const float r = std::min(1.0f, std::sqrt(dx * dx + dy * dy));
            const float a = std::pow(1.0f - r, 2.0f / hardness);
            Texel(image, x, y) = Colour(a, a, a, a);
        }
    }
    return image;
}

r1::Image Banner()
{
    constexpr UINT width = 256, height = 64, scale = 4;
    r1::Image image = Blank(width, height);
    for (UINT y = 0; y < height; ++y) {
        for (UINT x = 0; x < width; ++x) {
            const bool frame = x < 3 || y < 3 || x >= width - 3 || y >= height - 3;
            const float t = static_cast<float>(y) / static_cast<float>(height);
            Texel(image, x, y) = frame ? Colour(0.9f, 0.95f, 0.75f, 0.3f) : Colour(0.6f, 0.05f, 0.08f + 0.1f * t, 0.2f + 0.2f * t);
        }
    }
    const char* const word = "VESTRA";
    const UINT letters = 6, advance = 6 * scale;
    const UINT left = (width - letters * advance + scale) / 2, top = (height - 7 * scale) / 2;
    for (UINT i = 0; i < letters; ++i) {
        const Glyph* glyph = FindGlyph(word[i]);
        for (UINT row = 0; row < 7 * scale; ++row) {
            for (UINT column = 0; column < 5 * scale; ++column) {
                if (glyph->rows[row / scale] & (0x10 >> (column / scale))) {
                    const float glow = 1.0f - 0.4f * static_cast<float>(row) / (7.0f * scale);
                    Texel(image, left + i * advance + column, top + row) = Colour(1.0f, 1.0f, 0.85f * glow + 0.15f, 0.4f * glow);
                }
            }
        }
    }
    return image;
}

HRESULT WriteDemoMedia(IDirect3DDevice9* device, const std::string& folder)
{
    const struct {
        r1::Image image;
        const char* name;
    } files[] = {
        {CoinStrip(), kCoinFileName},         {FlameStrip(), kFlameFileName}, {SoftDisc(32, 3.0f), kSparkFileName},
        {SoftDisc(64, 1.0f), kGlowFileName}, {Banner(), kBannerFileName},
    };
    for (const auto& file : files) {
        const HRESULT hr = r1::SaveImage(device, file.image, folder + file.name);
        if (FAILED(hr)) {
            return hr;
        }
    }
    return S_OK;
}

} // namespace demo
