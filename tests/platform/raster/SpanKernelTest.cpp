// The specialised span loops against the general one, and the worker pool they run on.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include "RasterFixture.h"
#include "d3d9/raster/DrawContextBuilder.h"
#include "d3d9/raster/SpanKernels.h"
#include "d3d9/raster/WorkerPool.h"

namespace vestra::raster::testing {
namespace {

// Odd sizes so spans end at every lane of a four-, eight- and sixteen-wide loop.
constexpr UINT kWidth = 67, kHeight = 45;

UINT Next(UINT& seed) {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
}

float Uniform(UINT& seed, float lo, float hi) { return lo + (hi - lo) * static_cast<float>(Next(seed) & 0xFFFF) / 65535.0f; }

TestTexture RandomTexture(UINT width, UINT height, UINT pitchTexels, UINT seed) {
    std::vector<DWORD> texels(static_cast<size_t>(pitchTexels) * height);
    for (DWORD& t : texels) t = Next(seed) * 2654435761u;
    TestTexture t;
    t.AddLevel(width, height, std::move(texels));
    t.view.levels[0].pitch = static_cast<INT>(pitchTexels * 4);
    return t;
}

enum class Colours { Random, Single, White };

struct Variant {
    const char* name;
    Colours colours;
    std::function<void(StateStorage&)> configure;
    D3DFORMAT depthFormat = D3DFMT_D24S8;
};

struct Frame {
    std::vector<DWORD> colour, depth;
    UINT written = 0;
};

// Perspective-skewed triangles with coordinates past the texture edges and depths past
// [0, 1], drawn twice so the second pass meets depths equal to its own.
std::vector<ScreenTexVertex> Triangles(Colours colours) {
    std::vector<ScreenTexVertex> v;
    UINT seed = 99;
    for (int i = 0; i < 40 * 3; ++i) {
        const D3DCOLOR c = colours == Colours::White ? 0xFFFFFFFF : colours == Colours::Single ? 0xC080A0FF : Next(seed) * 7919u;
        v.push_back({Uniform(seed, -10.0f, kWidth + 10.0f), Uniform(seed, -10.0f, kHeight + 10.0f),
                     Uniform(seed, -0.1f, 1.1f), Uniform(seed, 0.2f, 2.0f), c, Uniform(seed, -1.5f, 2.5f),
                     Uniform(seed, -1.5f, 2.5f)});
    }
    return v;
}

Frame Render(const Variant& variant, SimdLevel level) {
    LimitSimd(level);
    Canvas c(kWidth, kHeight, variant.depthFormat);
    UINT seed = 5;
    for (UINT i = 0; i < kWidth * kHeight; ++i) {
        const DWORD background = Next(seed) * 2246822519u;
        std::memcpy(c.state.target.bits + i * 4, &background, 4);
    }
    // 32-bit cells: depth three quarters, stencil bits that must survive; 16-bit cells
    // alternate between three quarters and nearly zero.
    c.FillDepth(0xC0000000u | 0x5Au);
    c.state.renderStates[D3DRS_CULLMODE] = D3DCULL_NONE;
    variant.configure(c.state);
    const std::vector<ScreenTexVertex> v = Triangles(variant.colours);
    Frame f;
    for (int pass = 0; pass < 2; ++pass) f.written += c.Draw(D3DPT_TRIANGLELIST, 40, v, kScreenTexFvf).pixelsWritten;
    LimitSimd(SimdLevel::Avx512);
    f.colour = c.Pixels();
    for (UINT y = 0; y < kHeight; ++y)
        for (UINT x = 0; x < kWidth; ++x) f.depth.push_back(c.DepthAt(x, y));
    return f;
}

class SpanKernels : public ::testing::Test {
protected:
    TestTexture square = RandomTexture(32, 32, 32, 1);
    TestTexture padded = RandomTexture(24, 20, 29, 2);  // not a power of two, rows padded

    void Texture(StateStorage& s, const TestTexture& t, DWORD filter, DWORD address) {
        s.textures[0] = &t.view;
        s.samplerStates[0][D3DSAMP_MAGFILTER] = s.samplerStates[0][D3DSAMP_MINFILTER] = filter;
        s.samplerStates[0][D3DSAMP_ADDRESSU] = s.samplerStates[0][D3DSAMP_ADDRESSV] = address;
    }
    static void Blend(StateStorage& s, DWORD src, DWORD dest) {
        s.renderStates[D3DRS_ALPHABLENDENABLE] = TRUE;
        s.renderStates[D3DRS_SRCBLEND] = src;
        s.renderStates[D3DRS_DESTBLEND] = dest;
    }

