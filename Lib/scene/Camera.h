// CCamera: the engine's orbit camera (ICamera) over CD3DCamera's matrices.
#pragma once

#include "ICamera.h"
#include "scene/D3DCamera.h"

class CCamera final : public ICamera, public CD3DCamera {
public:
    // Zoom 100 in [0, 1000], pitch 0 in [0, pi/2], yaw 0, target at the origin, smoothing
    // off (0.01 s), perspective, orbit mode, ground z = 0; viewport, free eye and free
    // direction all zero. The matrices are those of CD3DCamera until the first update.
    CCamera();

    void SetYUp(bool yUp) override;
    HRESULT Project(D3DXVECTOR2* out, const D3DXVECTOR3* point) override;
    HRESULT ScreenToGround(const POINT* screen, D3DXVECTOR2* out) override;
    HRESULT ScreenToGroundOrtho(const POINT* screen, D3DXVECTOR2* out) override;
    HRESULT GetPickRay(int x, int y, D3DXVECTOR3* origin, D3DXVECTOR3* direction) override;
    void Rotate(float dPitch, float dYaw, bool update) override;
    HRESULT SetTarget(const D3DXVECTOR2* target) override;
    HRESULT MoveTo(const D3DXVECTOR2* target) override;
    HRESULT Move(const D3DXVECTOR2* delta, bool update) override;
    HRESULT Zoom(float delta, bool update) override;
    HRESULT SetZoom(float distance, bool update) override;
    void SetViewport(const D3DVIEWPORT9* viewport) override;
    D3DVIEWPORT9* GetViewport(D3DVIEWPORT9* out) override;
    HRESULT Apply(IDirect3DDevice9* device) override;
    HRESULT Update(float elapsed) override;
    float GetAspect() override;
    void ResetOrientation() override;
    void SetOrthographic(bool orthographic) override;
    void SetFOV(float fov) override;
    float GetFOV() override;
    void SetZoomRange(float minZoom, float maxZoom) override;
    float GetMinZoom() override;
    float GetMaxZoom() override;
    float GetZoomFraction() override;
    float GetZoom() override;
    void SetPitchRange(float minPitch, float maxPitch) override;
    void SetFreeMode(bool freeMode) override;
    HRESULT SetFreeView(const D3DXVECTOR3* eye, const D3DXVECTOR3* direction) override;
    D3DXVECTOR3* GetEyePt(D3DXVECTOR3* out) override;
    D3DXVECTOR3* GetLookatPt(D3DXVECTOR3* out) override;
    const D3DXMATRIX* GetTransform(D3DTRANSFORMSTATETYPE type) override;
    void SetSmoothing(bool on, float time) override;
    HRESULT StopMotion() override;
    bool IsSmoothing() override;
    float GetPitch() override;
    float GetYaw() override;
    float GetTargetX() override;
    float GetTargetY() override;

private:
    void ApplyPending(float elapsed);
    void Clamp();
    void PlaceEye();
    void BuildProjection();
    // The ground plane the camera stands on, and a point on it as the camera's 2D target
    // coordinates.
    D3DXPLANE GroundPlane() const;
    D3DXVECTOR2 GroundCoordinates(const D3DXVECTOR3& point) const;

    float pitch = 0.0f;
    float yaw = 0.0f;
    float targetX = 0.0f;
    float targetY = 0.0f;
    float zoom = 100.0f;
    float minZoom = 0.0f;
    float maxZoom = 1000.0f;
    float minPitch = 0.0f;
    float maxPitch = 1.5707964f;
    D3DXVECTOR2 pendingMove;
    float pendingPitch = 0.0f;
    float pendingYaw = 0.0f;
    float pendingZoom = 0.0f;
    float smoothingTime = 0.01f;
    bool smoothing = false;
    D3DVIEWPORT9 viewport;
    bool orthographic = false;
    bool freeMode = false;
    D3DXVECTOR3 freeEye;
    D3DXVECTOR3 freeDirection;
    bool yUp = false;
};
