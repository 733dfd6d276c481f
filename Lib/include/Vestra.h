// Vestra: the whole exported engine API and, through it, the platform headers
// (windows.h, d3d9.h, d3dx9.h).
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include "VestraExport.h"

#include "BoundBox.h"
#include "CoreUnknown.h"
#include "I3DQuad.h"
#include "IApplication.h"
#include "IBSplineMotionPath.h"
#include "IBackground.h"
#include "IBillboardQuad.h"
#include "IBitstripTexture.h"
#include "ICamera.h"
#include "IColoredNode.h"
#include "IMotionPath.h"
#include "IParticleEmitter.h"
#include "IRenderStateManager.h"
#include "IScene.h"
#include "ISceneNode.h"
#include "ISkybox.h"
#include "IWindow.h"
#include "NodeFactories.h"
#include "ResManager.h"
#include "ResourceTracking.h"
#include "Vertices.h"
#include "VestraTemplate.h"
