// Vestra demo host: a small solar system of nodes viewed through the orbit camera,
// computed headless and printed.
#include <Vestra.h>

#include <cstdio>
#include <cstring>

#include "DemoNode.h"

namespace {

IDirect3DDevice9* CreateHeadlessDevice(IDirect3D9* direct3D, UINT width, UINT height)
{
    D3DPRESENT_PARAMETERS pp;
    std::memset(&pp, 0, sizeof(pp));
    pp.BackBufferWidth = width;
    pp.BackBufferHeight = height;
    pp.BackBufferFormat = D3DFMT_X8R8G8B8;
    pp.BackBufferCount = 1;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.Windowed = TRUE;
    pp.hDeviceWindow = nullptr;
    pp.EnableAutoDepthStencil = TRUE;
    pp.AutoDepthStencilFormat = D3DFMT_D24S8;
    IDirect3DDevice9* device = nullptr;
    if (FAILED(direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                      D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device))) {
        return nullptr;
    }
    return device;
}

void PrintPosition(ISceneNode* node)
{
    D3DXMATRIX world;
    node->GetWorldMatrix(&world);
    std::printf("  %-6s world position (%7.3f, %7.3f, %7.3f)\n", node->GetName(), world._41, world._42, world._43);
}

} // namespace

int main()
{
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (direct3D == nullptr) {
        std::fprintf(stderr, "Direct3DCreate9 failed\n");
        return 1;
    }
    IDirect3DDevice9* device = CreateHeadlessDevice(direct3D, 640, 480);
    if (device == nullptr) {
        std::fprintf(stderr, "CreateDevice failed\n");
        direct3D->Release();
        return 1;
    }
    IScene* scene = CreateScene(device);

    // Sun at the origin, a planet orbiting it at 10 units, a moon orbiting the planet at 2.
    ISceneNode* sun = new DemoNode("sun");
    ISceneNode* planet = new DemoNode("planet");
    ISceneNode* moon = new DemoNode("moon");
    scene->AddNode(sun);
    sun->AddChild(planet);
    planet->AddChild(moon);
    moon->Release();
    planet->Release();
    sun->Release();

    D3DXMATRIX spin, offset, local;
    D3DXMatrixRotationZ(&spin, D3DX_PI / 2.0f); // the sun has turned a quarter
    sun->SetMatrix(&spin);
    D3DXMatrixTranslation(&offset, 10.0f, 0.0f, 0.0f);
    D3DXMatrixRotationZ(&spin, D3DX_PI / 4.0f);
    D3DXMatrixMultiply(&local, &spin, &offset);
    planet->SetMatrix(&local);
    D3DXMatrixTranslation(&offset, 2.0f, 0.0f, 0.0f);
    moon->SetMatrix(&offset);

    std::printf("Vestra demo: node tree\n");
    for (const char* name : {"sun", "planet", "moon"}) {
        PrintPosition(scene->GetRoot()->FindNode(name));
    }

    ICamera* camera = scene->GetCamera();
    D3DVIEWPORT9 viewport = {0, 0, 640, 480, 1.0f, 1000.0f};
    camera->SetViewport(&viewport);
    camera->SetZoom(50.0f, false);
    camera->Rotate(1.0f, 0.5f, false);
    const D3DXVECTOR2 target(0.0f, 10.0f); // the planet
    camera->SetTarget(&target);

    D3DXVECTOR3 eye;
    camera->GetEyePt(&eye);
    std::printf("orbit camera: zoom %.1f pitch %.3f yaw %.3f eye (%.3f, %.3f, %.3f)\n", camera->GetZoom(),
                camera->GetPitch(), camera->GetYaw(), eye.x, eye.y, eye.z);

    D3DXVECTOR3 origin, direction;
    camera->GetPickRay(320, 240, &origin, &direction);
    std::printf("pick ray through the screen centre: origin (%.3f, %.3f, %.3f) direction (%.3f, %.3f, %.3f)\n",
                origin.x, origin.y, origin.z, direction.x, direction.y, direction.z);

    const POINT corner = {100, 400};
    D3DXVECTOR2 ground;
    if (SUCCEEDED(camera->ScreenToGround(&corner, &ground))) {
        std::printf("ground under pixel (100, 400): (%.3f, %.3f)\n", ground.x, ground.y);
    }
    D3DXMATRIX moonWorld;
    moon->GetWorldMatrix(&moonWorld);
    const D3DXVECTOR3 moonPosition(moonWorld._41, moonWorld._42, moonWorld._43);
    D3DXVECTOR2 screen;
    camera->Project(&screen, &moonPosition);
    std::printf("the moon appears at pixel (%.1f, %.1f)\n", screen.x, screen.y);

    scene->SetRenderFlags(3);
    scene->Update(0.016f);
    const HRESULT rendered = scene->Render();
    std::printf("one frame rendered: %s\n", SUCCEEDED(rendered) ? "ok" : "failed");

    scene->Cleanup();
    scene->Destroy();
    device->Release();
    direct3D->Release();
    return SUCCEEDED(rendered) ? 0 : 1;
}
