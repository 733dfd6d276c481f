// Fixed-function vertex lighting, computed in camera space.
#pragma once

#include "d3d9types.h"

namespace vestra::raster {

struct CameraLight {
    D3DLIGHTTYPE type;
    float diffuse[4], specular[4], ambient[4];
    float position[3];    // camera space
    float toLight[3];     // directional lights: unit vector towards the light
    float spotAxis[3];    // spot lights: unit vector from the light along its axis
    float range, falloff, attenuation[3];
    float cosHalfTheta, cosHalfPhi;
};

struct LightingSetup {
    CameraLight lights[8];
    int lightCount = 0;
    float globalAmbient[4] = {};
    float materialDiffuse[4] = {}, materialAmbient[4] = {}, materialSpecular[4] = {}, materialEmissive[4] = {};
    float power = 0.0f;
    // Which vertex colour replaces each material colour: 0 none, 1 diffuse, 2 specular.
    int diffuseSource = 0, ambientSource = 0, specularSource = 0, emissiveSource = 0;
    bool specularEnable = false;
    bool localViewer = true;
};

// Converts the enabled lights to camera space and resolves the material colour sources
// against what the vertex format provides.
void PrepareLighting(const DWORD* renderStates, const D3DMATERIAL9& material, const D3DLIGHT9* lights,
                     UINT lightCount, const D3DMATRIX& view, bool vertexHasDiffuse, bool vertexHasSpecular,
                     LightingSetup& out);

// position and normal in camera space (normal already unit length when required);
// vertex colours as 0..1 RGBA. Writes the lit diffuse and specular colours, clamped.
void LightVertex(const LightingSetup& setup, const float position[3], const float normal[3],
                 const float vertexDiffuse[4], const float vertexSpecular[4], float diffuseOut[4],
                 float specularOut[4]);

}  // namespace vestra::raster
