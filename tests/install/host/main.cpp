// A separate host project built against the installed package: a headless device, a
// scene with a small node tree, and the orbit camera, checked against worked-out values.
#include <Vestra.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

int failures = 0;

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "check failed: %s\n", what);
        ++failures;
    }
}

} // namespace

int main()
{
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    Check(direct3D != nullptr, "Direct3DCreate9");
    if (direct3D == nullptr) {
        return 1;
    }
    D3DPRESENT_PARAMETERS pp;
    std::memset(&pp, 0, sizeof(pp));
    pp.BackBufferWidth = 64;
    pp.BackBufferHeight = 64;
    pp.BackBufferFormat = D3DFMT_X8R8G8B8;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.Windowed = TRUE;
    pp.hDeviceWindow = nullptr;
    IDirect3DDevice9* device = nullptr;
    Check(SUCCEEDED(direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                           D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &device)),
          "CreateDevice");
    if (device == nullptr) {
        direct3D->Release();
        return 1;
    }

    IScene* scene = CreateScene(device);
    ISceneNode* root = scene->GetRoot();
    Check(std::strcmp(root->GetName(), "Root") == 0, "root name");

    // The root is the engine's own node: the tree's matrices compose through it.
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, 10.0f, 0.0f, 0.0f);
    root->SetMatrix(&m);
    D3DXMATRIX world;
    root->GetWorldMatrix(&world);
    Check(world._41 == 10.0f, "root world matrix");
    void* queried = nullptr;
    Check(root->QueryInterface(IID_ISceneNode, &queried) && queried == root, "query for ISceneNode");
    Check(root->Release() == 1, "reference count after the query");

    ICamera* camera = scene->GetCamera();
    D3DVIEWPORT9 viewport = {0, 0, 640, 480, 1.0f, 1000.0f};
    camera->SetViewport(&viewport);
    camera->ResetOrientation();
    const D3DXVECTOR2 target(3.0f, 4.0f);
    camera->SetTarget(&target);
    const POINT centre = {320, 240};
    D3DXVECTOR2 ground;
    Check(SUCCEEDED(camera->ScreenToGround(&centre, &ground)), "ScreenToGround");
    Check(std::fabs(ground.x - 3.0f) < 1e-3f && std::fabs(ground.y - 4.0f) < 1e-3f, "ground under the centre");

    CBoundBox box;
    box.Union(D3DXVECTOR3(1.0f, 2.0f, 3.0f));
    Check(!box.IsEmpty() && ContainsXY(D3DXVECTOR3(1.0f, 2.0f, 99.0f), box), "bounding box");
    Check(fnVestra() == 42 && LITVERTEX::FVF == 0x142, "template export and vertex format");

    scene->Cleanup();
    scene->Destroy();
    device->Release();
    direct3D->Release();
    std::printf("host built against the installed Vestra package: %s\n", failures == 0 ? "ok" : "FAILED");
    return failures == 0 ? 0 : 1;
}
