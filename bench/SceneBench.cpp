// Node-tree costs on 10,000 nodes: the update pass and world matrices, for a flat tree
// (every node a child of the root) and a deep one (100 chains of 100 nodes under the root).
#include <benchmark/benchmark.h>

#include <vector>

#include "scene/NodeTree.h"
#include "scene/SceneNode.h"

namespace {

constexpr int NodeCount = 10000;
constexpr int ChainLength = 100;

struct Tree {
    ISceneNode* root = nullptr;
    std::vector<ISceneNode*> nodes;

    explicit Tree(bool deep)
    {
        root = NewNode();
        nodes.reserve(NodeCount);
        ISceneNode* parent = root;
        for (int i = 0; i < NodeCount; ++i) {
            if (!deep || i % ChainLength == 0) {
                parent = root;
            }
            ISceneNode* node = NewNode();
            D3DXMATRIX m;
            D3DXMatrixTranslation(&m, 0.5f, 0.25f, 0.0f);
            node->SetMatrix(&m);
            parent->AddChild(node);
            node->Release();
            nodes.push_back(node);
            if (deep) {
                parent = node;
            }
        }
    }
    ~Tree() { root->Release(); }
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    static ISceneNode* NewNode()
    {
        ISceneNode* node = new CSceneNode();
        node->AddRef();
        return node;
    }
};

void UpdateTree(benchmark::State& state)
{
    Tree tree(state.range(0) != 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(UpdateNodeTree(tree.root, 0.016f));
    }
    state.SetItemsProcessed(state.iterations() * NodeCount);
}

void WorldMatrixPerNode(benchmark::State& state)
{
    Tree tree(state.range(0) != 0);
    D3DXMATRIX world;
    for (auto _ : state) {
        for (ISceneNode* node : tree.nodes) {
            benchmark::DoNotOptimize(node->GetWorldMatrix(&world));
        }
    }
    state.SetItemsProcessed(state.iterations() * NodeCount);
}

BENCHMARK(UpdateTree)->ArgName("deep")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(WorldMatrixPerNode)->ArgName("deep")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
