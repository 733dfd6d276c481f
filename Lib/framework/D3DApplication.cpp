#include "framework/D3DApplication.h"

#include <cstdio>
#include <cstring>

#include "framework/DeviceCursor.h"
#include "framework/FormatNames.h"
#include "framework/FrameworkTimer.h"
#include "framework/FrameworkUtil.h"
#include "framework/SettingsDialog.h"

using vestra::framework::ProcessState;

namespace vestra::framework {

FrameworkProcessState& ProcessState() {
    static FrameworkProcessState state;
    return state;
}

}  // namespace vestra::framework

namespace {

constexpr HRESULT kFileNotFound = static_cast<HRESULT>(0x80070002);
constexpr char kExitSuffix[] = "\n\nThis application will now exit.";
constexpr char kReferenceSuffix[] =
    "\n\nSwitching to the reference rasterizer,\na software device that implements the entire\n"
    "Direct3D feature set, but runs very slowly.";

const char* ErrorText(HRESULT code) {
    switch (code) {
        case FWERR_DIRECT3D_UNAVAILABLE:
            return "Could not initialize Direct3D. You may\nwant to check that the latest version of\nDirectX is "
                   "correctly installed on your\nsystem.  Also make sure that this program\nwas compiled with header "
                   "files that match\nthe installed DirectX DLLs.";
        case FWERR_NO_COMPATIBLE_DEVICE: return "Could not find any compatible Direct3D\ndevices.";
        case FWERR_NO_WINDOWED_DEVICE:
            return "This application cannot run in a desktop\nwindow with the current display settings.\nPlease "
                   "change your desktop settings to a\n16- or 32-bit display mode and re-run this\nsample.";
        case FWERR_NO_HARDWARE_DEVICE: return "No hardware-accelerated Direct3D devices\nwere found.";
        case FWERR_HARDWARE_INCOMPATIBLE:
            return "This application requires functionality that is\nnot available on your Direct3D "
                   "hardware\naccelerator.";
        case FWERR_NO_WINDOWED_HARDWARE:
            return "Your Direct3D hardware accelerator cannot\nrender into a window.\nPress F2 while the app is "
                   "running to see a\nlist of available devices and modes.";
        case FWERR_NO_DESKTOP_HARDWARE:
            return "Your Direct3D hardware accelerator cannot\nrender into a window with the current\ndesktop display "
                   "settings.\nPress F2 while the app is running to see a\nlist of available devices and modes.";
        case FWERR_NO_HARDWARE_THIS_MODE:
            return "This application requires functionality that is\nnot available on your Direct3D "
                   "hardware\naccelerator with the current desktop display\nsettings.\nPress F2 while the app is "
                   "running to see a\nlist of available devices and modes.";
        case FWERR_NONZERO_REFCOUNT:
            return "A D3D object has a non-zero reference\ncount (meaning things were not properly\ncleaned up).";
        case FWERR_MEDIA_NOT_FOUND:
        case kFileNotFound: return "Could not load required media.";
        case FWERR_RESET_FAILED: return "Could not reset the Direct3D device.";
        case FWERR_NULL_REFERENCE_DEVICE:
            return "Warning: Nothing will be rendered.\nThe reference rendering device was selected, but "
                   "your\ncomputer only has a reduced-functionality reference device\ninstalled.  Install the "
                   "DirectX SDK to get the full\nreference device.\n";
        case D3DERR_OUTOFVIDEOMEMORY: return "Not enough video memory.";
        case E_OUTOFMEMORY: return "Not enough memory.";
        case D3DERR_DRIVERINTERNALERROR: return "A serious problem occured inside the display driver.";
        default:
            return "Generic application error. Enable\ndebug output for detailed information.";
    }
}

// The text with its closing paragraph; the longest message and suffix fit with room to spare.
void JoinText(char (&out)[512], const char* text, const char* suffix) {
    std::snprintf(out, sizeof out, "%s%s", text, suffix);
}

const char* MultisampleText(D3DMULTISAMPLE_TYPE type) {
    static const char* const kTexts[] = {
        " (2x Multisample)",  " (3x Multisample)",  " (4x Multisample)",  " (5x Multisample)",
        " (6x Multisample)",  " (7x Multisample)",  " (8x Multisample)",  " (9x Multisample)",
        " (10x Multisample)", " (11x Multisample)", " (12x Multisample)", " (13x Multisample)",
        " (14x Multisample)", " (15x Multisample)", " (16x Multisample)"};
    if (type == D3DMULTISAMPLE_NONMASKABLE) return " (Nonmaskable Multisample)";
    if (type >= D3DMULTISAMPLE_2_SAMPLES && type <= D3DMULTISAMPLE_16_SAMPLES)
        return kTexts[type - D3DMULTISAMPLE_2_SAMPLES];
    return "";
}

template <typename T>
T* RecordAt(const CRecordList& list, UINT index) {
    return static_cast<T*>(list.GetPtr(index));
}

}  // namespace

