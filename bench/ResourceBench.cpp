// The resource manager's work: the key and registry lookup every request pays, the scan
// that registers a tree of 10,000 files, and loading 1024x1024 image files into textures.
#include <benchmark/benchmark.h>
#include <d3dx9.h>
#include <jpeglib.h>
#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

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

// The same 1024x1024 picture (smooth gradients with a little noise, like a photographed
// texture) as PNG, JPEG and DXT5 DDS with its full mip chain, written once per run.
class ImageFiles {
public:
    static constexpr UINT kSize = 1024;

    ImageFiles()
    {
        std::string pattern = "/tmp/vestra-image-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        folder = pattern;
        png = folder + "/picture.png";
        jpeg = folder + "/picture.jpg";
        dds = folder + "/picture.dds";

        std::vector<D3DCOLOR> texels(kSize * kSize);
        unsigned noise = 12345;
        for (UINT y = 0; y < kSize; ++y) {
            for (UINT x = 0; x < kSize; ++x) {
                noise = noise * 1103515245u + 12345u;
                const UINT grain = (noise >> 16) & 15;
                texels[y * kSize + x] = D3DCOLOR_ARGB(255, (x / 4 + grain) & 255, (y / 4 + grain) & 255,
                                                      (((x ^ y) / 8) + grain) & 255);
            }
        }
        WriteJpeg(texels);

        IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
        D3DPRESENT_PARAMETERS pp{};
        pp.BackBufferWidth = 16;
        pp.BackBufferHeight = 16;
        pp.BackBufferFormat = D3DFMT_X8R8G8B8;
        pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
        pp.Windowed = TRUE;
        if (d3d == nullptr || FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                                       D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device))) {
            throw std::runtime_error("no device");
        }
        d3d->Release();

        const RECT whole{0, 0, static_cast<LONG>(kSize), static_cast<LONG>(kSize)};
        IDirect3DTexture9* texture = nullptr;
        IDirect3DSurface9* top = nullptr;
        if (FAILED(D3DXCreateTexture(device, kSize, kSize, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &texture)) ||
            FAILED(texture->GetSurfaceLevel(0, &top)) ||
            FAILED(D3DXLoadSurfaceFromMemory(top, nullptr, nullptr, texels.data(), D3DFMT_A8R8G8B8, kSize * 4,
                                             nullptr, &whole, D3DX_FILTER_NONE, 0)) ||
            FAILED(D3DXSaveSurfaceToFileA(png.c_str(), D3DXIFF_PNG, top, nullptr, nullptr))) {
            throw std::runtime_error("cannot write the PNG file");
        }
        top->Release();
        texture->Release();

        if (FAILED(D3DXCreateTextureFromFileExA(device, png.c_str(), 0, 0, 0, 0, D3DFMT_DXT5, D3DPOOL_SYSTEMMEM,
                                                D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &texture)) ||
            FAILED(D3DXSaveTextureToFileA(dds.c_str(), D3DXIFF_DDS, texture, nullptr))) {
            throw std::runtime_error("cannot write the DDS file");
        }
        texture->Release();
    }
    ~ImageFiles()
    {
        device->Release();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::string folder, png, jpeg, dds;
    IDirect3DDevice9* device = nullptr;

private:
    void WriteJpeg(const std::vector<D3DCOLOR>& texels) const
    {
        FILE* file = fopen(jpeg.c_str(), "wb");
        if (file == nullptr) {
            throw std::runtime_error("cannot write the JPEG file");
        }
        jpeg_compress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        jpeg_stdio_dest(&info, file);
        info.image_width = kSize;
        info.image_height = kSize;
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, 90, TRUE);
        jpeg_start_compress(&info, TRUE);
        std::vector<JSAMPLE> row(kSize * 3);
        while (info.next_scanline < kSize) {
            for (UINT x = 0; x < kSize; ++x) {
                const D3DCOLOR c = texels[info.next_scanline * kSize + x];
                row[3 * x] = static_cast<JSAMPLE>(c >> 16);
                row[3 * x + 1] = static_cast<JSAMPLE>(c >> 8);
                row[3 * x + 2] = static_cast<JSAMPLE>(c);
            }
            JSAMPROW rows[1] = {row.data()};
            jpeg_write_scanlines(&info, rows, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        fclose(file);
    }
};

const ImageFiles& Images()
{
    static const ImageFiles files;
    return files;
}

// D3DXCreateTextureFromFileA as the resource manager calls it: format from the file, full
// mip chain (generated for PNG and JPEG, read from the DDS), managed pool.
void LoadTexture(benchmark::State& state, const std::string& path)
{
    IDirect3DDevice9* device = Images().device;
    for (auto _ : state) {
        IDirect3DTexture9* texture = nullptr;
        if (FAILED(D3DXCreateTextureFromFileA(device, path.c_str(), &texture))) {
            state.SkipWithError("the file did not load");
            break;
        }
        texture->Release();
    }
}

void LoadPng1024(benchmark::State& state) { LoadTexture(state, Images().png); }
void LoadJpeg1024(benchmark::State& state) { LoadTexture(state, Images().jpeg); }
void LoadDxt5Dds1024(benchmark::State& state) { LoadTexture(state, Images().dds); }
BENCHMARK(LoadPng1024)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadJpeg1024)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadDxt5Dds1024)->Unit(benchmark::kMillisecond);

} // namespace
