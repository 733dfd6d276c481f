// CApplication: the engine's IApplication, a Direct3D application whose device draws one
// scene. It creates the scene with the device, gives every reset device the engine's fixed
// default state, decides from the executable's configuration file which devices may be used,
// and destroys the host's 2D windows with the device objects.
#pragma once

#include <list>

#include "IApplication.h"
#include "framework/D3DApplication.h"

class CScene;

namespace vestra::framework {

// The base's message hook and the interface's HandleMessage share one signature but not one
// meaning: the hook (the framework window's procedure) falls back to DefWindowProcA, the
// interface operation does not. Each bridge gives one of them a name of its own.
class WindowProcBridge : public CD3DApplication {
public:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        return WindowProcedure(window, message, wParam, lParam);
    }

protected:
    virtual LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

class InterfaceBridge : public IApplication {
public:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        return FrameworkMessage(window, message, wParam, lParam);
    }

protected:
    ~InterfaceBridge() = default;
    virtual LRESULT FrameworkMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace vestra::framework

class CApplication final : public vestra::framework::WindowProcBridge, public vestra::framework::InterfaceBridge {
public:
    CApplication();

    // IApplication
    void Destroy() override;
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND GetWindow() override;
    int Run() override;
    HRESULT RenderFrame() override;
    void AddWindow(IWindow* window) override;
    IDirect3DDevice9* GetDevice() override;
    void SetDeviceLostCallback(DeviceLostCallback callback) override;
    void SetDeviceResetCallback(DeviceResetCallback callback) override;
    void SetAuxiliaryCallback(AuxiliaryCallback callback) override;
    void SetUpdateCallback(UpdateCallback callback) override;
    IScene* GetScene() override;
    IScene* GetCurrentScene() override;

    // CD3DApplication hooks
    HRESULT AcceptDevice(const D3DCAPS9* caps, DWORD behavior, D3DFORMAT adapterFormat,
                         D3DFORMAT backBufferFormat) override;
    HRESULT InitApp() override;
    HRESULT OnCreateDevice() override;
    HRESULT OnResetDevice() override;
    HRESULT Update() override;
    HRESULT RenderScene() override;
    HRESULT OnLostDevice() override;
    HRESULT OnDestroyDevice() override;
    HRESULT CleanupApp() override;
    void Pause(bool pause) override;

    // Adopts `window` as the device window (null: create one) and starts up.
    virtual HRESULT CreateWithWindow(HINSTANCE instance, HWND window);
    virtual const char* GetTitle();
    virtual void SetTitle(const char* text);

    const char* ConfigurationPath() const { return configurationPath; }

protected:
    LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT FrameworkMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::list<IWindow*> windows;  // not owned until OnDestroyDevice destroys them
    CScene* scene = nullptr;
    char configurationPath[260] = {};
    DeviceLostCallback deviceLostCallback = nullptr;
    DeviceResetCallback deviceResetCallback = nullptr;
    AuxiliaryCallback auxiliaryCallback = nullptr;
    UpdateCallback updateCallback = nullptr;
};