CD3DApplication::CD3DApplication() {
    CopyStringCch(title, "D3D9 Application", sizeof title);
    ProcessState().mostRecentApplication = this;
    Pause(true);
}

CD3DApplication::~CD3DApplication() {
    if (ProcessState().mostRecentApplication == this) ProcessState().mostRecentApplication = nullptr;
}

HRESULT CD3DApplication::AcceptDevice(const D3DCAPS9*, DWORD, D3DFORMAT, D3DFORMAT) { return S_OK; }
HRESULT CD3DApplication::InitApp() { return S_OK; }
HRESULT CD3DApplication::OnCreateDevice() { return S_OK; }
HRESULT CD3DApplication::OnResetDevice() { return S_OK; }
HRESULT CD3DApplication::Update() { return S_OK; }
HRESULT CD3DApplication::RenderScene() { return S_OK; }
HRESULT CD3DApplication::OnLostDevice() { return S_OK; }
HRESULT CD3DApplication::OnDestroyDevice() { return S_OK; }
HRESULT CD3DApplication::CleanupApp() { return S_OK; }

LRESULT CALLBACK CD3DApplication::FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CD3DApplication* application = ProcessState().mostRecentApplication;
    if (!application) return DefWindowProcA(window, message, wParam, lParam);
    return application->HandleMessage(window, message, wParam, lParam);
}

bool CD3DApplication::AcceptDeviceBridge(const D3DCAPS9* caps, VertexProcessingType type, D3DFORMAT adapterFormat,
                                         D3DFORMAT backBufferFormat) {
    CD3DApplication* application = ProcessState().mostRecentApplication;
    if (!application) return false;
    return SUCCEEDED(application->AcceptDevice(caps, BehaviorFlagsOf(type), adapterFormat, backBufferFormat));
}

HRESULT CD3DApplication::Create(HINSTANCE instance) {
    direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (!direct3D) return ShowError(FWERR_DIRECT3D_UNAVAILABLE, ERRORKIND_FATAL);

    enumeration.direct3D = direct3D;
    enumeration.acceptDevice = AcceptDeviceBridge;
    HRESULT hr = enumeration.Enumerate();
    if (FAILED(hr)) {
        direct3D->Release();
        direct3D = nullptr;
        return ShowError(hr, ERRORKIND_FATAL);
    }

    if (!deviceWindow) {
        WNDCLASSA windowClass = {0,
                                 FrameworkWindowProc,
                                 0,
                                 0,
                                 instance,
                                 LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN_ICON)),
                                 LoadCursorA(nullptr, IDC_ARROW),
                                 reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
                                 nullptr,
                                 "D3D Window"};
        RegisterClassA(&windowClass);

        windowStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        RECT rect;
        SetRect(&rect, 0, 0, static_cast<int>(creationWidth), static_cast<int>(creationHeight));
        AdjustWindowRect(&rect, windowStyle, TRUE);
        deviceWindow = CreateWindowExA(0, "D3D Window", title, windowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                       rect.right - rect.left, rect.bottom - rect.top, nullptr,
                                       LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MENU)), instance, nullptr);
    }
    if (!focusWindow) focusWindow = deviceWindow;
    windowStyle = static_cast<DWORD>(GetWindowLongA(deviceWindow, GWL_STYLE));
    GetWindowRect(deviceWindow, &windowBounds);
    GetClientRect(deviceWindow, &clientRect);

    hr = ChooseInitialSettings();
    if (SUCCEEDED(hr)) {
        FrameworkTimer(TIMERCMD_START);
        hr = InitApp();
    }
    if (SUCCEEDED(hr)) hr = InitializeDevice();
    if (FAILED(hr)) {
        direct3D->Release();
        direct3D = nullptr;
        return ShowError(hr, ERRORKIND_FATAL);
    }
    Pause(false);
    return S_OK;
}

HRESULT CD3DApplication::ChooseInitialSettings() {
    const bool foundFullscreen = PickFullscreenSettings(false, false);
    const bool foundWindowed = PickWindowedSettings(false, false);
    if (startFullscreen && foundFullscreen) settings.isWindowed = false;
    if (!foundWindowed && foundFullscreen) settings.isWindowed = false;
    if (!foundFullscreen && !foundWindowed) return FWERR_NO_COMPATIBLE_DEVICE;
    return S_OK;
}

