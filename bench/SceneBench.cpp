// Scene passes on 10,000 nodes with nothing drawn, on a headless device: the update pass
// (flat tree: every node a child of the root; deep: 100 chains of 100 nodes), and the
// render pass (matrix pushes, culling tests, render hooks) with the nodes in view, with
// them all behind the camera, and with culling skipped. Plain nodes issue no draws, so the
// figures are the engine's own cost per node.
#include <benchmark/benchmark.h>

#include <vector>

#include "R1DeviceScene.h"
#include "R1EngineScene.h"
#include "scene/NodeTree.h"
#include "scene/SceneNode.h"

namespace {

constexpr int NodeCount = 10000;
constexpr int ChainLength = 100;

enum Placement { InView = 0, Culled = 1, NoCulling = 2 };

// A scene on an off-screen device, R1's camera, and the tree under its root.
class SceneFixture {
public:
    SceneFixture(bool deep, Placement placement)
    {
        if (FAILED(r1::CreateDevice(nullptr, &device))) {
            return;
        }
        scene = CreateScene(device);
        scene->SetRenderFlags(0); // no clear, no BeginScene: the pass alone
        ICamera* camera = scene->GetCamera();
        camera->SetYUp(true);
        D3DVIEWPORT9 viewport = {0, 0, r1::kWidth, r1::kHeight, r1::kNear, r1::kFar};
        camera->SetViewport(&viewport);
        camera->SetZoom(r1::OrbitZoom(), false);
        camera->Rotate(r1::OrbitPitch(), r1::OrbitYaw(), true);

        // Nodes in view stand around the origin the camera looks at; culled ones 500 units
        // behind the eye. Chains step 0.25 along x per node.
        const float z = placement == Culled ? -500.0f : 0.0f;
        CBoundBox box;
        box.Set(D3DXVECTOR3(-1.0f, -1.0f, -1.0f), D3DXVECTOR3(1.0f, 1.0f, 1.0f));
        ISceneNode* parent = scene->GetRoot();
        for (int i = 0; i < NodeCount; ++i) {
            const bool chainStart = !deep || i % ChainLength == 0;
            if (chainStart) {
                parent = scene->GetRoot();
            }
            ISceneNode* node = new CSceneNode();
            node->AddRef();
            D3DXMATRIX place;
            if (chainStart) {
                D3DXMatrixTranslation(&place, static_cast<float>(i % 40) - 20.0f, 0.0f, z + static_cast<float>(i / 40 % 40));
            } else {
                D3DXMatrixTranslation(&place, 0.25f, 0.0f, 0.0f);
            }
            node->SetMatrix(&place);
            node->SetBoundingBox(&box);
            parent->AddChild(node);
            node->Release();
            if (deep) {
                parent = node;
            }
        }
        // One node in view keeps the root's box in the frustum, so that culled nodes are
        // tested one by one (chains by their first node) instead of all at once at the root.
        if (placement == Culled) {
            ISceneNode* anchor = new CSceneNode();
            anchor->AddRef();
            anchor->SetBoundingBox(&box);
            scene->AddNode(anchor);
            anchor->Release();
        }
        // Boxes of parents hold their children's; the first update computes them.
        scene->Update(0.0f);
    }
    ~SceneFixture()
    {
        if (scene != nullptr) {
            scene->Cleanup();
            scene->Destroy();
        }
        if (device != nullptr) {
            device->Release();
        }
    }
    SceneFixture(const SceneFixture&) = delete;
    SceneFixture& operator=(const SceneFixture&) = delete;

    IDirect3DDevice9* device = nullptr;
    IScene* scene = nullptr;
};

void SceneUpdate(benchmark::State& state)
{
    SceneFixture fixture(state.range(0) != 0, InView);
    if (fixture.scene == nullptr) {
        state.SkipWithError("no device");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(fixture.scene->Update(1.0f / 60.0f));
    }
    state.SetItemsProcessed(state.iterations() * NodeCount);
}

void SceneRenderPass(benchmark::State& state)
{
    const auto placement = static_cast<Placement>(state.range(1));
    SceneFixture fixture(state.range(0) != 0, placement);
    if (fixture.scene == nullptr) {
        state.SkipWithError("no device");
        return;
    }
    for (auto _ : state) {
        if (placement == NoCulling) {
            benchmark::DoNotOptimize(RenderNodeTree(fixture.scene->GetRoot(), fixture.scene, nullptr));
        } else {
            benchmark::DoNotOptimize(fixture.scene->Render());
        }
    }
    state.SetItemsProcessed(state.iterations() * NodeCount);
}

BENCHMARK(SceneUpdate)->ArgName("deep")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
// placement: 0 nodes in view, 1 all culled, 2 culling skipped.
BENCHMARK(SceneRenderPass)
    ->ArgNames({"deep", "placement"})
    ->ArgsProduct({{0, 1}, {InView, Culled, NoCulling}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
