#include "lib/nodes/NodeTestSupport.h"

namespace nodes_test {

D3DCOLOR FrameColor(int frame)
{
    static const D3DCOLOR colors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF};
    return colors[frame % 5];
}

void WriteStrip(IDirect3DDevice9* device, const std::string& path, UINT width, UINT height)
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
            row[x] = FrameColor(static_cast<int>(x / height));
        }
    }
    surface->UnlockRect();
    EXPECT_EQ(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_PNG, surface, nullptr, nullptr), S_OK);
    surface->Release();
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
