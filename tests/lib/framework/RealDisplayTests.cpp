// The windowing layer on a real X display: the suite reruns itself under a virtual X server
// and checks frames read back from the server and injected keys and clicks.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "IApplication.h"
#include "framework/Application.h"
#include "lib/framework/ApplicationHarness.h"

namespace {

constexpr const char* kChildVariable = "VESTRA_REAL_DISPLAY_CHILD";

bool IsChild() { return std::getenv(kChildVariable) != nullptr; }

bool ProgramOnPath(const char* name)
{
    const std::string command = std::string("command -v ") + name + " > /dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// The few X client calls the checks need, loaded at run time (no link against X).
class XClient {
public:
    XClient()
    {
        x11_ = dlopen("libX11.so.6", RTLD_NOW);
        xtst_ = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11_ || !xtst_) return;
        Load(x11_, "XOpenDisplay", openDisplay_);
        Load(x11_, "XCloseDisplay", closeDisplay_);
        Load(x11_, "XDefaultRootWindow", rootWindow_);
        Load(x11_, "XGetImage", getImage_);
        Load(x11_, "XGetPixel", getPixel_);
        Load(x11_, "XDestroyImage", destroyImage_);
        Load(x11_, "XKeysymToKeycode", keycode_);
        Load(x11_, "XSync", sync_);
        Load(xtst_, "XTestFakeKeyEvent", fakeKey_);
        Load(xtst_, "XTestFakeButtonEvent", fakeButton_);
        Load(xtst_, "XTestFakeMotionEvent", fakeMotion_);
        if (loaded_) display_ = openDisplay_(nullptr);
    }
    ~XClient()
    {
        if (display_) closeDisplay_(display_);
        if (xtst_) dlclose(xtst_);
        if (x11_) dlclose(x11_);
    }
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool Ready() const { return display_ != nullptr; }

    // 0xRRGGBB of a screen pixel, as the server holds it.
    unsigned long ScreenPixel(int x, int y)
    {
        sync_(display_, 0);
        void* image = getImage_(display_, rootWindow_(display_), x, y, 1, 1, ~0UL, kZPixmap);
        if (!image) return ~0UL;
        const unsigned long pixel = getPixel_(image, 0, 0) & 0xFFFFFF;
        destroyImage_(image);
        return pixel;
    }
    void MoveTo(POINT screen) { Flush(fakeMotion_(display_, -1, screen.x, screen.y, 0)); }
    void Button(unsigned button, bool down) { Flush(fakeButton_(display_, button, down, 0)); }
    void Key(unsigned long keysym, bool down) { Flush(fakeKey_(display_, keycode_(display_, keysym), down, 0)); }
    void Tap(unsigned long keysym)
    {
        Key(keysym, true);
        Key(keysym, false);
    }

    static constexpr unsigned long kF2 = 0xFFBF, kReturn = 0xFF0D, kAltLeft = 0xFFE9, kLetterA = 0x61;

private:
    static constexpr int kZPixmap = 2;

    template <typename Function>
    void Load(void* library, const char* name, Function& function)
    {
        function = reinterpret_cast<Function>(dlsym(library, name));
        loaded_ = loaded_ && function != nullptr;
    }
    void Flush(int) { sync_(display_, 0); }

    void* x11_ = nullptr;
    void* xtst_ = nullptr;
    bool loaded_ = true;
    void* display_ = nullptr;
    void* (*openDisplay_)(const char*) = nullptr;
    int (*closeDisplay_)(void*) = nullptr;
    unsigned long (*rootWindow_)(void*) = nullptr;
    void* (*getImage_)(void*, unsigned long, int, int, unsigned, unsigned, unsigned long, int) = nullptr;
    unsigned long (*getPixel_)(void*, int, int) = nullptr;
    int (*destroyImage_)(void*) = nullptr;
    unsigned char (*keycode_)(void*, unsigned long) = nullptr;
    int (*sync_)(void*, int) = nullptr;
    int (*fakeKey_)(void*, unsigned, int, unsigned long) = nullptr;
    int (*fakeButton_)(void*, unsigned, int, unsigned long) = nullptr;
    int (*fakeMotion_)(void*, int, int, int, unsigned long) = nullptr;
};

// Dispatches messages until `done` holds; gives up after a few seconds instead of hanging.
template <typename Done>
bool PumpUntil(Done done)
{
    for (int round = 0; round < 500; ++round) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) return true;
        Sleep(10);
    }
    return false;
}

