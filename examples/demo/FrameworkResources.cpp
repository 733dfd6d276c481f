#include "FrameworkResources.h"

#include <windows.h>
#include <PlatformWin32.h>
#include <PlatformWindowing.h>

#include <cstring>
#include <vector>

namespace {

// Resource ids and commands the application framework looks up and answers.
constexpr WORD kAcceleratorTableId = 113;
constexpr WORD kSettingsDialogId = 144;
constexpr WORD kChangeDevice = 40002;
constexpr WORD kToggleFullscreen = 40003;
constexpr WORD kToggleStart = 40004;
constexpr WORD kSingleStep = 40005;
constexpr WORD kExit = 40006;

// Accelerator flags of the resource layout.
constexpr WORD kVirtualKey = 0x01;
constexpr WORD kAlt = 0x10;
constexpr WORD kLastEntry = 0x80;

struct AcceleratorEntry {
    WORD flags;
    WORD key;
    WORD command;
    WORD padding;
};

bool RegisterAccelerators()
{
    // Alt+Enter comes before plain Enter so that the held Alt picks fullscreen.
    AcceleratorEntry table[] = {
        {kVirtualKey | kAlt, VK_RETURN, kToggleFullscreen, 0},
        {kVirtualKey, VK_RETURN, kToggleStart, 0},
        {kVirtualKey, VK_F2, kChangeDevice, 0},
        {kVirtualKey, VK_SPACE, kSingleStep, 0},
        {kVirtualKey, VK_ESCAPE, kExit, 0},
    };
    table[std::size(table) - 1].flags |= kLastEntry;
    return VestraRegisterResource(nullptr, RT_ACCELERATOR, MAKEINTRESOURCEA(kAcceleratorTableId), table,
                                  sizeof table) != FALSE;
}

VestraDialogControl Control(VestraControlKind kind, WORD id, LONG x, LONG y, LONG width, LONG height,
                            const char* text, WORD group = 0)
{
    VestraDialogControl control;
    std::memset(&control, 0, sizeof control);
    control.kind = kind;
    control.id = id;
    control.group = group;
    control.x = x;
    control.y = y;
    control.width = width;
    control.height = height;
    std::strncpy(control.text, text, sizeof control.text - 1);
    return control;
}

bool RegisterSettingsDialog()
{
    // Control ids the framework's settings dialog fills and reads.
    enum : WORD {
        Device = 1000, Adapter = 1002, AdapterFormat = 1003, Resolution = 1004, Multisample = 1005,
        RefreshRate = 1006, BackBufferFormat = 1007, DepthStencilFormat = 1008, VertexProcessing = 1009,
        PresentInterval = 1010, MultisampleQuality = 1011, Windowed = 1016, Fullscreen = 1018,
    };
    constexpr LONG labelX = 12, comboX = 170, comboWidth = 220, row = 28;
    std::vector<VestraDialogControl> controls;
    controls.push_back(Control(VESTRA_CONTROL_GROUPBOX, 0xFFFF, 6, 4, 392, 92, "Adapter and device"));
    const struct {
        WORD id;
        const char* label;
    } upper[] = {{Adapter, "Display adapter:"}, {Device, "Render device:"}};
    LONG y = 26;
    for (const auto& entry : upper) {
        controls.push_back(Control(VESTRA_CONTROL_STATIC, 0xFFFF, labelX, y + 4, 150, 18, entry.label));
        controls.push_back(Control(VESTRA_CONTROL_COMBOBOX, entry.id, comboX, y, comboWidth, 22, ""));
        y += row;
    }
    controls.push_back(Control(VESTRA_CONTROL_GROUPBOX, 0xFFFF, 6, 100, 392, 360, "Display mode settings"));
    controls.push_back(Control(VESTRA_CONTROL_RADIOBUTTON, Windowed, labelX, 122, 120, 20, "Windowed", 1));
    controls.push_back(Control(VESTRA_CONTROL_RADIOBUTTON, Fullscreen, 140, 122, 120, 20, "Fullscreen", 1));
    const struct {
        WORD id;
        const char* label;
    } lower[] = {
        {AdapterFormat, "Adapter format:"},        {Resolution, "Resolution:"},
        {RefreshRate, "Refresh rate:"},            {BackBufferFormat, "Back buffer format:"},
        {DepthStencilFormat, "Depth/stencil format:"}, {Multisample, "Multisample type:"},
        {MultisampleQuality, "Multisample quality:"}, {VertexProcessing, "Vertex processing:"},
        {PresentInterval, "Present interval:"},
    };
    y = 150;
    for (const auto& entry : lower) {
        controls.push_back(Control(VESTRA_CONTROL_STATIC, 0xFFFF, labelX, y + 4, 150, 18, entry.label));
        controls.push_back(Control(VESTRA_CONTROL_COMBOBOX, entry.id, comboX, y, comboWidth, 22, ""));
        y += row;
    }
    controls.push_back(Control(VESTRA_CONTROL_PUSHBUTTON, IDOK, 214, 470, 88, 26, "OK"));
    controls.push_back(Control(VESTRA_CONTROL_PUSHBUTTON, IDCANCEL, 310, 470, 88, 26, "Cancel"));

    VestraDialogTemplate header;
    std::memset(&header, 0, sizeof header);
    header.magic = VESTRA_DIALOG_MAGIC;
    header.controlCount = static_cast<DWORD>(controls.size());
    header.width = 404;
    header.height = 504;
    std::strncpy(header.title, "Direct3D Settings", sizeof header.title - 1);

    std::vector<BYTE> bytes(sizeof header + controls.size() * sizeof(VestraDialogControl));
    std::memcpy(bytes.data(), &header, sizeof header);
    std::memcpy(bytes.data() + sizeof header, controls.data(), controls.size() * sizeof(VestraDialogControl));
    return VestraRegisterResource(nullptr, RT_DIALOG, MAKEINTRESOURCEA(kSettingsDialogId), bytes.data(),
                                  static_cast<DWORD>(bytes.size())) != FALSE;
}

} // namespace

bool RegisterFrameworkResources()
{
    const bool accelerators = RegisterAccelerators();
    const bool dialog = RegisterSettingsDialog();
    return accelerators && dialog;
}
