#include "R1EngineScene.h"

#include <PlatformWin32.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "R1Media.h"

namespace r1 {

// --- HostNode ------------------------------------------------------------------------------

HostNode::HostNode(const char* nodeName) : name(nodeName != nullptr ? nodeName : "")
{
    D3DXMatrixIdentity(&matrix);
}

HostNode::~HostNode()
{
    RemoveAllChildren();
}

bool HostNode::QueryInterface(const GUID& id, void** out)
{
    if (!IsEqualGUID(id, IID_ICoreUnknown) && !IsEqualGUID(id, IID_ISceneNode)) {
        return false;
    }
    *out = static_cast<ISceneNode*>(this);
    AddRef();
    return true;
}

ULONG HostNode::AddRef()
{
    return ++count;
}

ULONG HostNode::Release()
{
    if (--count != 0) {
        return count;
    }
    delete this;
    return 0;
}

const char* HostNode::GetName()
{
    return name.c_str();
}

void HostNode::SetName(const char* newName)
{
    name = newName != nullptr ? newName : "";
}

bool HostNode::HasSameName(ISceneNode* other)
{
    return other != nullptr && name == other->GetName();
}

HRESULT HostNode::Update(float)
{
    return S_OK;
}

HRESULT HostNode::PreRender(IScene* scene)
{
    return scene->GetRenderStateManager()->PushMatrix(&matrix);
}

HRESULT HostNode::Render(IScene*)
{
    return S_OK;
}

HRESULT HostNode::PostRender(IScene* scene)
{
    return scene->GetRenderStateManager()->PopMatrix();
}

HRESULT HostNode::AddChild(ISceneNode* child)
{
    if (child == nullptr) {
        return E_POINTER;
    }
    child->AddRef();
    if (ISceneNode* former = child->GetParent()) {
        former->RemoveChild(child);
    }
    children.push_back(child);
    child->SetParent(this);
    return S_OK;
}

HRESULT HostNode::RemoveChild(ISceneNode* child)
{
    const auto found = std::find(children.begin(), children.end(), child);
    if (found == children.end()) {
        return E_FAIL;
    }
    children.erase(found);
    child->SetParent(nullptr);
    child->Release();
    return S_OK;
}

HRESULT HostNode::RemoveDescendant(ISceneNode* node)
{
    if (SUCCEEDED(RemoveChild(node))) {
        return S_OK;
    }
    for (ISceneNode* child : children) {
        if (SUCCEEDED(child->RemoveChild(node))) {
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT HostNode::RemoveAllChildren()
{
    while (!children.empty()) {
        ISceneNode* child = children.front();
        child->RemoveAllChildren();
        children.erase(children.begin());
        child->SetParent(nullptr);
        child->Release();
    }
    return S_OK;
}

ISceneNode* HostNode::FindNode(const char* wanted)
{
    if (wanted == nullptr) {
        return nullptr;
    }
    if (name == wanted) {
        return this;
    }
    for (ISceneNode* child : children) {
        if (ISceneNode* found = child->FindNode(wanted)) {
            return found;
        }
    }
    return nullptr;
}

ISceneNode* HostNode::FindChild(const char* wanted)
{
    if (wanted == nullptr) {
        return nullptr;
    }
    for (ISceneNode* child : children) {
        if (std::strcmp(child->GetName(), wanted) == 0) {
            return child;
        }
    }
    return nullptr;
}

ISceneNode* HostNode::GetParent()
{
    return parent;
}

void HostNode::SetParent(ISceneNode* newParent)
{
    parent = newParent;
}

const D3DXMATRIX* HostNode::GetMatrix(D3DXMATRIX* out)
{
    if (out != nullptr) {
        *out = matrix;
    }
    return &matrix;
}

D3DXMATRIX* HostNode::GetWorldMatrix(D3DXMATRIX* out)
{
    if (out == nullptr) {
        return nullptr;
    }
    *out = matrix;
    for (ISceneNode* p = parent; p != nullptr; p = p->GetParent()) {
        D3DXMatrixMultiply(out, out, p->GetMatrix(nullptr));
    }
    return out;
}

void HostNode::SetMatrix(const D3DXMATRIX* newMatrix)
{
    if (newMatrix != nullptr) {
        matrix = *newMatrix;
    } else {
        D3DXMatrixIdentity(&matrix);
    }
}

const CBoundBox* HostNode::GetBoundingBox(CBoundBox* out)
{
    if (out != nullptr) {
        *out = bounds;
    }
    return &bounds;
}

// The box stays empty on purpose: an empty box is never culled, so the node and its
// children always reach the render pass (the children are culled on their own boxes).
void HostNode::SetBoundingBox(const CBoundBox*) {}
void HostNode::UpdateBoundingBox() {}
void HostNode::InvalidateBoundingBox() {}

bool HostNode::IsBoundingBoxDirty()
{
    return false;
}

int HostNode::GetChildCount()
{
    return static_cast<int>(children.size());
}

ISceneNode* HostNode::GetChild(int index)
{
    return index >= 0 && index < GetChildCount() ? children[static_cast<size_t>(index)] : nullptr;
}

HRESULT HostNode::InvalidateDeviceObjects(IScene*)
{
    return S_OK;
}

HRESULT HostNode::RestoreDeviceObjects(IScene*)
{
    return S_OK;
}

void HostNode::SetHidden(bool newHidden)
{
    hidden = newHidden;
}

bool HostNode::IsHidden()
{
    return hidden;
}

bool HostNode::IsPaused()
{
    return paused;
}

void HostNode::SetPaused(bool newPaused)
{
    paused = newPaused;
}

void HostNode::SetDeferred(bool newDeferred)
{
    deferred = newDeferred;
}

bool HostNode::IsDeferred()
{
    return deferred;
}

// --- EmitterNode ---------------------------------------------------------------------------

EmitterNode::EmitterNode(const char* nodeName, IParticleEmitter* newEmitter) : HostNode(nodeName), emitter(newEmitter)
{
    emitter->AddRef();
}

EmitterNode::~EmitterNode()
{
    emitter->Release();
}

HRESULT EmitterNode::Update(float elapsed)
{
    return IsPaused() ? S_OK : emitter->Update(elapsed);
}

HRESULT EmitterNode::Render(IScene* scene)
{
    return emitter->Render(scene);
}

HRESULT EmitterNode::InvalidateDeviceObjects(IScene*)
{
    return emitter->InvalidateDeviceObjects();
}

HRESULT EmitterNode::RestoreDeviceObjects(IScene* scene)
{
    // An emitter without its texture still draws (untextured); that is no reason to stop
    // the scene's restore.
    emitter->RestoreDeviceObjects(scene);
    return S_OK;
}

// --- R1 ------------------------------------------------------------------------------------

namespace {

// A group whose subtree draws without blending. The host leaves blending on for the
// billboards, and neither the sky nor the ground nodes switch it off, so without this
// their opaque pixels would pay for a read and a blend of the whole screen.
class OpaqueGroup final : public HostNode {
public:
    using HostNode::HostNode;

    HRESULT PreRender(IScene* scene) override
    {
        scene->GetRenderStateManager()->PushRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
        return HostNode::PreRender(scene);
    }
    HRESULT PostRender(IScene* scene) override
    {
        const HRESULT hr = HostNode::PostRender(scene);
        scene->GetRenderStateManager()->PopRenderState(D3DRS_ALPHABLENDENABLE);
        return hr;
    }

private:
    ~OpaqueGroup() override = default;
};

}  // namespace

void SetEngineHostStates(IDirect3DDevice9* device)
{
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE);
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
}

float OrbitZoom()
{
    const D3DXVECTOR3 offset = kEye - kLookAt;
    return D3DXVec3Length(&offset);
}

float OrbitPitch()
{
    const D3DXVECTOR3 offset = kEye - kLookAt;
    return std::atan2(offset.y, std::sqrt(offset.x * offset.x + offset.z * offset.z));
}

float OrbitYaw()
{
    // The camera puts the eye at (cos yaw, ., sin yaw) around the target, yaw in [0, 2 pi].
    const D3DXVECTOR3 offset = kEye - kLookAt;
    const float yaw = std::atan2(offset.z, offset.x);
    return yaw < 0.0f ? yaw + 2.0f * D3DX_PI : yaw;
}

HRESULT EngineScene::Build(IScene* newScene, const std::string& mediaFolder)
{
    if (newScene == nullptr || newScene->GetDevice() == nullptr || newScene->GetRoot() == nullptr) {
        return E_POINTER;
    }
    scene = newScene;
    std::error_code ignored;
    std::filesystem::create_directories(mediaFolder, ignored);
    mediaReference = mediaFolder.empty() || mediaFolder.back() == '/' ? mediaFolder : mediaFolder + "/";
    HRESULT hr = WriteMediaFiles(scene->GetDevice(), mediaReference);
    if (SUCCEEDED(hr)) {
        hr = ResourceManagerRegisterFiles(mediaReference.c_str(), "*.png");
    }
    if (SUCCEEDED(hr)) {
        hr = AddSky();
    }
    if (SUCCEEDED(hr)) {
        hr = RestoreDeviceObjects();
    }
    if (SUCCEEDED(hr)) {
        hr = AddGround();
    }
    if (SUCCEEDED(hr)) {
        hr = AddBillboards();
    }
    if (SUCCEEDED(hr)) {
        hr = AddSprites();
    }
    if (SUCCEEDED(hr)) {
        hr = scene->SetClearColor(D3DCOLOR_ARGB(255, 0, 0, 0));
    }
    if (SUCCEEDED(hr)) {
        PlaceCamera();
        FollowEye();
    }
    return hr;
}

HRESULT EngineScene::AddSky()
{
    // The engine names the faces +z, -z, +x, -x, +y, -y.
    const char* const ref = mediaReference.c_str();
    sky = CreateSkybox(scene, kSkyboxEdge, ref, SkyFaceFileName(4), SkyFaceFileName(5), SkyFaceFileName(0),
                       SkyFaceFileName(1), SkyFaceFileName(2), SkyFaceFileName(3));
    sky->SetName("sky");
    HostNode* group = new OpaqueGroup("opaque sky");
    HRESULT hr = scene->AddNode(group);
    if (SUCCEEDED(hr)) {
        hr = group->AddChild(sky);
    }
    group->Release();
    sky->Release();
    return hr;
}

HRESULT EngineScene::AddGround()
{
    // The ground texture repeats kGroundTextureRepeat times across; a quad node shows its
    // texture once, so the ground is that many tiles on a side, sharing one texture.
    const int tiles = static_cast<int>(kGroundTextureRepeat);
    const float tile = kGroundSize / static_cast<float>(tiles);
    HostNode* ground = new OpaqueGroup("ground");
    HRESULT hr = scene->AddNode(ground);
    for (int row = 0; row < tiles && SUCCEEDED(hr); ++row) {
        for (int column = 0; column < tiles && SUCCEEDED(hr); ++column) {
            ISceneNode* quad = CreateQuad(scene, D3DXVECTOR3(-tile / 2.0f, 0.0f, -tile / 2.0f),
                                          D3DXVECTOR3(tile / 2.0f, 0.0f, tile / 2.0f), D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f),
                                          mediaReference.c_str(), kGroundFileName);
            D3DXMATRIX place;
            D3DXMatrixTranslation(&place, -kGroundSize / 2.0f + tile * (static_cast<float>(column) + 0.5f), 0.0f,
                                  -kGroundSize / 2.0f + tile * (static_cast<float>(row) + 0.5f));
            quad->SetMatrix(&place);
            hr = ground->AddChild(quad);
            quad->Release();
        }
    }
    ground->Release();
    return hr;
}

HRESULT EngineScene::AddBillboards()
{
    HostNode* group = new HostNode("billboards");
    HRESULT hr = scene->AddNode(group);
    // Far rows first, so that blending layers them back to front from R1's eye.
    int index = 0;
    for (int row = kBillboardRows - 1; row >= 0 && SUCCEEDED(hr); --row) {
        for (int column = 0; column < kBillboardColumns && SUCCEEDED(hr); ++column, ++index) {
            ISceneNode* billboard = CreateBillboardQuad(scene, BillboardCentre(column, row),
                                                        D3DXCOLOR(BillboardTint(column, row)), kBillboardSize,
                                                        kBillboardSize, mediaReference.c_str(), kBillboardFileName, 0.0f);
            if (index % kPulseStride == 0) {
                IBillboardQuad* pulse = nullptr;
                if (billboard->QueryInterface(IID_IBillboardQuad, reinterpret_cast<void**>(&pulse))) {
                    pulse->SetPulse(true, 0.15f, 1.0f, 1.5f + 0.25f * static_cast<float>(index % 5));
                    pulse->Release();
                }
            }
            hr = group->AddChild(billboard);
            billboard->Release();
        }
    }
    group->Release();
    return hr;
}

HRESULT EngineScene::AddSprites()
{
    // The engine's point sprites come from a particle emitter: about kSpriteCount living
    // particles born at R1's sprite centre and drifting out through its box (a particle
    // crosses half the box in an average life).
    VestraCrtSrand(12345);
    IParticleEmitter* emitter = CreateParticleEmitter();
    emitter->SetMode(PARTICLE_MODE_FIXED);
    emitter->SetColor(D3DXCOLOR(1.0f, 0.8f, 0.25f, 1.0f));
    emitter->SetPosition(kSpriteBoxCentre);
    const float drift = kSpriteBoxEdge / 2.0f / 1.2f;
    emitter->SetSpawnDirection(0, D3DXVECTOR3(-drift, -drift, -drift));
    emitter->SetSpawnDirection(1, D3DXVECTOR3(drift, drift, drift));
    emitter->SetEmission(0, 70.0f);
    emitter->SetEmission(1, 90.0f);
    emitter->SetLife(0, 0.8f);
    emitter->SetLife(1, 1.6f);
    emitter->SetSize(0, kSpriteSize);
    emitter->SetSize(1, kSpriteSize);
    emitter->SetTextureName(kSpriteFileName);
    emitter->SetReferencePath(scene, mediaReference.c_str());
    sprites = new EmitterNode("sprites", emitter);
    emitter->Release();
    const HRESULT hr = scene->AddNode(sprites);
    sprites->Release();
    // Two seconds of emission, so the first frame already shows the full cloud.
    for (int step = 0; step < 120; ++step) {
        sprites->Emitter()->Update(1.0f / 60.0f);
    }
    return hr;
}

void EngineScene::PlaceCamera()
{
    ICamera* camera = scene->GetCamera();
    camera->SetYUp(true);
    camera->SetZoom(OrbitZoom(), false);
    camera->Rotate(OrbitPitch() - camera->GetPitch(), OrbitYaw() - camera->GetYaw(), false);
    const D3DXVECTOR2 target(kLookAt.x, kLookAt.z);
    camera->SetTarget(&target);
    camera->Update(0.0f);
}

void EngineScene::FollowEye()
{
    D3DXVECTOR3 eye;
    scene->GetCamera()->GetEyePt(&eye);
    D3DXMATRIX place;
    D3DXMatrixTranslation(&place, eye.x, eye.y, eye.z);
    sky->SetMatrix(&place);
}

void EngineScene::Update(float elapsed)
{
    if (scene == nullptr) {
        return;
    }
    if (orbitSpeed != 0.0f) {
        scene->GetCamera()->Rotate(0.0f, orbitSpeed * elapsed, true);
    }
    FollowEye();
}

HRESULT EngineScene::RestoreDeviceObjects()
{
    if (sky == nullptr) {
        return E_FAIL;
    }
    // A reset may come with a new back-buffer size (a resized window, fullscreen): the
    // camera and the sky follow it, keeping R1's field of view and clip distances.
    UINT width = kWidth, height = kHeight;
    IDirect3DSurface9* backBuffer = nullptr;
    if (SUCCEEDED(scene->GetDevice()->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
        D3DSURFACE_DESC desc;
        if (SUCCEEDED(backBuffer->GetDesc(&desc)) && desc.Width > 0 && desc.Height > 0) {
            width = desc.Width;
            height = desc.Height;
        }
        backBuffer->Release();
    }
    ICamera* camera = scene->GetCamera();
    D3DVIEWPORT9 viewport = {0, 0, width, height, kNear, kFar};
    camera->SetViewport(&viewport);
    camera->SetFOV(kFieldOfView);

    ISkybox* skybox = nullptr;
    if (!sky->QueryInterface(IID_ISkybox, reinterpret_cast<void**>(&skybox))) {
        return E_NOINTERFACE;
    }
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovLH(&projection, kFieldOfView, static_cast<float>(width) / static_cast<float>(height),
                               kNear, kFar);
    const HRESULT hr = skybox->SetProjection(&projection);
    skybox->Release();
    return hr;
}

}  // namespace r1