POINT ClientPointOnScreen(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

TEST(RealDisplay, ChecksRunUnderAVirtualXServer)
{
    if (IsChild()) GTEST_SKIP() << "this is the child run";
    if (!ProgramOnPath("xvfb-run")) GTEST_SKIP() << "xvfb-run is not installed";
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(length, 0);
    // The system's message-bus library keeps a buffer to the end; not ours.
    const std::string suppressions = std::string(P_tmpdir) + "/vestra-real-display.supp";
    if (FILE* file = std::fopen(suppressions.c_str(), "w")) {
        std::fputs("leak:libdbus-1.so\n", file);
        std::fclose(file);
    }
    // The parent's tests chose the headless backend; the child must find the display.
    const std::string command = std::string("env -u SDL_VIDEODRIVER LSAN_OPTIONS=suppressions=") + suppressions +
                                ":print_suppressions=0 " + kChildVariable +
                                "=1 xvfb-run -a -s '-screen 0 1024x768x24' '" + self +
                                "' --gtest_filter='RealDisplayChild.*' 2>&1";
    FILE* child = popen(command.c_str(), "r");
    ASSERT_NE(child, nullptr);
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, child)) output += buffer;
    const int status = pclose(child);
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("[  PASSED  ]"), std::string::npos) << output;
    if (output.find("[  SKIPPED ]") != std::string::npos) GTEST_SKIP() << output;
}

class RealDisplayChild : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!IsChild()) GTEST_SKIP() << "runs only under the virtual X server";
        ASSERT_TRUE(VestraHasDisplay());
        if (!x.Ready()) GTEST_SKIP() << "the X client libraries (libX11, libXtst) are not installed";
        vestra::framework::ProcessState().fatalErrorReported = false;
    }

    XClient x;
};

std::vector<UINT> g_messages;
std::vector<WPARAM> g_keys;
POINT g_click{-1, -1};

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_messages.push_back(message);
    if (message == WM_KEYDOWN) g_keys.push_back(wParam);
    if (message == WM_LBUTTONDOWN) g_click = POINT{LOWORD(lParam), HIWORD(lParam)};
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateShownWindow(int x, int y, int width, int height)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProcedure;
    windowClass.lpszClassName = "RealDisplayWindow";
    RegisterClassA(&windowClass);
    RECT bounds{0, 0, width, height};
    AdjustWindowRect(&bounds, WS_OVERLAPPEDWINDOW, FALSE);
    return CreateWindowExA(0, "RealDisplayWindow", "Real display", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(RealDisplayChild, PresentedFramesFillTheClientAreaOrTheGivenRectangles)
{
    const HWND window = CreateShownWindow(100, 100, 200, 150);
    ASSERT_NE(window, nullptr);
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS parameters{};
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_COPY;  // keeps the frame for the rectangle present below
    parameters.hDeviceWindow = window;
    parameters.BackBufferWidth = 100;  // half the client area each way
    parameters.BackBufferHeight = 75;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    IDirect3DDevice9* device = nullptr;
    ASSERT_EQ(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                &parameters, &device),
              D3D_OK);

    // Left half orange, right half blue: stretched to 200 pixels, the halves meet at x = 100.
    const D3DRECT left{0, 0, 50, 75}, right{50, 0, 100, 75};
    device->Clear(1, &left, D3DCLEAR_TARGET, 0xFFC03060, 1.0f, 0);
    device->Clear(1, &right, D3DCLEAR_TARGET, 0xFF1040E0, 1.0f, 0);
    const POINT leftProbe = ClientPointOnScreen(window, 90, 140);
    const POINT rightProbe = ClientPointOnScreen(window, 110, 10);
    const bool shown = PumpUntil([&] {
        device->Present(nullptr, nullptr, nullptr, nullptr);
        return x.ScreenPixel(leftProbe.x, leftProbe.y) == 0xC03060 &&
               x.ScreenPixel(rightProbe.x, rightProbe.y) == 0x1040E0;
    });
    EXPECT_TRUE(shown) << std::hex << x.ScreenPixel(leftProbe.x, leftProbe.y) << " "
                       << x.ScreenPixel(rightProbe.x, rightProbe.y);

    // The blue half alone, scaled into the client's top-left quarter; the rest stays.
    const RECT source{50, 0, 100, 75}, destination{0, 0, 100, 75};
    const POINT quarterProbe = ClientPointOnScreen(window, 90, 70);
    const POINT belowProbe = ClientPointOnScreen(window, 90, 80);
    const bool placed = PumpUntil([&] {
        device->Present(&source, &destination, nullptr, nullptr);
        return x.ScreenPixel(quarterProbe.x, quarterProbe.y) == 0x1040E0 &&
               x.ScreenPixel(belowProbe.x, belowProbe.y) == 0xC03060;
    });
    EXPECT_TRUE(placed);
    EXPECT_EQ(device->Release(), 0u);
    d3d->Release();
    DestroyWindow(window);
}