bool CD3DApplication::PickWindowedSettings(bool requireHardware, bool requireReference) {
    D3DDISPLAYMODE desktop{};
    direct3D->GetAdapterDisplayMode(0, &desktop);

    D3DAdapterInfo* bestAdapter = nullptr;
    D3DDeviceInfo* bestDevice = nullptr;
    D3DDeviceCombo* best = nullptr;
    for (UINT a = 0; a < enumeration.AdapterCount(); ++a) {
        D3DAdapterInfo* adapter = enumeration.Adapter(a);
        for (UINT d = 0; d < adapter->devices.Count(); ++d) {
            D3DDeviceInfo* device = RecordAt<D3DDeviceInfo>(adapter->devices, d);
            if (requireHardware && device->deviceType != D3DDEVTYPE_HAL) continue;
            if (requireReference && device->deviceType != D3DDEVTYPE_REF) continue;
            for (UINT c = 0; c < device->combos.Count(); ++c) {
                D3DDeviceCombo* combo = RecordAt<D3DDeviceCombo>(device->combos, c);
                if (!combo->isWindowed || combo->adapterFormat != desktop.Format) continue;
                const bool isHal = combo->deviceType == D3DDEVTYPE_HAL;
                const bool perfect = isHal && combo->backBufferFormat == combo->adapterFormat;
                if (!best || (best->deviceType != D3DDEVTYPE_HAL && isHal) || perfect) {
                    bestAdapter = adapter;
                    bestDevice = device;
                    best = combo;
                    if (perfect) goto found;
                }
            }
        }
    }
found:
    if (!best) return false;

    D3DDeviceChoice& choice = settings.windowed;
    choice.adapter = bestAdapter;
    choice.device = bestDevice;
    choice.combo = best;
    choice.displayMode = desktop;
    settings.isWindowed = true;
    settings.windowedWidth = clientRect.right - clientRect.left;
    settings.windowedHeight = clientRect.bottom - clientRect.top;
    if (enumeration.usesDepthBuffer) choice.depthStencilFormat = *RecordAt<D3DFORMAT>(best->depthStencilFormats, 0);
    choice.multisampleType = *RecordAt<D3DMULTISAMPLE_TYPE>(best->multisampleTypes, 0);
    choice.multisampleQuality = 0;
    choice.vertexProcessingType = *RecordAt<VertexProcessingType>(best->vertexProcessingTypes, 0);
    choice.presentInterval = *RecordAt<UINT>(best->presentIntervals, 0);
    return true;
}

bool CD3DApplication::PickFullscreenSettings(bool requireHardware, bool requireReference) {
    D3DDISPLAYMODE bestDesktop{};
    D3DAdapterInfo* bestAdapter = nullptr;
    D3DDeviceInfo* bestDevice = nullptr;
    D3DDeviceCombo* best = nullptr;
    for (UINT a = 0; a < enumeration.AdapterCount(); ++a) {
        D3DAdapterInfo* adapter = enumeration.Adapter(a);
        D3DDISPLAYMODE desktop{};
        direct3D->GetAdapterDisplayMode(adapter->adapterOrdinal, &desktop);
        for (UINT d = 0; d < adapter->devices.Count(); ++d) {
            D3DDeviceInfo* device = RecordAt<D3DDeviceInfo>(adapter->devices, d);
            if (requireHardware && device->deviceType != D3DDEVTYPE_HAL) continue;
            if (requireReference && device->deviceType != D3DDEVTYPE_REF) continue;
            for (UINT c = 0; c < device->combos.Count(); ++c) {
                D3DDeviceCombo* combo = RecordAt<D3DDeviceCombo>(device->combos, c);
                if (combo->isWindowed) continue;
                const bool isHal = combo->deviceType == D3DDEVTYPE_HAL;
                const bool onDesktopFormat = combo->adapterFormat == desktop.Format;
                const bool perfect = isHal && onDesktopFormat && combo->backBufferFormat == combo->adapterFormat;
                if (!best || (best->deviceType != D3DDEVTYPE_HAL && isHal) ||
                    (isHal && onDesktopFormat && best->adapterFormat != desktop.Format) || perfect) {
                    bestDesktop = desktop;
                    bestAdapter = adapter;
                    bestDevice = device;
                    best = combo;
                    if (perfect) goto found;
                }
            }
        }
    }
found:
    if (!best) return false;

    // The desktop's own mode if the adapter has it in this format, else one of its width,
    // else the smallest.
    D3DDISPLAYMODE mode{};
    bool taken = false;
    for (UINT m = 0; m < bestAdapter->displayModes.Count(); ++m) {
        const D3DDISPLAYMODE& candidate = *RecordAt<D3DDISPLAYMODE>(bestAdapter->displayModes, m);
        if (candidate.Format != best->adapterFormat) continue;
        if (candidate.Width == bestDesktop.Width && candidate.Height == bestDesktop.Height &&
            candidate.RefreshRate == bestDesktop.RefreshRate) {
            mode = candidate;
            break;
        }
        if (candidate.Width == bestDesktop.Width || !taken) {
            mode = candidate;
            taken = true;
        }
    }

    D3DDeviceChoice& choice = settings.fullscreen;
    choice.adapter = bestAdapter;
    choice.device = bestDevice;
    choice.combo = best;
    choice.displayMode = mode;
    settings.isWindowed = false;
    if (enumeration.usesDepthBuffer) choice.depthStencilFormat = *RecordAt<D3DFORMAT>(best->depthStencilFormats, 0);
    choice.multisampleType = *RecordAt<D3DMULTISAMPLE_TYPE>(best->multisampleTypes, 0);
    choice.multisampleQuality = 0;
    choice.vertexProcessingType = *RecordAt<VertexProcessingType>(best->vertexProcessingTypes, 0);
    choice.presentInterval = D3DPRESENT_INTERVAL_DEFAULT;
    return true;
}

