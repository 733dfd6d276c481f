#include <algorithm>
#include <atomic>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "d3d9/raster/Clear.h"
#include "d3d9/raster/WorkerPool.h"

namespace vestra::raster {

namespace {

// Below this many cells a clear is not worth sharing with the workers.
constexpr size_t kParallelCells = 1 << 16;
constexpr int kBandRows = 16;

// A run of 32-bit cells set to `value` where `mask` has bits, kept elsewhere.
void Fill32(BYTE* row, int count, DWORD value, DWORD mask) {
    if (mask == 0xFFFFFFFFu) {
        if ((value & 0xFF) * 0x01010101u == value) {
            std::memset(row, static_cast<int>(value & 0xFF), static_cast<size_t>(count) * 4);
            return;
        }
        DWORD* cells = reinterpret_cast<DWORD*>(row);
        std::fill_n(cells, count, value);
        return;
    }
    DWORD* cells = reinterpret_cast<DWORD*>(row);
    int i = 0;
#if defined(__SSE2__)
    // Depth without stencil is the common case; the compiler leaves this loop scalar.
    const __m128i keep = _mm_set1_epi32(static_cast<int>(~mask)), put = _mm_set1_epi32(static_cast<int>(value & mask));
    for (; i + 4 <= count; i += 4) {
        __m128i* at = reinterpret_cast<__m128i*>(cells + i);
        _mm_storeu_si128(at, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(at), keep), put));
    }
#endif
    for (; i < count; ++i) cells[i] = (cells[i] & ~mask) | (value & mask);
}

void Fill16(BYTE* row, int count, WORD value) {
    if ((value & 0xFF) * 0x0101u == value) {
        std::memset(row, value & 0xFF, static_cast<size_t>(count) * 2);
        return;
    }
    std::fill_n(reinterpret_cast<WORD*>(row), count, value);
}

bool Clip(BYTE* bits, INT pitch, UINT width, UINT height, const RECT& area, ClearPlan& plan) {
    plan.bits = bits;
    plan.pitch = pitch;
    plan.left = static_cast<int>(std::max<LONG>(area.left, 0));
    plan.top = static_cast<int>(std::max<LONG>(area.top, 0));
    plan.right = static_cast<int>(std::min<LONG>(area.right, static_cast<LONG>(width)));
    plan.bottom = static_cast<int>(std::min<LONG>(area.bottom, static_cast<LONG>(height)));
    return bits && plan.left < plan.right && plan.top < plan.bottom;
}

DWORD Quantize(float z, double scale) {
    const float clamped = z > 0.0f ? (z < 1.0f ? z : 1.0f) : 0.0f;
    return static_cast<DWORD>(static_cast<double>(clamped) * scale + 0.5);
}

}  // namespace

void FillClearRows(const ClearPlan& p, int top, int bottom) {
    for (int y = top; y < bottom; ++y) {
        BYTE* row = p.bits + static_cast<ptrdiff_t>(y) * p.pitch;
        if (p.sixteen) Fill16(row + p.left * 2, p.right - p.left, static_cast<WORD>(p.value));
        else Fill32(row + p.left * 4, p.right - p.left, p.value, p.mask);
    }
}

int PlanClear(const ColorBuffer& target, const DepthBuffer& depth, const RECT& area, DWORD flags, D3DCOLOR colour,
              float z, DWORD stencil, ClearPlan plans[2]) {
    int count = 0;
    const bool colourFormat = target.format == D3DFMT_A8R8G8B8 || target.format == D3DFMT_X8R8G8B8;
    if ((flags & D3DCLEAR_TARGET) && colourFormat &&
        Clip(target.bits, target.pitch, target.width, target.height, area, plans[count])) {
        plans[count].sixteen = false;
        plans[count].value = target.format == D3DFMT_X8R8G8B8 ? colour | 0xFF000000u : colour;
        plans[count++].mask = 0xFFFFFFFFu;
    }
    if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) &&
        Clip(depth.bits, depth.pitch, depth.width, depth.height, area, plans[count])) {
        ClearPlan& p = plans[count];
        p.sixteen = false;
        p.mask = 0;
        p.value = 0;
        switch (depth.format) {
            case D3DFMT_D16: case D3DFMT_D16_LOCKABLE:
                p.sixteen = true;
                p.value = Quantize(z, 65535.0);
                if (flags & D3DCLEAR_ZBUFFER) ++count;
                break;
            case D3DFMT_D24S8: case D3DFMT_D24X8:
                if (flags & D3DCLEAR_ZBUFFER) {
                    p.value = Quantize(z, 16777215.0) << 8;
                    p.mask = 0xFFFFFF00u;
                }
                if ((flags & D3DCLEAR_STENCIL) && depth.format == D3DFMT_D24S8) {
                    p.value |= stencil & 0xFF;
                    p.mask |= 0xFFu;
                }
                if (p.mask) ++count;
                break;
            case D3DFMT_D32:
                p.value = Quantize(z, 4294967295.0);
                p.mask = 0xFFFFFFFFu;
                if (flags & D3DCLEAR_ZBUFFER) ++count;
                break;
            default: break;
        }
    }
    return count;
}

void Clear(const ColorBuffer& target, const DepthBuffer& depth, const RECT& area, DWORD flags, D3DCOLOR colour,
           float z, DWORD stencil) {
    ClearPlan plans[2];
    const int count = PlanClear(target, depth, area, flags, colour, z, stencil, plans);
    size_t cells = 0;
    for (int i = 0; i < count; ++i)
        cells += static_cast<size_t>(plans[i].right - plans[i].left) * static_cast<size_t>(plans[i].bottom - plans[i].top);
    const UINT threads = GetThreadCount();
    if (threads <= 1 || cells < kParallelCells) {
        for (int i = 0; i < count; ++i) FillClearRows(plans[i], plans[i].top, plans[i].bottom);
        return;
    }
    // Bands of rows of every buffer, numbered one buffer after the other.
    int firstBand[3] = {0, 0, 0};
    for (int i = 0; i < count; ++i)
        firstBand[i + 1] = firstBand[i] + (plans[i].bottom - plans[i].top + kBandRows - 1) / kBandRows;
    std::atomic<int> next{0};
    RunOnSharedPool(static_cast<int>(threads), [&] {
        for (int band = next.fetch_add(1); band < firstBand[count]; band = next.fetch_add(1)) {
            const int i = band < firstBand[1] ? 0 : 1;
            const int top = plans[i].top + (band - firstBand[i]) * kBandRows;
            FillClearRows(plans[i], top, std::min(top + kBandRows, plans[i].bottom));
        }
    });
}

}  // namespace vestra::raster
