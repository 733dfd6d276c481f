// What the application tests share: headless windows, captured message boxes, the
// executable's configuration file, the host's settings dialog resource.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "PlatformWindowing.h"
#include "VestraDeviceControl.h"
#include "framework/D3DApplication.h"
#include "framework/SettingsDialog.h"

namespace vestra::test {

struct RecordedMessageBox {
    std::string text;
    std::string caption;
    UINT type;
};

// Captures every MessageBoxA call while it lives.
class MessageBoxRecorder {
public:
    MessageBoxRecorder() { previous = VestraSetMessageBoxHandler(Record, this, &previousContext); }
    ~MessageBoxRecorder() { VestraSetMessageBoxHandler(previous, previousContext, nullptr); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<RecordedMessageBox> boxes;

private:
    static int Record(HWND, const char* text, const char* caption, UINT type, void* context)
    {
        static_cast<MessageBoxRecorder*>(context)->boxes.push_back({text, caption, type});
        return IDOK;
    }
    VestraMessageBoxHandler previous = nullptr;
    void* previousContext = nullptr;
};

// The configuration file beside the running executable; removed again at the end.
class ConfigurationFile {
public:
    ConfigurationFile()
    {
        char module[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, module, MAX_PATH);
        path = module;
        const size_t slash = path.find_last_of("/\\");
        const size_t dot = path.find_last_of('.');
        if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
        path += ".ini";
        Remove();
    }
    ~ConfigurationFile() { Remove(); }
    ConfigurationFile(const ConfigurationFile&) = delete;
    ConfigurationFile& operator=(const ConfigurationFile&) = delete;

    void SetBehavior(int value)
    {
        WritePrivateProfileStringA("DEVICE", "BEHAVIOR", std::to_string(value).c_str(), path.c_str());
    }
    void Remove() { DeleteFileA(path.c_str()); }

    std::string path;
};

// Windows are headless objects in these tests, and the framework's process-wide state starts
// clean (no fatal error reported yet).
inline void PrepareHeadlessFramework()
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    vestra::framework::ProcessState().fatalErrorReported = false;

    // The host's menu (resource 141): the framework sizes its window for one.
    const VestraMenuItem menu[] = {{IDM_CHANGEDEVICE, 0, "&Change device...\tF2"},
                                   {IDM_TOGGLEFULLSCREEN, 0, "&Fullscreen\tAlt+Enter"},
                                   {IDM_TOGGLESTART, 0, "&Pause"},
                                   {IDM_SINGLESTEP, 0, "&Single step"},
                                   {IDM_EXIT, 0, "E&xit\tEsc"}};
    VestraRegisterResource(nullptr, RT_MENU, MAKEINTRESOURCEA(IDR_MENU), menu, sizeof menu);
}

// Dispatches whatever is queued, WM_QUIT included (a closed application leaves one).
inline void DrainMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) DispatchMessageA(&message);
    }
}

// Registers the host's device-settings dialog (resource 144) with every control the
// framework drives.
inline void RegisterSettingsDialog()
{
    struct Control {
        DWORD kind;
        WORD id;
        WORD group;
    };
    const Control controls[] = {
        {VESTRA_CONTROL_COMBOBOX, IDC_ADAPTER_COMBO, 0},
        {VESTRA_CONTROL_COMBOBOX, IDC_DEVICE_COMBO, 0},
        {VESTRA_CONTROL_RADIOBUTTON, IDC_WINDOW, 1},
        {VESTRA_CONTROL_RADIOBUTTON, IDC_FULLSCREEN, 1},
        {VESTRA_CONTROL_COMBOBOX, IDC_ADAPTERFORMAT_COMBO, 0},
        {VESTRA_CONTROL_COMBOBOX, IDC_RESOLUTION_COMBO, 0},
        {VESTRA_CONTROL_COMBOBOX, IDC_REFRESHRATE_COMBO, 0},
        {VESTRA_CONTROL_COMBOBOX, IDC_BACKBUFFERFORMAT_COMBO, 0},
        {VESTRA_CONTROL_COMBOBOX, IDC_DEPTHSTENCILBUFFERFORMAT_COMBO, 0},
        {VESTRA_CONTROL_COMBOBOX, IDC_MULTISAMPLE_COMBO, 0},
        {VESTRA_CONTROL_COMBOBOX, IDC_MULTISAMPLE_QUALITY_COMBO, 0},
        {VESTRA_CONTROL_COMBOBOX, IDC_VERTEXPROCESSING_COMBO, 0},
        {VESTRA_CONTROL_COMBOBOX, IDC_PRESENTINTERVAL_COMBO, 0},
        {VESTRA_CONTROL_PUSHBUTTON, IDOK, 0},
        {VESTRA_CONTROL_PUSHBUTTON, IDCANCEL, 0},
    };
    const size_t count = sizeof controls / sizeof controls[0];
    std::vector<BYTE> bytes(sizeof(VestraDialogTemplate) + count * sizeof(VestraDialogControl));
    VestraDialogTemplate header{};
    header.magic = VESTRA_DIALOG_MAGIC;
    header.controlCount = static_cast<DWORD>(count);
    header.width = 400;
    header.height = 40 + 24 * static_cast<LONG>(count);
    std::strcpy(header.title, "Direct3D Settings");
    std::memcpy(bytes.data(), &header, sizeof header);
    for (size_t i = 0; i < count; ++i) {
        VestraDialogControl control{};
        control.kind = controls[i].kind;
        control.id = controls[i].id;
        control.group = controls[i].group;
        control.x = 10;
        control.y = 10 + 24 * static_cast<LONG>(i);
        control.width = 300;
        control.height = 20;
        std::snprintf(control.text, sizeof control.text, "control %u", static_cast<unsigned>(controls[i].id));
        std::memcpy(bytes.data() + sizeof header + i * sizeof control, &control, sizeof control);
    }
    VestraRegisterResource(nullptr, RT_DIALOG, MAKEINTRESOURCEA(IDD_SELECTDEVICE), bytes.data(),
                           static_cast<DWORD>(bytes.size()));
}

// The device's frame counters (presents, clears, frames).
inline VESTRA_FRAME_STATISTICS FrameStatistics(IDirect3DDevice9* device)
{
    IVestraDeviceControl* control = nullptr;
    VESTRA_FRAME_STATISTICS statistics{};
    if (SUCCEEDED(device->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control)))) {
        control->GetFrameStatistics(&statistics);
        control->Release();
    }
    return statistics;
}

inline D3DSURFACE_DESC BackBufferDesc(IDirect3DDevice9* device)
{
    D3DSURFACE_DESC desc{};
    IDirect3DSurface9* backBuffer = nullptr;
    if (SUCCEEDED(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
        backBuffer->GetDesc(&desc);
        backBuffer->Release();
    }
    return desc;
}

// Every entry of a combo box of `dialog`, as shown.
inline std::vector<std::string> ComboTexts(HWND dialog, int id)
{
    std::vector<std::string> texts;
    const LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.emplace_back(text);
    }
    return texts;
}

inline std::string SelectedText(HWND dialog, int id)
{
    const LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    if (index < 0) return {};
    char text[256] = {};
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace vestra::test
