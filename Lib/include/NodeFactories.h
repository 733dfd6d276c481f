// Factories of the drawable scene nodes. Each returns the new node with one reference that
// the caller owns; none attaches the node (use AddChild or IScene::AddNode). Textures are
// looked up through the scene's resource manager beside `referencePath`; a texture that
// cannot be found leaves the node drawing with whatever stage 0 holds. No factory reports
// failure or returns null.
#pragma once
#include <windows.h>
#include <d3dx9.h>
#include "IBackground.h"
#include "IBillboardQuad.h"
#include "IColoredNode.h"
#include "IScene.h"
#include "ISceneNode.h"
#include "ISkybox.h"
#include "VestraExport.h"

// A flat rectangle in the node's XZ plane spanning the corners' x and z ranges, centred on
// the node's origin at height (corner2.y - corner1.y) / 2, visible from above (+y) when
// corner2 exceeds corner1 on both x and z. Drawn unlit without depth writes.
VESTRA_API ISceneNode* CreateQuad(IScene* scene, D3DXVECTOR3 corner1, D3DXVECTOR3 corner2, D3DXCOLOR color,
                                  const char* referencePath, const char* fileName);

// A width x height rectangle at `position` (node space) that always takes the camera's
// orientation; the node's and its ancestors' rotation and scale do not apply to it. `depth`
// is overridden by the build that follows and has no lasting effect.
VESTRA_API ISceneNode* CreateBillboardQuad(IScene* scene, D3DXVECTOR3 position, D3DXCOLOR color, float width,
                                           float height, const char* referencePath, const char* fileName,
                                           float depth);

// A billboard (or a flat quad) showing a bitstrip animation read from the file `fileName`
// in the directory of `referencePath` (the resource manager's registry is not consulted).
// The frame advances by `frameRate` frames per second of update time while the node is not
// paused, wrapping to 0 when `looping`, else stopping on the last frame. Both strings must
// be non-null.
VESTRA_API ISceneNode* CreateBitstripBillboard(IScene* scene, D3DXVECTOR3 position, D3DXCOLOR color, float width,
                                               float height, const char* referencePath, const char* fileName,
                                               float frameRate, bool looping);
VESTRA_API ISceneNode* CreateBitstripQuad(IScene* scene, D3DXVECTOR3 corner1, D3DXVECTOR3 corner2, D3DXCOLOR color,
                                          const char* referencePath, const char* fileName, float frameRate,
                                          bool looping);

// A textured rectangle in screen pixels drawn without depth writes. A null string leaves
// both names empty (and the node without a texture).
VESTRA_API ISceneNode* CreateBackground(IScene* scene, RECT rect, const char* referencePath, const char* fileName);

// The six inner faces of a cube of edge `size` around the node's origin, each with its
// texture, drawn without depth test, depth writes or lighting, under the projection the
// device has at creation (ISkybox::SetProjection replaces it). All strings must be non-null.
VESTRA_API ISceneNode* CreateSkybox(IScene* scene, float size, const char* referencePath, const char* facePositiveZ,
                                    const char* faceNegativeZ, const char* facePositiveX, const char* faceNegativeX,
                                    const char* facePositiveY, const char* faceNegativeY);
