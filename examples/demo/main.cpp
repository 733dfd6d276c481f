// Vestra demo: reference scene R1 built from engine nodes, with bitstrip animations, a
// background banner, particle emitters and a motion path, run by the engine's application
// framework in a window, or headless for a fixed number of frames saved as PNG files.
#include <Vestra.h>
#include <PlatformWindowing.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "DemoAdditions.h"
#include "DemoOptions.h"
#include "HostWindow.h"
#include "R1EngineScene.h"

namespace {

constexpr float kFixedStep = 1.0f / 60.0f;
// One turn of the orbit camera per minute.
constexpr float kOrbitSpeed = 2.0f * D3DX_PI / 60.0f;

// The framework's callbacks are plain functions; the demo has one of each.
r1::EngineScene* g_r1 = nullptr;
demo::DemoAdditions* g_additions = nullptr;
IDirect3DDevice9* g_device = nullptr; // borrowed from the application

void OnUpdate(float elapsed)
{
    g_r1->Update(elapsed);
    g_additions->Update(elapsed);
}

void OnDeviceReset(IDirect3DDevice9* device)
{
    g_device = device;
    r1::SetEngineHostStates(device);
    g_r1->RestoreDeviceObjects();
}

void PrintDevice(IDirect3DDevice9* device)
{
    D3DSURFACE_DESC colour = {}, depth = {};
    IDirect3DSurface9* surface = nullptr;
    if (SUCCEEDED(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &surface))) {
        surface->GetDesc(&colour);
        surface->Release();
    }
    if (SUCCEEDED(device->GetDepthStencilSurface(&surface))) {
        surface->GetDesc(&depth);
        surface->Release();
    }
    std::printf("device: %ux%u back buffer, format %d, depth format %d\n", colour.Width, colour.Height,
                static_cast<int>(colour.Format), static_cast<int>(depth.Format));
}

std::string ExecutableDirectory()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path().string();
}

// The back buffer as the last frame left it, saved opaque: the blend of translucent nodes
// leaves alpha below 1 in places, which image viewers would show as holes.
HRESULT SaveBackBuffer(IDirect3DDevice9* device, const std::string& path)
{
    IDirect3DSurface9* backBuffer = nullptr;
    HRESULT hr = device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    if (FAILED(hr)) {
        return hr;
    }
    D3DSURFACE_DESC desc;
    backBuffer->GetDesc(&desc);
    IDirect3DSurface9* copy = nullptr;
    hr = device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM, &copy, nullptr);
    if (SUCCEEDED(hr)) {
        hr = device->GetRenderTargetData(backBuffer, copy);
    }
    if (SUCCEEDED(hr) && desc.Format == D3DFMT_A8R8G8B8) {
        D3DLOCKED_RECT locked;
        hr = copy->LockRect(&locked, nullptr, 0);
        if (SUCCEEDED(hr)) {
            for (UINT y = 0; y < desc.Height; ++y) {
                auto* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
                for (UINT x = 0; x < desc.Width; ++x) {
                    row[x] |= 0xFF000000u;
                }
            }
            copy->UnlockRect();
        }
    }
    if (SUCCEEDED(hr)) {
        hr = D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_PNG, copy, nullptr, nullptr);
    }
    if (copy != nullptr) {
        copy->Release();
    }
    backBuffer->Release();
    return hr;
}

// The frames a headless run keeps: the first, three between and the last.
std::vector<int> FramesToSave(int frames)
{
    std::vector<int> chosen;
    for (int part = 0; part <= 4; ++part) {
        const int frame = 1 + (frames - 1) * part / 4;
        if (chosen.empty() || chosen.back() != frame) {
            chosen.push_back(frame);
        }
    }
    return chosen;
}

