#include "render/RenderStateManager.h"

CRenderStateManager::CRenderStateManager()
{
    // Until the first SetViewProjection and PushMatrix the derived matrices are identities
    // rather than garbage.
    D3DXMatrixIdentity(&viewMatrix);
    D3DXMatrixIdentity(&projMatrix);
    D3DXMatrixIdentity(&viewProjMatrix);
    D3DXMatrixIdentity(&worldViewProjMatrix);
    D3DXMatrixIdentity(&worldViewMatrix);
    D3DXMatrixIdentity(&inverseViewMatrix);
    D3DXMatrixIdentity(&inverseWorldMatrix);
    if (SUCCEEDED(D3DXCreateMatrixStack(0, &matrixStack))) {
        matrixStack->LoadIdentity();
    } else {
        matrixStack = nullptr;
    }
}

CRenderStateManager::~CRenderStateManager()
{
    SetDevice(nullptr);
    if (matrixStack != nullptr) {
        matrixStack->Release();
    }
}

void CRenderStateManager::SetDevice(IDirect3DDevice9* newDevice)
{
    // Reference the new device first so that handing the same device again is harmless.
    if (newDevice != nullptr) {
        newDevice->AddRef();
    }
    if (device != nullptr) {
        device->Release();
    }
    device = newDevice;
}

void CRenderStateManager::SetViewProjection(const D3DXMATRIX* view, const D3DXMATRIX* projection)
{
    viewMatrix = *view;
    projMatrix = *projection;
    D3DXMatrixMultiply(&viewProjMatrix, &viewMatrix, &projMatrix);
    D3DXMatrixInverse(&inverseViewMatrix, nullptr, &viewMatrix);
}

const D3DXMATRIX* CRenderStateManager::GetWorldMatrix()
{
    return matrixStack != nullptr ? matrixStack->GetTop() : nullptr;
}

const D3DXMATRIX* CRenderStateManager::GetViewMatrix()
{
    return &viewMatrix;
}

const D3DXMATRIX* CRenderStateManager::GetProjectionMatrix()
{
    return &projMatrix;
}

const D3DXMATRIX* CRenderStateManager::GetWorldViewProjectionMatrix()
{
    return &worldViewProjMatrix;
}

const D3DXMATRIX* CRenderStateManager::GetWorldViewMatrix()
{
    return &worldViewMatrix;
}

const D3DXMATRIX* CRenderStateManager::GetInverseViewMatrix()
{
    return &inverseViewMatrix;
}

const D3DXMATRIX* CRenderStateManager::GetInverseWorldMatrix()
{
    return &inverseWorldMatrix;
}

HRESULT CRenderStateManager::PushMatrix(const D3DXMATRIX* local)
{
    if (matrixStack == nullptr || device == nullptr) {
        return E_FAIL;
    }
    HRESULT hr = matrixStack->Push();
    if (FAILED(hr)) {
        return hr;
    }
    ++matrixDepth;
    hr = local != nullptr ? matrixStack->MultMatrixLocal(local) : matrixStack->LoadIdentity();
    if (FAILED(hr)) {
        return hr;
    }
    const D3DXMATRIX* top = GetWorldMatrix();
    hr = device->SetTransform(D3DTS_WORLD, top);
    D3DXMatrixMultiply(&worldViewMatrix, top, &viewMatrix);
    D3DXMatrixMultiply(&worldViewProjMatrix, top, &viewProjMatrix);
    D3DXMatrixInverse(&inverseWorldMatrix, nullptr, top);
    return hr;
}

HRESULT CRenderStateManager::PopMatrix()
{
    if (matrixStack == nullptr) {
        return E_FAIL;
    }
    HRESULT hr = matrixStack->Pop();
    if (FAILED(hr)) {
        return hr;
    }
    --matrixDepth;
    if (device != nullptr) {
        hr = device->SetTransform(D3DTS_WORLD, GetWorldMatrix());
    }
    return hr;
}

size_t CRenderStateManager::SavedStateCount() const
{
    size_t count = 0;
    for (const auto& [state, saved] : savedStates) {
        count += saved.size();
    }
    return count;
}

HRESULT CRenderStateManager::PushRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    if (device == nullptr) {
        return E_FAIL;
    }
    DWORD former = 0;
    const HRESULT hr = device->GetRenderState(state, &former);
    if (FAILED(hr)) {
        return hr;
    }
    savedStates[state].push_back(former);
    return device->SetRenderState(state, value);
}

HRESULT CRenderStateManager::PopRenderState(D3DRENDERSTATETYPE state)
{
    if (device == nullptr) {
        return E_FAIL;
    }
    std::vector<DWORD>& saved = savedStates[state];
    if (saved.empty()) {
        return E_INVALIDARG;
    }
    const DWORD value = saved.back();
    saved.pop_back();
    return device->SetRenderState(state, value);
}

HRESULT CRenderStateManager::SetColorStage(DWORD stage, DWORD op, DWORD arg1, DWORD arg2)
{
    return SetStage(stage, D3DTSS_COLOROP, op, D3DTSS_COLORARG1, arg1, D3DTSS_COLORARG2, arg2);
}

HRESULT CRenderStateManager::SetAlphaStage(DWORD stage, DWORD op, DWORD arg1, DWORD arg2)
{
    return SetStage(stage, D3DTSS_ALPHAOP, op, D3DTSS_ALPHAARG1, arg1, D3DTSS_ALPHAARG2, arg2);
}

HRESULT CRenderStateManager::SetStage(DWORD stage, D3DTEXTURESTAGESTATETYPE opState, DWORD op,
                                      D3DTEXTURESTAGESTATETYPE arg1State, DWORD arg1,
                                      D3DTEXTURESTAGESTATETYPE arg2State, DWORD arg2)
{
    if (device == nullptr) {
        return E_FAIL;
    }
    device->SetTextureStageState(stage, opState, op);
    device->SetTextureStageState(stage, arg1State, arg1);
    device->SetTextureStageState(stage, arg2State, arg2);
    return S_OK;
}
