// ICamera: an orbit camera around a target point on a ground plane.
//
// State: a target on the ground, a zoom (distance from the target to the eye), a pitch
// (elevation, clamped to the pitch range) and a yaw (heading, kept in [0, 2 pi]). Moves,
// turns and zooms are collected as pending amounts and applied by Update, at once or eased
// in over the smoothing time. Free mode instead places the eye at an explicit point looking
// along an explicit direction.
//
// The ground plane is z = 0 with -z up by default; with SetYUp(true) it is y = 0 with +y up
// and the target's second coordinate is z. Operations that "update" call Update(0).
//
// Call SetViewport before the first frame: projection, picking and the orthographic size
// use it, and its MinZ and MaxZ fields carry the near and far clip distances in (the stored
// viewport then has the depth range 0 to 1). Until then the viewport is all zero.
//
// Null pointer arguments are refused: E_POINTER from operations that return a result,
// nothing done (and the null handed back) by the others.
//
// A plain interface: no reference count, no query. The scene owns its cameras.
#pragma once

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

class ICamera {
public:
    virtual void SetYUp(bool yUp) = 0;
    // Screen position in pixels of a world point.
    virtual HRESULT Project(D3DXVECTOR2* out, const D3DXVECTOR3* point) = 0;
    // The ground point under a screen position; E_FAIL, `out` untouched, when the pick ray is
    // parallel to the ground.
    virtual HRESULT ScreenToGround(const POINT* screen, D3DXVECTOR2* out) = 0;
    // The same for an orthographic projection; when the ray is parallel to the ground it
    // writes the unprojected screen point and returns E_FAIL.
    virtual HRESULT ScreenToGroundOrtho(const POINT* screen, D3DXVECTOR2* out) = 0;
    // World-space ray through a pixel; the direction is not normalised.
    virtual HRESULT GetPickRay(int x, int y, D3DXVECTOR3* origin, D3DXVECTOR3* direction) = 0;
    virtual void Rotate(float dPitch, float dYaw, bool update) = 0;
    virtual HRESULT SetTarget(const D3DXVECTOR2* target) = 0;
    // Moves so that the target ends at `target` (eased in when smoothing).
    virtual HRESULT MoveTo(const D3DXVECTOR2* target) = 0;
    virtual HRESULT Move(const D3DXVECTOR2* delta, bool update) = 0;
    virtual HRESULT Zoom(float delta, bool update) = 0;
    virtual HRESULT SetZoom(float distance, bool update) = 0;
    virtual void SetViewport(const D3DVIEWPORT9* viewport) = 0;
    virtual D3DVIEWPORT9* GetViewport(D3DVIEWPORT9* out) = 0;
    // Updates, then sets the device's view and projection transforms.
    virtual HRESULT Apply(IDirect3DDevice9* device) = 0;
    virtual HRESULT Update(float elapsed) = 0;
    virtual float GetAspect() = 0;
    // Looks straight down with the default heading; takes effect at the next update.
    virtual void ResetOrientation() = 0;
    virtual void SetOrthographic(bool orthographic) = 0;
    virtual void SetFOV(float fov) = 0;
    virtual float GetFOV() = 0;
    // A zoom below the minimum is clamped to the minimum plus 0.1.
    virtual void SetZoomRange(float minZoom, float maxZoom) = 0;
    virtual float GetMinZoom() = 0;
    virtual float GetMaxZoom() = 0;
    // 1 at the minimum zoom, 0 at the maximum.
    virtual float GetZoomFraction() = 0;
    virtual float GetZoom() = 0;
    virtual void SetPitchRange(float minPitch, float maxPitch) = 0;
    virtual void SetFreeMode(bool freeMode) = 0;
    virtual HRESULT SetFreeView(const D3DXVECTOR3* eye, const D3DXVECTOR3* direction) = 0;
    virtual D3DXVECTOR3* GetEyePt(D3DXVECTOR3* out) = 0;
    virtual D3DXVECTOR3* GetLookatPt(D3DXVECTOR3* out) = 0;
    // The view matrix for D3DTS_VIEW, the projection for D3DTS_PROJECTION, else null.
    virtual const D3DXMATRIX* GetTransform(D3DTRANSFORMSTATETYPE type) = 0;
    // A time of 0 or less means 0.1 seconds.
    virtual void SetSmoothing(bool on, float time) = 0;
    // Drops every pending move, turn and zoom.
    virtual HRESULT StopMotion() = 0;
    virtual bool IsSmoothing() = 0;
    virtual float GetPitch() = 0;
    virtual float GetYaw() = 0;
    virtual float GetTargetX() = 0;
    virtual float GetTargetY() = 0;

protected:
    ~ICamera() = default;
};
