// IApplication: the Direct3D application a host creates first. It owns the window (its own
// or the host's), the device and the one scene, runs the frame loop (Run, or RenderFrame
// from the host's loop), survives device loss, resizing and fullscreen switching, and
// reports start-up failures in message boxes.
//
// A plain interface: no reference count, no query. The host owns the application returned
// by CreateApplication. Shutting down is two steps: a WM_CLOSE to the window (the
// framework's exit command sends one) releases the scene, the registered 2D windows, the
// device and Direct3D and ends Run; Destroy then frees the object. Destroy alone frees
// none of those.
//
// The application reads the section "DEVICE", key "BEHAVIOR" of the private-profile file
// named after the executable with the extension "ini" (Viewer.exe reads Viewer.ini beside
// it): a mask of the vertex-processing behaviour flags (0x20 software, 0x40 hardware, 0x80
// mixed) a device may be created with; all of them when the value is absent. Only back
// buffers with alpha (A8R8G8B8, A1R5G5B5) are used, and never a pure device.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include "IScene.h"
#include "VestraExport.h"

class IWindow;

typedef void (*DeviceLostCallback)(void);
typedef void (*DeviceResetCallback)(IDirect3DDevice9* device);
typedef void (*AuxiliaryCallback)(void);
typedef void (*UpdateCallback)(float elapsedSeconds);

class IApplication {
public:
    // Frees the object; see the shutdown order above.
    virtual void Destroy() = 0;
    // The framework's message handling, then DefWindowProcA for what it leaves (result 0).
    // The window procedure of a host window that the application drives.
    virtual LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The framework's message handling alone, for hosts that do their own default processing.
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual HWND GetWindow() = 0;
    // The message loop, rendering whenever no message waits and the application is active,
    // until WM_QUIT; returns the quit message's wParam.
    virtual int Run() = 0;
    // One frame from the host's own loop: the scene is updated when its render flags have
    // SCENE_RENDER_UPDATE, drawn, and presented when they have SCENE_RENDER_PRESENT.
    virtual HRESULT RenderFrame() = 0;
    // The application destroys the window with the device objects. No reference is taken;
    // a window added twice is destroyed twice.
    virtual void AddWindow(IWindow* window) = 0;
    // Borrowed; null before the device exists and after the shutdown.
    virtual IDirect3DDevice9* GetDevice() = 0;
    // Callbacks take effect from the next device event: one set after CreateApplication
    // misses the first device reset. Null clears a callback.
    virtual void SetDeviceLostCallback(DeviceLostCallback callback) = 0;
    virtual void SetDeviceResetCallback(DeviceResetCallback callback) = 0;
    // Stored for the host; the application never calls it.
    virtual void SetAuxiliaryCallback(AuxiliaryCallback callback) = 0;
    // Called after each successful scene update with the frame's elapsed seconds.
    virtual void SetUpdateCallback(UpdateCallback callback) = 0;
    // Borrowed; null when the device objects do not exist.
    virtual IScene* GetScene() = 0;
    virtual IScene* GetCurrentScene() = 0;

protected:
    ~IApplication() = default;
};

// A new application on `window` (null: the framework creates a window of its own, captioned
// "D3D9 Application"). `title` (at most 259 characters) captions later message boxes. Null
// when start-up fails; the failure has been shown in a message box.
VESTRA_API IApplication* CreateApplication(HINSTANCE instance, HWND window, const char* title);
