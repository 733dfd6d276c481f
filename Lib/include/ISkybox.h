// ISkybox: the projection a skybox draws its faces with (CreateSkybox). Queried from the
// node with IID_ISkybox.
#pragma once
#include <d3dx9.h>
#include "CoreUnknown.h"

class ISkybox : public ICoreUnknown {
public:
    // Replaces the projection used for the faces until the next device restore, which takes
    // the device's projection again. E_POINTER for null.
    virtual HRESULT SetProjection(const D3DXMATRIX* projection) = 0;

protected:
    ~ISkybox() = default;
};
