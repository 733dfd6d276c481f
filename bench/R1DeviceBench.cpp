// Reference scene R1 straight through the device: clear, draw, present off-screen.
#include <benchmark/benchmark.h>

#include "R1DeviceScene.h"
#include "d3d9/raster/Pipeline.h"

namespace {

void R1ThroughDevice(benchmark::State& state, UINT threads)
{
    vestra::raster::SetThreadCount(threads);
    IDirect3DDevice9* device = nullptr;
    r1::DeviceScene scene;
    if (FAILED(r1::CreateDevice(nullptr, &device)) || FAILED(scene.Create(device))) {
        state.SkipWithError("R1 could not be set up");
    } else {
        for (auto _ : state) {
            scene.Render();
            device->Present(nullptr, nullptr, nullptr, nullptr);
        }
        state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate);
    }
    scene.Release();
    if (device) device->Release();
    vestra::raster::SetThreadCount(0);
}

void BM_R1Device_OneThread(benchmark::State& state) { R1ThroughDevice(state, 1); }
void BM_R1Device_AllCores(benchmark::State& state) { R1ThroughDevice(state, 0); }
BENCHMARK(BM_R1Device_OneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_R1Device_AllCores)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
