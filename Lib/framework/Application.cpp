#include "framework/Application.h"

#include <stdlib.h>

#include <new>

#include <d3dx9.h>

#include "IWindow.h"
#include "framework/FrameworkUtil.h"
#include "scene/Scene.h"

CApplication::CApplication() {
    enumeration.usesDepthBuffer = true;

    // The configuration sits beside the host executable (not this library), named after it.
    char modulePath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    char drive[_MAX_DRIVE], directory[_MAX_DIR], name[_MAX_FNAME], extension[_MAX_EXT];
    _splitpath(modulePath, drive, directory, name, extension);
    _makepath(configurationPath, drive, directory, name, "ini");
}

void CApplication::Destroy() { delete this; }

LRESULT CApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = CD3DApplication::HandleMessage(window, message, wParam, lParam)) return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CApplication::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowProc(window, message, wParam, lParam);
}

LRESULT CApplication::FrameworkMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CD3DApplication::HandleMessage(window, message, wParam, lParam);
}

HWND CApplication::GetWindow() { return deviceWindow; }

int CApplication::Run() { return CD3DApplication::Run(); }

void CApplication::Pause(bool pause) { CD3DApplication::Pause(pause); }

HRESULT CApplication::RenderFrame() {
    const bool update = scene && (scene->GetRenderFlags() & SCENE_RENDER_UPDATE);
    const bool present = scene && (scene->GetRenderFlags() & SCENE_RENDER_PRESENT);
    return RenderFrameStep(update, present);
}

void CApplication::AddWindow(IWindow* window) { windows.push_back(window); }

IDirect3DDevice9* CApplication::GetDevice() { return device; }

void CApplication::SetDeviceLostCallback(DeviceLostCallback callback) { deviceLostCallback = callback; }
void CApplication::SetDeviceResetCallback(DeviceResetCallback callback) { deviceResetCallback = callback; }
void CApplication::SetAuxiliaryCallback(AuxiliaryCallback callback) { auxiliaryCallback = callback; }
void CApplication::SetUpdateCallback(UpdateCallback callback) { updateCallback = callback; }

IScene* CApplication::GetScene() { return scene; }
IScene* CApplication::GetCurrentScene() { return scene; }

HRESULT CApplication::AcceptDevice(const D3DCAPS9*, DWORD behavior, D3DFORMAT, D3DFORMAT backBufferFormat) {
    if (behavior & D3DCREATE_PUREDEVICE) return E_FAIL;
    // Nodes blend with destination alpha, so only back buffers that keep it will do.
    if (backBufferFormat != D3DFMT_A8R8G8B8 && backBufferFormat != D3DFMT_A1R5G5B5) return E_FAIL;
    // Read on every call: the enumeration is the only caller and runs once per start.
    const DWORD allowed = GetPrivateProfileIntA("DEVICE", "BEHAVIOR", -1, configurationPath);
    return (allowed & behavior) ? S_OK : E_FAIL;
}

HRESULT CApplication::InitApp() { return S_OK; }

HRESULT CApplication::OnCreateDevice() {
    scene = new CScene(device);
    return S_OK;
}

HRESULT CApplication::OnResetDevice() {
    scene->RestoreDeviceObjects();

    D3DMATERIAL9 material;
    InitMaterial(material, 1.0f, 0.0f, 0.0f, 1.0f);
    device->SetMaterial(&material);

    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);

    device->SetRenderState(D3DRS_DITHERENABLE, FALSE);
    device->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->SetRenderState(D3DRS_AMBIENT, 0x000F0F0F);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAREF, 0x0F);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);

    D3DXMATRIX matrix;
    D3DXMatrixIdentity(&matrix);
    device->SetTransform(D3DTS_WORLD, &matrix);
    const float aspect = static_cast<float>(backBufferDesc.Width) / static_cast<float>(backBufferDesc.Height);
    D3DXMatrixPerspectiveFovLH(&matrix, D3DX_PI / 4, aspect, 1.0f, 100.0f);
    device->SetTransform(D3DTS_PROJECTION, &matrix);

    if (deviceResetCallback) deviceResetCallback(device);
    return S_OK;
}

HRESULT CApplication::Update() {
    HRESULT hr = scene->Update(elapsedTime);
    if (SUCCEEDED(hr) && updateCallback) updateCallback(elapsedTime);
    return hr;
}

HRESULT CApplication::RenderScene() { return scene->Render(); }

HRESULT CApplication::OnLostDevice() {
    scene->InvalidateDeviceObjects();
    if (deviceLostCallback) deviceLostCallback();
    return S_OK;
}

HRESULT CApplication::OnDestroyDevice() {
    for (IWindow* window : windows) window->Destroy();
    windows.clear();
    if (scene) {
        scene->Cleanup();
        scene->Destroy();
        scene = nullptr;
    }
    return S_OK;
}

HRESULT CApplication::CleanupApp() { return S_OK; }

HRESULT CApplication::CreateWithWindow(HINSTANCE instance, HWND window) {
    deviceWindow = window;
    return Create(instance);
}

const char* CApplication::GetTitle() { return title; }

void CApplication::SetTitle(const char* text) { CopyStringCch(title, text, sizeof title); }

IApplication* CreateApplication(HINSTANCE instance, HWND window, const char* title) {
    CApplication* application = new (std::nothrow) CApplication();
    if (!application) return nullptr;
    if (FAILED(application->CreateWithWindow(instance, window))) {
        delete application;
        return nullptr;
    }
    application->SetTitle(title);
    return application;
}
