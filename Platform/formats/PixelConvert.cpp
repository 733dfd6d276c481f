#include "formats/PixelConvert.h"

#include "formats/FormatInfo.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace vestra::formats {
namespace {

struct Channel {
    BYTE shift;
    BYTE bits;  // 0: the format lacks this channel
    bool isSigned;
};

// A format whose texel is one little-endian integer of 1 to 4 bytes with fixed bit fields.
struct PackedLayout {
    D3DFORMAT format;
    UINT bytes;
    Channel r, g, b, a;
    bool luminance;  // r holds luminance, replicated into g and b
};

constexpr Channel U(BYTE shift, BYTE bits) { return {shift, bits, false}; }
constexpr Channel S(BYTE shift, BYTE bits) { return {shift, bits, true}; }
constexpr Channel None{0, 0, false};

const PackedLayout kPacked[] = {
    {D3DFMT_R8G8B8, 3, U(16, 8), U(8, 8), U(0, 8), None, false},
    {D3DFMT_A8R8G8B8, 4, U(16, 8), U(8, 8), U(0, 8), U(24, 8), false},
    {D3DFMT_X8R8G8B8, 4, U(16, 8), U(8, 8), U(0, 8), None, false},
    {D3DFMT_R5G6B5, 2, U(11, 5), U(5, 6), U(0, 5), None, false},
    {D3DFMT_X1R5G5B5, 2, U(10, 5), U(5, 5), U(0, 5), None, false},
    {D3DFMT_A1R5G5B5, 2, U(10, 5), U(5, 5), U(0, 5), U(15, 1), false},
    {D3DFMT_A4R4G4B4, 2, U(8, 4), U(4, 4), U(0, 4), U(12, 4), false},
    {D3DFMT_X4R4G4B4, 2, U(8, 4), U(4, 4), U(0, 4), None, false},
    {D3DFMT_R3G3B2, 1, U(5, 3), U(2, 3), U(0, 2), None, false},
    {D3DFMT_A8, 1, None, None, None, U(0, 8), false},
    {D3DFMT_A8R3G3B2, 2, U(5, 3), U(2, 3), U(0, 2), U(8, 8), false},
    {D3DFMT_A2B10G10R10, 4, U(0, 10), U(10, 10), U(20, 10), U(30, 2), false},
    {D3DFMT_A8B8G8R8, 4, U(0, 8), U(8, 8), U(16, 8), U(24, 8), false},
    {D3DFMT_X8B8G8R8, 4, U(0, 8), U(8, 8), U(16, 8), None, false},
    {D3DFMT_G16R16, 4, U(0, 16), U(16, 16), None, None, false},
    {D3DFMT_A2R10G10B10, 4, U(20, 10), U(10, 10), U(0, 10), U(30, 2), false},
    {D3DFMT_L8, 1, U(0, 8), None, None, None, true},
    {D3DFMT_A8L8, 2, U(0, 8), None, None, U(8, 8), true},
    {D3DFMT_A4L4, 1, U(0, 4), None, None, U(4, 4), true},
    {D3DFMT_L16, 2, U(0, 16), None, None, None, true},
    {D3DFMT_V8U8, 2, S(0, 8), S(8, 8), None, None, false},
    {D3DFMT_Q8W8V8U8, 4, S(0, 8), S(8, 8), S(16, 8), S(24, 8), false},
    {D3DFMT_V16U16, 4, S(0, 16), S(16, 16), None, None, false},
    {D3DFMT_L6V5U5, 2, S(0, 5), S(5, 5), U(10, 6), None, false},
    {D3DFMT_X8L8V8U8, 4, S(0, 8), S(8, 8), U(16, 8), None, false},
    {D3DFMT_A2W10V10U10, 4, S(0, 10), S(10, 10), S(20, 10), U(30, 2), false},
};

const PackedLayout* FindPacked(D3DFORMAT format)
{
    for (const PackedLayout& layout : kPacked) {
        if (layout.format == format)
            return &layout;
    }
    return nullptr;
}

std::uint32_t LoadLE(const BYTE* p, UINT bytes)
{
    std::uint32_t value = 0;
    for (UINT i = 0; i < bytes; ++i)
        value |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return value;
}

void StoreLE(BYTE* p, UINT bytes, std::uint32_t value)
{
    for (UINT i = 0; i < bytes; ++i)
        p[i] = static_cast<BYTE>(value >> (8 * i));
}

float Unorm(std::uint32_t value, UINT bits) { return static_cast<float>(value) / static_cast<float>((1u << bits) - 1); }

float Snorm(std::uint32_t value, UINT bits)
{
    const std::uint32_t signBit = 1u << (bits - 1);
    const std::int32_t v = static_cast<std::int32_t>(value ^ signBit) - static_cast<std::int32_t>(signBit);
    // The most negative code reads as -1, like the one above it.
    return std::max(-1.0f, static_cast<float>(v) / static_cast<float>(signBit - 1));
}

std::uint32_t ToUnorm(float v, UINT bits)
{
    const float max = static_cast<float>((1ull << bits) - 1);
    // NaN compares false, so it lands on 0.
    const float clamped = v > 0.0f ? std::min(v, 1.0f) : 0.0f;
    return static_cast<std::uint32_t>(clamped * max + 0.5f);
}

std::uint32_t ToSnorm(float v, UINT bits)
{
    const float max = static_cast<float>((1u << (bits - 1)) - 1);
    const float clamped = v > -1.0f ? std::min(v, 1.0f) : -1.0f;
    const auto q = static_cast<std::int32_t>(std::lround(clamped * max));
    return static_cast<std::uint32_t>(q) & ((bits == 32 ? 0u : (1u << bits)) - 1u);
}

float ReadChannel(std::uint32_t texel, Channel c)
{
    const std::uint32_t mask = c.bits == 32 ? 0xFFFFFFFFu : (1u << c.bits) - 1u;
    const std::uint32_t raw = (texel >> c.shift) & mask;
    return c.isSigned ? Snorm(raw, c.bits) : Unorm(raw, c.bits);
}

std::uint32_t WriteChannel(float v, Channel c)
{
    if (c.bits == 0)
        return 0;
    return (c.isSigned ? ToSnorm(v, c.bits) : ToUnorm(v, c.bits)) << c.shift;
}

Rgba ReadPacked(const PackedLayout& layout, std::uint32_t texel)
{
    const float missingColour = layout.format == D3DFMT_A8 ? 0.0f : 1.0f;
    Rgba out{missingColour, missingColour, missingColour, 1.0f};
    if (layout.r.bits)
        out.r = ReadChannel(texel, layout.r);
    if (layout.g.bits)
        out.g = ReadChannel(texel, layout.g);
    if (layout.b.bits)
        out.b = ReadChannel(texel, layout.b);
    if (layout.a.bits)
        out.a = ReadChannel(texel, layout.a);
    if (layout.luminance)
        out.g = out.b = out.r;
    return out;
}

std::uint32_t WritePacked(const PackedLayout& layout, const Rgba& in)
{
    float r = in.r;
    if (layout.luminance)
        r = 0.2125f * in.r + 0.7154f * in.g + 0.0721f * in.b;
    return WriteChannel(r, layout.r) | WriteChannel(in.g, layout.g) | WriteChannel(in.b, layout.b) |
           WriteChannel(in.a, layout.a);
}

Rgba PaletteColour(Palette palette, BYTE index)
{
    if (!palette)
        return {0.0f, 0.0f, 0.0f, 1.0f};
    const BYTE* e = palette + 4 * index;
    return {e[0] / 255.0f, e[1] / 255.0f, e[2] / 255.0f, e[3] / 255.0f};
}

BYTE NearestPaletteIndex(Palette palette, const Rgba& c, bool withAlpha)
{
    if (!palette)
        return 0;
    const std::uint32_t argb = RgbaToArgb(c);
    const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF, a = argb >> 24;
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
        const BYTE* e = palette + 4 * i;
        const long dr = e[0] - r, dg = e[1] - g, db = e[2] - b, da = withAlpha ? e[3] - a : 0;
        const long distance = dr * dr + dg * dg + db * db + da * da;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<BYTE>(best);
}

WORD LoadWord(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
void StoreWord(BYTE* p, WORD w)
{
    p[0] = static_cast<BYTE>(w);
    p[1] = static_cast<BYTE>(w >> 8);
}
float LoadFloat(const BYTE* p)
{
    float f;
    std::memcpy(&f, p, sizeof f);
    return f;
}
void StoreFloat(BYTE* p, float f) { std::memcpy(p, &f, sizeof f); }

// Formats with more than 32 bits per texel or with float channels: channel count,
// bytes per channel, and whether channels are float, signed or unsigned.
enum class Wide { Unorm16, Snorm16, Half, Single };
struct WideLayout {
    D3DFORMAT format;
    UINT channels;
    Wide kind;
};
const WideLayout kWide[] = {
    {D3DFMT_A16B16G16R16, 4, Wide::Unorm16}, {D3DFMT_Q16W16V16U16, 4, Wide::Snorm16},
    {D3DFMT_R16F, 1, Wide::Half},            {D3DFMT_G16R16F, 2, Wide::Half},
    {D3DFMT_A16B16G16R16F, 4, Wide::Half},   {D3DFMT_R32F, 1, Wide::Single},
    {D3DFMT_G32R32F, 2, Wide::Single},       {D3DFMT_A32B32G32R32F, 4, Wide::Single},
};

const WideLayout* FindWide(D3DFORMAT format)
{
    for (const WideLayout& layout : kWide) {
        if (layout.format == format)
            return &layout;
    }
    return nullptr;
}

UINT WideChannelBytes(Wide kind) { return kind == Wide::Single ? 4 : 2; }

float ReadWideChannel(Wide kind, const BYTE* p)
{
    switch (kind) {
    case Wide::Unorm16: return Unorm(LoadWord(p), 16);
    case Wide::Snorm16: return Snorm(LoadWord(p), 16);
    case Wide::Half: return HalfToFloat(LoadWord(p));
    case Wide::Single: return LoadFloat(p);
    }
    return 0.0f;
}

void WriteWideChannel(Wide kind, float v, BYTE* p)
{
    switch (kind) {
    case Wide::Unorm16: StoreWord(p, static_cast<WORD>(ToUnorm(v, 16))); break;
    case Wide::Snorm16: StoreWord(p, static_cast<WORD>(ToSnorm(v, 16))); break;
    case Wide::Half: StoreWord(p, FloatToHalf(v)); break;
    case Wide::Single: StoreFloat(p, v); break;
    }
}

constexpr UINT kChunk = 64;

}  // namespace

bool CanConvertRows(D3DFORMAT format)
{
    return FindPacked(format) || FindWide(format) || format == D3DFMT_P8 || format == D3DFMT_A8P8 ||
           format == D3DFMT_CxV8U8;
}

void ReadRow(D3DFORMAT format, const void* src, UINT width, Rgba* out, Palette palette)
{
    const BYTE* p = static_cast<const BYTE*>(src);
    if (const PackedLayout* layout = FindPacked(format)) {
        for (UINT x = 0; x < width; ++x, p += layout->bytes)
            out[x] = ReadPacked(*layout, LoadLE(p, layout->bytes));
    } else if (const WideLayout* wide = FindWide(format)) {
        const UINT step = WideChannelBytes(wide->kind);
        for (UINT x = 0; x < width; ++x) {
            float c[4] = {1.0f, 1.0f, 1.0f, 1.0f};
            for (UINT i = 0; i < wide->channels; ++i, p += step)
                c[i] = ReadWideChannel(wide->kind, p);
            out[x] = {c[0], c[1], c[2], c[3]};
        }
    } else if (format == D3DFMT_P8) {
        for (UINT x = 0; x < width; ++x)
            out[x] = PaletteColour(palette, p[x]);
    } else if (format == D3DFMT_A8P8) {
        for (UINT x = 0; x < width; ++x, p += 2) {
            out[x] = PaletteColour(palette, p[0]);
            out[x].a = p[1] / 255.0f;
        }
    } else if (format == D3DFMT_CxV8U8) {
        // The third component is implied: the vector has unit length.
        for (UINT x = 0; x < width; ++x, p += 2) {
            const float u = Snorm(p[0], 8), v = Snorm(p[1], 8);
            out[x] = {u, v, std::sqrt(std::max(0.0f, 1.0f - u * u - v * v)), 1.0f};
        }
    }
}

void WriteRow(D3DFORMAT format, const Rgba* in, UINT width, void* dst, Palette palette)
{
    BYTE* p = static_cast<BYTE*>(dst);
    if (const PackedLayout* layout = FindPacked(format)) {
        for (UINT x = 0; x < width; ++x, p += layout->bytes)
            StoreLE(p, layout->bytes, WritePacked(*layout, in[x]));
    } else if (const WideLayout* wide = FindWide(format)) {
        const UINT step = WideChannelBytes(wide->kind);
        for (UINT x = 0; x < width; ++x) {
            const float c[4] = {in[x].r, in[x].g, in[x].b, in[x].a};
            for (UINT i = 0; i < wide->channels; ++i, p += step)
                WriteWideChannel(wide->kind, c[i], p);
        }
    } else if (format == D3DFMT_P8) {
        for (UINT x = 0; x < width; ++x)
            p[x] = NearestPaletteIndex(palette, in[x], true);
    } else if (format == D3DFMT_A8P8) {
        for (UINT x = 0; x < width; ++x, p += 2) {
            p[0] = NearestPaletteIndex(palette, in[x], false);
            p[1] = static_cast<BYTE>(ToUnorm(in[x].a, 8));
        }
    } else if (format == D3DFMT_CxV8U8) {
        for (UINT x = 0; x < width; ++x, p += 2) {
            p[0] = static_cast<BYTE>(ToSnorm(in[x].r, 8));
            p[1] = static_cast<BYTE>(ToSnorm(in[x].g, 8));
        }
    }
}

void ReadRowArgb(D3DFORMAT format, const void* src, UINT width, D3DCOLOR* out, Palette palette)
{
    if (format == D3DFMT_A8R8G8B8) {
        std::memcpy(out, src, static_cast<size_t>(width) * 4);
        return;
    }
    const BYTE* p = static_cast<const BYTE*>(src);
    const UINT bytesPerChunk = GetFormatInfo(format).bitsPerPixel * kChunk / 8;
    Rgba buffer[kChunk];
    for (UINT x = 0; x < width; x += kChunk) {
        const UINT n = std::min(kChunk, width - x);
        ReadRow(format, p, n, buffer, palette);
        for (UINT i = 0; i < n; ++i)
            out[x + i] = RgbaToArgb(buffer[i]);
        p += bytesPerChunk;
    }
}

void WriteRowArgb(D3DFORMAT format, const D3DCOLOR* in, UINT width, void* dst, Palette palette)
{
    if (format == D3DFMT_A8R8G8B8) {
        std::memcpy(dst, in, static_cast<size_t>(width) * 4);
        return;
    }
    BYTE* p = static_cast<BYTE*>(dst);
    const UINT bytesPerChunk = GetFormatInfo(format).bitsPerPixel * kChunk / 8;
    Rgba buffer[kChunk];
    for (UINT x = 0; x < width; x += kChunk) {
        const UINT n = std::min(kChunk, width - x);
        for (UINT i = 0; i < n; ++i)
            buffer[i] = ArgbToRgba(in[x + i]);
        WriteRow(format, buffer, n, p, palette);
        p += bytesPerChunk;
    }
}

Rgba ArgbToRgba(D3DCOLOR c)
{
    return {((c >> 16) & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, (c & 0xFF) / 255.0f, (c >> 24) / 255.0f};
}

D3DCOLOR RgbaToArgb(const Rgba& c)
{
    return (ToUnorm(c.a, 8) << 24) | (ToUnorm(c.r, 8) << 16) | (ToUnorm(c.g, 8) << 8) | ToUnorm(c.b, 8);
}

float HalfToFloat(WORD half)
{
    const std::uint32_t sign = static_cast<std::uint32_t>(half & 0x8000) << 16;
    const std::uint32_t exponent = (half >> 10) & 0x1F;
    const std::uint32_t mantissa = half & 0x3FF;
    float magnitude;
    if (exponent == 0)
        magnitude = std::ldexp(static_cast<float>(mantissa), -24);
    else if (exponent == 31)
        magnitude = mantissa ? std::nanf("") : INFINITY;
    else
        magnitude = std::ldexp(static_cast<float>(mantissa | 0x400), static_cast<int>(exponent) - 25);
    std::uint32_t bits;
    std::memcpy(&bits, &magnitude, 4);
    bits |= sign;
    float out;
    std::memcpy(&out, &bits, 4);
    return out;
}

WORD FloatToHalf(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    const WORD sign = static_cast<WORD>((bits >> 16) & 0x8000);
    const float magnitude = std::fabs(value);
    if (std::isnan(value))
        return static_cast<WORD>(sign | 0x7E00);
    if (magnitude >= 65520.0f)  // rounds past the largest finite half
        return static_cast<WORD>(sign | 0x7C00);
    if (magnitude < std::ldexp(1.0f, -14)) {
        // Subnormal: units of 2^-24, round to nearest even.
        const float units = magnitude * 16777216.0f;
        return static_cast<WORD>(sign | static_cast<WORD>(std::nearbyint(units)));
    }
    int exponent;
    const float fraction = std::frexp(magnitude, &exponent);  // magnitude = fraction * 2^exponent, fraction in [0.5, 1)
    auto mantissa = static_cast<std::uint32_t>(std::nearbyint((fraction * 2.0f - 1.0f) * 1024.0f));
    int biased = exponent - 1 + 15;
    if (mantissa == 1024) {
        mantissa = 0;
        ++biased;
    }
    return static_cast<WORD>(sign | (biased << 10) | mantissa);
}

}  // namespace vestra::formats
