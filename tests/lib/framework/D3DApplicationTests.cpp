// The application base on its own, with hooks that record what the framework asks of them:
// the reference-device fallback, frame stepping with time frozen, painting while paused,
// leak detection at shutdown, the device cursor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/D3DApplication.h"
#include "framework/DeviceCursor.h"
#include "lib/framework/ApplicationHarness.h"

namespace {

using vestra::framework::ProcessState;
using Log = std::vector<std::string>;

class RecordingApplication final : public CD3DApplication {
public:
    HRESULT OnCreateDevice() override
    {
        D3DDEVICE_CREATION_PARAMETERS creation{};
        device->GetCreationParameters(&creation);
        log.push_back(creation.DeviceType == D3DDEVTYPE_HAL ? "create HAL" : "create REF");
        return failOnHal && creation.DeviceType == D3DDEVTYPE_HAL ? E_FAIL : S_OK;
    }
    HRESULT OnResetDevice() override { return Record("reset"); }
    HRESULT Update() override { return Record("update"); }
    HRESULT RenderScene() override { return Record("render"); }
    HRESULT OnLostDevice() override { return Record("lost"); }
    HRESULT OnDestroyDevice() override { return Record("destroy"); }
    HRESULT CleanupApp() override { return Record("cleanup"); }
    // As every derived application must: the framework's window needs default processing
    // (window creation itself depends on it).
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (LRESULT result = CD3DApplication::HandleMessage(window, message, wParam, lParam)) return result;
        return DefWindowProcA(window, message, wParam, lParam);
    }

    IDirect3DDevice9* Device() const { return device; }
    HWND Window() const { return deviceWindow; }
    float Elapsed() const { return elapsedTime; }
    const char* DeviceStats() const { return deviceStats; }

    bool failOnHal = false;
    Log log;

private:
    HRESULT Record(const char* event)
    {
        log.push_back(event);
        return S_OK;
    }
};

class D3DApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { vestra::test::PrepareHeadlessFramework(); }
    void TearDown() override
    {
        if (app.Window()) SendMessageA(app.Window(), WM_CLOSE, 0, 0);
        vestra::test::DrainMessages();
        EXPECT_EQ(ProcessState().pauseCount, 0);
    }

    vestra::test::MessageBoxRecorder messageBoxes;
    RecordingApplication app;
};

TEST_F(D3DApplicationTest, FailedHardwareDeviceFallsBackToReferenceWithWarning)
{
    app.failOnHal = true;
    ASSERT_EQ(app.Create(GetModuleHandleA(nullptr)), S_OK);
    EXPECT_EQ(app.log, (Log{"create HAL", "destroy", "create REF", "reset"}));
    ASSERT_EQ(messageBoxes.boxes.size(), 1u);
    EXPECT_EQ(messageBoxes.boxes[0].text,
              "Generic application error. Enable\ndebug output for detailed information.\n\nSwitching to the "
              "reference rasterizer,\na software device that implements the entire\nDirect3D feature set, but runs "
              "very slowly.");
    EXPECT_EQ(messageBoxes.boxes[0].type, UINT(MB_ICONWARNING));
    EXPECT_STREQ(app.DeviceStats(), "REF (simulated hw vp)");

    app.log.clear();
    SendMessageA(app.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.log, (Log{"cleanup", "lost", "destroy"}));
    EXPECT_EQ(app.Device(), nullptr);
    EXPECT_EQ(app.Window(), nullptr);
    EXPECT_EQ(messageBoxes.boxes.size(), 1u);
}

