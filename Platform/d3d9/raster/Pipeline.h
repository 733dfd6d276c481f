// The software rasterizer: draws Direct3D 9 fixed-function primitives into plain memory.
//
// The device feeds it views of its own state (render, texture-stage and sampler state
// arrays indexed by the Direct3D enumerations, transforms, viewport, material, enabled
// lights, bound textures, render target and depth-stencil memory) and one call per draw.
// Nothing here owns memory the caller passed in; views must stay valid during Draw.
//
// Conventions (those of Direct3D 9): pixel centres at integer coordinates, top-left fill
// rule, clip volume -w<=x<=w, -w<=y<=w, 0<=z<=w, culling judged on screen (y down),
// flat shading takes the colours of a primitive's first vertex.
//
// Draw is synchronous: the pixels are in memory when it returns. A DrawQueue instead does
// a draw's vertex work at once and keeps its primitives until Flush, which rasterizes
// every queued draw in one pass. Bands of rows go to whichever worker thread asks next,
// and each band is drawn whole by one thread with the primitives in draw order, so every
// pixel sees the same arithmetic in the same order whatever the thread count: output is
// byte-identical for any thread count, queued or not.
#pragma once

#include <memory>

#include "d3d9types.h"

namespace vestra::raster {

// A render target: A8R8G8B8 or X8R8G8B8 (the X byte is written as 0xFF and read as 0xFF).
struct ColorBuffer {
    D3DFORMAT format = D3DFMT_UNKNOWN;
    UINT width = 0;
    UINT height = 0;
    INT pitch = 0;  // bytes per row
    BYTE* bits = nullptr;
};

// A depth-stencil surface: D16 / D16_LOCKABLE (16-bit), D24S8 / D24X8 (32-bit, depth in the
// high 24 bits, stencil or unused in the low 8) or D32. bits == nullptr means "none bound".
struct DepthBuffer {
    D3DFORMAT format = D3DFMT_UNKNOWN;
    UINT width = 0;
    UINT height = 0;
    INT pitch = 0;
    BYTE* bits = nullptr;
};

// One mip level of 32-bit A8R8G8B8 texels (the device converts other formats at upload).
// A volume level holds `depth` slices `slicePitch` bytes apart.
struct TextureLevel {
    UINT width = 0;
    UINT height = 0;
    INT pitch = 0;
    const BYTE* bits = nullptr;
    UINT depth = 1;
    INT slicePitch = 0;
};

constexpr UINT kMaxTextureLevels = 16;
constexpr UINT kMaxStages = 8;
constexpr UINT kMaxSamplers = 16;
constexpr UINT kRenderStateCount = 256;
constexpr UINT kStageStateCount = 33;
constexpr UINT kSamplerStateCount = 14;

enum class TextureShape { Planar, Cube, Volume };
constexpr UINT kCubeFaces = 6;

// A texture: level 0 is the most detailed. Planar and volume textures use
// levels[0 .. levelCount); cube face f (D3DCUBEMAP_FACES order) has its levels at
// levels[f * kMaxTextureLevels ...]. Cube and volume textures are read with three
// coordinates (a direction, or u, v, w) at the level MAXMIPLEVEL names.
struct Texture {
    TextureShape shape = TextureShape::Planar;
    UINT levelCount = 0;
    TextureLevel levels[kCubeFaces * kMaxTextureLevels];
};

// Everything a draw reads. Arrays are the device's own; pointers must not be null except
// where stated.
struct State {
    const DWORD* renderStates = nullptr;                      // [256] by D3DRENDERSTATETYPE
    const DWORD (*stageStates)[kStageStateCount] = nullptr;   // [8][33] by D3DTEXTURESTAGESTATETYPE
    const DWORD (*samplerStates)[kSamplerStateCount] = nullptr;  // [16][14] by D3DSAMPLERSTATETYPE
    const D3DMATRIX* world = nullptr;
    const D3DMATRIX* view = nullptr;
    const D3DMATRIX* projection = nullptr;
    const D3DMATRIX* textureTransforms = nullptr;             // [8], D3DTS_TEXTURE0..7
    D3DVIEWPORT9 viewport{};
    RECT scissorRect{};                                       // used when D3DRS_SCISSORTESTENABLE
    const D3DMATERIAL9* material = nullptr;
    const D3DLIGHT9* lights = nullptr;                        // the enabled lights only
    UINT lightCount = 0;
    const Texture* textures[kMaxStages] = {};                 // null: stage has no texture
    ColorBuffer target;
    DepthBuffer depth;
};

// One draw. Vertices are read from `vertices` (vertexCount of them, `stride` bytes apart,
// laid out by `fvf`). With `indices` set, vertex i of the primitive stream is
// vertices[indices[i] + baseVertex]; indices that land outside [0, vertexCount) make their
// primitive be skipped.
struct DrawCall {
    D3DPRIMITIVETYPE type = D3DPT_TRIANGLELIST;
    UINT primitiveCount = 0;
    const void* vertices = nullptr;
    UINT vertexCount = 0;
    UINT stride = 0;
    DWORD fvf = 0;
    const void* indices = nullptr;
    D3DFORMAT indexFormat = D3DFMT_INDEX16;
    INT baseVertex = 0;
};

struct DrawStats {
    UINT primitivesDrawn = 0;   // primitives that reached the rasterizer (after clip and cull)
    UINT pixelsWritten = 0;     // pixels that passed every test and reached the target
};

// Draws one call. Bad input (missing buffers, unsupported formats, an FVF without a
// position, a stride smaller than the vertex, too few vertices) draws nothing and returns
// zero statistics.
VESTRA_PLATFORM_API DrawStats Draw(const State& state, const DrawCall& call);

// Draws recorded now and rasterized together later. Submit reads the vertices, indices,
// transforms, lights and states at once (the caller may change them as soon as it
// returns); the texels of bound textures and the target and depth memory are read and
// written only by Flush, so they must stay in place, unchanged by anyone else, until then.
// One queue is used by one thread at a time.
class VESTRA_PLATFORM_API DrawQueue {
public:
    DrawQueue();
    ~DrawQueue();
    DrawQueue(const DrawQueue&) = delete;
    DrawQueue& operator=(const DrawQueue&) = delete;

