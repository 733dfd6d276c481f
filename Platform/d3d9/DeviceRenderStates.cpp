// Fixed-function state: render, stage and sampler states, transforms, viewport, material,
// lights, clip planes and the scissor rectangle.
#include <numbers>

#include "d3d9/Device.h"
#include "d3d9/StateMask.h"
#include "d3d9/Surface.h"

namespace vestra::d3d9 {

namespace {

// The matrix a transform-state type names, or null for a value that names none.
D3DMATRIX* TransformSlot(DeviceState& state, D3DTRANSFORMSTATETYPE type) {
    const DWORD value = type;
    if (value == D3DTS_VIEW) return &state.view;
    if (value == D3DTS_PROJECTION) return &state.projection;
    if (value >= D3DTS_TEXTURE0 && value <= D3DTS_TEXTURE7) return &state.textureTransforms[value - D3DTS_TEXTURE0];
    if (value >= 256 && value < 256 + kWorldMatrixCount) return &state.world[value - 256];
    return nullptr;
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
    D3DMATRIX r;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            r.m[row][col] = a.m[row][0] * b.m[0][col] + a.m[row][1] * b.m[1][col] + a.m[row][2] * b.m[2][col] +
                            a.m[row][3] * b.m[3][col];
    return r;
}

bool IsValidLight(const D3DLIGHT9& light) {
    if (light.Type < D3DLIGHT_POINT || light.Type > D3DLIGHT_DIRECTIONAL) return false;
    if (light.Type != D3DLIGHT_DIRECTIONAL && !(light.Range >= 0.0f)) return false;
    if (light.Type == D3DLIGHT_SPOT &&
        !(light.Theta >= 0.0f && light.Phi >= light.Theta && light.Phi <= std::numbers::pi_v<float>))
        return false;
    return true;
}

D3DLIGHT9 DefaultLight() {
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    light.Direction = {0.0f, 0.0f, 1.0f};
    return light;
}

}  // namespace

HRESULT CDevice::SetTransform(D3DTRANSFORMSTATETYPE state, CONST D3DMATRIX* matrix) {
    D3DMATRIX* slot = TransformSlot(Target(), state);
    if (!slot || !matrix) return D3DERR_INVALIDCALL;
    *slot = *matrix;
    if (StateMask* mask = Recording()) mask->transforms.set(state);
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
    D3DMATRIX* slot = TransformSlot(state_, state);
    if (!slot || !matrix) return D3DERR_INVALIDCALL;
    *matrix = *slot;
    return D3D_OK;
}

// The given matrix goes first: new = matrix * current.
HRESULT CDevice::MultiplyTransform(D3DTRANSFORMSTATETYPE state, CONST D3DMATRIX* matrix) {
    D3DMATRIX* slot = TransformSlot(Target(), state);
    if (!slot || !matrix) return D3DERR_INVALIDCALL;
    *slot = Multiply(*matrix, *slot);
    if (StateMask* mask = Recording()) mask->transforms.set(state);
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::SetViewport(CONST D3DVIEWPORT9* viewport) {
    if (!viewport) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC& target = state_.renderTarget->Desc();
    const unsigned long long right = static_cast<unsigned long long>(viewport->X) + viewport->Width;
    const unsigned long long bottom = static_cast<unsigned long long>(viewport->Y) + viewport->Height;
    if (right > target.Width || bottom > target.Height) return D3DERR_INVALIDCALL;
    Target().viewport = *viewport;
    if (StateMask* mask = Recording()) mask->viewport = true;
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetViewport(D3DVIEWPORT9* viewport) {
    if (!viewport) return D3DERR_INVALIDCALL;
    *viewport = state_.viewport;
    return D3D_OK;
}

HRESULT CDevice::SetMaterial(CONST D3DMATERIAL9* material) {
    if (!material) return D3DERR_INVALIDCALL;
    Target().material = *material;
    if (StateMask* mask = Recording()) mask->material = true;
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetMaterial(D3DMATERIAL9* material) {
    if (!material) return D3DERR_INVALIDCALL;
    *material = state_.material;
    return D3D_OK;
}

HRESULT CDevice::SetLight(DWORD index, CONST D3DLIGHT9* light) {
    if (!light || !IsValidLight(*light)) return D3DERR_INVALIDCALL;
    auto [slot, added] = Target().lights.try_emplace(index, LightSlot{*light, FALSE});
    if (!added) slot->second.light = *light;
    if (StateMask* mask = Recording()) mask->lights.insert(index);
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetLight(DWORD index, D3DLIGHT9* light) {
    auto slot = state_.lights.find(index);
    if (!light || slot == state_.lights.end()) return D3DERR_INVALIDCALL;
    *light = slot->second.light;
    return D3D_OK;
}

HRESULT CDevice::LightEnable(DWORD index, BOOL enable) {
    auto [slot, added] = Target().lights.try_emplace(index, LightSlot{DefaultLight(), FALSE});
    slot->second.enabled = enable ? TRUE : FALSE;
    if (StateMask* mask = Recording()) mask->lights.insert(index);
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetLightEnable(DWORD index, BOOL* enable) {
    auto slot = state_.lights.find(index);
    if (!enable || slot == state_.lights.end()) return D3DERR_INVALIDCALL;
    *enable = slot->second.enabled;
    return D3D_OK;
}

HRESULT CDevice::SetClipPlane(DWORD index, CONST float* plane) {
    if (index >= kClipPlaneCount || !plane) return D3DERR_INVALIDCALL;
    for (int i = 0; i < 4; ++i) Target().clipPlanes[index][i] = plane[i];
    if (StateMask* mask = Recording()) mask->clipPlanes.set(index);
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetClipPlane(DWORD index, float* plane) {
    if (index >= kClipPlaneCount || !plane) return D3DERR_INVALIDCALL;
    for (int i = 0; i < 4; ++i) plane[i] = state_.clipPlanes[index][i];
    return D3D_OK;
}

HRESULT CDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    if (!IsValidRenderState(state)) return D3DERR_INVALIDCALL;
    Target().renderStates[state] = value;
    if (StateMask* mask = Recording()) mask->renderStates.set(state);
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
    if (!value || !IsValidRenderState(state)) return D3DERR_INVALIDCALL;
    *value = state_.renderStates[state];
    return D3D_OK;
}

HRESULT CDevice::SetClipStatus(CONST D3DCLIPSTATUS9* clipStatus) {
    if (!clipStatus) return D3DERR_INVALIDCALL;
    state_.clipStatus = *clipStatus;
    return D3D_OK;
}

HRESULT CDevice::GetClipStatus(D3DCLIPSTATUS9* clipStatus) {
    if (!clipStatus) return D3DERR_INVALIDCALL;
    *clipStatus = state_.clipStatus;
    return D3D_OK;
}

HRESULT CDevice::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) {
    if (!value || stage >= kStageCount || !IsValidStageState(type)) return D3DERR_INVALIDCALL;
    *value = state_.stageStates[stage][type];
    return D3D_OK;
}

HRESULT CDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    if (stage >= kStageCount || !IsValidStageState(type)) return D3DERR_INVALIDCALL;
    Target().stageStates[stage][type] = value;
    if (StateMask* mask = Recording()) mask->stageStates[stage].set(type);
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) {
    if (!value || sampler >= kSamplerCount || !IsValidSamplerState(type)) return D3DERR_INVALIDCALL;
    *value = state_.samplerStates[sampler][type];
    return D3D_OK;
}

HRESULT CDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
    if (sampler >= kSamplerCount || !IsValidSamplerState(type)) return D3DERR_INVALIDCALL;
    Target().samplerStates[sampler][type] = value;
    if (StateMask* mask = Recording()) mask->samplerStates[sampler].set(type);
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::SetScissorRect(CONST RECT* rect) {
    if (!rect) return D3DERR_INVALIDCALL;
    Target().scissorRect = *rect;
    if (StateMask* mask = Recording()) mask->scissorRect = true;
    ++stats_.StateChanges;
    return D3D_OK;
}

HRESULT CDevice::GetScissorRect(RECT* rect) {
    if (!rect) return D3DERR_INVALIDCALL;
    *rect = state_.scissorRect;
    return D3D_OK;
}

}  // namespace vestra::d3d9
