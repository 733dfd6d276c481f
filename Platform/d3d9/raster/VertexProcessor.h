// Per-vertex work of the fixed-function pipeline: transform to clip space, lighting,
// texture-coordinate selection and transforms, point size.
#pragma once

#include "d3d9/raster/Fog.h"
#include "d3d9/raster/FvfLayout.h"
#include "d3d9/raster/Lighting.h"
#include "d3d9/raster/Pipeline.h"

namespace vestra::raster {

// A vertex ready for clipping. For pretransformed input `clip` holds screen x, y, z, rhw.
struct ProcessedVertex {
    float clip[4];
    float diffuse[4];   // r, g, b, a in 0..1
    float specular[4];
    float tex[kMaxStages][4];  // per stage: u, v, w, q (q is 1 unless the stage is projected)
    float pointSize;    // pixels, scaled and clamped
};

struct StageCoordinates {
    bool used = false;
    int set = 0;                 // coordinate set read from the vertex
    DWORD generator = 0;         // D3DTSS_TCI_* (high word of TEXCOORDINDEX)
    int transformCount = 0;      // D3DTTFF_COUNTn, 0 = no transform
    bool projected = false;
    D3DMATRIX matrix{};
};

struct VertexSetup {
    FvfLayout layout;
    float worldView[4][4];
    float projection[4][4];
    float normalMatrix[3][3];  // inverse transpose of world*view
    bool lighting = false;
    bool normalize = false;
    bool needCameraSpace = false;
    LightingSetup light;
    StageCoordinates stages[kMaxStages];
    float pointSize = 1.0f, pointMin = 1.0f, pointMax = 64.0f;
    bool pointScale = false;
    float scaleA = 1.0f, scaleB = 0.0f, scaleC = 0.0f;
    float viewportHeight = 0.0f;
    // Vertex fog writes its factor into the specular alpha, from the camera-space z or,
    // with RANGEFOGENABLE, the distance to the eye.
    bool vertexFog = false;
    bool rangeFog = false;
    FogFormula fog;
};

// Largest point size the rasterizer draws (the device reports it as caps.MaxPointSize).
constexpr float kMaxPointSize = 256.0f;

// stageUsed[s] says whether stage s samples a texture and so needs coordinates.
void PrepareVertexSetup(const State& state, const FvfLayout& layout, const bool stageUsed[kMaxStages],
                        bool isPointList, VertexSetup& out);

void ProcessVertex(const VertexSetup& setup, const SourceVertex& in, ProcessedVertex& out);

}  // namespace vestra::raster
