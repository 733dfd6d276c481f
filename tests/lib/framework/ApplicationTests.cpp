// The application over headless windows: start-up and its configuration, the frame step,
// pausing, resizing, device loss, fullscreen, errors and shutdown.
#include <gtest/gtest.h>

#include <d3dx9.h>

#include <string>
#include <vector>

#include "IApplication.h"
#include "IWindow.h"
#include "framework/Application.h"
#include "lib/DeviceQueries.h"
#include "lib/framework/ApplicationHarness.h"

namespace {

using vestra::framework::ProcessState;
using vestra::test::BackBufferDesc;
using vestra::test::FrameStatistics;
using vestra::test::ConfigurationFile;
using vestra::test::MessageBoxRecorder;

std::vector<std::string> events;
int updates = 0;
int resets = 0;
int losses = 0;
HWND windowToClose = nullptr;

void CountUpdate(float) { ++updates; }
void CountReset(IDirect3DDevice9*) { ++resets; }
void CountLoss() { ++losses; }

class RecordingWindow final : public IWindow {
public:
    void Destroy() override
    {
        events.push_back("window destroyed");
        delete this;
    }
    LRESULT ProcessMessage(HWND, UINT, WPARAM, LPARAM) override { return 0; }
    HRESULT Render(IDirect3DDevice9*) override { return S_OK; }
    LRESULT ReservedHook(DWORD) override { return 0; }
};

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vestra::test::PrepareHeadlessFramework();
        events.clear();
        updates = resets = losses = 0;
    }
    void TearDown() override
    {
        Close();
        vestra::test::DrainMessages();
        EXPECT_EQ(ProcessState().pauseCount, 0);
    }
    IApplication* Start(const char* title = "Framework test")
    {
        application = CreateApplication(GetModuleHandleA(nullptr), nullptr, title);
        return application;
    }
    void Close()
    {
        if (!application) return;
        if (HWND window = application->GetWindow()) SendMessageA(window, WM_CLOSE, 0, 0);
        application->Destroy();
        application = nullptr;
    }
    CApplication* Implementation() { return static_cast<CApplication*>(application); }

    ConfigurationFile configuration;
    MessageBoxRecorder messageBoxes;
    IApplication* application = nullptr;
};

TEST_F(ApplicationTest, StartsWithoutConfigurationAndFixesTheDeviceState)
{
    ASSERT_NE(Start(), nullptr);
    EXPECT_TRUE(messageBoxes.boxes.empty());
    IDirect3DDevice9* device = application->GetDevice();
    ASSERT_NE(device, nullptr);
    EXPECT_NE(application->GetScene(), nullptr);

    // The title is set after start-up: the window keeps the default caption.
    char caption[64] = {};
    GetWindowTextA(application->GetWindow(), caption, sizeof caption);
    EXPECT_STREQ(caption, "D3D9 Application");

    D3DDEVICE_CREATION_PARAMETERS creation{};
    device->GetCreationParameters(&creation);
    EXPECT_EQ(creation.DeviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(creation.BehaviorFlags, DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED));

    const D3DSURFACE_DESC desc = BackBufferDesc(device);
    EXPECT_EQ(desc.Width, 400u);
    EXPECT_EQ(desc.Height, 300u);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);

    EXPECT_EQ(RenderStateOf(device, D3DRS_AMBIENT), 0x000F0F0Fu);
    EXPECT_EQ(RenderStateOf(device, D3DRS_ALPHAREF), 0x0Fu);
    EXPECT_EQ(RenderStateOf(device, D3DRS_ALPHAFUNC), DWORD(D3DCMP_GREATEREQUAL));
    D3DMATERIAL9 material{};
    device->GetMaterial(&material);
    EXPECT_EQ(material.Diffuse.r, 1.0f);
    EXPECT_EQ(material.Ambient.a, 1.0f);

    D3DXMATRIX expected;
    D3DXMatrixPerspectiveFovLH(&expected, 0.78539819f, 400.0f / 300.0f, 1.0f, 100.0f);
    const D3DMATRIX projection = TransformOf(device, D3DTS_PROJECTION);
    EXPECT_FLOAT_EQ(projection._11, expected._11);
    EXPECT_FLOAT_EQ(projection._22, expected._22);
    EXPECT_FLOAT_EQ(projection._33, expected._33);
    EXPECT_FLOAT_EQ(projection._43, expected._43);
}