// Fixed steps, so every run draws the same frames; the scene is updated here rather than
// by the framework's clock.
int RunHeadless(IApplication* application, const DemoOptions& options)
{
    IScene* scene = application->GetScene();
    IDirect3DDevice9* device = application->GetDevice();
    std::error_code error;
    std::filesystem::create_directories(options.outDirectory, error);
    const std::vector<int> saved = FramesToSave(options.frames);
    size_t nextSaved = 0;
    int failures = 0;

    const auto start = std::chrono::steady_clock::now();
    for (int frame = 1; frame <= options.frames; ++frame) {
        scene->Update(kFixedStep);
        OnUpdate(kFixedStep);
        const bool keep = nextSaved < saved.size() && saved[nextSaved] == frame;
        // A presented back buffer may be discarded, so kept frames are read before presenting.
        scene->SetRenderFlags(SCENE_RENDER_CLEAR | SCENE_RENDER_BEGINEND | (keep ? 0 : SCENE_RENDER_PRESENT));
        if (FAILED(application->RenderFrame())) {
            std::fprintf(stderr, "frame %d could not be drawn\n", frame);
            return 1;
        }
        if (keep) {
            char name[32];
            std::snprintf(name, sizeof name, "frame_%04d.png", frame);
            const std::string path = (std::filesystem::path(options.outDirectory) / name).string();
            if (SUCCEEDED(SaveBackBuffer(device, path))) {
                std::printf("wrote %s\n", path.c_str());
            } else {
                std::fprintf(stderr, "could not write %s\n", path.c_str());
                ++failures;
            }
            device->Present(nullptr, nullptr, nullptr, nullptr);
            ++nextSaved;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d frames in %.2f s: %.1f frames per second (PNG writing included)\n", options.frames, seconds,
                static_cast<double>(options.frames) / seconds);
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const DemoOptions options = ParseDemoOptions(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "%s\n", options.error.c_str());
        PrintDemoUsage(argv[0]);
        return 2;
    }
    if (options.showHelp) {
        PrintDemoUsage(argv[0]);
        return 0;
    }
    // Progress lines appear as they happen even when the output is a file or a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // Windows are headless objects without a display; asking for a headless run makes them
    // so even with one (decided before the first window call).
    if (options.headless) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
    const bool headless = options.headless || !VestraHasDisplay();

    // The icon, menu, accelerators and settings dialog a framework application expects.
    if (!VestraRegisterDefaultHostResources(nullptr)) {
        std::fprintf(stderr, "the framework's resources could not be registered\n");
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND window = CreateHostWindow(instance, "Vestra demo - R1", static_cast<int>(r1::kWidth),
                                   static_cast<int>(r1::kHeight));
    if (window == nullptr) {
        std::fprintf(stderr, "the window could not be created\n");
        return 1;
    }
    IApplication* application = CreateApplication(instance, window, "Vestra demo");
    if (application == nullptr) {
        return 1; // the framework has shown why
    }
    AttachApplication(application);

    const std::string folder = ExecutableDirectory();
    const std::string media = folder + "/media/";
    r1::EngineScene r1Scene;
    demo::DemoAdditions additions;
    g_r1 = &r1Scene;
    g_additions = &additions;
    IScene* scene = application->GetScene();
    g_device = application->GetDevice();
    r1::SetEngineHostStates(g_device);
    HRESULT hr = r1Scene.Build(scene, media);
    if (SUCCEEDED(hr)) {
        hr = additions.Build(scene, r1Scene.MediaReference(), media + "traveller.ini");
    }
    int result = 1;
    if (FAILED(hr)) {
        std::fprintf(stderr, "the scene could not be built (0x%08X)\n", static_cast<unsigned>(hr));
    } else {
        if (!additions.ParticleFileLoaded()) {
            std::fprintf(stderr, "note: %straveller.ini not found; the travelling emitter uses its defaults\n",
                         media.c_str());
        }
        r1Scene.SetOrbitSpeed(kOrbitSpeed);
        application->SetDeviceResetCallback(OnDeviceReset);
        std::printf("media in %s\n", media.c_str());
        PrintDevice(application->GetDevice());
        if (headless) {
            result = RunHeadless(application, options);
        } else {
            application->SetUpdateCallback(OnUpdate);
            scene->SetRenderFlags(SCENE_RENDER_CLEAR | SCENE_RENDER_BEGINEND | SCENE_RENDER_UPDATE |
                                  SCENE_RENDER_PRESENT);
            result = application->Run();
        }
    }
    // WM_CLOSE releases the scene, the device and Direct3D (Run has seen one already when
    // the user closed the window); Destroy frees the application itself.
    if (IsWindow(window)) {
        SendMessageA(window, WM_CLOSE, 0, 0);
    }
    AttachApplication(nullptr);
    application->Destroy();
    g_r1 = nullptr;
    g_additions = nullptr;
    g_device = nullptr;
    return result;
}
