#include "scene/D3DCamera.h"

CD3DCamera::CD3DCamera()
{
    SetViewParams(D3DXVECTOR3(0.0f, 0.0f, 0.0f), D3DXVECTOR3(0.0f, 0.0f, 1.0f), D3DXVECTOR3(0.0f, 1.0f, 0.0f));
    SetProjParams(D3DX_PI / 4.0f, 1.0f, 1.0f, 1000.0f);
}

void CD3DCamera::SetViewParams(const D3DXVECTOR3& eye, const D3DXVECTOR3& lookat, const D3DXVECTOR3& up)
{
    eyePt = eye;
    lookatPt = lookat;
    upVec = up;
    const D3DXVECTOR3 towards = lookatPt - eyePt;
    D3DXVec3Normalize(&viewDir, &towards);
    D3DXVec3Cross(&crossDir, &viewDir, &upVec);
    D3DXMatrixLookAtLH(&viewMatrix, &eyePt, &lookatPt, &upVec);
    D3DXMatrixInverse(&billboardMatrix, nullptr, &viewMatrix);
    billboardMatrix._41 = 0.0f;
    billboardMatrix._42 = 0.0f;
    billboardMatrix._43 = 0.0f;
}

void CD3DCamera::SetProjParams(float newFov, float newAspect, float newNear, float newFar)
{
    fov = newFov;
    aspect = newAspect;
    nearPlane = newNear;
    farPlane = newFar;
    D3DXMatrixPerspectiveFovLH(&projMatrix, fov, aspect, nearPlane, farPlane);
}