class BehaviorTest : public ApplicationTest, public ::testing::WithParamInterface<std::pair<int, DWORD>> {};

TEST_P(BehaviorTest, ConfigurationRestrictsVertexProcessing)
{
    configuration.SetBehavior(GetParam().first);
    ASSERT_NE(Start(), nullptr);
    D3DDEVICE_CREATION_PARAMETERS creation{};
    application->GetDevice()->GetCreationParameters(&creation);
    EXPECT_EQ(creation.BehaviorFlags & ~DWORD(D3DCREATE_MULTITHREADED), GetParam().second);
    EXPECT_TRUE(messageBoxes.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Values, BehaviorTest,
                         ::testing::Values(std::make_pair(32, DWORD(D3DCREATE_SOFTWARE_VERTEXPROCESSING)),
                                           std::make_pair(64, DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING)),
                                           std::make_pair(96, DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING)),
                                           std::make_pair(-1, DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING))));

TEST_F(ApplicationTest, BehaviorZeroFindsNoDeviceAndSaysSoOnce)
{
    configuration.SetBehavior(0);
    EXPECT_EQ(Start(), nullptr);
    ASSERT_EQ(messageBoxes.boxes.size(), 1u);
    EXPECT_EQ(messageBoxes.boxes[0].text,
              "Could not find any compatible Direct3D\ndevices.\n\nThis application will now exit.");
    EXPECT_EQ(messageBoxes.boxes[0].caption, "D3D9 Application");
    EXPECT_EQ(messageBoxes.boxes[0].type, UINT(MB_ICONERROR));
    EXPECT_TRUE(ProcessState().fatalErrorReported);
    // A start-up that fails never unpauses: the process is expected to exit after the
    // message, so the shared counter keeps the pause until the next test clears it.
    EXPECT_EQ(ProcessState().pauseCount, 1);
    ProcessState().pauseCount = 0;
}

TEST_F(ApplicationTest, RenderFrameFollowsTheSceneFlags)
{
    ASSERT_NE(Start(), nullptr);
    application->SetUpdateCallback(CountUpdate);
    IDirect3DDevice9* device = application->GetDevice();
    IScene* scene = application->GetScene();
    const VESTRA_FRAME_STATISTICS before = FrameStatistics(device);
    // Flags, then the updates, presents and clears counted so far.
    const struct { DWORD flags; int updates; UINT presents, clears; } steps[] = {
        {0, 0, 0, 0}, {SCENE_RENDER_UPDATE, 1, 0, 0}, {0xF, 2, 1, 1}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.flags);
        scene->SetRenderFlags(step.flags);
        EXPECT_EQ(application->RenderFrame(), S_OK);
        EXPECT_EQ(updates, step.updates);
        EXPECT_EQ(FrameStatistics(device).Presents, before.Presents + step.presents);
        EXPECT_EQ(FrameStatistics(device).Clears, before.Clears + step.clears);
    }
}

