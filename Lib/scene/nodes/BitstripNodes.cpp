#include "scene/nodes/BitstripNodes.h"

#include <algorithm>

#include "resources/PathParts.h"

void CBitstripAnimation::Advance(float elapsed, bool hidden)
{
    animationTime += elapsed;
    const int position = static_cast<int>(animationTime * frameRate);
    const int frameCount = bitstrip.GetFrameCount();
    if (hidden || frameCount == 0) {
        return;
    }
    // Clamped rather than left to SetFrame's refusal: an update that jumps from an early
    // frame past the end must still land on the last frame.
    const int frame = looping ? position % frameCount : std::min(position, frameCount - 1);
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

template <typename Base>
void CBitstripNode<Base>::LoadStrip(const char* referencePath, const char* fileName)
{
    animation.bitstrip.Load(ComposeBitstripPath(referencePath, fileName).c_str());
}

template <typename Base>
void CBitstripNode<Base>::TakeFrameTexture()
{
    if (this->texture != nullptr) {
        this->texture->Release();
    }
    this->texture = animation.bitstrip.GetTexture();
}

template <typename Base>
HRESULT CBitstripNode<Base>::BuildGeometry(IScene* scene)
{
    animation.bitstrip.CreateDeviceObjects(scene->GetDevice());
    const HRESULT hr = Base::BuildGeometry(scene);
    TakeFrameTexture();
    return hr;
}

template <typename Base>
HRESULT CBitstripNode<Base>::Update(float elapsed)
{
    if (this->IsPaused()) {
        return S_OK;
    }
    animation.Advance(elapsed, this->IsHidden());
    return Base::Update(elapsed);
}

template <typename Base>
HRESULT CBitstripNode<Base>::InvalidateDeviceObjects(IScene* scene)
{
    animation.bitstrip.InvalidateDeviceObjects();
    return Base::InvalidateDeviceObjects(scene);
}

template <typename Base>
HRESULT CBitstripNode<Base>::RestoreDeviceObjects(IScene* scene)
{
    HRESULT hr = animation.bitstrip.RestoreDeviceObjects(scene->GetDevice());
    if (FAILED(hr)) {
        return hr;
    }
    hr = Base::RestoreDeviceObjects(scene);
    if (SUCCEEDED(hr)) {
        TakeFrameTexture();
    }
    return hr;
}

template class CBitstripNode<CBillboardQuad>;
template class CBitstripNode<CQuadNode>;

void CBitstripBillboardNode::Setup(D3DXVECTOR3 position, float newWidth, float newHeight, D3DXCOLOR newColor,
                                   const char* newReferencePath, const char* newFileName)
{
    LoadStrip(newReferencePath, newFileName);
    CBillboardQuad::Setup(position, newColor, newWidth, newHeight, 0.0f, nullptr, nullptr);
}

void CBitstripQuadNode::Setup(D3DXVECTOR3 corner1, D3DXVECTOR3 corner2, D3DXCOLOR newColor,
                              const char* newReferencePath, const char* newFileName)
{
    LoadStrip(newReferencePath, newFileName);
    CQuadNode::Setup(corner1, corner2, newColor, nullptr, nullptr);
}
