#include "d3d9/raster/Lighting.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vestra::raster {

namespace {

void Copy4(const D3DCOLORVALUE& c, float out[4]) {
    out[0] = c.r; out[1] = c.g; out[2] = c.b; out[3] = c.a;
}

float Dot3(const float a[3], const float b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void Normalize3(float v[3]) {
    const float len = std::sqrt(Dot3(v, v));
    if (len > 0.0f) { v[0] /= len; v[1] /= len; v[2] /= len; }
}

void TransformPoint(const D3DMATRIX& m, const D3DVECTOR& p, float out[3]) {
    for (int c = 0; c < 3; ++c) out[c] = p.x * m.m[0][c] + p.y * m.m[1][c] + p.z * m.m[2][c] + m.m[3][c];
}

void TransformDirection(const D3DMATRIX& m, const D3DVECTOR& d, float out[3]) {
    for (int c = 0; c < 3; ++c) out[c] = d.x * m.m[0][c] + d.y * m.m[1][c] + d.z * m.m[2][c];
}

int ColourSource(DWORD materialSource, bool colorVertex, bool hasDiffuse, bool hasSpecular) {
    if (!colorVertex) return 0;
    if (materialSource == D3DMCS_COLOR1 && hasDiffuse) return 1;
    if (materialSource == D3DMCS_COLOR2 && hasSpecular) return 2;
    return 0;
}

const float* Pick(int source, const float* material, const float* diffuse, const float* specular) {
    return source == 1 ? diffuse : (source == 2 ? specular : material);
}

}  // namespace

void PrepareLighting(const DWORD* rs, const D3DMATERIAL9& material, const D3DLIGHT9* lights, UINT lightCount,
                     const D3DMATRIX& view, bool vertexHasDiffuse, bool vertexHasSpecular, LightingSetup& out) {
    const D3DCOLOR ambient = rs[D3DRS_AMBIENT];
    out.globalAmbient[0] = ((ambient >> 16) & 0xFF) / 255.0f;
    out.globalAmbient[1] = ((ambient >> 8) & 0xFF) / 255.0f;
    out.globalAmbient[2] = (ambient & 0xFF) / 255.0f;
    out.globalAmbient[3] = (ambient >> 24) / 255.0f;
    Copy4(material.Diffuse, out.materialDiffuse);
    Copy4(material.Ambient, out.materialAmbient);
    Copy4(material.Specular, out.materialSpecular);
    Copy4(material.Emissive, out.materialEmissive);
    out.power = material.Power;
    const bool colorVertex = rs[D3DRS_COLORVERTEX] != 0;
    out.diffuseSource = ColourSource(rs[D3DRS_DIFFUSEMATERIALSOURCE], colorVertex, vertexHasDiffuse, vertexHasSpecular);
    out.ambientSource = ColourSource(rs[D3DRS_AMBIENTMATERIALSOURCE], colorVertex, vertexHasDiffuse, vertexHasSpecular);
    out.specularSource = ColourSource(rs[D3DRS_SPECULARMATERIALSOURCE], colorVertex, vertexHasDiffuse, vertexHasSpecular);
    out.emissiveSource = ColourSource(rs[D3DRS_EMISSIVEMATERIALSOURCE], colorVertex, vertexHasDiffuse, vertexHasSpecular);
    out.specularEnable = rs[D3DRS_SPECULARENABLE] != 0;
    out.localViewer = rs[D3DRS_LOCALVIEWER] != 0;

    out.lightCount = 0;
    for (UINT i = 0; i < lightCount && out.lightCount < 8; ++i) {
        const D3DLIGHT9& src = lights[i];
        CameraLight& l = out.lights[out.lightCount++];
        l.type = src.Type;
        Copy4(src.Diffuse, l.diffuse);
        Copy4(src.Specular, l.specular);
        Copy4(src.Ambient, l.ambient);
        TransformPoint(view, src.Position, l.position);
        float axis[3];
        TransformDirection(view, src.Direction, axis);
        Normalize3(axis);
        std::memcpy(l.spotAxis, axis, sizeof axis);
        l.toLight[0] = -axis[0]; l.toLight[1] = -axis[1]; l.toLight[2] = -axis[2];
        l.range = src.Range;
        l.falloff = src.Falloff;
        l.attenuation[0] = src.Attenuation0;
        l.attenuation[1] = src.Attenuation1;
        l.attenuation[2] = src.Attenuation2;
        l.cosHalfTheta = std::cos(src.Theta * 0.5f);
        l.cosHalfPhi = std::cos(src.Phi * 0.5f);
    }
}

void LightVertex(const LightingSetup& s, const float position[3], const float normal[3], const float vertexDiffuse[4],
                 const float vertexSpecular[4], float diffuseOut[4], float specularOut[4]) {
    const float* ca = Pick(s.ambientSource, s.materialAmbient, vertexDiffuse, vertexSpecular);
    const float* cd = Pick(s.diffuseSource, s.materialDiffuse, vertexDiffuse, vertexSpecular);
    const float* cs = Pick(s.specularSource, s.materialSpecular, vertexDiffuse, vertexSpecular);
    const float* ce = Pick(s.emissiveSource, s.materialEmissive, vertexDiffuse, vertexSpecular);

    float ambient[3] = {s.globalAmbient[0], s.globalAmbient[1], s.globalAmbient[2]};
    float diffuse[3] = {0, 0, 0};
    float specular[3] = {0, 0, 0};
    for (int i = 0; i < s.lightCount; ++i) {
        const CameraLight& l = s.lights[i];
        float toLight[3];
        float atten = 1.0f;
        float spot = 1.0f;
        if (l.type == D3DLIGHT_DIRECTIONAL) {
            std::memcpy(toLight, l.toLight, sizeof toLight);
        } else {
            for (int c = 0; c < 3; ++c) toLight[c] = l.position[c] - position[c];
            const float d = std::sqrt(Dot3(toLight, toLight));
            if (d > l.range) continue;
            if (d > 0.0f) { toLight[0] /= d; toLight[1] /= d; toLight[2] /= d; }
            const float denominator = l.attenuation[0] + l.attenuation[1] * d + l.attenuation[2] * d * d;
            atten = denominator > 0.0f ? 1.0f / denominator : 1.0f;
            if (l.type == D3DLIGHT_SPOT) {
                const float rho = -Dot3(l.spotAxis, toLight);
                if (rho <= l.cosHalfPhi) {
                    spot = 0.0f;
                } else if (rho <= l.cosHalfTheta) {
                    const float t = (rho - l.cosHalfPhi) / (l.cosHalfTheta - l.cosHalfPhi);
                    spot = l.falloff == 1.0f ? t : std::pow(t, l.falloff);
                }
            }
        }
        const float scale = atten * spot;
        if (scale == 0.0f) continue;
        for (int c = 0; c < 3; ++c) ambient[c] += scale * l.ambient[c];
        const float nDotL = Dot3(normal, toLight);
        if (nDotL <= 0.0f) continue;
        for (int c = 0; c < 3; ++c) diffuse[c] += l.diffuse[c] * nDotL * scale;
        if (s.specularEnable) {
            float half[3];
            if (s.localViewer) {
                float toEye[3] = {-position[0], -position[1], -position[2]};
                Normalize3(toEye);
                for (int c = 0; c < 3; ++c) half[c] = toEye[c] + toLight[c];
            } else {
                half[0] = toLight[0]; half[1] = toLight[1]; half[2] = toLight[2] + 1.0f;
            }
            Normalize3(half);
            const float nDotH = Dot3(normal, half);
            if (nDotH > 0.0f) {
                const float f = std::pow(nDotH, s.power) * scale;
                for (int c = 0; c < 3; ++c) specular[c] += l.specular[c] * f;
            }
        }
    }
    for (int c = 0; c < 3; ++c) {
        diffuseOut[c] = std::clamp(ca[c] * ambient[c] + cd[c] * diffuse[c] + ce[c], 0.0f, 1.0f);
        specularOut[c] = std::clamp(cs[c] * specular[c], 0.0f, 1.0f);
    }
    diffuseOut[3] = std::clamp(cd[3], 0.0f, 1.0f);
    specularOut[3] = std::clamp(cs[3], 0.0f, 1.0f);
}

}  // namespace vestra::raster
