// CD3DApplication: turns a window into a Direct3D 9 application. It creates Direct3D, has
// the enumeration list the devices, picks windowed and fullscreen settings, creates (or
// adopts) the window and the device, runs the message and frame loops, pauses, follows
// size changes and device loss, switches between windowed and fullscreen, lets the user
// pick another device, keeps frame statistics and reports failures in message boxes.
// A derived class draws through the hooks, whose defaults do nothing.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include "framework/D3DEnumeration.h"
#include "framework/D3DSettings.h"

// Failures of the framework, each with its own message (ShowError).
constexpr HRESULT FWERR_DIRECT3D_UNAVAILABLE = static_cast<HRESULT>(0x82000001);
constexpr HRESULT FWERR_NO_COMPATIBLE_DEVICE = static_cast<HRESULT>(0x82000003);
constexpr HRESULT FWERR_NO_WINDOWED_DEVICE = static_cast<HRESULT>(0x82000004);
constexpr HRESULT FWERR_NO_HARDWARE_DEVICE = static_cast<HRESULT>(0x82000005);
constexpr HRESULT FWERR_HARDWARE_INCOMPATIBLE = static_cast<HRESULT>(0x82000006);
constexpr HRESULT FWERR_NO_WINDOWED_HARDWARE = static_cast<HRESULT>(0x82000007);
constexpr HRESULT FWERR_NO_DESKTOP_HARDWARE = static_cast<HRESULT>(0x82000008);
constexpr HRESULT FWERR_NO_HARDWARE_THIS_MODE = static_cast<HRESULT>(0x82000009);
constexpr HRESULT FWERR_NONZERO_REFCOUNT = static_cast<HRESULT>(0x8200000A);
constexpr HRESULT FWERR_MEDIA_NOT_FOUND = static_cast<HRESULT>(0x8200000B);
constexpr HRESULT FWERR_RESET_FAILED = static_cast<HRESULT>(0x8200000C);
constexpr HRESULT FWERR_NULL_REFERENCE_DEVICE = static_cast<HRESULT>(0x8200000D);

enum ErrorKind {
    ERRORKIND_WARNING = 0,
    ERRORKIND_FATAL = 1,
    ERRORKIND_SWITCHED_TO_REFERENCE = 2,
};

// Menu and accelerator commands of the host's resources that the framework answers.
enum FrameworkCommand {
    IDM_CHANGEDEVICE = 40002,
    IDM_TOGGLEFULLSCREEN = 40003,
    IDM_TOGGLESTART = 40004,
    IDM_SINGLESTEP = 40005,
    IDM_EXIT = 40006,
};

// Host resources the framework looks up.
enum FrameworkResource {
    IDI_MAIN_ICON = 101,
    IDR_MAIN_ACCEL = 113,
    IDR_MENU = 141,
    IDD_SELECTDEVICE = 144,
};

class CD3DApplication {
public:
    CD3DApplication();
    CD3DApplication(const CD3DApplication&) = delete;
    CD3DApplication& operator=(const CD3DApplication&) = delete;

    virtual HRESULT AdjustWindowStyle();
    virtual void UpdateFrameStats();
    virtual HRESULT AcceptDevice(const D3DCAPS9* caps, DWORD behavior, D3DFORMAT adapterFormat,
                                 D3DFORMAT backBufferFormat);
    virtual HRESULT InitApp();
    virtual HRESULT OnCreateDevice();
    virtual HRESULT OnResetDevice();
    virtual HRESULT Update();
    virtual HRESULT RenderScene();
    virtual HRESULT OnLostDevice();
    virtual HRESULT OnDestroyDevice();
    virtual HRESULT CleanupApp();
    virtual HRESULT Create(HINSTANCE instance);
    virtual int Run();
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual void Pause(bool pause);
    virtual ~CD3DApplication();

    HRESULT RenderFrameStep(bool runUpdate, bool present);
    // Shows the message for `code` (nothing once a fatal error was shown) and returns `code`.
    HRESULT ShowError(HRESULT code, int kind);

    static LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static bool AcceptDeviceBridge(const D3DCAPS9* caps, VertexProcessingType type, D3DFORMAT adapterFormat,
                                   D3DFORMAT backBufferFormat);

protected:
    HRESULT ChooseInitialSettings();
    bool PickWindowedSettings(bool requireHardware, bool requireReference);
    bool PickFullscreenSettings(bool requireHardware, bool requireReference);
    void BuildPresentParameters();
    HRESULT InitializeDevice();
    HRESULT ResetDevice();
    void CleanupDevice();
    HRESULT HandleSizeChange();
    HRESULT SwitchFullscreen();
    HRESULT ChooseNewDevice();

    CD3DEnumeration enumeration;
    D3DDeviceSettings settings;

    bool windowed = true;
    bool active = false;
    bool deviceLost = false;
    bool minimized = false;
    bool maximized = false;
    bool ignoreSizeChanges = false;
    bool deviceObjectsCreated = false;
    bool deviceObjectsReset = false;
    bool frameMoving = true;
    bool singleStep = false;

    D3DPRESENT_PARAMETERS presentParameters{};
    HWND deviceWindow = nullptr;
    HWND focusWindow = nullptr;
    HMENU savedMenu = nullptr;  // the window's menu, taken away while fullscreen
    IDirect3D9* direct3D = nullptr;
    IDirect3DDevice9* device = nullptr;
    D3DCAPS9 caps{};
    D3DSURFACE_DESC backBufferDesc{};
    DWORD createFlags = 0;  // without D3DCREATE_MULTITHREADED
    DWORD windowStyle = 0;
    RECT windowBounds{};
    RECT clientRect{};

    float time = 0.0f;
    float elapsedTime = 0.0f;
    float framesPerSecond = 0.0f;
    char deviceStats[90] = {};
    char frameStats[90] = {};

    char title[260] = {};
    DWORD creationWidth = 400;
    DWORD creationHeight = 300;
    bool showCursorWhenFullscreen = false;
    bool clipCursorWhenFullscreen = true;
    bool startFullscreen = false;

private:
    void ApplyCursorRules();
    void FormatDeviceStats(const D3DDeviceChoice& choice);
    void ReturnToWindowedState();
    void ShowFatalText(const char* text);
};

namespace vestra::framework {

// What every application in the process shares.
struct FrameworkProcessState {
    int pauseCount = 0;
    bool fatalErrorReported = false;
    CD3DApplication* mostRecentApplication = nullptr;
    DWORD statsFrames = 0;
    float lastStatsTime = 0.0f;
};

FrameworkProcessState& ProcessState();

}  // namespace vestra::framework
