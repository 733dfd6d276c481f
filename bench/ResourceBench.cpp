// The resource manager's path work: the key and registry lookup every request pays, and
// the scan that registers a tree of 10,000 files.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "resources/FileRegistry.h"

namespace {

// <temp>/assets/dirNNN/texNNN.dds: 100 folders of 100 empty files, made once per run.
class FileTree {
public:
    FileTree()
    {
        std::string pattern = "/tmp/vestra-resource-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        top = pattern;
        assets = top + "/assets";
        for (int folder = 0; folder < 100; ++folder) {
            const std::string directory = assets + "/dir" + Number(folder);
            std::filesystem::create_directories(directory);
            for (int file = 0; file < 100; ++file) {
                std::ofstream(directory + "/tex" + Number(file) + ".dds");
            }
        }
    }
    ~FileTree()
    {
        std::error_code ignored;
        std::filesystem::remove_all(top, ignored);
    }

    static std::string Number(int value)
    {
        char text[8];
        snprintf(text, sizeof(text), "%03d", value);
        return text;
    }

    std::string top;
    std::string assets;
};

const FileTree& Tree()
{
    static const FileTree tree;
    return tree;
}

void ComputePathKey(benchmark::State& state)
{
    CFileRegistry registry;
    for (auto _ : state) {
        benchmark::DoNotOptimize(registry.ComputePathKey("C:\\game\\media\\textures\\stone_wall_diffuse.png"));
    }
}
BENCHMARK(ComputePathKey);

// A request as a node makes it: resolved, keyed and looked up among 10,000 registered
// files; state.range(0) = 1 asks for a registered file, 0 for one that is not.
void ResolveAmongRegisteredFiles(benchmark::State& state)
{
    CFileRegistry registry;
    registry.SetBaseDirectory("assets");
    registry.RegisterFiles(Tree().assets.c_str(), "*.dds");
    const char* fileName = state.range(0) != 0 ? "assets\\dir042\\tex017.png" : "assets\\dir042\\missing.png";
    for (auto _ : state) {
        benchmark::DoNotOptimize(registry.ResolveResourcePath("", fileName));
    }
}
BENCHMARK(ResolveAmongRegisteredFiles)->Arg(1)->Arg(0);

void RegisterTreeOf10000Files(benchmark::State& state)
{
    const std::string& root = Tree().assets;
    for (auto _ : state) {
        CFileRegistry registry;
        registry.RegisterFiles(root.c_str(), "*.dds");
        if (registry.Files().size() != 10000) {
            state.SkipWithError("the scan did not register every file");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(RegisterTreeOf10000Files)->Unit(benchmark::kMillisecond);

} // namespace
