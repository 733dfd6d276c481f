// The ready default host resources of an application on the engine's framework: the icon,
// menu, accelerator table and device-settings dialog a Windows build links into its
// executable, registered here for hosts on this platform.
#include <windows.h>

#include <PlatformWin32.h>
#include <PlatformWindowing.h>

#include <cstring>
#include <vector>

namespace {

constexpr WORD kIconId = 101;
constexpr WORD kMenuId = 141;
constexpr WORD kAcceleratorTableId = 113;
constexpr WORD kSettingsDialogId = 144;

// The framework's commands.
constexpr WORD kChangeDevice = 40002;
constexpr WORD kToggleFullscreen = 40003;
constexpr WORD kToggleStart = 40004;
constexpr WORD kSingleStep = 40005;
constexpr WORD kExit = 40006;

// The dialog's control ids, which the framework fills and reads.
enum : WORD {
    kDevice = 1000, kAdapter = 1002, kAdapterFormat = 1003, kResolution = 1004, kMultisample = 1005,
    kRefreshRate = 1006, kBackBufferFormat = 1007, kDepthStencilFormat = 1008, kVertexProcessing = 1009,
    kPresentInterval = 1010, kMultisampleQuality = 1011, kWindowed = 1016, kFullscreen = 1018,
};

BOOL Register(HMODULE module, LPCSTR type, WORD id, const void* bytes, size_t size)
{
    return VestraRegisterResource(module, type, MAKEINTRESOURCEA(id), bytes, static_cast<DWORD>(size));
}

// A blue disc on a transparent square, ringed in white.
BOOL RegisterIcon(HMODULE module)
{
    constexpr LONG kSize = 32;
    std::vector<BYTE> bytes(sizeof(VestraIconImage) + kSize * kSize * sizeof(DWORD));
    VestraIconImage header{kSize, kSize, 0, 0};
    std::memcpy(bytes.data(), &header, sizeof header);
    DWORD* pixels = reinterpret_cast<DWORD*>(bytes.data() + sizeof header);
    for (LONG y = 0; y < kSize; ++y) {
        for (LONG x = 0; x < kSize; ++x) {
            const LONG dx = 2 * x + 1 - kSize, dy = 2 * y + 1 - kSize;
            const LONG distance2 = dx * dx + dy * dy;  // in half pixels, squared
            DWORD colour = 0;
            if (distance2 <= 27 * 27) colour = 0xFF2050C0u;
            else if (distance2 <= 31 * 31) colour = 0xFFFFFFFFu;
            pixels[y * kSize + x] = colour;
        }
    }
    return Register(module, RT_ICON, kIconId, bytes.data(), bytes.size());
}

BOOL RegisterMenu(HMODULE module)
{
    const VestraMenuItem items[] = {
        {kChangeDevice, 0, "&Change device...\tF2"},
        {kToggleFullscreen, 0, "Toggle &fullscreen\tAlt+Enter"},
        {kToggleStart, 0, "&Pause\tEnter"},
        {kSingleStep, 0, "Single &step\tSpace"},
        {kExit, 0, "E&xit\tEsc"},
    };
    return Register(module, RT_MENU, kMenuId, items, sizeof items);
}

BOOL RegisterAccelerators(HMODULE module)
{
    struct Entry {
        WORD flags, key, command, padding;
    };
    // Alt+Enter comes before plain Enter so that a held Alt picks fullscreen.
    Entry table[] = {
        {FVIRTKEY | FALT, VK_RETURN, kToggleFullscreen, 0},
        {FVIRTKEY, VK_RETURN, kToggleStart, 0},
        {FVIRTKEY, VK_F2, kChangeDevice, 0},
        {FVIRTKEY, VK_SPACE, kSingleStep, 0},
        {FVIRTKEY, VK_ESCAPE, kExit, 0},
    };
    table[std::size(table) - 1].flags |= 0x80;  // the last entry
    return Register(module, RT_ACCELERATOR, kAcceleratorTableId, table, sizeof table);
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

BOOL RegisterSettingsDialog(HMODULE module)
{
    struct Row {
        WORD id;
        const char* label;
    };
    constexpr LONG kLabelX = 12, kComboX = 170, kComboWidth = 220, kRow = 28;
    constexpr WORD kNoId = 0xFFFF;
    std::vector<VestraDialogControl> controls;
    auto addRows = [&](const Row* rows, size_t count, LONG y) {
        for (size_t i = 0; i < count; ++i, y += kRow) {
            controls.push_back(Control(VESTRA_CONTROL_STATIC, kNoId, kLabelX, y + 4, 150, 18, rows[i].label));
            controls.push_back(Control(VESTRA_CONTROL_COMBOBOX, rows[i].id, kComboX, y, kComboWidth, 22, ""));
        }
    };
    const Row upper[] = {{kAdapter, "Display adapter:"}, {kDevice, "Render device:"}};
    const Row lower[] = {
        {kAdapterFormat, "Adapter format:"},         {kResolution, "Resolution:"},
        {kRefreshRate, "Refresh rate:"},             {kBackBufferFormat, "Back buffer format:"},
        {kDepthStencilFormat, "Depth/stencil format:"}, {kMultisample, "Multisample type:"},
        {kMultisampleQuality, "Multisample quality:"}, {kVertexProcessing, "Vertex processing:"},
        {kPresentInterval, "Present interval:"},
    };
    controls.push_back(Control(VESTRA_CONTROL_GROUPBOX, kNoId, 6, 4, 392, 92, "Adapter and device"));
    addRows(upper, std::size(upper), 26);
    controls.push_back(Control(VESTRA_CONTROL_GROUPBOX, kNoId, 6, 100, 392, 360, "Display mode settings"));
    controls.push_back(Control(VESTRA_CONTROL_RADIOBUTTON, kWindowed, kLabelX, 122, 120, 20, "Windowed", 1));
    controls.push_back(Control(VESTRA_CONTROL_RADIOBUTTON, kFullscreen, 140, 122, 120, 20, "Fullscreen", 1));
    addRows(lower, std::size(lower), 150);
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
    return Register(module, RT_DIALOG, kSettingsDialogId, bytes.data(), bytes.size());
}

}  // namespace

BOOL VestraRegisterDefaultHostResources(HMODULE module)
{
    const BOOL icon = RegisterIcon(module);
    const BOOL menu = RegisterMenu(module);
    const BOOL accelerators = RegisterAccelerators(module);
    const BOOL dialog = RegisterSettingsDialog(module);
    return icon && menu && accelerators && dialog;
}
