// The device-settings dialog driven as a user would, through the framework's change-device
// command: each choice refills the controls below it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IApplication.h"
#include "framework/Application.h"
#include "lib/framework/ApplicationHarness.h"

namespace {

using vestra::test::ComboTexts;
using vestra::test::SelectedText;
using Texts = std::vector<std::string>;

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

int IndexOf(HWND dialog, int id, const char* text)
{
    const Texts texts = ComboTexts(dialog, id);
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i] == text) return static_cast<int>(i);
    return -1;
}

// What the user saw, captured inside the dialog.
struct DialogView {
    Texts adapters, devices, adapterFormats, resolutions, rates, backBuffers, depths, processing, intervals;
    std::string selectedDepth;
    bool resolutionEnabled = true;

    void Capture(HWND dialog)
    {
        adapters = ComboTexts(dialog, IDC_ADAPTER_COMBO);
        devices = ComboTexts(dialog, IDC_DEVICE_COMBO);
        adapterFormats = ComboTexts(dialog, IDC_ADAPTERFORMAT_COMBO);
        resolutions = ComboTexts(dialog, IDC_RESOLUTION_COMBO);
        resolutionEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_RESOLUTION_COMBO)) != FALSE;
        rates = ComboTexts(dialog, IDC_REFRESHRATE_COMBO);
        backBuffers = ComboTexts(dialog, IDC_BACKBUFFERFORMAT_COMBO);
        depths = ComboTexts(dialog, IDC_DEPTHSTENCILBUFFERFORMAT_COMBO);
        selectedDepth = SelectedText(dialog, IDC_DEPTHSTENCILBUFFERFORMAT_COMBO);
        processing = ComboTexts(dialog, IDC_VERTEXPROCESSING_COMBO);
        intervals = ComboTexts(dialog, IDC_PRESENTINTERVAL_COMBO);
    }
};

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vestra::test::PrepareHeadlessFramework();
        vestra::test::RegisterSettingsDialog();
        application = CreateApplication(GetModuleHandleA(nullptr), nullptr, "Settings");
        ASSERT_NE(application, nullptr);
    }
    void TearDown() override
    {
        VestraSetDialogHook(nullptr, nullptr, nullptr);
        if (application) {
            if (HWND window = application->GetWindow()) SendMessageA(window, WM_CLOSE, 0, 0);
            application->Destroy();
        }
        vestra::test::DrainMessages();
        EXPECT_EQ(vestra::framework::ProcessState().pauseCount, 0);
    }
    void RunDialog(VestraDialogHook user)
    {
        VestraSetDialogHook(user, &seen, nullptr);
        SendMessageA(application->GetWindow(), WM_COMMAND, IDM_CHANGEDEVICE, 0);
    }

    vestra::test::MessageBoxRecorder messageBoxes;
    IApplication* application = nullptr;
    DialogView seen;
};

