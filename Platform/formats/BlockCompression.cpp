#include "formats/BlockCompression.h"

#include <algorithm>
#include <cstdint>

namespace vestra::formats {
namespace {

struct Colour {
    int r, g, b;
};

Colour Expand565(WORD c)
{
    const int r5 = (c >> 11) & 0x1F, g6 = (c >> 5) & 0x3F, b5 = c & 0x1F;
    return {(r5 << 3) | (r5 >> 2), (g6 << 2) | (g6 >> 4), (b5 << 3) | (b5 >> 2)};
}

WORD Pack565(const Colour& c)
{
    const int r5 = (c.r * 31 + 127) / 255, g6 = (c.g * 63 + 127) / 255, b5 = (c.b * 31 + 127) / 255;
    return static_cast<WORD>((r5 << 11) | (g6 << 5) | b5);
}

Colour Mix(const Colour& a, int wa, const Colour& b, int wb)
{
    const int total = wa + wb;
    return {(a.r * wa + b.r * wb) / total, (a.g * wa + b.g * wb) / total, (a.b * wa + b.b * wb) / total};
}

D3DCOLOR ToArgb(const Colour& c, int alpha)
{
    return (static_cast<D3DCOLOR>(alpha) << 24) | (static_cast<D3DCOLOR>(c.r) << 16) |
           (static_cast<D3DCOLOR>(c.g) << 8) | static_cast<D3DCOLOR>(c.b);
}

WORD LoadWord(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
void StoreWord(BYTE* p, WORD w)
{
    p[0] = static_cast<BYTE>(w);
    p[1] = static_cast<BYTE>(w >> 8);
}

// Builds the four palette entries of a colour block; returns whether index 3 is transparent.
bool ColourPalette(WORD c0, WORD c1, bool allowThreeColour, Colour palette[4])
{
    palette[0] = Expand565(c0);
    palette[1] = Expand565(c1);
    if (allowThreeColour && c0 <= c1) {
        palette[2] = Mix(palette[0], 1, palette[1], 1);
        palette[3] = {0, 0, 0};
        return true;
    }
    palette[2] = Mix(palette[0], 2, palette[1], 1);
    palette[3] = Mix(palette[0], 1, palette[1], 2);
    return false;
}

void DecodeColourBlock(const BYTE* block, bool allowThreeColour, D3DCOLOR out[16])
{
    Colour palette[4];
    const bool transparentIndex3 = ColourPalette(LoadWord(block), LoadWord(block + 2), allowThreeColour, palette);
    const std::uint32_t indices = block[4] | (block[5] << 8) | (block[6] << 16) | (static_cast<std::uint32_t>(block[7]) << 24);
    for (int i = 0; i < 16; ++i) {
        const int index = (indices >> (2 * i)) & 3;
        out[i] = ToArgb(palette[index], transparentIndex3 && index == 3 ? 0 : 255);
    }
}

void AlphaPalette(int a0, int a1, int palette[8])
{
    palette[0] = a0;
    palette[1] = a1;
    if (a0 > a1) {
        for (int i = 1; i <= 6; ++i)
            palette[i + 1] = ((7 - i) * a0 + i * a1) / 7;
    } else {
        for (int i = 1; i <= 4; ++i)
            palette[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        palette[6] = 0;
        palette[7] = 255;
    }
}

int Distance(const Colour& a, const Colour& b)
{
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

Colour ColourOf(D3DCOLOR c) { return {static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>(c & 0xFF)}; }

void EncodeColourBlock(const D3DCOLOR in[16], bool dxt1, BYTE* block)
{
    bool transparent[16] = {};
    bool anyTransparent = false;
    for (int i = 0; i < 16; ++i) {
        transparent[i] = dxt1 && (in[i] >> 24) < 128;
        anyTransparent |= transparent[i];
    }

    // Principal direction estimated by the bounding box, its diagonal turned to follow the
    // sign of each channel's covariance with the widest channel (colours running from red to
    // blue lie on the anti-diagonal of their box).
    Colour lo{255, 255, 255}, hi{0, 0, 0};
    Colour sum{0, 0, 0};
    int opaque = 0;
    for (int i = 0; i < 16; ++i) {
        if (transparent[i])
            continue;
        const Colour c = ColourOf(in[i]);
        lo = {std::min(lo.r, c.r), std::min(lo.g, c.g), std::min(lo.b, c.b)};
        hi = {std::max(hi.r, c.r), std::max(hi.g, c.g), std::max(hi.b, c.b)};
        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        ++opaque;
    }
    int axis[3] = {0, 0, 0};
    Colour minEnd{0, 0, 0}, maxEnd{0, 0, 0};
    if (opaque > 0) {
        const int extent[3] = {hi.r - lo.r, hi.g - lo.g, hi.b - lo.b};
        const int widest = extent[1] >= extent[0] && extent[1] >= extent[2] ? 1 : (extent[0] >= extent[2] ? 0 : 2);
        long covariance[3] = {0, 0, 0};
        for (int i = 0; i < 16; ++i) {
            if (transparent[i])
                continue;
            const Colour c = ColourOf(in[i]);
            const long d[3] = {c.r * opaque - sum.r, c.g * opaque - sum.g, c.b * opaque - sum.b};
            for (int k = 0; k < 3; ++k)
                covariance[k] += d[k] * d[widest];
        }
        for (int k = 0; k < 3; ++k)
            axis[k] = covariance[k] < 0 ? -extent[k] : extent[k];

        long minProjection = 0, maxProjection = 0;
        bool first = true;
        for (int i = 0; i < 16; ++i) {
            if (transparent[i])
                continue;
            const Colour c = ColourOf(in[i]);
            const long projection = static_cast<long>(c.r) * axis[0] + static_cast<long>(c.g) * axis[1] +
                                    static_cast<long>(c.b) * axis[2];
            if (first || projection < minProjection) {
                minProjection = projection;
                minEnd = c;
            }
            if (first || projection > maxProjection) {
                maxProjection = projection;
                maxEnd = c;
            }
            first = false;
        }
    }

    WORD c0 = Pack565(maxEnd), c1 = Pack565(minEnd);
    // The mode is chosen by the endpoint order: c0 > c1 gives four colours, c0 <= c1 gives
    // three plus transparent.
    if (anyTransparent ? c0 > c1 : c0 < c1)
        std::swap(c0, c1);
    Colour palette[4];
    const bool threeColour = ColourPalette(c0, c1, dxt1, palette);
    const int candidates = threeColour ? 3 : 4;

    std::uint32_t indices = 0;
    for (int i = 0; i < 16; ++i) {
        int best = 3;
        if (!transparent[i]) {
            const Colour c = ColourOf(in[i]);
            best = 0;
            for (int k = 1; k < candidates; ++k) {
                if (Distance(c, palette[k]) < Distance(c, palette[best]))
                    best = k;
            }
        }
        indices |= static_cast<std::uint32_t>(best) << (2 * i);
    }
    StoreWord(block, c0);
    StoreWord(block + 2, c1);
    for (int i = 0; i < 4; ++i)
        block[4 + i] = static_cast<BYTE>(indices >> (8 * i));
}

void EncodeInterpolatedAlpha(const D3DCOLOR in[16], BYTE* block)
{
    int lo = 255, hi = 0;
    for (int i = 0; i < 16; ++i) {
        const int a = static_cast<int>(in[i] >> 24);
        lo = std::min(lo, a);
        hi = std::max(hi, a);
    }
    int palette[8];
    AlphaPalette(hi, lo, palette);
    std::uint64_t bits = 0;
    for (int i = 0; i < 16; ++i) {
        const int a = static_cast<int>(in[i] >> 24);
        int best = 0;
        for (int k = 1; k < 8; ++k) {
            if (std::abs(a - palette[k]) < std::abs(a - palette[best]))
                best = k;
        }
        bits |= static_cast<std::uint64_t>(best) << (3 * i);
    }
    block[0] = static_cast<BYTE>(hi);
    block[1] = static_cast<BYTE>(lo);
    for (int i = 0; i < 6; ++i)
        block[2 + i] = static_cast<BYTE>(bits >> (8 * i));
}

D3DCOLOR Premultiply(D3DCOLOR c)
{
    const D3DCOLOR a = c >> 24;
    Colour colour = ColourOf(c);
    colour = {(colour.r * static_cast<int>(a) + 127) / 255, (colour.g * static_cast<int>(a) + 127) / 255,
              (colour.b * static_cast<int>(a) + 127) / 255};
    return ToArgb(colour, static_cast<int>(a));
}

D3DCOLOR Unpremultiply(D3DCOLOR c)
{
    const int a = static_cast<int>(c >> 24);
    if (a == 0 || a == 255)
        return c;
    const Colour colour = ColourOf(c);
    auto undo = [a](int v) { return std::min(255, (v * 255 + a / 2) / a); };
    return ToArgb({undo(colour.r), undo(colour.g), undo(colour.b)}, a);
}

}  // namespace

bool IsDxtFormat(D3DFORMAT format)
{
    return format == D3DFMT_DXT1 || format == D3DFMT_DXT2 || format == D3DFMT_DXT3 || format == D3DFMT_DXT4 ||
           format == D3DFMT_DXT5;
}

void DecodeDxtBlock(D3DFORMAT format, const BYTE* block, D3DCOLOR out[16])
{
    if (format == D3DFMT_DXT1) {
        DecodeColourBlock(block, true, out);
        return;
    }
    DecodeColourBlock(block + 8, false, out);
    if (format == D3DFMT_DXT2 || format == D3DFMT_DXT3) {
        for (int i = 0; i < 16; ++i) {
            const int a4 = (block[i / 2] >> (4 * (i % 2))) & 0xF;
            out[i] = (out[i] & 0x00FFFFFF) | (static_cast<D3DCOLOR>(a4 * 17) << 24);
        }
    } else {
        int palette[8];
        AlphaPalette(block[0], block[1], palette);
        std::uint64_t bits = 0;
        for (int i = 0; i < 6; ++i)
            bits |= static_cast<std::uint64_t>(block[2 + i]) << (8 * i);
        for (int i = 0; i < 16; ++i) {
            const int a = palette[(bits >> (3 * i)) & 7];
            out[i] = (out[i] & 0x00FFFFFF) | (static_cast<D3DCOLOR>(a) << 24);
        }
    }
    if (format == D3DFMT_DXT2 || format == D3DFMT_DXT4) {
        for (int i = 0; i < 16; ++i)
            out[i] = Unpremultiply(out[i]);
    }
}

void EncodeDxtBlock(D3DFORMAT format, const D3DCOLOR in[16], BYTE* block)
{
    if (format == D3DFMT_DXT1) {
        EncodeColourBlock(in, true, block);
        return;
    }
    const bool explicitAlpha = format == D3DFMT_DXT2 || format == D3DFMT_DXT3;
    D3DCOLOR texels[16];
    for (int i = 0; i < 16; ++i) {
        texels[i] = in[i];
        if (explicitAlpha) {
            // Quantise alpha first so DXT2 premultiplies by the alpha it actually stores.
            const D3DCOLOR a4 = ((in[i] >> 24) * 15 + 127) / 255;
            texels[i] = (in[i] & 0x00FFFFFF) | ((a4 * 17) << 24);
        }
        if (format == D3DFMT_DXT2 || format == D3DFMT_DXT4)
            texels[i] = Premultiply(texels[i]);
    }
    if (explicitAlpha) {
        for (int i = 0; i < 8; ++i)
            block[i] = static_cast<BYTE>(((texels[2 * i] >> 24) / 17) | (((texels[2 * i + 1] >> 24) / 17) << 4));
    } else {
        EncodeInterpolatedAlpha(texels, block);
    }
    EncodeColourBlock(texels, false, block + 8);
}

}  // namespace vestra::formats