TEST_F(D3DApplicationTest, FrozenTimeRendersWithoutUpdatingExceptOneSingleStep)
{
    ASSERT_EQ(app.Create(GetModuleHandleA(nullptr)), S_OK);
    EXPECT_STREQ(app.DeviceStats(), "HAL (hw vp): Vestra software rendering device");
    HWND window = app.Window();

    SendMessageA(window, WM_COMMAND, IDM_TOGGLESTART, 0);
    app.log.clear();
    EXPECT_EQ(app.RenderFrameStep(true, false), S_OK);
    EXPECT_EQ(app.log, Log{"render"});

    SendMessageA(window, WM_COMMAND, IDM_SINGLESTEP, 0);
    app.log.clear();
    EXPECT_EQ(app.RenderFrameStep(true, false), S_OK);
    EXPECT_EQ(app.RenderFrameStep(true, false), S_OK);
    EXPECT_EQ(app.log, (Log{"update", "render", "render"}));
    EXPECT_NEAR(app.Elapsed(), 0.1f, 1e-4f);

    // Running again, every frame updates.
    SendMessageA(window, WM_COMMAND, IDM_TOGGLESTART, 0);
    app.log.clear();
    EXPECT_EQ(app.RenderFrameStep(true, false), S_OK);
    EXPECT_EQ(app.log, (Log{"update", "render"}));
}

TEST_F(D3DApplicationTest, PaintShowsTheLastFrameOnlyWhilePaused)
{
    ASSERT_EQ(app.Create(GetModuleHandleA(nullptr)), S_OK);
    HWND window = app.Window();
    const UINT presents = vestra::test::FrameStatistics(app.Device()).Presents;
    app.log.clear();
    app.CD3DApplication::HandleMessage(window, WM_PAINT, 0, 0);
    EXPECT_TRUE(app.log.empty());

    app.Pause(true);
    app.CD3DApplication::HandleMessage(window, WM_PAINT, 0, 0);
    app.Pause(false);
    EXPECT_EQ(app.log, Log{"render"});
    EXPECT_EQ(vestra::test::FrameStatistics(app.Device()).Presents, presents + 1);
}

TEST_F(D3DApplicationTest, DeviceStillReferencedAtShutdownIsReportedOnce)
{
    ASSERT_EQ(app.Create(GetModuleHandleA(nullptr)), S_OK);
    IDirect3DDevice9* leaked = app.Device();
    leaked->AddRef();
    SendMessageA(app.Window(), WM_CLOSE, 0, 0);
    ASSERT_EQ(messageBoxes.boxes.size(), 1u);
    EXPECT_EQ(messageBoxes.boxes[0].text,
              "A D3D object has a non-zero reference\ncount (meaning things were not properly\ncleaned up).\n\nThis "
              "application will now exit.");
    EXPECT_EQ(messageBoxes.boxes[0].type, UINT(MB_ICONERROR));
    EXPECT_EQ(app.Window(), nullptr);
    EXPECT_EQ(leaked->Release(), 0u);
}

TEST_F(D3DApplicationTest, DeviceCursorTakesTheCursorImageAndHotSpot)
{
    ASSERT_EQ(app.Create(GetModuleHandleA(nullptr)), S_OK);
    IDirect3DDevice9* device = app.Device();
    EXPECT_EQ(SetDeviceCursorFromHandle(device, nullptr, FALSE), E_FAIL);

    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(arrow, &info));
    BITMAP mask{};
    ASSERT_NE(GetObjectA(reinterpret_cast<HANDLE>(info.hbmMask), sizeof mask, &mask), 0);
    const LONG height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
    DeleteObject(reinterpret_cast<HGDIOBJ>(info.hbmMask));
    if (info.hbmColor) DeleteObject(reinterpret_cast<HGDIOBJ>(info.hbmColor));

    ASSERT_EQ(SetDeviceCursorFromHandle(device, arrow, TRUE), S_OK);
    IVestraDeviceControl* control = nullptr;
    ASSERT_EQ(device->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control)), S_OK);
    VESTRA_CURSOR_STATE cursor{};
    control->GetCursorState(&cursor);
    control->Release();
    EXPECT_TRUE(cursor.HasImage);
    EXPECT_EQ(cursor.Width, UINT(mask.bmWidth));
    EXPECT_EQ(cursor.Height, UINT(height));
    EXPECT_EQ(cursor.HotSpotX, info.xHotspot);
    EXPECT_EQ(cursor.HotSpotY, info.yHotspot);
}

}  // namespace
