#include "d3d9/raster/Pipeline.h"

#include <algorithm>
#include <cstdint>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "d3d9/raster/Clipper.h"
#include "d3d9/raster/DrawContextBuilder.h"
#include "d3d9/raster/DrawQueueStorage.h"
#include "d3d9/raster/PixelPipeline.h"
#include "d3d9/raster/PrimitiveSetup.h"

namespace vestra::raster {

namespace {

std::atomic<UINT> g_requestedThreads{0};

UINT DefaultThreads() {
    if (const char* env = std::getenv("VESTRA_RASTER_THREADS")) {
        const long n = std::strtol(env, nullptr, 10);
        if (n > 0 && n <= 64) return static_cast<UINT>(n);
    }
    const unsigned hw = std::thread::hardware_concurrency();
    return hw == 0 ? 1u : std::min(hw, 64u);
}

// Number of vertices the primitive stream reads.
UINT StreamLength(D3DPRIMITIVETYPE type, UINT count) {
    switch (type) {
        case D3DPT_POINTLIST: return count;
        case D3DPT_LINELIST: return 2 * count;
        case D3DPT_LINESTRIP: return count + 1;
        case D3DPT_TRIANGLELIST: return 3 * count;
        case D3DPT_TRIANGLESTRIP: case D3DPT_TRIANGLEFAN: return count + 2;
        default: return 0;
    }
}

// Bit for bit, as the planes would carry them.
bool SameColour(const float a[4], const float b[4]) {
    uint32_t x[4], y[4];
    std::memcpy(x, a, sizeof x);
    std::memcpy(y, b, sizeof y);
    return ((x[0] ^ y[0]) | (x[1] ^ y[1]) | (x[2] ^ y[2]) | (x[3] ^ y[3])) == 0;
}

using Scratch = DrawQueue::Storage;

class Assembler {
public:
    Assembler(const State& state, const DrawContext& ctx, const FvfLayout& layout, Scratch& scratch)
        : state_(state), ctx_(ctx), layout_(layout), s_(scratch) {
        const DWORD* rs = state.renderStates;
        cull_ = rs[D3DRS_CULLMODE];
        flat_ = rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT;
        fill_ = rs[D3DRS_FILLMODE];
        sprites_ = rs[D3DRS_POINTSPRITEENABLE] != 0;
        lastPixel_ = rs[D3DRS_LASTPIXEL] != 0;
    }

    void Triangle(UINT i0, UINT i1, UINT i2) {
        const ProcessedVertex* v[3] = {Vertex(i0), Vertex(i1), Vertex(i2)};
        if (!v[0] || !v[1] || !v[2]) return;
        Rgba flatDiffuse, flatSpecular;
        FlatColours(*v[0], flatDiffuse, flatSpecular);
        if (layout_.pretransformed) {
            Emit(v, flatDiffuse, flatSpecular);
            return;
        }
        const DWORD a = ClipCodes(*v[0]), b = ClipCodes(*v[1]), c = ClipCodes(*v[2]);
        if (a & b & c) return;
        if ((a | b | c) == 0) {
            Emit(v, flatDiffuse, flatSpecular);
            return;
        }
        ProcessedVertex polygon[kMaxClipVertices];
        const int n = ClipTriangle(*v[0], *v[1], *v[2], polygon);
        bool drawn = false;
        for (int k = 1; k + 1 < n; ++k) {
            const ProcessedVertex* fan[3] = {&polygon[0], &polygon[k], &polygon[k + 1]};
            drawn |= EmitPart(fan, flatDiffuse, flatSpecular);
        }
        if (drawn) ++primitives_;
    }

    void Line(UINT i0, UINT i1, bool lastPixel) {
        const ProcessedVertex* a = Vertex(i0);
        const ProcessedVertex* b = Vertex(i1);
        if (!a || !b) return;
        ProcessedVertex ca = *a, cb = *b;
        if (!layout_.pretransformed && !ClipLine(ca, cb)) return;
        Primitive& p = NewPrimitive();
        FlatColours(*a, p.flatDiffuse, p.flatSpecular);
        const ScreenPosition pa = ToScreen(ca, state_.viewport, layout_.pretransformed);
        const ScreenPosition pb = ToScreen(cb, state_.viewport, layout_.pretransformed);
        if (SetupLine(ctx_, ca, cb, pa, pb, lastPixel, p, s_.runs)) {
            ++primitives_;
        } else {
            s_.prims.pop_back();
        }
    }

    void Point(UINT i) {
        const ProcessedVertex* v = Vertex(i);
        if (!v) return;
        if (!layout_.pretransformed && ClipCodes(*v) != 0) return;
        Primitive& p = NewPrimitive();
        FlatColours(*v, p.flatDiffuse, p.flatSpecular);
        const ScreenPosition sp = ToScreen(*v, state_.viewport, layout_.pretransformed);
        if (SetupPoint(ctx_, *v, sp, v->pointSize, sprites_, p)) {
            ++primitives_;
        } else {
            s_.prims.pop_back();
        }
    }

