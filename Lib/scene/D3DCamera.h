// CD3DCamera: view and projection parameters with the matrices derived from them.
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

class CD3DCamera {
public:
    // Eye at the origin looking along +z with +y up; a quarter-pi vertical field of view,
    // aspect 1, clip distances 1 and 1000.
    CD3DCamera();

    // Stores the vectors and derives the viewing direction, the cross direction, the
    // left-handed look-at view matrix and the billboard matrix.
    void SetViewParams(const D3DXVECTOR3& eye, const D3DXVECTOR3& lookat, const D3DXVECTOR3& up);
    // Stores the values and derives a left-handed perspective projection.
    void SetProjParams(float fov, float aspect, float nearPlane, float farPlane);

protected:
    D3DXVECTOR3 eyePt;
    D3DXVECTOR3 lookatPt;
    D3DXVECTOR3 upVec;
    D3DXVECTOR3 viewDir;
    D3DXVECTOR3 crossDir;
    alignas(16) D3DXMATRIX viewMatrix;
    // The inverse view without its translation: turns a quad to face the camera.
    alignas(16) D3DXMATRIX billboardMatrix;
    float fov;
    float aspect;
    float nearPlane;
    float farPlane;
    alignas(16) D3DXMATRIX projMatrix;
};