void CD3DApplication::BuildPresentParameters() {
    const D3DDeviceChoice& choice = settings.Current();
    std::memset(&presentParameters, 0, sizeof presentParameters);
    presentParameters.Windowed = settings.isWindowed;
    presentParameters.BackBufferCount = 1;
    presentParameters.MultiSampleType = choice.multisampleType;
    presentParameters.MultiSampleQuality = choice.multisampleQuality;
    presentParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentParameters.EnableAutoDepthStencil = enumeration.usesDepthBuffer;
    presentParameters.hDeviceWindow = deviceWindow;
    if (enumeration.usesDepthBuffer) {
        presentParameters.Flags = D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL;
        presentParameters.AutoDepthStencilFormat = choice.depthStencilFormat;
    }
    if (choice.combo) presentParameters.BackBufferFormat = choice.combo->backBufferFormat;
    if (windowed) {
        presentParameters.BackBufferWidth = static_cast<UINT>(clientRect.right - clientRect.left);
        presentParameters.BackBufferHeight = static_cast<UINT>(clientRect.bottom - clientRect.top);
        presentParameters.FullScreen_RefreshRateInHz = 0;
    } else {
        presentParameters.BackBufferWidth = choice.displayMode.Width;
        presentParameters.BackBufferHeight = choice.displayMode.Height;
        presentParameters.FullScreen_RefreshRateInHz = choice.displayMode.RefreshRate;
    }
    presentParameters.PresentationInterval = choice.presentInterval;
}

void CD3DApplication::FormatDeviceStats(const D3DDeviceChoice& choice) {
    const D3DDEVTYPE type = choice.device->deviceType;
    const bool isHal = type == D3DDEVTYPE_HAL;
    const char* typeText = type == D3DDEVTYPE_REF ? "REF" : isHal ? "HAL" : type == D3DDEVTYPE_SW ? "SW" : "";

    const char* processingText = "";
    if ((createFlags & D3DCREATE_HARDWARE_VERTEXPROCESSING) && (createFlags & D3DCREATE_PUREDEVICE))
        processingText = isHal ? " (pure hw vp)" : " (simulated pure hw vp)";
    else if (createFlags & D3DCREATE_HARDWARE_VERTEXPROCESSING)
        processingText = isHal ? " (hw vp)" : " (simulated hw vp)";
    else if (createFlags & D3DCREATE_MIXED_VERTEXPROCESSING)
        processingText = isHal ? " (mixed vp)" : " (simulated mixed vp)";
    else if (createFlags & D3DCREATE_SOFTWARE_VERTEXPROCESSING)
        processingText = " (sw vp)";

    // The adapter's description is cut to what the statistics text holds.
    char text[1024];
    std::snprintf(text, sizeof text, "%s%s%s%s", typeText, processingText, isHal ? ": " : "",
                  isHal ? choice.adapter->identifier.Description : "");
    CopyStringCch(deviceStats, text, sizeof deviceStats);
}

