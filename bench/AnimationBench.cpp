// Animation costs per frame: a particle emitter with a full pool updated and drawn, and
// evaluating a motion path of 100 segments (half lines, half curves).
#include <benchmark/benchmark.h>

#include <cmath>

#include <Vestra.h>

#include "IMotionPath.h"
#include "IParticleEmitter.h"

namespace {

IDirect3DDevice9* CreateHeadlessDevice()
{
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (d3d == nullptr) {
        return nullptr;
    }
    D3DPRESENT_PARAMETERS pp{};
    pp.BackBufferWidth = 256;
    pp.BackBufferHeight = 256;
    pp.BackBufferFormat = D3DFMT_X8R8G8B8;
    pp.BackBufferCount = 1;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.Windowed = TRUE;
    pp.EnableAutoDepthStencil = TRUE;
    pp.AutoDepthStencilFormat = D3DFMT_D24S8;
    IDirect3DDevice9* device = nullptr;
    d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp,
                      &device);
    d3d->Release();
    return device;
}

void EmitterFrameWithFullPool(benchmark::State& state)
{
    IDirect3DDevice9* device = CreateHeadlessDevice();
    if (device == nullptr) {
        state.SkipWithError("no device");
        return;
    }
    IScene* scene = CreateScene(device);
    IParticleEmitter* emitter = CreateParticleEmitter();
    emitter->SetMode(PARTICLE_MODE_FLICKER); // the mode with the most work per particle
    const int bound[] = {0, 1};
    for (int index : bound) {
        emitter->SetLife(index, 1e6f);
        emitter->SetEmission(index, 1e4f);
    }
    emitter->Update(1.0f); // fills the pool; from now on births are dropped
    device->BeginScene();
    for (auto _ : state) {
        emitter->Update(0.016f);
        benchmark::DoNotOptimize(emitter->Render(scene));
    }
    device->EndScene();
    state.SetItemsProcessed(state.iterations() * 100);
    emitter->Release();
    scene->Cleanup();
    scene->Destroy();
    device->Release();
}

void EvaluateHundredSegmentPath(benchmark::State& state)
{
    IMotionPath* path = CreateMotionPath();
    for (int i = 0; i < 100; ++i) {
        const float x = static_cast<float>(i);
        MotionPathSegment segment{i % 2 == 0 ? MotionPathSegment::Line : MotionPathSegment::CubicBezier,
                                  D3DXVECTOR3(x, 0, 0), D3DXVECTOR3(x + 1, 0, 0), D3DXVECTOR3(x, 1, 0),
                                  D3DXVECTOR3(x + 1, 1, 0)};
        path->AddSegment(&segment);
    }
    D3DXVECTOR3 position, direction;
    float t = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(path->Evaluate(t, &position, &direction));
        t = std::fmod(t + 0.0137f, 1.0f); // spread over every segment
    }
    path->Release();
}

BENCHMARK(EmitterFrameWithFullPool)->Unit(benchmark::kMicrosecond);
BENCHMARK(EvaluateHundredSegmentPath);

} // namespace
