#include "formats/Resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vestra::formats {
namespace {

struct Tap {
    UINT index;
    float weight;
};
using AxisTaps = std::vector<std::vector<Tap>>;

AxisTaps ComputeTaps(UINT srcSize, UINT dstSize, Filter filter)
{
    AxisTaps taps(dstSize);
    const double scale = static_cast<double>(srcSize) / dstSize;
    for (UINT i = 0; i < dstSize; ++i) {
        switch (filter) {
        case Filter::None:
            if (i < srcSize)
                taps[i].push_back({i, 1.0f});
            break;
        case Filter::Point:
            taps[i].push_back({std::min(srcSize - 1, static_cast<UINT>((i + 0.5) * scale)), 1.0f});
            break;
        case Filter::Linear: {
            const double u = std::clamp((i + 0.5) * scale - 0.5, 0.0, static_cast<double>(srcSize - 1));
            const UINT i0 = static_cast<UINT>(u);
            const UINT i1 = std::min(srcSize - 1, i0 + 1);
            const auto f = static_cast<float>(u - i0);
            taps[i].push_back({i0, 1.0f - f});
            if (f > 0.0f)
                taps[i].push_back({i1, f});
            break;
        }
        case Filter::Box: {
            const double begin = i * scale, end = (i + 1) * scale;
            for (auto s = static_cast<UINT>(begin); s < srcSize && s < end; ++s) {
                const double overlap = std::min(end, s + 1.0) - std::max(begin, static_cast<double>(s));
                if (overlap > 1e-9)
                    taps[i].push_back({s, static_cast<float>(overlap / scale)});
            }
            break;
        }
        }
    }
    return taps;
}

// One separable pass along an axis with `stride` between neighbours: `outer` lines of
// `inner` interleaved texels.
std::vector<Rgba> Pass(const std::vector<Rgba>& src, UINT outer, UINT srcLength, UINT inner, const AxisTaps& taps)
{
    const UINT dstLength = static_cast<UINT>(taps.size());
    std::vector<Rgba> dst(static_cast<size_t>(outer) * dstLength * inner);
    for (UINT o = 0; o < outer; ++o) {
        for (UINT d = 0; d < dstLength; ++d) {
            for (UINT n = 0; n < inner; ++n) {
                Rgba sum{0, 0, 0, 0};
                for (const Tap& tap : taps[d]) {
                    const Rgba& s = src[(static_cast<size_t>(o) * srcLength + tap.index) * inner + n];
                    sum.r += s.r * tap.weight;
                    sum.g += s.g * tap.weight;
                    sum.b += s.b * tap.weight;
                    sum.a += s.a * tap.weight;
                }
                dst[(static_cast<size_t>(o) * dstLength + d) * inner + n] = sum;
            }
        }
    }
    return dst;
}

}  // namespace

void Resample(const Rgba* src, UINT srcWidth, UINT srcHeight, UINT srcDepth, Rgba* dst, UINT dstWidth,
              UINT dstHeight, UINT dstDepth, Filter filter)
{
    std::vector<Rgba> image(src, src + static_cast<size_t>(srcWidth) * srcHeight * srcDepth);
    image = Pass(image, srcHeight * srcDepth, srcWidth, 1, ComputeTaps(srcWidth, dstWidth, filter));
    image = Pass(image, srcDepth, srcHeight, dstWidth, ComputeTaps(srcHeight, dstHeight, filter));
    image = Pass(image, 1, srcDepth, dstWidth * dstHeight, ComputeTaps(srcDepth, dstDepth, filter));
    std::copy(image.begin(), image.end(), dst);
}

void DownsampleForMip(const Rgba* src, UINT width, UINT height, UINT depth, Rgba* dst)
{
    Resample(src, width, height, depth, dst, MipSize(width, 1), MipSize(height, 1), MipSize(depth, 1), Filter::Box);
}

}  // namespace vestra::formats
