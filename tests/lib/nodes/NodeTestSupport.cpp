#include "lib/nodes/NodeTestSupport.h"

#include <cstring>

namespace nodes_test {

D3DCOLOR FrameColor(int frame)
{
    static const D3DCOLOR colors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF};
    return colors[frame % 5];
}

void WriteImage(IDirect3DDevice9* device, const std::string& path, UINT width, UINT height,
                const std::function<D3DCOLOR(UINT, UINT)>& texel)
{
    IDirect3DSurface9* surface = nullptr;
    ASSERT_EQ(device->CreateOffscreenPlainSurface(width, height, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &surface,
                                                  nullptr),
              S_OK);
    D3DLOCKED_RECT locked;
    ASSERT_EQ(surface->LockRect(&locked, nullptr, 0), S_OK);
    for (UINT y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
        for (UINT x = 0; x < width; ++x) {
            row[x] = texel(x, y);
        }
    }
    surface->UnlockRect();
    EXPECT_EQ(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_PNG, surface, nullptr, nullptr), S_OK);
    surface->Release();
}

void WriteStrip(IDirect3DDevice9* device, const std::string& path, UINT width, UINT height)
{
    WriteImage(device, path, width, height, [height](UINT x, UINT) { return FrameColor(static_cast<int>(x / height)); });
}

D3DCOLOR Texel(IDirect3DTexture9* texture, UINT x, UINT y)
{
    D3DLOCKED_RECT locked;
    if (FAILED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) {
        ADD_FAILURE() << "texture cannot be locked";
        return 0;
    }
    const D3DCOLOR texel =
        reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(locked.pBits) + y * locked.Pitch)[x];
    texture->UnlockRect(0);
    return texel;
}

std::vector<DWORD> StateSnapshot(IDirect3DDevice9* device)
{
    const D3DRENDERSTATETYPE states[] = {D3DRS_LIGHTING, D3DRS_ZWRITEENABLE, D3DRS_ZENABLE,
                                         D3DRS_ALPHABLENDENABLE, D3DRS_CULLMODE};
    std::vector<DWORD> values;
    for (D3DRENDERSTATETYPE state : states) {
        values.push_back(RenderStateOf(device, state));
    }
    return values;
}

std::vector<std::pair<std::string, DWORD>> FullStateSnapshot(IDirect3DDevice9* device)
{
    std::vector<std::pair<std::string, DWORD>> values;
    auto add = [&values](const std::string& what, HRESULT hr, DWORD value) {
        if (SUCCEEDED(hr)) {
            values.emplace_back(what, value);
        }
    };
    for (DWORD state = 0; state <= 209; ++state) {
        DWORD value = 0;
        add("render state " + std::to_string(state),
            device->GetRenderState(static_cast<D3DRENDERSTATETYPE>(state), &value), value);
    }
    for (DWORD stage = 0; stage < 8; ++stage) {
        for (DWORD type = 1; type <= 32; ++type) {
            DWORD value = 0;
            add("stage " + std::to_string(stage) + " state " + std::to_string(type),
                device->GetTextureStageState(stage, static_cast<D3DTEXTURESTAGESTATETYPE>(type), &value), value);
        }
    }
    for (DWORD sampler = 0; sampler < 4; ++sampler) {
        for (DWORD type = 1; type <= 13; ++type) {
            DWORD value = 0;
            add("sampler " + std::to_string(sampler) + " state " + std::to_string(type),
                device->GetSamplerState(sampler, static_cast<D3DSAMPLERSTATETYPE>(type), &value), value);
        }
    }
    std::vector<DWORD> transforms = {D3DTS_WORLD, D3DTS_VIEW, D3DTS_PROJECTION};
    for (DWORD texture = D3DTS_TEXTURE0; texture <= D3DTS_TEXTURE7; ++texture) {
        transforms.push_back(texture);
    }
    for (DWORD type : transforms) {
        D3DMATRIX matrix;
        if (FAILED(device->GetTransform(static_cast<D3DTRANSFORMSTATETYPE>(type), &matrix))) {
            continue;
        }
        for (int i = 0; i < 16; ++i) {
            DWORD bits = 0;
            std::memcpy(&bits, &(&matrix._11)[i], sizeof bits);
            values.emplace_back("transform " + std::to_string(type) + " element " + std::to_string(i), bits);
        }
    }
    return values;
}

SceneFixture::SceneFixture()
{
    deviceCountBefore = vestra::test::RefCount(device.get());
    device->QueryInterface(IID_IVestraDeviceControl, reinterpret_cast<void**>(&control));
    scene = CreateScene(device.get());
    scene->SetRenderFlags(SCENE_RENDER_BEGINEND);
    D3DVIEWPORT9 viewport = {0, 0, 64, 64, 0.0f, 1.0f};
    scene->GetCamera()->SetViewport(&viewport);
}

SceneFixture::~SceneFixture()
{
    scene->Cleanup();
    scene->Destroy();
    // The last texture a node bound is still held by the device's stage 0.
    device->SetTexture(0, nullptr);
    UINT managedLeft = 0;
    control->GetLiveResourceCount(D3DPOOL_MANAGED, &managedLeft);
    EXPECT_EQ(managedLeft, 0u) << "a texture outlived the scene and its nodes";
    control->Release();
    EXPECT_EQ(vestra::test::RefCount(device.get()), deviceCountBefore);
}

UINT SceneFixture::RenderAndCountDraws()
{
    control->ResetFrameStatistics();
    EXPECT_EQ(scene->Render(), S_OK);
    VESTRA_FRAME_STATISTICS statistics{};
    control->GetFrameStatistics(&statistics);
    return statistics.DrawCalls;
}

UINT SceneFixture::LiveDefaultPoolResources()
{
    UINT count = 0;
    control->GetLiveResourceCount(D3DPOOL_DEFAULT, &count);
    return count;
}

} // namespace nodes_test