TEST_F(ApplicationTest, MinimiseAndRestorePauseAndResume)
{
    ASSERT_NE(Start(), nullptr);
    HWND window = application->GetWindow();
    EXPECT_EQ(ProcessState().pauseCount, 0);
    SendMessageA(window, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(ProcessState().pauseCount, 1);

    // Paused, time stands still and the frame is skipped: nothing is presented.
    application->GetScene()->SetRenderFlags(0xF);
    const UINT presents = FrameStatistics(application->GetDevice()).Presents;
    application->RenderFrame();
    EXPECT_EQ(FrameStatistics(application->GetDevice()).Presents, presents);

    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
    EXPECT_EQ(ProcessState().pauseCount, 0);
    // A restore that is not after a minimise or maximise changes nothing.
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
    EXPECT_EQ(ProcessState().pauseCount, 0);

    SendMessageA(window, WM_ENTERSIZEMOVE, 0, 0);
    EXPECT_EQ(ProcessState().pauseCount, 1);
    SendMessageA(window, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(ProcessState().pauseCount, 0);
}

TEST_F(ApplicationTest, OnlyARealResizeResetsTheDeviceToTheClientSize)
{
    ASSERT_NE(Start(), nullptr);
    application->SetDeviceResetCallback(CountReset);
    HWND window = application->GetWindow();
    IDirect3DDevice9* device = application->GetDevice();

    SendMessageA(window, WM_ENTERSIZEMOVE, 0, 0);
    SendMessageA(window, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(resets, 0);

    RECT bounds;
    GetWindowRect(window, &bounds);
    MoveWindow(window, bounds.left, bounds.top, bounds.right - bounds.left + 40, bounds.bottom - bounds.top + 20, TRUE);
    SendMessageA(window, WM_ENTERSIZEMOVE, 0, 0);
    SendMessageA(window, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(resets, 1);
    D3DSURFACE_DESC desc = BackBufferDesc(device);
    EXPECT_EQ(desc.Width, 440u);
    EXPECT_EQ(desc.Height, 320u);

    // Maximised, the client area is the whole screen (the desktop mode).
    ShowWindow(window, SW_SHOWMAXIMIZED);
    EXPECT_EQ(resets, 2);
    desc = BackBufferDesc(device);
    EXPECT_EQ(static_cast<int>(desc.Width), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(static_cast<int>(desc.Height), GetSystemMetrics(SM_CYSCREEN));
    D3DXMATRIX expected;
    D3DXMatrixPerspectiveFovLH(&expected, 0.78539819f, float(desc.Width) / float(desc.Height), 1.0f, 100.0f);
    EXPECT_FLOAT_EQ(TransformOf(device, D3DTS_PROJECTION)._11, expected._11);

    ShowWindow(window, SW_RESTORE);
    EXPECT_EQ(resets, 3);
    desc = BackBufferDesc(device);
    EXPECT_EQ(desc.Width, 440u);
    EXPECT_EQ(desc.Height, 320u);
}

TEST_F(ApplicationTest, ForcedDeviceLossSkipsFramesThenResets)
{
    ASSERT_NE(Start(), nullptr);
    application->SetDeviceLostCallback(CountLoss);
    application->SetDeviceResetCallback(CountReset);
    application->SetUpdateCallback(CountUpdate);
    IDirect3DDevice9* device = application->GetDevice();
    application->GetScene()->SetRenderFlags(0xF);

    IVestraDeviceControl* control = nullptr;
    ASSERT_EQ(device->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control)), S_OK);
    control->LoseDevice(2);
    control->Release();

    EXPECT_EQ(application->RenderFrame(), S_OK);  // draws, Present reports the loss
    const int updatesWhenLost = updates;
    EXPECT_EQ(application->RenderFrame(), S_OK);  // still lost
    EXPECT_EQ(application->RenderFrame(), S_OK);  // still lost
    EXPECT_EQ(updates, updatesWhenLost);
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);

    EXPECT_EQ(application->RenderFrame(), S_OK);  // resets
    EXPECT_EQ(losses, 1);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(RenderStateOf(device, D3DRS_AMBIENT), 0x000F0F0Fu);

    const UINT frames = FrameStatistics(device).Frames;
    EXPECT_EQ(application->RenderFrame(), S_OK);
    EXPECT_EQ(updates, updatesWhenLost + 1);
    EXPECT_EQ(FrameStatistics(device).Frames, frames + 1);

    Close();
    EXPECT_TRUE(messageBoxes.boxes.empty());  // nothing left holding the device
}

TEST_F(ApplicationTest, FullscreenToggleAndBack)
{
    ASSERT_NE(Start(), nullptr);
    application->SetDeviceResetCallback(CountReset);
    HWND window = application->GetWindow();
    const LONG windowedStyle = GetWindowLongA(window, GWL_STYLE);
    IDirect3DDevice9* device = application->GetDevice();

    SendMessageA(window, WM_COMMAND, IDM_TOGGLEFULLSCREEN, 0);
    ASSERT_EQ(application->GetDevice(), device);  // same adapter and type: reset, not re-created
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), DWORD(WS_POPUP | WS_SYSMENU | WS_VISIBLE));
    IDirect3D9* d3d = nullptr;
    device->GetDirect3D(&d3d);
    D3DDISPLAYMODE desktop{};
    d3d->GetAdapterDisplayMode(0, &desktop);
    d3d->Release();
    D3DSURFACE_DESC desc = BackBufferDesc(device);
    EXPECT_EQ(desc.Width, desktop.Width);
    EXPECT_EQ(desc.Height, desktop.Height);
    EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, 0), LRESULT(HTCLIENT));
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0), LRESULT(TRUE));

    SendMessageA(window, WM_COMMAND, IDM_TOGGLEFULLSCREEN, 0);
    EXPECT_EQ(resets, 2);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE), windowedStyle);
    desc = BackBufferDesc(device);
    EXPECT_EQ(desc.Width, 400u);
    EXPECT_EQ(desc.Height, 300u);
    EXPECT_EQ(ProcessState().pauseCount, 0);
    EXPECT_TRUE(messageBoxes.boxes.empty());
}

