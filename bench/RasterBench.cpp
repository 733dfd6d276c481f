// Software rasterizer throughput at the pipeline level (no device in between); the
// reference scene through the device is R1DeviceBench.cpp.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "d3d9/raster/SpanKernels.h"
#include "d3d9/raster/StateStorage.h"

namespace {

using namespace vestra::raster;

constexpr UINT kW = 640, kH = 480;

struct Target {
    std::vector<DWORD> colour = std::vector<DWORD>(kW * kH, 0xFF000000);
    std::vector<DWORD> depth = std::vector<DWORD>(kW * kH, 0xFFFFFF00);
    ColorBuffer cb{D3DFMT_A8R8G8B8, kW, kH, kW * 4, reinterpret_cast<BYTE*>(colour.data())};
    DepthBuffer db{D3DFMT_D24S8, kW, kH, kW * 4, reinterpret_cast<BYTE*>(depth.data())};
};

struct TexVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u, v;
};
constexpr DWORD kTexFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

std::vector<DWORD> Checker(UINT size) {
    std::vector<DWORD> t(size * size);
    for (UINT y = 0; y < size; ++y)
        for (UINT x = 0; x < size; ++x) t[y * size + x] = ((x / 8 + y / 8) & 1) ? 0x80FF8040 : 0xC02060A0;
    return t;
}

Texture View(const std::vector<DWORD>& texels, UINT size) {
    Texture t;
    t.levelCount = 1;
    t.levels[0] = TextureLevel{size, size, static_cast<INT>(size * 4), reinterpret_cast<const BYTE*>(texels.data())};
    return t;
}

StateStorage LinearBlendState(const Texture* texture, const Target& target) {
    StateStorage s(kW, kH, false);
    s.renderStates[D3DRS_LIGHTING] = FALSE;
    s.renderStates[D3DRS_CULLMODE] = D3DCULL_NONE;
    s.renderStates[D3DRS_ALPHABLENDENABLE] = TRUE;
    s.renderStates[D3DRS_SRCBLEND] = D3DBLEND_SRCALPHA;
    s.renderStates[D3DRS_DESTBLEND] = D3DBLEND_INVSRCALPHA;
    s.samplerStates[0][D3DSAMP_MAGFILTER] = s.samplerStates[0][D3DSAMP_MINFILTER] = D3DTEXF_LINEAR;
    s.textures[0] = texture;
    s.target = target.cb;
    return s;
}

// Argument: the widest span loops allowed (0 general, 1 SSE2, 2 AVX2, 3 AVX-512 where present).
void BM_FullScreenBilinearBlendedQuad(benchmark::State& st) {
    LimitSimd(static_cast<SimdLevel>(st.range(0)));
    const std::vector<DWORD> texels = Checker(256);
    const Texture texture = View(texels, 256);
    Target t;
    StateStorage s = LinearBlendState(&texture, t);
    const float w = kW - 0.5f, h = kH - 0.5f;
    const std::vector<TexVertex> quad = {{-0.5f, -0.5f, 0.5f, 1, 0xFFFFFFFF, 0, 0}, {w, -0.5f, 0.5f, 1, 0xFFFFFFFF, 3, 0},
                                         {-0.5f, h, 0.5f, 1, 0xFFFFFFFF, 0, 2}, {w, h, 0.5f, 1, 0xFFFFFFFF, 3, 2}};
    const State view = s.View();
    for (auto _ : st)
        benchmark::DoNotOptimize(Draw(view, DrawCall{D3DPT_TRIANGLESTRIP, 2, quad.data(), 4, sizeof(TexVertex), kTexFvf}));
    st.counters["Mpixels/s"] =
        benchmark::Counter(static_cast<double>(st.iterations()) * kW * kH / 1e6, benchmark::Counter::kIsRate);
    LimitSimd(SimdLevel::Avx512);
}
BENCHMARK(BM_FullScreenBilinearBlendedQuad)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ClearColourAndDepth(benchmark::State& st) {
    Target t;
    const RECT all{0, 0, static_cast<LONG>(kW), static_cast<LONG>(kH)};
    for (auto _ : st) Clear(t.cb, t.db, all, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000, 1.0f, 0);
    st.counters["GB/s"] = benchmark::Counter(static_cast<double>(st.iterations()) * kW * kH * 8 / 1e9,
                                             benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ClearColourAndDepth)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_TenThousandSmallTriangles(benchmark::State& st) {
    const std::vector<DWORD> texels = Checker(64);
    const Texture texture = View(texels, 64);
    Target t;
    StateStorage s = LinearBlendState(&texture, t);
    s.renderStates[D3DRS_ALPHABLENDENABLE] = FALSE;
    std::vector<TexVertex> v;
    UINT seed = 7;
    auto random = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<float>((seed >> 8) & 0xFFFF) / 65535.0f;
    };
    for (int i = 0; i < 10000; ++i) {  // about 8 pixels each
        const float x = random() * (kW - 8), y = random() * (kH - 8);
        v.push_back({x, y, 0.5f, 1, 0xFFFFFFFF, 0, 0});
        v.push_back({x + 4, y, 0.5f, 1, 0xFFFFFFFF, 1, 0});
        v.push_back({x, y + 4, 0.5f, 1, 0xFFFFFFFF, 0, 1});
    }
    const State view = s.View();
    for (auto _ : st)
        benchmark::DoNotOptimize(
            Draw(view, DrawCall{D3DPT_TRIANGLELIST, 10000, v.data(), static_cast<UINT>(v.size()), sizeof(TexVertex), kTexFvf}));
    st.counters["triangles/s"] = benchmark::Counter(static_cast<double>(st.iterations()) * 10000, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TenThousandSmallTriangles)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ThousandPointSprites(benchmark::State& st) {
    const std::vector<DWORD> texels = Checker(32);
    const Texture texture = View(texels, 32);
    Target t;
    StateStorage s = LinearBlendState(&texture, t);
    s.renderStates[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    s.renderStates[D3DRS_DESTBLEND] = D3DBLEND_ONE;
    s.renderStates[D3DRS_POINTSPRITEENABLE] = TRUE;
    s.SetFloat(D3DRS_POINTSIZE, 16.0f);
    struct P {
        float x, y, z, rhw;
        D3DCOLOR c;
    };
    std::vector<P> points;
    for (int i = 0; i < 1000; ++i)
        points.push_back({static_cast<float>((i * 37) % kW), static_cast<float>((i * 53) % kH), 0.5f, 1, 0xFF808080});
    const State view = s.View();
    for (auto _ : st)
        benchmark::DoNotOptimize(Draw(view, DrawCall{D3DPT_POINTLIST, 1000, points.data(), 1000, sizeof(P),
                                                     D3DFVF_XYZRHW | D3DFVF_DIFFUSE}));
    st.counters["sprites/s"] = benchmark::Counter(static_cast<double>(st.iterations()) * 1000, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ThousandPointSprites)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