void CD3DApplication::ApplyCursorRules() {
    if (showCursorWhenFullscreen && !windowed) {
        HCURSOR cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(deviceWindow, GCLP_HCURSOR));
        SetDeviceCursorFromHandle(device, cursor, FALSE);
        device->ShowCursor(TRUE);
    }
    if (clipCursorWhenFullscreen) {
        if (!windowed) {
            RECT bounds;
            GetWindowRect(deviceWindow, &bounds);
            ClipCursor(&bounds);
        } else {
            ClipCursor(nullptr);
        }
    }
}

HRESULT CD3DApplication::InitializeDevice() {
    const D3DDeviceChoice& choice = settings.Current();
    if (!choice.combo) return FWERR_NO_COMPATIBLE_DEVICE;
    const D3DDEVTYPE deviceType = choice.device->deviceType;
    windowed = settings.isWindowed;
    AdjustWindowStyle();
    BuildPresentParameters();

    if (choice.device->caps.PrimitiveMiscCaps & D3DPMISCCAPS_NULLREFERENCE)
        ShowError(FWERR_NULL_REFERENCE_DEVICE, ERRORKIND_WARNING);

    const DWORD behavior = BehaviorFlagsOf(choice.vertexProcessingType);
    HRESULT hr = direct3D->CreateDevice(choice.combo->adapterOrdinal, deviceType, focusWindow,
                                        behavior | D3DCREATE_MULTITHREADED, &presentParameters, &device);
    if (SUCCEEDED(hr)) {
        if (windowed) {
            SetWindowPos(deviceWindow, HWND_NOTOPMOST, windowBounds.left, windowBounds.top,
                         windowBounds.right - windowBounds.left, windowBounds.bottom - windowBounds.top,
                         SWP_SHOWWINDOW);
        }
        device->GetDeviceCaps(&caps);
        createFlags = behavior;
        FormatDeviceStats(choice);

        IDirect3DSurface9* backBuffer = nullptr;
        if (SUCCEEDED(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
            backBuffer->GetDesc(&backBufferDesc);
            backBuffer->Release();
        }
        ApplyCursorRules();

        hr = OnCreateDevice();
        if (FAILED(hr)) {
            OnDestroyDevice();
        } else {
            deviceObjectsCreated = true;
            hr = OnResetDevice();
            if (SUCCEEDED(hr)) {
                deviceObjectsReset = true;
                return S_OK;
            }
            OnLostDevice();
        }
        CleanupDevice();
    }

    // A hardware device that cannot be made (or cannot hold the application's objects) is
    // retried once as a windowed reference device; missing media would fail there too.
    if (hr != FWERR_MEDIA_NOT_FOUND && hr != kFileNotFound && deviceType == D3DDEVTYPE_HAL &&
        PickWindowedSettings(false, true)) {
        windowed = true;
        AdjustWindowStyle();
        SetWindowPos(deviceWindow, HWND_NOTOPMOST, windowBounds.left, windowBounds.top,
                     windowBounds.right - windowBounds.left, windowBounds.bottom - windowBounds.top, SWP_SHOWWINDOW);
        ShowError(hr, ERRORKIND_SWITCHED_TO_REFERENCE);
        return InitializeDevice();
    }
    return hr;
}

HRESULT CD3DApplication::ResetDevice() {
    if (deviceObjectsReset) {
        deviceObjectsReset = false;
        OnLostDevice();
    }
    HRESULT hr = device->Reset(&presentParameters);
    if (FAILED(hr)) return hr;

    IDirect3DSurface9* backBuffer = nullptr;
    if (SUCCEEDED(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
        backBuffer->GetDesc(&backBufferDesc);
        backBuffer->Release();
    }
    ApplyCursorRules();

    hr = OnResetDevice();
    if (FAILED(hr)) {
        OnLostDevice();
        return hr;
    }
    deviceObjectsReset = true;
    // With time frozen, let the next frame update once so the reset scene is drawn current.
    if (!frameMoving) {
        singleStep = true;
        FrameworkTimer(TIMERCMD_START);
        FrameworkTimer(TIMERCMD_STOP);
    }
    return S_OK;
}

void CD3DApplication::ShowFatalText(const char* text) {
    ProcessState().fatalErrorReported = true;
    char message[512];
    JoinText(message, text, kExitSuffix);
    MessageBoxA(nullptr, message, title, MB_ICONERROR);
    if (deviceWindow) SendMessageA(deviceWindow, WM_CLOSE, 0, 0);
}

void CD3DApplication::CleanupDevice() {
    if (!device) return;
    if (deviceObjectsReset) {
        deviceObjectsReset = false;
        OnLostDevice();
    }
    if (deviceObjectsCreated) {
        deviceObjectsCreated = false;
        OnDestroyDevice();
    }
    const ULONG remaining = device->Release();
    device = nullptr;
    if (remaining > 0 && !ProcessState().fatalErrorReported) ShowFatalText(ErrorText(FWERR_NONZERO_REFCOUNT));
}

HRESULT CD3DApplication::RenderFrameStep(bool runUpdate, bool present) {
    if (!device) return E_FAIL;
    if (deviceLost) {
        HRESULT hr = device->TestCooperativeLevel();
        if (FAILED(hr)) {
            if (hr == D3DERR_DEVICELOST) return S_OK;
            if (hr != D3DERR_DEVICENOTRESET) return hr;
            // The desktop may have changed while the device was lost.
            if (windowed) {
                D3DDeviceChoice& choice = settings.windowed;
                direct3D->GetAdapterDisplayMode(choice.adapter->adapterOrdinal, &choice.displayMode);
                presentParameters.BackBufferFormat = choice.displayMode.Format;
            }
            return ResetDevice();
        }
        deviceLost = false;
    }

    const float appTime = FrameworkTimer(TIMERCMD_APP_TIME);
    const float elapsed = FrameworkTimer(TIMERCMD_ELAPSED_TIME);
    if (elapsed == 0.0f && frameMoving) return S_OK;

    if (runUpdate && (frameMoving || singleStep)) {
        time = appTime;
        elapsedTime = elapsed;
        HRESULT hr = Update();
        if (FAILED(hr)) return hr;
        singleStep = false;
    }
    HRESULT hr = RenderScene();
    if (FAILED(hr)) return hr;
    UpdateFrameStats();
    if (present && device->Present(nullptr, nullptr, nullptr, nullptr) == D3DERR_DEVICELOST) deviceLost = true;
    return S_OK;
}

void CD3DApplication::UpdateFrameStats() {
    auto& state = ProcessState();
    ++state.statsFrames;
    const float now = FrameworkTimer(TIMERCMD_ABSOLUTE_TIME);
    if (now - state.lastStatsTime <= 1.0f) return;

    framesPerSecond = static_cast<float>(state.statsFrames) / (now - state.lastStatsTime);
    state.lastStatsTime = now;
    state.statsFrames = 0;

    const D3DDeviceChoice& choice = settings.Current();
    char formatText[100];
    if (choice.displayMode.Format == backBufferDesc.Format) {
        CopyStringCch(formatText, FormatName(choice.displayMode.Format, false), sizeof formatText);
    } else {
        std::snprintf(formatText, sizeof formatText, "backbuf %s, adapter %s", FormatName(backBufferDesc.Format, false),
                      FormatName(choice.displayMode.Format, false));
    }
    char depthText[100] = "";
    if (enumeration.usesDepthBuffer)
        std::snprintf(depthText, sizeof depthText, " (%s)", FormatName(choice.depthStencilFormat, false));
    char text[512];
    std::snprintf(text, sizeof text, "%.02f fps (%dx%d), %s%s%s", framesPerSecond,
                  static_cast<int>(backBufferDesc.Width), static_cast<int>(backBufferDesc.Height), formatText,
                  depthText, MultisampleText(choice.multisampleType));
    CopyStringCch(frameStats, text, sizeof frameStats);
}

void CD3DApplication::Pause(bool pause) {
    auto& state = ProcessState();
    state.pauseCount += pause ? 1 : -1;
    active = state.pauseCount == 0;
    if (pause && state.pauseCount == 1 && frameMoving) FrameworkTimer(TIMERCMD_STOP);
    if (state.pauseCount == 0 && frameMoving) FrameworkTimer(TIMERCMD_START);
}

HRESULT CD3DApplication::AdjustWindowStyle() {
    if (windowed) {
        SetWindowLongA(deviceWindow, GWL_STYLE, static_cast<LONG>(windowStyle));
        if (savedMenu) {
            SetMenu(deviceWindow, savedMenu);
            savedMenu = nullptr;
        }
    } else {
        SetWindowLongA(deviceWindow, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_SYSMENU | WS_VISIBLE));
        if (!savedMenu) {
            savedMenu = GetMenu(deviceWindow);
            SetMenu(deviceWindow, nullptr);
        }
    }
    return S_OK;
}

HRESULT CD3DApplication::HandleSizeChange() {
    if (ignoreSizeChanges) return S_OK;
    const RECT before = clientRect;
    GetWindowRect(deviceWindow, &windowBounds);
    GetClientRect(deviceWindow, &clientRect);
    if (clientRect.right - clientRect.left == before.right - before.left &&
        clientRect.bottom - clientRect.top == before.bottom - before.top)
        return S_OK;

    Pause(true);
    presentParameters.BackBufferWidth = static_cast<UINT>(clientRect.right - clientRect.left);
    presentParameters.BackBufferHeight = static_cast<UINT>(clientRect.bottom - clientRect.top);
    HRESULT hr = S_OK;
    if (device && FAILED(hr = ResetDevice()))
        hr = ShowError(hr == D3DERR_OUTOFVIDEOMEMORY ? hr : FWERR_RESET_FAILED, ERRORKIND_FATAL);
    Pause(false);
    return hr;
}

void CD3DApplication::ReturnToWindowedState() {
    windowed = true;
    settings.isWindowed = true;
    AdjustWindowStyle();
    SetWindowPos(deviceWindow, HWND_NOTOPMOST, windowBounds.left, windowBounds.top,
                 windowBounds.right - windowBounds.left, windowBounds.bottom - windowBounds.top, SWP_SHOWWINDOW);
}

HRESULT CD3DApplication::SwitchFullscreen() {
    const D3DDeviceChoice& before = settings.Current();
    const UINT ordinal = before.combo ? before.combo->adapterOrdinal : 0;
    const D3DDEVTYPE type = before.device ? before.device->deviceType : D3DDEVTYPE_HAL;

    Pause(true);
    ignoreSizeChanges = true;
    windowed = !windowed;
    settings.isWindowed = !settings.isWindowed;
    AdjustWindowStyle();

    const D3DDeviceChoice& after = settings.Current();
    HRESULT hr;
    if (device && after.combo && after.combo->adapterOrdinal == ordinal && after.device->deviceType == type) {
        BuildPresentParameters();
        hr = ResetDevice();
    } else {
        CleanupDevice();
        hr = InitializeDevice();
    }

    ignoreSizeChanges = false;
    if (SUCCEEDED(hr)) {
        if (windowed) {
            SetWindowPos(deviceWindow, HWND_NOTOPMOST, windowBounds.left, windowBounds.top,
                         windowBounds.right - windowBounds.left, windowBounds.bottom - windowBounds.top,
                         SWP_SHOWWINDOW);
        }
        Pause(false);
        return S_OK;
    }
    if (!windowed) ReturnToWindowedState();
    return ShowError(hr == D3DERR_OUTOFVIDEOMEMORY ? hr : FWERR_RESET_FAILED, ERRORKIND_FATAL);
}

HRESULT CD3DApplication::ChooseNewDevice() {
    if (!windowed && FAILED(SwitchFullscreen())) {
        if (!ProcessState().fatalErrorReported) ShowFatalText(ErrorText(FWERR_RESET_FAILED));
        return E_FAIL;
    }

    CD3DSettingsDialog dialog(&enumeration, settings);
    if (dialog.ShowDialog(deviceWindow) != IDOK) return S_OK;
    dialog.GetFinalSettings(settings);

    windowed = settings.isWindowed;
    CleanupDevice();
    HRESULT hr = InitializeDevice();
    if (FAILED(hr)) {
        const HRESULT code = hr == D3DERR_OUTOFVIDEOMEMORY ? hr : FWERR_RESET_FAILED;
        if (!windowed) ReturnToWindowedState();
        return ShowError(code, ERRORKIND_FATAL);
    }
    if (!frameMoving) {
        singleStep = true;
        FrameworkTimer(TIMERCMD_START);
        FrameworkTimer(TIMERCMD_STOP);
    }
    return S_OK;
}

int CD3DApplication::Run() {
    HACCEL accelerators = LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(IDR_MAIN_ACCEL));
    MSG message{};
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    while (message.message != WM_QUIT) {
        // Paused applications sleep in GetMessage; active ones render whenever the queue is empty.
        const bool gotMessage = active ? PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0
                                       : GetMessageA(&message, nullptr, 0, 0) != 0;
        if (gotMessage) {
            if (!accelerators || !deviceWindow || !TranslateAcceleratorA(deviceWindow, accelerators, &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        } else {
            if (deviceLost) Sleep(100);
            if (active && FAILED(RenderFrameStep(true, true))) SendMessageA(deviceWindow, WM_CLOSE, 0, 0);
        }
    }
    if (accelerators) DestroyAcceleratorTable(accelerators);
    return static_cast<int>(message.wParam);
}

LRESULT CD3DApplication::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            if (device && !active && windowed && deviceObjectsCreated && deviceObjectsReset) {
                RenderScene();
                device->Present(nullptr, nullptr, nullptr, nullptr);
            }
            break;
        case WM_GETMINMAXINFO:
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.x = 100;
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.y = 100;
            break;
        case WM_ENTERSIZEMOVE: Pause(true); break;
        case WM_EXITSIZEMOVE:
            Pause(false);
            HandleSizeChange();
            break;
        case WM_SIZE:
            if (windowed && deviceWindow) windowStyle = static_cast<DWORD>(GetWindowLongA(deviceWindow, GWL_STYLE));
            if (wParam == SIZE_MINIMIZED) {
                if (clipCursorWhenFullscreen && !windowed) ClipCursor(nullptr);
                Pause(true);
                minimized = true;
                maximized = false;
            } else if (wParam == SIZE_MAXIMIZED) {
                if (minimized) Pause(false);
                minimized = false;
                maximized = true;
                HandleSizeChange();
            } else if (wParam == SIZE_RESTORED) {
                if (maximized) {
                    maximized = false;
                    HandleSizeChange();
                } else if (minimized) {
                    Pause(false);
                    minimized = false;
                    HandleSizeChange();
                }
            }
            break;
        case WM_SETCURSOR:
            if (active && !windowed) {
                SetCursor(nullptr);
                if (showCursorWhenFullscreen && device) device->ShowCursor(TRUE);
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            if (active && device) {
                POINT cursor;
                GetCursorPos(&cursor);
                if (!windowed) ScreenToClient(deviceWindow, &cursor);
                device->SetCursorPosition(cursor.x, cursor.y, 0);
            }
            break;
        case WM_ENTERMENULOOP: Pause(true); break;
        case WM_EXITMENULOOP: Pause(false); break;
        case WM_NCHITTEST:
            if (!windowed) return HTCLIENT;
            break;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMQUERYSUSPEND || wParam == PBT_APMRESUMESUSPEND) return TRUE;
            break;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_MOVE:
                case SC_SIZE:
                case SC_MAXIMIZE:
                case SC_KEYMENU:
                case SC_MONITORPOWER:
                    if (!windowed) return TRUE;
                    break;
                default: break;
            }
            break;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDM_CHANGEDEVICE:
                    Pause(true);
                    ChooseNewDevice();
                    Pause(false);
                    break;
                case IDM_TOGGLEFULLSCREEN:
                    Pause(true);
                    if (FAILED(SwitchFullscreen())) ShowError(FWERR_RESET_FAILED, ERRORKIND_FATAL);
                    Pause(false);
                    break;
                case IDM_TOGGLESTART:
                    frameMoving = !frameMoving;
                    FrameworkTimer(frameMoving ? TIMERCMD_START : TIMERCMD_STOP);
                    break;
                case IDM_SINGLESTEP:
                    FrameworkTimer(frameMoving ? TIMERCMD_STOP : TIMERCMD_ADVANCE);
                    frameMoving = false;
                    singleStep = true;
                    break;
                case IDM_EXIT: SendMessageA(window, WM_CLOSE, 0, 0); break;
                default: break;
            }
            break;
        case WM_CLOSE:
            CleanupApp();
            CleanupDevice();
            if (direct3D) {
                direct3D->Release();
                direct3D = nullptr;
            }
            // A fatal message during the clean-up may have closed the window already.
            if (deviceWindow) {
                if (HMENU menu = GetMenu(deviceWindow)) DestroyMenu(menu);
                DestroyWindow(deviceWindow);
                PostQuitMessage(0);
                deviceWindow = nullptr;
            }
            break;
        default: break;
    }
    return 0;
}

HRESULT CD3DApplication::ShowError(HRESULT code, int kind) {
    if (ProcessState().fatalErrorReported) return code;
    // A driver failure leaves nothing to continue with, whatever the caller asked.
    if (code == D3DERR_DRIVERINTERNALERROR) kind = ERRORKIND_FATAL;
    const char* text = ErrorText(code);
    if (kind == ERRORKIND_FATAL) {
        ShowFatalText(text);
    } else if (kind == ERRORKIND_SWITCHED_TO_REFERENCE) {
        char message[512];
        JoinText(message, text, kReferenceSuffix);
        MessageBoxA(nullptr, message, title, MB_ICONWARNING);
    } else {
        MessageBoxA(nullptr, text, title, MB_ICONWARNING);
    }
    return code;
}