    // Validates and prepares one draw as Draw does; the statistics carry the primitives
    // drawn, and pixelsWritten is zero (Flush counts the pixels).
    DrawStats Submit(const State& state, const DrawCall& call);
    // Records a clear (arguments as for Clear) that the next Flush performs before the
    // draws: each band of rows is cleared just before it is drawn. Only an empty queue
    // takes clears, so that no draw queued earlier is drawn after them.
    void QueueClear(const ColorBuffer& target, const DepthBuffer& depth, const RECT& area, DWORD flags,
                    D3DCOLOR colour, float z, DWORD stencil);
    // Rasterizes every queued draw in submission order and empties the queue; returns the
    // pixels written.
    UINT Flush();
    bool Empty() const;

    struct Storage;

private:
    std::unique_ptr<Storage> storage_;
};

// Fills the part of `area` inside the buffers, as IDirect3DDevice9::Clear fills each of
// its rectangles: D3DCLEAR_TARGET writes `colour` (0xFF in the X byte of X8R8G8B8),
// D3DCLEAR_ZBUFFER writes `z` clamped to [0, 1] and quantised as Draw does, D3DCLEAR_STENCIL
// writes `stencil` into the stencil bits of D24S8; each leaves the other part of a depth
// cell alone. Buffers without memory are skipped. Runs at memory speed, on the worker
// threads too when the area is large.
VESTRA_PLATFORM_API void Clear(const ColorBuffer& target, const DepthBuffer& depth, const RECT& area, DWORD flags,
                               D3DCOLOR colour, float z, DWORD stencil);

// Worker threads used by Draw, the caller included. 0 restores the default: the value of
// the environment variable VESTRA_RASTER_THREADS if set, else the hardware concurrency.
VESTRA_PLATFORM_API void SetThreadCount(UINT count);
VESTRA_PLATFORM_API UINT GetThreadCount();

}  // namespace vestra::raster
