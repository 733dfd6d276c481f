// Reference scene R1 drawn by the engine (scene update and render pass over engine nodes)
// at 640 x 480, to compare with R1DeviceBench, the same scene straight through the device.
// The camera stays on R1's fixed view; the difference between the two is the engine's cost.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "R1DeviceScene.h"
#include "R1EngineScene.h"
#include "d3d9/raster/Pipeline.h"

namespace {

void R1ThroughEngine(benchmark::State& state, UINT threads)
{
    vestra::raster::SetThreadCount(threads);
    IDirect3DDevice9* device = nullptr;
    IScene* scene = nullptr;
    r1::EngineScene r1Scene;
    const std::string media = (std::filesystem::temp_directory_path() / "vestra-r1-engine-bench").string();
    if (SUCCEEDED(r1::CreateDevice(nullptr, &device))) {
        scene = CreateScene(device);
        r1::SetEngineHostStates(device);
    }
    if (scene == nullptr || FAILED(r1Scene.Build(scene, media))) {
        state.SkipWithError("R1 could not be set up");
    } else {
        scene->SetRenderFlags(SCENE_RENDER_CLEAR | SCENE_RENDER_BEGINEND);
        for (auto _ : state) {
            scene->Update(1.0f / 60.0f);
            r1Scene.Update(1.0f / 60.0f);
            scene->Render();
            device->Present(nullptr, nullptr, nullptr, nullptr);
        }
        state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate);
    }
    if (scene != nullptr) {
        scene->Cleanup();
        scene->Destroy();
    }
    if (device != nullptr) {
        device->Release();
    }
    vestra::raster::SetThreadCount(0);
}

void BM_R1Engine_OneThread(benchmark::State& state) { R1ThroughEngine(state, 1); }
void BM_R1Engine_AllCores(benchmark::State& state) { R1ThroughEngine(state, 0); }
BENCHMARK(BM_R1Engine_OneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_R1Engine_AllCores)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
