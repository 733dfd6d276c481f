// The two scene nodes that play a bitstrip: CBitstripBillboardNode (a camera-facing
// billboard) and CBitstripQuadNode (a flat quad). They draw exactly as their base classes,
// with the bitstrip's frame texture as the node's texture, and advance the frame from the
// update time.
//
// The strip is read from the directory of the reference path joined with the file name;
// the resource manager's registry is not consulted. Device loss: the strip's default-pool
// texture goes with InvalidateDeviceObjects and comes back showing frame 0 with
// RestoreDeviceObjects; the next Update moves it to the right frame again.
#pragma once
#include "scene/nodes/BillboardQuad.h"
#include "scene/nodes/BitstripTexture.h"
#include "scene/nodes/QuadNode.h"

// Frame stepping shared by both nodes.
class CBitstripAnimation {
public:
    void SetAnimation(float newFrameRate, bool newLooping)
    {
        frameRate = newFrameRate;
        looping = newLooping;
    }
    // Time runs on while the node is hidden (so it shows the right frame when shown again)
    // but the frame is only changed while visible. A non-looping strip stops on its last
    // frame, however far past it the time has run.
    void Advance(float elapsed, bool hidden);

    CBitstripTexture bitstrip;
    float frameRate = 30.0f;
    float animationTime = 0.0f;
    bool looping = true;
};

// Drive and directory of `referencePath` followed by name and extension of `fileName`.
std::string ComposeBitstripPath(const char* referencePath, const char* fileName);

// What both nodes add to the node type they draw as: the strip, its device objects and the
// frame step. The node's texture is the strip's frame texture.
template <typename Base>
class CBitstripNode : public Base {
public:
    void SetAnimation(float frameRate, bool looping) { animation.SetAnimation(frameRate, looping); }
    HRESULT BuildGeometry(IScene* scene) override;
    HRESULT Update(float elapsed) override;
    HRESULT InvalidateDeviceObjects(IScene* scene) override;
    HRESULT RestoreDeviceObjects(IScene* scene) override;

    CBitstripTexture& Bitstrip() { return animation.bitstrip; }

protected:
    void LoadStrip(const char* referencePath, const char* fileName);

private:
    // The node's texture reference becomes the strip's current frame texture (or none).
    void TakeFrameTexture();

    CBitstripAnimation animation;
};

class CBitstripBillboardNode : public CBitstripNode<CBillboardQuad> {
public:
    // Loads the strip, then sets the billboard up without a texture name, so the base never
    // looks a texture up by name. Both strings must be non-null.
    virtual void Setup(D3DXVECTOR3 position, float width, float height, D3DXCOLOR color, const char* referencePath,
                       const char* fileName);
};

class CBitstripQuadNode : public CBitstripNode<CQuadNode> {
public:
    // Loads the strip, then sets the quad up without a texture name. Both strings must be
    // non-null.
    void Setup(D3DXVECTOR3 corner1, D3DXVECTOR3 corner2, D3DXCOLOR color, const char* referencePath,
               const char* fileName) override;
};