    bool LastPixel() const { return lastPixel_; }
    UINT Primitives() const { return primitives_; }

private:
    const ProcessedVertex* Vertex(UINT streamIndex) const {
        const UINT n = s_.stream[streamIndex];
        return n == ~0u ? nullptr : &s_.vertices[n];
    }

    Primitive& NewPrimitive() {
        s_.prims.emplace_back();
        return s_.prims.back();
    }

    void Emit(const ProcessedVertex* const v[3], const Rgba& flatDiffuse, const Rgba& flatSpecular) {
        if (EmitPart(v, flatDiffuse, flatSpecular)) ++primitives_;
    }

    bool EmitPart(const ProcessedVertex* const v[3], const Rgba& flatDiffuse, const Rgba& flatSpecular) {
        const ScreenPosition p[3] = {ToScreen(*v[0], state_.viewport, layout_.pretransformed),
                                     ToScreen(*v[1], state_.viewport, layout_.pretransformed),
                                     ToScreen(*v[2], state_.viewport, layout_.pretransformed)};
        if (fill_ == D3DFILL_POINT || fill_ == D3DFILL_WIREFRAME) return EmitOutline(v, p, flatDiffuse, flatSpecular);
        Primitive& prim = NewPrimitive();
        if (!SetupTriangle(ctx_, cull_, v, p, prim)) {
            s_.prims.pop_back();
            return false;
        }
        prim.flatDiffuse = flatDiffuse;
        prim.flatSpecular = flatSpecular;
        return true;
    }

    // Point and wireframe fill: culling still applies to the triangle as a whole.
    bool EmitOutline(const ProcessedVertex* const v[3], const ScreenPosition p[3], const Rgba& flatDiffuse,
                     const Rgba& flatSpecular) {
        const float area = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[1].y - p[0].y) * (p[2].x - p[0].x);
        if ((cull_ == D3DCULL_CCW && area < 0.0f) || (cull_ == D3DCULL_CW && area > 0.0f)) return false;
        bool any = false;
        for (int k = 0; k < 3; ++k) {
            Primitive& prim = NewPrimitive();
            const bool ok = fill_ == D3DFILL_POINT
                                ? SetupPoint(ctx_, *v[k], p[k], 1.0f, false, prim)
                                : SetupLine(ctx_, *v[k], *v[(k + 1) % 3], p[k], p[(k + 1) % 3], false, prim, s_.runs);
            if (!ok) {
                s_.prims.pop_back();
                continue;
            }
            prim.flatDiffuse = flatDiffuse;
            prim.flatSpecular = flatSpecular;
            any = true;
        }
        return any;
    }

    const State& state_;
    const DrawContext& ctx_;
    const FvfLayout& layout_;
    Scratch& s_;
    DWORD cull_ = D3DCULL_CCW;
    DWORD fill_ = D3DFILL_SOLID;
    bool flat_ = false;
    bool sprites_ = false;
    bool lastPixel_ = true;
    UINT primitives_ = 0;
};

bool ValidState(const State& s) {
    return s.renderStates && s.stageStates && s.samplerStates && s.world && s.view && s.projection &&
           s.textureTransforms && (s.lightCount == 0 || s.lights);
}

}  // namespace