TEST_F(SettingsDialogTest, OpensOnTheCurrentSettingsAndCancelKeepsTheDevice)
{
    IDirect3DDevice9* device = application->GetDevice();
    RunDialog([](HWND dialog, void* context) {
        Pump();
        static_cast<DialogView*>(context)->Capture(dialog);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(seen.adapters, Texts{"Vestra software rendering device"});
    EXPECT_EQ(seen.devices, (Texts{"D3DDEVTYPE_HAL", "D3DDEVTYPE_REF"}));
    // Windowed: the desktop mode is shown, one entry each, and cannot be changed.
    EXPECT_EQ(seen.adapterFormats, Texts{"D3DFMT_X8R8G8B8"});
    ASSERT_EQ(seen.resolutions.size(), 1u);
    EXPECT_FALSE(seen.resolutionEnabled);
    EXPECT_EQ(seen.rates.size(), 1u);
    // X8R8G8B8 has no alpha, so the application never accepted it.
    EXPECT_EQ(seen.backBuffers, Texts{"D3DFMT_A8R8G8B8"});
    EXPECT_EQ(seen.depths, (Texts{"D3DFMT_D16", "D3DFMT_D24X8", "D3DFMT_D24S8", "D3DFMT_D32"}));
    EXPECT_EQ(seen.selectedDepth, "D3DFMT_D16");
    EXPECT_EQ(seen.processing, (Texts{"HARDWARE_VP", "SOFTWARE_VP"}));
    EXPECT_EQ(seen.intervals, (Texts{"D3DPRESENT_INTERVAL_IMMEDIATE", "D3DPRESENT_INTERVAL_DEFAULT",
                                "D3DPRESENT_INTERVAL_ONE"}));
    EXPECT_EQ(application->GetDevice(), device);
}

TEST_F(SettingsDialogTest, FullscreenChoiceOffersTheAdapterModes)
{
    RunDialog([](HWND dialog, void* context) {
        Pump();
        SendDlgItemMessageA(dialog, IDC_FULLSCREEN, BM_CLICK, 0, 0);
        Pump();
        static_cast<DialogView*>(context)->Capture(dialog);
        Press(dialog, IDCANCEL);
    });
    // Full screen, only X8R8G8B8 displays take the A8R8G8B8 back buffer.
    EXPECT_EQ(seen.adapterFormats, Texts{"D3DFMT_X8R8G8B8"});
    EXPECT_TRUE(seen.resolutionEnabled);
    EXPECT_EQ(seen.resolutions.front(), "640 by 480");
    EXPECT_EQ(seen.resolutions.size(), 6u);
    EXPECT_EQ(seen.rates, Texts{"60 Hz"});
    EXPECT_TRUE(messageBoxes.boxes.empty());
}

TEST_F(SettingsDialogTest, ChosenFullscreenResolutionBecomesTheBackBuffer)
{
    RunDialog([](HWND dialog, void* context) {
        Pump();
        SendDlgItemMessageA(dialog, IDC_FULLSCREEN, BM_CLICK, 0, 0);
        Pump();
        VestraUserSelectComboItem(GetDlgItem(dialog, IDC_RESOLUTION_COMBO),
                                  IndexOf(dialog, IDC_RESOLUTION_COMBO, "800 by 600"));
        Pump();
        static_cast<DialogView*>(context)->Capture(dialog);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(seen.rates, Texts{"60 Hz"});
    EXPECT_EQ(seen.backBuffers, Texts{"D3DFMT_A8R8G8B8"});
    IDirect3DDevice9* device = application->GetDevice();
    ASSERT_NE(device, nullptr);
    const D3DSURFACE_DESC desc = vestra::test::BackBufferDesc(device);
    EXPECT_EQ(desc.Width, 800u);
    EXPECT_EQ(desc.Height, 600u);
    EXPECT_TRUE(messageBoxes.boxes.empty());
}

TEST_F(SettingsDialogTest, ChoosingTheReferenceDeviceRecreatesIt)
{
    RunDialog([](HWND dialog, void*) {
        Pump();
        VestraUserSelectComboItem(GetDlgItem(dialog, IDC_DEVICE_COMBO), IndexOf(dialog, IDC_DEVICE_COMBO, "D3DDEVTYPE_REF"));
        Pump();
        const int d32 = IndexOf(dialog, IDC_DEPTHSTENCILBUFFERFORMAT_COMBO, "D3DFMT_D32");
        VestraUserSelectComboItem(GetDlgItem(dialog, IDC_DEPTHSTENCILBUFFERFORMAT_COMBO), d32);
        const int software = IndexOf(dialog, IDC_VERTEXPROCESSING_COMBO, "SOFTWARE_VP");
        VestraUserSelectComboItem(GetDlgItem(dialog, IDC_VERTEXPROCESSING_COMBO), software);
        Pump();
        Press(dialog, IDOK);
    });
    IDirect3DDevice9* device = application->GetDevice();
    ASSERT_NE(device, nullptr);
    D3DDEVICE_CREATION_PARAMETERS creation{};
    device->GetCreationParameters(&creation);
    EXPECT_EQ(creation.DeviceType, D3DDEVTYPE_REF);
    EXPECT_EQ(creation.BehaviorFlags, DWORD(D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED));
    IDirect3DSurface9* depth = nullptr;
    ASSERT_EQ(device->GetDepthStencilSurface(&depth), D3D_OK);
    D3DSURFACE_DESC desc{};
    depth->GetDesc(&desc);
    depth->Release();
    EXPECT_EQ(desc.Format, D3DFMT_D32);
    EXPECT_NE(application->GetScene(), nullptr);
    EXPECT_TRUE(messageBoxes.boxes.empty());
}

}  // namespace
