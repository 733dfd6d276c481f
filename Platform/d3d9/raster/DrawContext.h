// Everything the pixel stages need for one draw, decoded once from the device state, and
// the per-primitive data the rasterizer hands them.
#pragma once

#include <cstdint>

#include "d3d9/raster/Combiner.h"
#include "d3d9/raster/Fog.h"
#include "d3d9/raster/OutputMerger.h"
#include "d3d9/raster/Sampler.h"

namespace vestra::raster {

enum class DepthKind { None, D16, D24, D32 };

struct StencilSide {
    DWORD func, fail, depthFail, pass;
};

struct DrawContext {
    // Target memory.
    BYTE* color = nullptr;
    INT colorPitch = 0;
    bool colorHasAlpha = true;
    DWORD writeMask = 0xFFFFFFFF;  // ARGB byte mask from D3DRS_COLORWRITEENABLE
    BYTE* depth = nullptr;
    INT depthPitch = 0;
    DepthKind depthKind = DepthKind::None;
    // Pixels outside [clipLeft, clipRight) x [clipTop, clipBottom) are never touched:
    // viewport, scissor rectangle and target size combined.
    int clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;

    // Interpolants: plane 0 is 1/w, plane 1 is depth; the rest are laid out here.
    int planeCount = 2;
    int diffusePlane = -1;        // -1: colours are constant per primitive (flat or unused)
    int specularPlane = -1;
    // u, v, then w for cube and volume textures (texCoords 3) and q when projected, of
    // each sampling stage.
    int texPlane[kMaxStages] = {};
    int texCoords[kMaxStages] = {};
    bool texProjected[kMaxStages] = {};
    bool stageSamples[kMaxStages] = {};
    bool needLod = false;

    CombinerSetup combiner;
    SamplerSetup samplers[kMaxStages];
    bool specularAdd = false;

    // Fog after the stages and specular: Vertex takes the factor from the specular alpha
    // (computed per vertex, or given with pretransformed vertices); the table modes compute
    // it per pixel from the depth (TableDepth) or from the eye distance w (TableEye, with a
    // projection whose w is the camera-space z).
    enum class Fog : uint8_t { Off, Vertex, TableDepth, TableEye };
    Fog fog = Fog::Off;
    FogFormula fogTable;
    Rgba fogColour{};

    bool alphaTest = false;
    DWORD alphaFunc = D3DCMP_ALWAYS;
    DWORD alphaRef = 0;

    bool depthTest = false;
    DWORD depthFunc = D3DCMP_LESSEQUAL;
    bool depthWrite = false;
    bool stencil = false;
    bool twoSidedStencil = false;
    StencilSide stencilFront{}, stencilBack{};
    DWORD stencilRef = 0, stencilMask = 0xFF, stencilWriteMask = 0xFF;

    bool blend = false;
    BlendSetup blendSetup{};

    // Filled by SelectSpanShader for the specialised span loops (SpanKernels.h).
    struct Specialised {
        DWORD textureWhite = 0;  // ARGB channels whose texture term is replaced by 255
        DWORD diffuseWhite = 0;  // ARGB channels whose diffuse term is replaced by 255
        int depthBias = 0;       // 1 for LESSEQUAL, 0 for LESS: pass when stored + bias > incoming
        const BYTE* texels = nullptr;
        int texelPitch = 0;      // in texels
        float width = 0.0f, height = 0.0f;
        int wrapMaskU = -1, lastU = 0, wrapMaskV = -1, lastV = 0;  // see SpanKernels.cpp
    } specialised;
};

struct Plane {
    float at0;    // value at the primitive's origin
    float dx, dy;
};

constexpr int kMaxPlanes = 2 + 8 + 4 * kMaxStages;

struct LineRun {
    int y, x0, x1;  // inclusive
};

struct Primitive {
    // Setup fills the planes the draw uses and nothing reads the others, so they are left
    // uninitialised: zeroing them all cost more than setting up a small triangle.
    Primitive() {}

    enum class Kind : uint8_t { Triangle, Rectangle, Line };
    Kind kind = Kind::Triangle;
    bool backFacing = false;           // counter-clockwise on screen (two-sided stencil)
    int top = 0, bottom = 0;           // rows covered, inclusive, already clipped
    int left = 0, right = 0;           // columns, inclusive, already clipped
    int64_t edge[3][3] = {};           // triangles: E(i, j) = A i + B j + C, covered when all >= 0
    int runStart = 0, runCount = 0;    // lines: runs in the draw's run list, in row order
    float originX = 0.0f, originY = 0.0f;
    Rgba flatDiffuse{255, 255, 255, 255}, flatSpecular{0, 0, 0, 0};
    Plane planes[kMaxPlanes];
};

}  // namespace vestra::raster