TEST_F(ApplicationTest, ErrorTextsAndOnlyOneFatalMessage)
{
    ASSERT_NE(Start("Viewer"), nullptr);
    CApplication* app = Implementation();
    EXPECT_EQ(app->ShowError(FWERR_MEDIA_NOT_FOUND, ERRORKIND_WARNING), FWERR_MEDIA_NOT_FOUND);
    EXPECT_EQ(app->ShowError(E_OUTOFMEMORY, ERRORKIND_SWITCHED_TO_REFERENCE), E_OUTOFMEMORY);
    ASSERT_EQ(messageBoxes.boxes.size(), 2u);
    EXPECT_EQ(messageBoxes.boxes[0].text, "Could not load required media.");
    EXPECT_EQ(messageBoxes.boxes[0].caption, "Viewer");
    EXPECT_EQ(messageBoxes.boxes[0].type, UINT(MB_ICONWARNING));
    EXPECT_EQ(messageBoxes.boxes[1].text,
              "Not enough memory.\n\nSwitching to the reference rasterizer,\na software device that implements the "
              "entire\nDirect3D feature set, but runs very slowly.");

    // A driver failure is fatal even when asked as a warning; it closes the application.
    EXPECT_EQ(app->ShowError(D3DERR_DRIVERINTERNALERROR, ERRORKIND_WARNING), D3DERR_DRIVERINTERNALERROR);
    ASSERT_EQ(messageBoxes.boxes.size(), 3u);
    EXPECT_EQ(messageBoxes.boxes[2].text,
              "A serious problem occured inside the display driver.\n\nThis application will now exit.");
    EXPECT_EQ(messageBoxes.boxes[2].type, UINT(MB_ICONERROR));
    EXPECT_EQ(application->GetDevice(), nullptr);
    EXPECT_EQ(application->GetWindow(), nullptr);

    EXPECT_EQ(app->ShowError(FWERR_RESET_FAILED, ERRORKIND_FATAL), FWERR_RESET_FAILED);
    EXPECT_EQ(messageBoxes.boxes.size(), 3u);
}

TEST_F(ApplicationTest, CloseCleansUpInOrderAndEndsRun)
{
    ASSERT_NE(Start(), nullptr);
    application->SetDeviceLostCallback([] { events.push_back("device lost"); });
    application->AddWindow(new RecordingWindow);
    HWND window = application->GetWindow();
    windowToClose = window;
    // Run renders while the queue is empty; after three frames the user picks Exit.
    application->SetUpdateCallback([](float) {
        if (++updates == 3) PostMessageA(windowToClose, WM_COMMAND, IDM_EXIT, 0);
    });

    EXPECT_EQ(application->Run(), 0);
    EXPECT_EQ(updates, 3);
    EXPECT_EQ(events, (std::vector<std::string>{"device lost", "window destroyed"}));
    EXPECT_EQ(application->GetDevice(), nullptr);
    EXPECT_EQ(application->GetScene(), nullptr);
    EXPECT_EQ(application->GetWindow(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(messageBoxes.boxes.empty());
}

}  // namespace