DrawStats DrawQueue::Submit(const State& state, const DrawCall& call) {
    DrawStats stats;
    if (!ValidState(state) || !call.vertices || call.primitiveCount == 0) return stats;
    const FvfLayout layout = DescribeFvf(call.fvf);
    if (!layout.valid || call.stride < layout.size) return stats;
    const UINT length = StreamLength(call.type, call.primitiveCount);
    if (length == 0 || length < call.primitiveCount) return stats;  // unknown type or overflow
    if (!call.indices && length > call.vertexCount) return stats;
    if (call.indices && call.indexFormat != D3DFMT_INDEX16 && call.indexFormat != D3DFMT_INDEX32) return stats;

    DrawContext ctx;
    if (!BuildDrawContext(state, ctx)) return stats;
    if (ctx.clipLeft >= ctx.clipRight || ctx.clipTop >= ctx.clipBottom) return stats;

    Scratch& scratch = *storage_;
    const size_t firstPrimitive = scratch.prims.size();
    scratch.stream.resize(length);

    // Map stream positions to vertices, processing each referenced vertex once.
    std::vector<UINT>& stream = scratch.stream;
    int64_t lowest = 0, highest = -1;
    if (call.indices) {
        lowest = INT64_MAX;
        for (UINT i = 0; i < length; ++i) {
            const int64_t index = (call.indexFormat == D3DFMT_INDEX16
                                     ? static_cast<int64_t>(static_cast<const WORD*>(call.indices)[i])
                                     : static_cast<int64_t>(static_cast<const DWORD*>(call.indices)[i])) +
                                call.baseVertex;
            if (index < 0 || index >= static_cast<int64_t>(call.vertexCount)) {
                stream[i] = ~0u;
                continue;
            }
            stream[i] = static_cast<UINT>(index);
            lowest = std::min(lowest, index);
            highest = std::max(highest, index);
        }
        for (UINT i = 0; i < length; ++i)
            if (stream[i] != ~0u) stream[i] -= static_cast<UINT>(lowest);
    } else {
        highest = static_cast<int64_t>(length) - 1;
        for (UINT i = 0; i < length; ++i) stream[i] = i;
    }
    if (highest < lowest) return stats;

    const bool points = call.type == D3DPT_POINTLIST;
    VertexSetup setup;
    PrepareVertexSetup(state, layout, ctx.stageSamples, points, setup);
    const size_t vertexTotal = static_cast<size_t>(highest - lowest + 1);
    scratch.vertices.resize(vertexTotal);
    const BYTE* base = static_cast<const BYTE*>(call.vertices);
    SourceVertex source;
    for (size_t i = 0; i < vertexTotal; ++i) {
        FetchVertex(layout, base + (static_cast<size_t>(lowest) + i) * call.stride, source);
        ProcessVertex(setup, source, scratch.vertices[i]);
    }

    // Constant colours need no interpolation; the result is the same either way.
    if (ctx.diffusePlane >= 0 || ctx.specularPlane >= 0) {
        bool sameDiffuse = true, sameSpecular = true;
        const ProcessedVertex& first = scratch.vertices[0];
        for (size_t i = 1; i < vertexTotal && (sameDiffuse || sameSpecular); ++i) {
            sameDiffuse = sameDiffuse && SameColour(first.diffuse, scratch.vertices[i].diffuse);
            sameSpecular = sameSpecular && SameColour(first.specular, scratch.vertices[i].specular);
        }
        if (sameDiffuse && (sameSpecular || ctx.specularPlane < 0)) {
            const int removed = ctx.specularPlane >= 0 ? 8 : 4;
            ctx.diffusePlane = ctx.specularPlane = -1;
            ctx.planeCount -= removed;
            for (UINT s = 0; s < kMaxStages; ++s)
                if (ctx.stageSamples[s]) ctx.texPlane[s] -= removed;
        }
    }

    Assembler assembler(state, ctx, layout, scratch);
    const UINT count = call.primitiveCount;
    switch (call.type) {
        case D3DPT_POINTLIST:
            for (UINT i = 0; i < count; ++i) assembler.Point(i);
            break;
        case D3DPT_LINELIST:
            for (UINT i = 0; i < count; ++i) assembler.Line(2 * i, 2 * i + 1, assembler.LastPixel());
            break;
        case D3DPT_LINESTRIP:
            for (UINT i = 0; i < count; ++i) assembler.Line(i, i + 1, i + 1 == count && assembler.LastPixel());
            break;
        case D3DPT_TRIANGLELIST:
            for (UINT i = 0; i < count; ++i) assembler.Triangle(3 * i, 3 * i + 1, 3 * i + 2);
            break;
        case D3DPT_TRIANGLESTRIP:
            for (UINT i = 0; i < count; ++i) {
                if (i & 1) assembler.Triangle(i + 1, i, i + 2);
                else assembler.Triangle(i, i + 1, i + 2);
            }
            break;
        default:
            for (UINT i = 0; i < count; ++i) assembler.Triangle(0, i + 1, i + 2);
            break;
    }
    stats.primitivesDrawn = assembler.Primitives();
    const size_t added = scratch.prims.size() - firstPrimitive;
    if (added == 0) return stats;

    const SpanShader shader = SelectSpanShader(ctx);
    const uint32_t drawIndex = static_cast<uint32_t>(scratch.draws.size());
    scratch.draws.push_back({ctx, shader, static_cast<uint32_t>(firstPrimitive), static_cast<uint32_t>(added)});
    scratch.drawOf.resize(scratch.prims.size(), drawIndex);
    for (size_t i = firstPrimitive; i < scratch.prims.size(); ++i) {
        const Primitive& p = scratch.prims[i];
        scratch.work += static_cast<size_t>(p.bottom - p.top + 1) * static_cast<size_t>(p.right - p.left + 1);
        scratch.firstRow = std::min(scratch.firstRow, p.top);
        scratch.lastRow = std::max(scratch.lastRow, p.bottom);
    }
    if (scratch.prims.size() >= kMaxQueuedPrimitives) scratch.written += RasterizeQueue(scratch);
    return stats;
}

DrawStats Draw(const State& state, const DrawCall& call) {
    thread_local DrawQueue queue;
    DrawStats stats = queue.Submit(state, call);
    stats.pixelsWritten = queue.Flush();
    return stats;
}

void SetThreadCount(UINT count) { g_requestedThreads.store(std::min(count, 64u)); }

UINT GetThreadCount() {
    const UINT requested = g_requestedThreads.load();
    return requested ? requested : DefaultThreads();
}

}  // namespace vestra::raster
