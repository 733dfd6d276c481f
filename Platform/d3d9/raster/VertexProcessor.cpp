#include "d3d9/raster/VertexProcessor.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace vestra::raster {

namespace {

void Multiply(const D3DMATRIX& a, const D3DMATRIX& b, float out[4][4]) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[r][c] = a.m[r][0] * b.m[0][c] + a.m[r][1] * b.m[1][c] + a.m[r][2] * b.m[2][c] + a.m[r][3] * b.m[3][c];
}

// Inverse transpose of the upper 3x3; a singular matrix leaves normals untransformed.
void NormalMatrix(const float m[4][4], float out[3][3]) {
    const float c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
    const float c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
    const float c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
    const float det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
    if (det == 0.0f) {
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) out[r][c] = r == c ? 1.0f : 0.0f;
        return;
    }
    const float inv = 1.0f / det;
    // Rows of the inverse transpose are the cofactor rows divided by the determinant;
    // laid out so that n' = n * out, matching row-vector convention.
    out[0][0] = c00 * inv;
    out[0][1] = c01 * inv;
    out[0][2] = c02 * inv;
    out[1][0] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * inv;
    out[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * inv;
    out[1][2] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * inv;
    out[2][0] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * inv;
    out[2][1] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * inv;
    out[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * inv;
}

void ToUnit(D3DCOLOR c, float out[4]) {
    out[0] = ((c >> 16) & 0xFF) / 255.0f;
    out[1] = ((c >> 8) & 0xFF) / 255.0f;
    out[2] = (c & 0xFF) / 255.0f;
    out[3] = (c >> 24) / 255.0f;
}

}  // namespace

void PrepareVertexSetup(const State& state, const FvfLayout& layout, const bool stageUsed[kMaxStages],
                        bool isPointList, VertexSetup& out) {
    const DWORD* rs = state.renderStates;
    out.layout = layout;
    Multiply(*state.world, *state.view, out.worldView);
    std::memcpy(out.projection, state.projection->m, sizeof out.projection);
    NormalMatrix(out.worldView, out.normalMatrix);
    out.lighting = !layout.pretransformed && rs[D3DRS_LIGHTING] != 0 && layout.normalOffset >= 0;
    out.normalize = rs[D3DRS_NORMALIZENORMALS] != 0;
    out.needCameraSpace = false;
    if (out.lighting) {
        static const D3DMATERIAL9 kNoMaterial{};
        PrepareLighting(rs, state.material ? *state.material : kNoMaterial, state.lights, state.lightCount,
                        *state.view, layout.diffuseOffset >= 0, layout.specularOffset >= 0, out.light);
    }
    for (UINT s = 0; s < kMaxStages; ++s) {
        StageCoordinates& st = out.stages[s];
        st = StageCoordinates{};
        if (!stageUsed[s]) continue;
        const DWORD index = state.stageStates[s][D3DTSS_TEXCOORDINDEX];
        st.used = true;
        st.set = static_cast<int>(index & 0xFFFF);
        st.generator = index & 0xFFFF0000;
        if (layout.pretransformed) st.generator = D3DTSS_TCI_PASSTHRU;
        if (st.generator != D3DTSS_TCI_PASSTHRU) out.needCameraSpace = true;
        const DWORD flags = state.stageStates[s][D3DTSS_TEXTURETRANSFORMFLAGS];
        st.transformCount = static_cast<int>(flags & 0xFF);
        if (st.transformCount > 4) st.transformCount = 0;
        st.projected = (flags & D3DTTFF_PROJECTED) != 0 && st.transformCount >= 2;
        if (st.transformCount > 0) st.matrix = state.textureTransforms[s];
    }
    out.pointSize = std::bit_cast<float>(rs[D3DRS_POINTSIZE]);
    out.pointMin = std::bit_cast<float>(rs[D3DRS_POINTSIZE_MIN]);
    out.pointMax = std::min(std::bit_cast<float>(rs[D3DRS_POINTSIZE_MAX]), kMaxPointSize);
    out.pointScale = isPointList && !layout.pretransformed && rs[D3DRS_POINTSCALEENABLE] != 0;
    out.scaleA = std::bit_cast<float>(rs[D3DRS_POINTSCALE_A]);
    out.scaleB = std::bit_cast<float>(rs[D3DRS_POINTSCALE_B]);
    out.scaleC = std::bit_cast<float>(rs[D3DRS_POINTSCALE_C]);
    out.viewportHeight = static_cast<float>(state.viewport.Height);
    out.vertexFog = !layout.pretransformed && rs[D3DRS_FOGENABLE] != 0 && rs[D3DRS_FOGTABLEMODE] == D3DFOG_NONE &&
                    rs[D3DRS_FOGVERTEXMODE] != D3DFOG_NONE;
    out.rangeFog = rs[D3DRS_RANGEFOGENABLE] != 0;
    if (out.vertexFog) out.fog = MakeFogFormula(rs, rs[D3DRS_FOGVERTEXMODE]);
}