TEST_F(RealDisplayChild, KeysAndClicksArriveAsWin32Messages)
{
    const HWND window = CreateShownWindow(120, 80, 240, 160);
    ASSERT_NE(window, nullptr);
    g_messages.clear();
    g_keys.clear();
    g_click = POINT{-1, -1};
    const auto has = [](UINT message) {
        return std::find(g_messages.begin(), g_messages.end(), message) != g_messages.end();
    };
    // The first exposure says the window is on the screen and can take input.
    ASSERT_TRUE(PumpUntil([&] { return has(WM_PAINT); }));
    // Keys go to the window under the pointer when nothing manages focus.
    x.MoveTo(ClientPointOnScreen(window, 30, 40));
    x.Button(1, true);
    x.Button(1, false);
    x.Tap(XClient::kF2);
    x.Tap(XClient::kLetterA);
    EXPECT_TRUE(PumpUntil([&] { return g_keys.size() >= 2 && has(WM_LBUTTONUP) && has(WM_CHAR); }));
    EXPECT_TRUE(has(WM_MOUSEMOVE));

    EXPECT_EQ(g_click.x, 30);
    EXPECT_EQ(g_click.y, 40);
    EXPECT_EQ(g_keys, (std::vector<WPARAM>{VK_F2, 'A'}));
    DestroyWindow(window);
    PumpUntil([] { return true; });
}

// The framework's own loop driven from the keyboard: Alt+Enter to full screen and back, F2
// opens the settings dialog (cancelled with a click), then Alt+Enter works again.
struct FrameworkSession {
    XClient* x = nullptr;
    IApplication* application = nullptr;
    int step = 0;
    int frames = 0;
    POINT pointerTarget{-1, -1};
    D3DSURFACE_DESC fullscreenBackBuffer{};
    bool dialogShown = false;
    bool dialogButtonFound = false;
    std::thread clicker;
};

FrameworkSession g_session;
constexpr unsigned long kClearColour = 0x2080C0;

// Keys reach the window under the pointer; the pointer being there also says it is mapped.
bool PointerInWindow(FrameworkSession& s, HWND window)
{
    POINT cursor;
    GetCursorPos(&cursor);
    if (cursor.x == s.pointerTarget.x && cursor.y == s.pointerTarget.y) return true;
    s.pointerTarget = ClientPointOnScreen(window, 10 + s.frames % 50, 20);
    s.x->MoveTo(s.pointerTarget);
    return false;
}

void AltEnter(XClient& x)
{
    x.Key(XClient::kAltLeft, true);
    x.Tap(XClient::kReturn);
    x.Key(XClient::kAltLeft, false);
}

