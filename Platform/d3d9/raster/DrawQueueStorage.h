// What a DrawQueue keeps between Submit and Flush: every queued draw's decoded state and
// span loop, and the primitives of all of them in one list in submission order.
#pragma once

#include <climits>
#include <cstdint>
#include <vector>

#include "d3d9/raster/Clear.h"
#include "d3d9/raster/PixelPipeline.h"
#include "d3d9/raster/VertexProcessor.h"

namespace vestra::raster {

struct QueuedDraw {
    DrawContext ctx;
    SpanShader shader;
    uint32_t firstPrimitive, primitiveCount;
};

struct DrawQueue::Storage {
    std::vector<QueuedDraw> draws;
    std::vector<Primitive> prims;
    std::vector<uint32_t> drawOf;  // the queued draw each primitive belongs to
    std::vector<LineRun> runs;
    std::vector<ClearPlan> clears;  // done before every draw, in order
    size_t work = 0;               // candidate pixels of every queued primitive and clear
    UINT written = 0;              // pixels of passes already rasterized since the last Flush
    int firstRow = INT_MAX, lastRow = INT_MIN;  // rows the queued primitives and clears cover

    // Scratch of one Submit.
    std::vector<ProcessedVertex> vertices;
    std::vector<UINT> stream;  // vertex number of each stream position, or ~0u

    // Scratch of one Flush: band b's primitives are bandItems[bandStart[b] .. bandStart[b + 1]).
    std::vector<uint32_t> bandStart, bandItems, bandFill;
};

// A queue holding this many primitives is rasterized at once, so that a scene of any size
// keeps bounded memory; the bytes are the same whenever the passes are cut.
constexpr size_t kMaxQueuedPrimitives = size_t{1} << 16;

// Rasterizes and empties the queue; returns the pixels written by this pass.
UINT RasterizeQueue(DrawQueue::Storage& s);

}  // namespace vestra::raster
