// The exported factories of the drawable nodes, the bitstrip texture, the free 3D quad and
// 2D windows. Node factories take the first reference before any other step and ignore the
// results of the set-up steps: a node whose texture is missing is still returned.
#include "NodeFactories.h"

#include "I3DQuad.h"
#include "IBitstripTexture.h"
#include "IWindow.h"
#include "scene/nodes/BackgroundNode.h"
#include "scene/nodes/BillboardQuad.h"
#include "scene/nodes/BitstripNodes.h"
#include "scene/nodes/Quad3D.h"
#include "scene/nodes/QuadNode.h"
#include "scene/nodes/Skybox.h"
#include "scene/nodes/Window2D.h"

ISceneNode* CreateQuad(IScene* scene, D3DXVECTOR3 corner1, D3DXVECTOR3 corner2, D3DXCOLOR color,
                       const char* referencePath, const char* fileName)
{
    auto* node = new CQuadNode();
    node->AddRef();
    node->Setup(corner1, corner2, color, referencePath, fileName);
    node->BuildGeometry(scene);
    return node;
}

ISceneNode* CreateBillboardQuad(IScene* scene, D3DXVECTOR3 position, D3DXCOLOR color, float width, float height,
                                const char* referencePath, const char* fileName, float depth)
{
    auto* node = new CBillboardQuad();
    node->AddRef();
    node->Setup(position, color, width, height, depth, referencePath, fileName);
    node->BuildGeometry(scene);
    return node;
}

ISceneNode* CreateBitstripBillboard(IScene* scene, D3DXVECTOR3 position, D3DXCOLOR color, float width, float height,
                                    const char* referencePath, const char* fileName, float frameRate, bool looping)
{
    auto* node = new CBitstripBillboardNode();
    node->AddRef();
    node->Setup(position, width, height, color, referencePath, fileName);
    node->SetAnimation(frameRate, looping);
    node->BuildGeometry(scene);
    return node;
}

ISceneNode* CreateBitstripQuad(IScene* scene, D3DXVECTOR3 corner1, D3DXVECTOR3 corner2, D3DXCOLOR color,
                               const char* referencePath, const char* fileName, float frameRate, bool looping)
{
    auto* node = new CBitstripQuadNode();
    node->AddRef();
    node->Setup(corner1, corner2, color, referencePath, fileName);
    node->SetAnimation(frameRate, looping);
    node->BuildGeometry(scene);
    return node;
}

ISceneNode* CreateBackground(IScene* scene, RECT rect, const char* referencePath, const char* fileName)
{
    auto* node = new CBackgroundNode();
    node->AddRef();
    node->Setup(&rect, referencePath, fileName);
    node->LoadTexture(scene);
    return node;
}

ISceneNode* CreateSkybox(IScene* scene, float size, const char* referencePath, const char* facePositiveZ,
                         const char* faceNegativeZ, const char* facePositiveX, const char* faceNegativeX,
                         const char* facePositiveY, const char* faceNegativeY)
{
    auto* node = new CSkybox();
    node->AddRef();
    node->SetSize(size);
    const char* const faces[CSkybox::faceCount] = {facePositiveZ, faceNegativeZ, facePositiveX,
                                                   faceNegativeX, facePositiveY, faceNegativeY};
    node->SetNames(referencePath, faces);
    node->LoadTextures(scene);
    return node;
}

I3DQuad* Create3DQuad()
{
    auto* quad = new C3DQuad();
    quad->AddRef();
    return quad;
}

IBitstripTexture* CreateBitstripTexture(IDirect3DDevice9* device, const char* path)
{
    auto* bitstrip = new CBitstripTexture();
    bitstrip->Load(path);
    bitstrip->CreateDeviceObjects(device);
    return bitstrip;
}

IWindow* CreateWindow2D(IWindow* parent, const char* title, RECT rect, D3DXCOLOR color)
{
    auto* window = new CWindow();
    if (FAILED(window->Create(parent, title, rect, color))) {
        window->Destroy();
        return nullptr;
    }
    return window;
}
