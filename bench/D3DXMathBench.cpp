// Per-call cost of the D3DX math the engine calls every frame: matrix products and
// inverses for world/view/projection chains, and point transforms for culling and picking.
#include <benchmark/benchmark.h>
#include <d3dx9.h>

#include <vector>

namespace {

// A rigid transform with a non-trivial rotation, as the engine's world matrices are.
D3DXMATRIX WorldMatrix(float angle) {
    const D3DXVECTOR3 axis(0.3f, 1.0f, -0.2f);
    D3DXMATRIX rotation, translation;
    D3DXMatrixRotationAxis(&rotation, &axis, angle);
    D3DXMatrixTranslation(&translation, 1.0f, -2.0f, 3.0f);
    return rotation * translation;
}

void BM_D3DXMatrixMultiply(benchmark::State& state) {
    D3DXMATRIX a = WorldMatrix(0.5f), b = WorldMatrix(1.3f), out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(D3DXMatrixMultiply(&out, &a, &b));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_D3DXMatrixMultiply);

void BM_D3DXMatrixInverse(benchmark::State& state) {
    D3DXMATRIX m = WorldMatrix(0.7f), out;
    float det;
    for (auto _ : state) {
        benchmark::DoNotOptimize(D3DXMatrixInverse(&out, &det, &m));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_D3DXMatrixInverse);

void BM_D3DXVec3TransformCoord(benchmark::State& state) {
    D3DXMATRIX view, proj, m;
    const D3DXVECTOR3 eye(0, 5, -10), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&proj, D3DX_PI / 4, 4.0f / 3.0f, 1.0f, 100.0f);
    D3DXMatrixMultiply(&m, &view, &proj);
    D3DXVECTOR3 v(1.0f, 2.0f, 3.0f), out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(D3DXVec3TransformCoord(&out, &v, &m));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_D3DXVec3TransformCoord);

// The array form over a vertex-buffer-sized batch, reported per vertex.
void BM_D3DXVec3TransformCoordArray(benchmark::State& state) {
    const D3DXMATRIX m = WorldMatrix(0.4f);
    std::vector<D3DXVECTOR3> in(1024, D3DXVECTOR3(1.0f, 2.0f, 3.0f)), out(in.size());
    for (auto _ : state) {
        D3DXVec3TransformCoordArray(out.data(), sizeof(D3DXVECTOR3), in.data(), sizeof(D3DXVECTOR3), &m,
                                    (UINT)in.size());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * (int64_t)in.size());
}
BENCHMARK(BM_D3DXVec3TransformCoordArray);

}  // namespace