void NextFrame(float)
{
    FrameworkSession& s = g_session;
    const HWND window = s.application->GetWindow();
    const bool fullscreen = (GetWindowLongA(window, GWL_STYLE) & WS_POPUP) != 0;
    ++s.frames;
    if (s.step == 0 && PointerInWindow(s, window)) {
        AltEnter(*s.x);
        s.step = 1;
    } else if (s.step == 1 && fullscreen && PointerInWindow(s, window) &&
               s.x->ScreenPixel(1020, 760) == kClearColour) {
        s.fullscreenBackBuffer = vestra::test::BackBufferDesc(s.application->GetDevice());
        AltEnter(*s.x);
        s.step = 2;
    } else if (s.step == 2 && !fullscreen && PointerInWindow(s, window)) {
        s.x->Tap(XClient::kF2);
        s.step = 3;
    } else if (s.step == 3 && s.dialogShown && PointerInWindow(s, window)) {
        // Keys still reach the window once the dialog that had the focus is gone.
        AltEnter(*s.x);
        s.step = 4;
    } else if (s.step == 4 && fullscreen) {
        s.step = 5;
        PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    }
    if (s.frames == 5000 && s.step < 5) PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
}

// The dialog runs its own loop, so the user is another thread: it clicks once painted.
void ClickWhenPainted(POINT button, unsigned long backgroundBefore)
{
    XClient user;
    if (!user.Ready()) return;
    for (int round = 0; round < 500 && user.ScreenPixel(button.x, button.y) == backgroundBefore; ++round) Sleep(10);
    user.MoveTo(button);
    Sleep(50);
    user.Button(1, true);
    user.Button(1, false);
}

void ClickCancel(HWND dialog, void*)
{
    FrameworkSession& s = g_session;
    s.dialogShown = true;
    const HWND cancel = GetDlgItem(dialog, IDCANCEL);
    s.dialogButtonFound = cancel != nullptr;
    if (!cancel) return;
    RECT bounds;
    GetWindowRect(cancel, &bounds);
    const POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    s.clicker = std::thread(ClickWhenPainted, centre, s.x->ScreenPixel(centre.x, centre.y));
}

TEST_F(RealDisplayChild, AltEnterAndF2WorkThroughTheFrameworkLoop)
{
    struct Accelerator {
        WORD flags, key, command, padding;
    };
    const Accelerator table[] = {{FVIRTKEY | FALT, VK_RETURN, IDM_TOGGLEFULLSCREEN, 0},
                                 {FVIRTKEY | 0x80, VK_F2, IDM_CHANGEDEVICE, 0}};
    ASSERT_TRUE(VestraRegisterResource(nullptr, RT_ACCELERATOR, MAKEINTRESOURCEA(IDR_MAIN_ACCEL), table, sizeof table));
    vestra::test::RegisterSettingsDialog();
    vestra::test::MessageBoxRecorder messageBoxes;

    g_session = FrameworkSession{};
    g_session.x = &x;
    g_session.application = CreateApplication(GetModuleHandleA(nullptr), nullptr, "Real display");
    ASSERT_NE(g_session.application, nullptr);
    g_session.application->GetScene()->SetRenderFlags(0xF);
    g_session.application->GetScene()->SetClearColor(0xFF000000 | kClearColour);
    g_session.application->SetUpdateCallback(NextFrame);
    VestraSetDialogHook(ClickCancel, nullptr, nullptr);
    const HWND window = g_session.application->GetWindow();

    EXPECT_EQ(g_session.application->Run(), 0);
    VestraSetDialogHook(nullptr, nullptr, nullptr);
    if (g_session.clicker.joinable()) g_session.clicker.join();
    g_session.application->Destroy();

    EXPECT_EQ(g_session.step, 5) << "frames: " << g_session.frames;
    EXPECT_EQ(g_session.fullscreenBackBuffer.Width, 1024u);
    EXPECT_EQ(g_session.fullscreenBackBuffer.Height, 768u);
    EXPECT_TRUE(g_session.dialogButtonFound);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(messageBoxes.boxes.empty());
}

}  // namespace