    std::vector<Variant> Covered() {
        const DWORD linear = D3DTEXF_LINEAR, point = D3DTEXF_POINT, wrap = D3DTADDRESS_WRAP, clamp = D3DTADDRESS_CLAMP;
        return {
            {"gouraud, no texture, no depth", Colours::Random, [](StateStorage& s) { s.renderStates[D3DRS_ZENABLE] = FALSE; }},
            {"flat, alpha blend, depth written", Colours::Random,
             [](StateStorage& s) {
                 s.renderStates[D3DRS_SHADEMODE] = D3DSHADE_FLAT;
                 s.stageStates[0][D3DTSS_ALPHAOP] = D3DTOP_SELECTARG2;  // diffuse alpha
                 Blend(s, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
             }},
            {"point wrap times gouraud, LESS without writes", Colours::Random,
             [&](StateStorage& s) {
                 Texture(s, square, point, wrap);
                 s.renderStates[D3DRS_ZFUNC] = D3DCMP_LESS;
                 s.renderStates[D3DRS_ZWRITEENABLE] = FALSE;
             }},
            {"bilinear clamp of a padded odd texture, colour from texture, alpha modulated", Colours::Random,
             [&](StateStorage& s) {
                 Texture(s, padded, linear, clamp);
                 s.stageStates[0][D3DTSS_COLOROP] = D3DTOP_SELECTARG1;
                 s.stageStates[0][D3DTSS_ALPHAOP] = D3DTOP_MODULATE;
                 s.stageStates[0][D3DTSS_ALPHAARG2] = D3DTA_DIFFUSE;
                 Blend(s, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
             }},
            {"bilinear wrap, additive, X8 target, red and alpha masked", Colours::Single,
             [&](StateStorage& s) {
                 Texture(s, square, linear, wrap);
                 Blend(s, D3DBLEND_ONE, D3DBLEND_ONE);
                 s.target.format = D3DFMT_X8R8G8B8;
                 s.renderStates[D3DRS_COLORWRITEENABLE] = D3DCOLORWRITEENABLE_GREEN | D3DCOLORWRITEENABLE_BLUE;
             }},
            {"colour from diffuse, alpha from the texture, wrap u clamp v", Colours::Random,
             [&](StateStorage& s) {
                 Texture(s, square, linear, wrap);
                 s.samplerStates[0][D3DSAMP_ADDRESSV] = clamp;
                 s.stageStates[0][D3DTSS_COLOROP] = D3DTOP_SELECTARG2;
                 Blend(s, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
             }},
            {"white tint skips the multiply", Colours::White,
             [&](StateStorage& s) { Texture(s, square, linear, clamp); }},
            {"texture bound but unread: diffuse only", Colours::Single,
             [&](StateStorage& s) {
                 Texture(s, square, point, clamp);
                 s.stageStates[0][D3DTSS_COLOROP] = D3DTOP_SELECTARG2;
                 s.stageStates[0][D3DTSS_ALPHAOP] = D3DTOP_SELECTARG2;
                 s.stageStates[0][D3DTSS_ALPHAARG2] = D3DTA_DIFFUSE;
             }},
            {"D16: flat-tinted bilinear sprite texture, alpha blend, depth tested", Colours::Single,
             [&](StateStorage& s) {
                 Texture(s, square, linear, clamp);
                 s.renderStates[D3DRS_SHADEMODE] = D3DSHADE_FLAT;
                 s.renderStates[D3DRS_ZWRITEENABLE] = FALSE;
                 Blend(s, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
             },
             D3DFMT_D16},
            {"D16: gouraud, LESSEQUAL written", Colours::Random, [](StateStorage&) {}, D3DFMT_D16},
            {"lockable D16 with padded rows: point wrap, LESS written", Colours::Random,
             [&](StateStorage& s) {
                 Texture(s, square, point, wrap);
                 s.renderStates[D3DRS_ZFUNC] = D3DCMP_LESS;
             },
             D3DFMT_D16_LOCKABLE},
        };
    }
};

bool Specialised(const StateStorage& storage, SimdLevel level) {
    LimitSimd(level);
    DrawContext ctx;
    const bool built = BuildDrawContext(storage.View(), ctx);
    const bool specialised = built && SelectSpecialisedSpan(ctx) != nullptr;
    LimitSimd(SimdLevel::Avx512);
    return specialised;
}

TEST_F(SpanKernels, EveryWidthGivesTheGeneralLoopsBytes) {
    for (const Variant& v : Covered()) {
        SCOPED_TRACE(v.name);
        Canvas probe(kWidth, kHeight, v.depthFormat);
        v.configure(probe.state);
        ASSERT_TRUE(Specialised(probe.state, SimdLevel::Sse2));  // else the comparison proves nothing
        const Frame general = Render(v, SimdLevel::None);
        for (SimdLevel level : {SimdLevel::Sse2, SimdLevel::Avx2, SimdLevel::Avx512}) {
            const Frame f = Render(v, level);
            EXPECT_EQ(f.written, general.written);
            EXPECT_EQ(f.colour, general.colour);
            EXPECT_EQ(f.depth, general.depth);
        }
    }
}

// Hand-worked 16-bit cells: z * 65535 + 0.5 truncated, z clamped to [0, 1], and equal
// depths passing LESSEQUAL but not LESS, at every width including the general loop.
TEST(SpanKernelDepth16, QuantisesAndComparesLikeTheGeneralLoop) {
    for (SimdLevel level : {SimdLevel::None, SimdLevel::Sse2, SimdLevel::Avx2, SimdLevel::Avx512}) {
        SCOPED_TRACE(static_cast<int>(level));
        LimitSimd(level);
        Canvas c(37, 3, D3DFMT_D16);  // rows end two lanes past a sixteen-wide block
        c.FillDepth(0xFFFFFFFF);
        auto rect = [&](float z) { return c.Rect(-0.5f, -0.5f, 36.5f, 2.5f, 0xFF102030, z).pixelsWritten; };
        EXPECT_EQ(rect(1.5f), 111u);  // clamped to 65535, equal to the cleared depth
        EXPECT_EQ(c.Depth16At(36, 2), 65535);
        EXPECT_EQ(rect(0.5f), 111u);
        EXPECT_EQ(c.Depth16At(0, 0), 32768);  // 32767.5 + 0.5
        c.state.renderStates[D3DRS_ZFUNC] = D3DCMP_LESS;
        EXPECT_EQ(rect(0.5f), 0u);
        EXPECT_EQ(rect(0.25f), 111u);
        EXPECT_EQ(c.Depth16At(36, 1), 16384);  // 16383.75 + 0.5
        EXPECT_EQ(rect(-0.5f), 111u);
        EXPECT_EQ(c.Depth16At(17, 2), 0);
        EXPECT_EQ(c.Depth16At(37, 2), 0xFFFF);  // the cell just past the surface: untouched
    }
    LimitSimd(SimdLevel::Avx512);
}

TEST_F(SpanKernels, StatesOutsideTheirReachKeepTheGeneralLoop) {
    const std::vector<std::pair<const char*, std::function<void(StateStorage&)>>> declined = {
        {"mirror addressing", [&](StateStorage& s) { Texture(s, square, D3DTEXF_LINEAR, D3DTADDRESS_MIRROR); }},
        {"wrapping a width that is not a power of two",
         [&](StateStorage& s) { Texture(s, padded, D3DTEXF_LINEAR, D3DTADDRESS_WRAP); }},
        {"alpha test", [](StateStorage& s) { s.renderStates[D3DRS_ALPHATESTENABLE] = TRUE; }},
        {"stencil", [](StateStorage& s) { s.renderStates[D3DRS_STENCILENABLE] = TRUE; }},
        {"GREATER depth test", [](StateStorage& s) { s.renderStates[D3DRS_ZFUNC] = D3DCMP_GREATER; }},
        {"a second stage", [](StateStorage& s) { s.stageStates[1][D3DTSS_COLOROP] = D3DTOP_SELECTARG1; }},
        {"complemented argument", [](StateStorage& s) { s.stageStates[0][D3DTSS_COLORARG2] = D3DTA_DIFFUSE | D3DTA_COMPLEMENT; }},
        {"DESTCOLOR blending", [](StateStorage& s) { Blend(s, D3DBLEND_DESTCOLOR, D3DBLEND_ZERO); }},
        {"specular added", [](StateStorage& s) { s.renderStates[D3DRS_SPECULARENABLE] = TRUE; }},
    };
    for (const auto& [name, configure] : declined) {
        SCOPED_TRACE(name);
        Canvas c(8, 8);
        configure(c.state);
        EXPECT_FALSE(Specialised(c.state, SimdLevel::Avx512));
    }
    Canvas c(8, 8);
    EXPECT_FALSE(Specialised(c.state, SimdLevel::None));
    Canvas d32(8, 8, D3DFMT_D32);
    EXPECT_FALSE(Specialised(d32.state, SimdLevel::Avx512));
}

TEST(WorkerPool, EveryUnitIsDoneOnceBeforeRunReturns) {
    WorkerPool pool(3);
    std::vector<int> hits(512);
    for (int round = 0; round < 300; ++round) {
        // Now and then the workers have gone to sleep and must be woken.
        if (round % 100 == 99) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        std::atomic<size_t> next{0};
        pool.Run([&] {
            for (size_t i = next.fetch_add(1); i < hits.size(); i = next.fetch_add(1)) ++hits[i];
        });
        for (size_t i = 0; i < hits.size(); ++i) ASSERT_EQ(hits[i], round + 1) << "unit " << i;
    }
}

}  // namespace
}  // namespace vestra::raster::testing
