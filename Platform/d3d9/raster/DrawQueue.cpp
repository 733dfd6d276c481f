#include <algorithm>
#include <atomic>

#include "d3d9/raster/DrawQueueStorage.h"
#include "d3d9/raster/WorkerPool.h"

namespace vestra::raster {

namespace {

// Below this many candidate pixels a flush is not worth sharing with the workers.
constexpr size_t kParallelPixelThreshold = 2048;
// Rows per unit of work handed to a thread.
constexpr int kBandRows = 4;

// Lists, band by band, the primitives that touch each band of kBandRows rows, in
// submission order.
void BinByBand(DrawQueue::Storage& s, int bandCount) {
    const size_t bands = static_cast<size_t>(bandCount);
    s.bandStart.assign(bands + 1, 0);
    auto bandOf = [&](int row) { return static_cast<size_t>(std::clamp((row - s.firstRow) / kBandRows, 0, bandCount - 1)); };
    for (const Primitive& p : s.prims)
        for (size_t b = bandOf(p.top); b <= bandOf(p.bottom); ++b) ++s.bandStart[b + 1];
    for (size_t b = 0; b < bands; ++b) s.bandStart[b + 1] += s.bandStart[b];
    s.bandItems.resize(s.bandStart[bands]);
    s.bandFill.assign(s.bandStart.begin(), s.bandStart.end() - 1);
    for (size_t i = 0; i < s.prims.size(); ++i)
        for (size_t b = bandOf(s.prims[i].top); b <= bandOf(s.prims[i].bottom); ++b)
            s.bandItems[s.bandFill[b]++] = static_cast<uint32_t>(i);
}

// Clears rows [top, bottom), then draws them for the listed primitives, each with the
// state of its own draw.
void RasterizeBand(const DrawQueue::Storage& s, const uint32_t* items, size_t count, int top, int bottom,
                   UINT& written) {
    for (const ClearPlan& plan : s.clears) {
        const int from = std::max(top, plan.top), to = std::min(bottom, plan.bottom);
        if (from < to) FillClearRows(plan, from, to);
    }
    for (size_t i = 0; i < count;) {
        const uint32_t draw = s.drawOf[items[i]];
        size_t end = i + 1;
        while (end < count && s.drawOf[items[end]] == draw) ++end;
        const QueuedDraw& d = s.draws[draw];
        RasterizeRows(d.ctx, d.shader, s.prims.data(), items + i, end - i, s.runs.data(), top, bottom, written);
        i = end;
    }
}

void Reset(DrawQueue::Storage& s) {
    s.draws.clear();
    s.prims.clear();
    s.drawOf.clear();
    s.runs.clear();
    s.clears.clear();
    s.work = 0;
    s.firstRow = INT_MAX;
    s.lastRow = INT_MIN;
}

}  // namespace

DrawQueue::DrawQueue() : storage_(std::make_unique<Storage>()) {}

DrawQueue::~DrawQueue() = default;

bool DrawQueue::Empty() const {
    return storage_->draws.empty() && storage_->clears.empty() && storage_->written == 0;
}

void DrawQueue::QueueClear(const ColorBuffer& target, const DepthBuffer& depth, const RECT& area, DWORD flags,
                           D3DCOLOR colour, float z, DWORD stencil) {
    Storage& s = *storage_;
    if (!s.draws.empty()) s.written += RasterizeQueue(s);
    ClearPlan plans[2];
    const int count = PlanClear(target, depth, area, flags, colour, z, stencil, plans);
    for (int i = 0; i < count; ++i) {
        const ClearPlan& p = plans[i];
        s.clears.push_back(p);
        s.work += static_cast<size_t>(p.right - p.left) * static_cast<size_t>(p.bottom - p.top);
        s.firstRow = std::min(s.firstRow, p.top);
        s.lastRow = std::max(s.lastRow, p.bottom - 1);
    }
}

UINT DrawQueue::Flush() {
    Storage& s = *storage_;
    const UINT written = s.written + RasterizeQueue(s);
    s.written = 0;
    return written;
}

UINT RasterizeQueue(DrawQueue::Storage& s) {
    UINT written = 0;
    const UINT threads = GetThreadCount();
    if (threads <= 1 || s.work < kParallelPixelThreshold) {
        for (const ClearPlan& plan : s.clears) FillClearRows(plan, plan.top, plan.bottom);
        for (const QueuedDraw& d : s.draws)
            RasterizeRows(d.ctx, d.shader, s.prims.data() + d.firstPrimitive, nullptr, d.primitiveCount,
                          s.runs.data(), d.ctx.clipTop, d.ctx.clipBottom, written);
        Reset(s);
        return written;
    }

    // Bands of rows go to whichever thread asks next; each band is drawn whole by one
    // thread with the primitives in submission order, so the bytes never depend on who
    // drew it. Only the rows the primitives cover are cut into bands.
    const int bandCount = (s.lastRow - s.firstRow + kBandRows) / kBandRows;
    BinByBand(s, bandCount);
    std::atomic<int> nextBand{0};
    std::atomic<UINT> total{0};
    RunOnSharedPool(static_cast<int>(threads), [&] {
        UINT local = 0;
        for (int band = nextBand.fetch_add(1); band < bandCount; band = nextBand.fetch_add(1)) {
            const int top = s.firstRow + band * kBandRows;
            const int bottom = std::min(top + kBandRows, s.lastRow + 1);
            RasterizeBand(s, s.bandItems.data() + s.bandStart[band], s.bandStart[band + 1] - s.bandStart[band], top,
                          bottom, local);
        }
        total.fetch_add(local);
    });
    Reset(s);
    return total.load();
}

}  // namespace vestra::raster
