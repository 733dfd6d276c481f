#include "scene/nodes/BitstripNodes.h"

#include "resources/PathParts.h"

void CBitstripAnimation::Advance(float elapsed, bool hidden)
{
    animationTime += elapsed;
    const int position = static_cast<int>(animationTime * frameRate);
    const int frameCount = bitstrip.GetFrameCount();
    if (hidden || frameCount == 0) {
        return;
    }
    const int frame = looping ? position % frameCount : position;
    if (frame != bitstrip.GetFrame()) {
        bitstrip.SetFrame(frame);
    }
}

std::string ComposeBitstripPath(const char* referencePath, const char* fileName)
{
    const CPathParts reference(referencePath);
    const CPathParts file(fileName);
    return std::string(reference.drive) + reference.directory + file.name + file.extension;
}

namespace {

// The node's texture reference becomes the strip's current frame texture (or none).
void TakeFrameTexture(IDirect3DTexture9*& texture, CBitstripTexture& bitstrip)
{
    if (texture != nullptr) {
        texture->Release();
    }
    texture = bitstrip.GetTexture();
}

} // namespace

void CBitstripBillboardNode::Setup(D3DXVECTOR3 position, float newWidth, float newHeight, D3DXCOLOR newColor,
                                   const char* newReferencePath, const char* newFileName)
{
    animation.bitstrip.Load(ComposeBitstripPath(newReferencePath, newFileName).c_str());
    CBillboardQuad::Setup(position, newColor, newWidth, newHeight, 0.0f, nullptr, nullptr);
}

HRESULT CBitstripBillboardNode::BuildGeometry(IScene* scene)
{
    animation.bitstrip.CreateDeviceObjects(scene->GetDevice());
    const HRESULT hr = CBillboardQuad::BuildGeometry(scene);
    TakeFrameTexture(texture, animation.bitstrip);
    return hr;
}

HRESULT CBitstripBillboardNode::Update(float elapsed)
{
    if (IsPaused()) {
        return S_OK;
    }
    animation.Advance(elapsed, IsHidden());
    return CBillboardQuad::Update(elapsed);
}

HRESULT CBitstripBillboardNode::InvalidateDeviceObjects(IScene* scene)
{
    animation.bitstrip.InvalidateDeviceObjects();
    return CBillboardQuad::InvalidateDeviceObjects(scene);
}

HRESULT CBitstripBillboardNode::RestoreDeviceObjects(IScene* scene)
{
    HRESULT hr = animation.bitstrip.RestoreDeviceObjects(scene->GetDevice());
    if (FAILED(hr)) {
        return hr;
    }
    hr = CBillboardQuad::RestoreDeviceObjects(scene);
    if (SUCCEEDED(hr)) {
        TakeFrameTexture(texture, animation.bitstrip);
    }
    return hr;
}

void CBitstripQuadNode::Setup(D3DXVECTOR3 corner1, D3DXVECTOR3 corner2, D3DXCOLOR newColor,
                              const char* newReferencePath, const char* newFileName)
{
    animation.bitstrip.Load(ComposeBitstripPath(newReferencePath, newFileName).c_str());
    CQuadNode::Setup(corner1, corner2, newColor, nullptr, nullptr);
}

HRESULT CBitstripQuadNode::BuildGeometry(IScene* scene)
{
    animation.bitstrip.CreateDeviceObjects(scene->GetDevice());
    const HRESULT hr = CQuadNode::BuildGeometry(scene);
    TakeFrameTexture(texture, animation.bitstrip);
    return hr;
}

HRESULT CBitstripQuadNode::Update(float elapsed)
{
    if (IsPaused()) {
        return S_OK;
    }
    animation.Advance(elapsed, IsHidden());
    return CQuadNode::Update(elapsed);
}

HRESULT CBitstripQuadNode::InvalidateDeviceObjects(IScene* scene)
{
    animation.bitstrip.InvalidateDeviceObjects();
    return CQuadNode::InvalidateDeviceObjects(scene);
}

HRESULT CBitstripQuadNode::RestoreDeviceObjects(IScene* scene)
{
    HRESULT hr = animation.bitstrip.RestoreDeviceObjects(scene->GetDevice());
    if (FAILED(hr)) {
        return hr;
    }
    hr = CQuadNode::RestoreDeviceObjects(scene);
    if (SUCCEEDED(hr)) {
        TakeFrameTexture(texture, animation.bitstrip);
    }
    return hr;
}