void ProcessVertex(const VertexSetup& s, const SourceVertex& in, ProcessedVertex& out) {
    float eye[3] = {0, 0, 0};
    float normal[3] = {0, 0, 1};
    if (s.layout.pretransformed) {
        std::memcpy(out.clip, in.position, sizeof out.clip);
    } else {
        const float* p = in.position;
        float cam[4];
        for (int c = 0; c < 4; ++c)
            cam[c] = p[0] * s.worldView[0][c] + p[1] * s.worldView[1][c] + p[2] * s.worldView[2][c] + p[3] * s.worldView[3][c];
        for (int c = 0; c < 4; ++c)
            out.clip[c] = cam[0] * s.projection[0][c] + cam[1] * s.projection[1][c] + cam[2] * s.projection[2][c] +
                          cam[3] * s.projection[3][c];
        const float invW = cam[3] != 0.0f ? 1.0f / cam[3] : 1.0f;
        eye[0] = cam[0] * invW; eye[1] = cam[1] * invW; eye[2] = cam[2] * invW;
        if (s.lighting || s.needCameraSpace) {
            for (int c = 0; c < 3; ++c)
                normal[c] = in.normal[0] * s.normalMatrix[0][c] + in.normal[1] * s.normalMatrix[1][c] +
                            in.normal[2] * s.normalMatrix[2][c];
            if (s.normalize || s.needCameraSpace) {
                const float len = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
                if (len > 0.0f) { normal[0] /= len; normal[1] /= len; normal[2] /= len; }
            }
        }
    }

    float vertexDiffuse[4], vertexSpecular[4];
    ToUnit(in.diffuse, vertexDiffuse);
    ToUnit(in.specular, vertexSpecular);
    if (s.lighting) {
        LightVertex(s.light, eye, normal, vertexDiffuse, vertexSpecular, out.diffuse, out.specular);
    } else {
        std::memcpy(out.diffuse, vertexDiffuse, sizeof out.diffuse);
        std::memcpy(out.specular, vertexSpecular, sizeof out.specular);
    }
    if (s.vertexFog) {
        const float distance =
            s.rangeFog ? std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]) : eye[2];
        out.specular[3] = FogFactor(s.fog, distance);
    }

    for (UINT st = 0; st < kMaxStages; ++st) {
        const StageCoordinates& sc = s.stages[st];
        if (!sc.used) continue;
        float coord[4] = {0, 0, 0, 1};
        switch (sc.generator) {
            case D3DTSS_TCI_CAMERASPACENORMAL:
                coord[0] = normal[0]; coord[1] = normal[1]; coord[2] = normal[2];
                break;
            case D3DTSS_TCI_CAMERASPACEPOSITION:
                coord[0] = eye[0]; coord[1] = eye[1]; coord[2] = eye[2];
                break;
            case D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR: {
                float e[3] = {eye[0], eye[1], eye[2]};
                const float len = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
                if (len > 0.0f) { e[0] /= len; e[1] /= len; e[2] /= len; }
                const float d = 2.0f * (e[0] * normal[0] + e[1] * normal[1] + e[2] * normal[2]);
                for (int c = 0; c < 3; ++c) coord[c] = e[c] - d * normal[c];
                break;
            }
            default:
                if (sc.set < s.layout.texCoordCount) std::memcpy(coord, in.texCoords[sc.set], sizeof coord);
                break;
        }
        if (sc.transformCount > 0) {
            float t[4];
            for (int c = 0; c < 4; ++c)
                t[c] = coord[0] * sc.matrix.m[0][c] + coord[1] * sc.matrix.m[1][c] + coord[2] * sc.matrix.m[2][c] +
                       coord[3] * sc.matrix.m[3][c];
            out.tex[st][0] = t[0];
            out.tex[st][1] = t[1];
            out.tex[st][2] = t[2];
            out.tex[st][3] = sc.projected ? t[sc.transformCount - 1] : 1.0f;
        } else {
            out.tex[st][0] = coord[0];
            out.tex[st][1] = coord[1];
            out.tex[st][2] = coord[2];
            out.tex[st][3] = 1.0f;
        }
    }

    float size = s.layout.pointSizeOffset >= 0 ? in.pointSize : s.pointSize;
    if (s.pointScale) {
        const float de = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
        const float denominator = s.scaleA + s.scaleB * de + s.scaleC * de * de;
        size = denominator > 0.0f ? s.viewportHeight * size * std::sqrt(1.0f / denominator) : s.pointMax;
    }
    out.pointSize = std::clamp(size, std::min(s.pointMin, s.pointMax), s.pointMax);
}

}  // namespace vestra::raster
