#include "DemoAdditions.h"

#include "ProceduralImages.h"

namespace demo {

namespace {

// The motion path's line list, drawn where the node stands in the tree.
class PathNode final : public r1::HostNode {
public:
    PathNode(const char* name, IMotionPath* newPath) : HostNode(name), path(newPath) { path->AddRef(); }

    HRESULT Render(IScene* scene) override
    {
        IRenderStateManager* states = scene->GetRenderStateManager();
        states->PushRenderState(D3DRS_LIGHTING, FALSE);
        states->PushRenderState(D3DRS_ZWRITEENABLE, FALSE);
        IDirect3DDevice9* device = scene->GetDevice();
        device->SetFVF(LITCOLOREDVERTEX::FVF);
        const HRESULT hr = path->Draw(device);
        states->PopRenderState(D3DRS_ZWRITEENABLE);
        states->PopRenderState(D3DRS_LIGHTING);
        return hr;
    }

private:
    ~PathNode() override { path->Release(); }

    IMotionPath* path;
};

MotionPathSegment Curve(D3DXVECTOR3 start, D3DXVECTOR3 control1, D3DXVECTOR3 control2, D3DXVECTOR3 end)
{
    MotionPathSegment segment;
    segment.type = MotionPathSegment::CubicBezier;
    segment.start = start;
    segment.control1 = control1;
    segment.control2 = control2;
    segment.end = end;
    return segment;
}

} // namespace

DemoAdditions::~DemoAdditions()
{
    if (path != nullptr) {
        path->Release();
    }
}

HRESULT DemoAdditions::Build(IScene* newScene, const std::string& newMediaReference, const std::string& particleFile)
{
    scene = newScene;
    mediaReference = newMediaReference;
    HRESULT hr = WriteDemoMedia(scene->GetDevice(), mediaReference);
    if (SUCCEEDED(hr)) {
        hr = ResourceManagerRegisterFiles(mediaReference.c_str(), "*.png");
    }
    if (SUCCEEDED(hr)) {
        hr = AddBitstrips();
    }
    if (SUCCEEDED(hr)) {
        hr = AddPath();
    }
    if (SUCCEEDED(hr)) {
        hr = AddEmitters(particleFile);
    }
    if (SUCCEEDED(hr)) {
        hr = AddBanner();
    }
    return hr;
}

HRESULT DemoAdditions::AddBitstrips()
{
    // Coins spin above the billboard grid; flames burn at its two far corners.
    const char* const ref = mediaReference.c_str();
    const D3DXCOLOR white(1.0f, 1.0f, 1.0f, 1.0f);
    const struct {
        const char* name;
        const char* file;
        D3DXVECTOR3 position;
        float size;
        float frameRate;
    } strips[] = {
        {"coin left", kCoinFileName, D3DXVECTOR3(-24.0f, 14.0f, -8.0f), 6.0f, 16.0f},
        {"coin middle", kCoinFileName, D3DXVECTOR3(0.0f, 16.0f, 8.0f), 6.0f, 12.0f},
        {"coin right", kCoinFileName, D3DXVECTOR3(24.0f, 14.0f, -8.0f), 6.0f, 20.0f},
        {"flame left", kFlameFileName, D3DXVECTOR3(-56.0f, 6.0f, 30.0f), 12.0f, 14.0f},
        {"flame right", kFlameFileName, D3DXVECTOR3(56.0f, 6.0f, 30.0f), 12.0f, 11.0f},
    };
    HRESULT hr = S_OK;
    for (const auto& strip : strips) {
        ISceneNode* node = CreateBitstripBillboard(scene, strip.position, white, strip.size, strip.size, ref, strip.file,
                                                   strip.frameRate, true);
        node->SetName(strip.name);
        hr = scene->AddNode(node);
        node->Release();
        if (FAILED(hr)) {
            break;
        }
    }
    return hr;
}

HRESULT DemoAdditions::AddPath()
{
    // A closed loop of four curves around the billboard grid, rising over the front and
    // dipping behind it.
    path = CreateMotionPath();
    const D3DXVECTOR3 east(70.0f, 10.0f, 0.0f), north(0.0f, 22.0f, 45.0f), west(-70.0f, 10.0f, 0.0f),
        south(0.0f, 6.0f, -45.0f);
    const MotionPathSegment loop[] = {
        Curve(south, D3DXVECTOR3(40.0f, 4.0f, -45.0f), D3DXVECTOR3(70.0f, 8.0f, -25.0f), east),
        Curve(east, D3DXVECTOR3(70.0f, 14.0f, 25.0f), D3DXVECTOR3(40.0f, 26.0f, 45.0f), north),
        Curve(north, D3DXVECTOR3(-40.0f, 26.0f, 45.0f), D3DXVECTOR3(-70.0f, 14.0f, 25.0f), west),
        Curve(west, D3DXVECTOR3(-70.0f, 8.0f, -25.0f), D3DXVECTOR3(-40.0f, 4.0f, -45.0f), south),
    };
    for (const MotionPathSegment& segment : loop) {
        path->AddSegment(&segment);
    }
    path->SetLooping(TRUE);
    path->SetColor(D3DCOLOR_ARGB(255, 120, 230, 255));
    PathNode* node = new PathNode("path", path);
    const HRESULT hr = scene->AddNode(node);
    node->Release();
    return hr;
}

HRESULT DemoAdditions::AddEmitter(const char* name, IParticleEmitter* emitter)
{
    emitter->SetReferencePath(scene, mediaReference.c_str());
    r1::EmitterNode* node = new r1::EmitterNode(name, emitter);
    const HRESULT hr = scene->AddNode(node);
    node->Release();
    return hr;
}

HRESULT DemoAdditions::AddEmitters(const std::string& particleFile)
{
    // The traveller: its look comes from the particle definition file, its place from the path.
    IParticleEmitter* emitter = CreateParticleEmitter();
    particleFileLoaded = SUCCEEDED(emitter->LoadFromFile(particleFile.c_str()));
    emitter->SetMode(PARTICLE_MODE_WARM);
    traveller = emitter;
    HRESULT hr = AddEmitter("traveller", emitter);
    emitter->Release();

    // Sparks licking up from each flame, each particle's brightness flickering.
    for (float x : {-56.0f, 56.0f}) {
        if (FAILED(hr)) {
            return hr;
        }
        emitter = CreateParticleEmitter();
        emitter->SetMode(PARTICLE_MODE_FLICKER);
        emitter->SetColor(D3DXCOLOR(1.0f, 0.6f, 0.2f, 1.0f));
        emitter->SetPosition(D3DXVECTOR3(x, 8.0f, 30.0f));
        emitter->SetSpawnDirection(0, D3DXVECTOR3(-2.0f, 6.0f, -2.0f));
        emitter->SetSpawnDirection(1, D3DXVECTOR3(2.0f, 14.0f, 2.0f));
        emitter->SetEmission(0, 30.0f);
        emitter->SetEmission(1, 50.0f);
        emitter->SetLife(0, 0.5f);
        emitter->SetLife(1, 1.2f);
        emitter->SetSize(0, 1.0f);
        emitter->SetSize(1, 2.5f);
        emitter->SetTextureName(kSparkFileName);
        hr = AddEmitter(x < 0.0f ? "sparks left" : "sparks right", emitter);
        emitter->Release();
    }
    if (FAILED(hr)) {
        return hr;
    }

    // A beacon over the middle coin: the whole pool at once, pulsing once a second.
    emitter = CreateParticleEmitter();
    emitter->SetPosition(D3DXVECTOR3(0.0f, 24.0f, 8.0f));
    emitter->SetColor(D3DXCOLOR(0.4f, 0.7f, 1.0f, 1.0f));
    emitter->SetMode(PARTICLE_MODE_PULSE);
    emitter->SetTextureName(kGlowFileName);
    hr = AddEmitter("beacon", emitter);
    emitter->Release();
    if (FAILED(hr)) {
        return hr;
    }

    // Smoke that darkens the sky above the right flame.
    emitter = CreateParticleEmitter();
    emitter->SetMode(PARTICLE_MODE_DIM_SUBTRACT);
    emitter->SetColor(D3DXCOLOR(0.6f, 0.6f, 0.6f, 1.0f));
    emitter->SetPosition(D3DXVECTOR3(56.0f, 14.0f, 30.0f));
    emitter->SetSpawnDirection(0, D3DXVECTOR3(-1.5f, 3.0f, -1.5f));
    emitter->SetSpawnDirection(1, D3DXVECTOR3(1.5f, 6.0f, 1.5f));
    emitter->SetEmission(0, 10.0f);
    emitter->SetEmission(1, 20.0f);
    emitter->SetLife(0, 2.0f);
    emitter->SetLife(1, 4.0f);
    emitter->SetSize(0, 4.0f);
    emitter->SetSize(1, 8.0f);
    emitter->SetWind(D3DXVECTOR3(0.02f, 0.0f, 0.0f));
    emitter->SetTextureName(kGlowFileName);
    hr = AddEmitter("smoke", emitter);
    emitter->Release();
    return hr;
}

HRESULT DemoAdditions::AddBanner()
{
    const RECT rect = {12, 12, 12 + 256, 12 + 64};
    ISceneNode* banner = CreateBackground(scene, rect, mediaReference.c_str(), kBannerFileName);
    banner->SetName("banner");
    const HRESULT hr = scene->AddNode(banner);
    banner->Release();
    return hr;
}

void DemoAdditions::Update(float elapsed)
{
    if (path == nullptr || traveller == nullptr) {
        return;
    }
    pathTime += elapsed;
    D3DXVECTOR3 position;
    // The path loops, so the parameter may run past 1; Evaluate's E_FAIL at the very end
    // still delivers the end point.
    path->Evaluate(pathTime / kPathPeriod, &position, nullptr);
    traveller->SetPosition(position);
}

} // namespace demo
