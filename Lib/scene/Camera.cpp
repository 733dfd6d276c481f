#include "scene/Camera.h"

#include <cmath>
#include <cstring>

namespace {

constexpr float TwoPi = 6.2831855f;

// The world matrix of projection and unprojection: camera math works in world space.
const D3DXMATRIX& Identity()
{
    static const D3DXMATRIX identity(1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,
                                     0.0f, 0.0f, 1.0f);
    return identity;
}

D3DXVECTOR3 Transformed(const D3DXVECTOR3& v, const D3DXMATRIX& m)
{
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &v, &m);
    return out;
}

} // namespace

CCamera::CCamera() : pendingMove(0.0f, 0.0f), freeEye(0.0f, 0.0f, 0.0f), freeDirection(0.0f, 0.0f, 0.0f)
{
    std::memset(&viewport, 0, sizeof(viewport));
}

void CCamera::SetYUp(bool newYUp)
{
    yUp = newYUp;
}

HRESULT CCamera::Project(D3DXVECTOR2* out, const D3DXVECTOR3* point)
{
    if (out == nullptr || point == nullptr) {
        return E_POINTER;
    }
    D3DXVECTOR3 screen;
    D3DXVec3Project(&screen, point, &viewport, &projMatrix, &viewMatrix, &Identity());
    *out = D3DXVECTOR2(screen.x, screen.y);
    return S_OK;
}

HRESULT CCamera::ScreenToGround(const POINT* screen, D3DXVECTOR2* out)
{
    if (screen == nullptr || out == nullptr) {
        return E_POINTER;
    }
    if (orthographic) {
        return ScreenToGroundOrtho(screen, out);
    }
    D3DXVECTOR3 origin;
    D3DXVECTOR3 direction;
    const HRESULT hr = GetPickRay(screen->x, screen->y, &origin, &direction);
    if (FAILED(hr)) {
        return hr;
    }
    const D3DXVECTOR3 rayEnd = origin + direction * farPlane;
    const D3DXPLANE ground = GroundPlane();
    D3DXVECTOR3 hit;
    if (D3DXPlaneIntersectLine(&hit, &ground, &origin, &rayEnd) == nullptr) {
        return E_FAIL;
    }
    *out = GroundCoordinates(hit);
    return S_OK;
}

HRESULT CCamera::ScreenToGroundOrtho(const POINT* screen, D3DXVECTOR2* out)
{
    if (screen == nullptr || out == nullptr) {
        return E_POINTER;
    }
    const D3DXVECTOR3 screenPoint(static_cast<float>(screen->x), static_cast<float>(screen->y), 0.0f);
    D3DXVECTOR3 start;
    D3DXVec3Unproject(&start, &screenPoint, &viewport, &projMatrix, &viewMatrix, &Identity());
    D3DXMATRIX cameraToWorld;
    D3DXMatrixInverse(&cameraToWorld, nullptr, &viewMatrix);
    const D3DXVECTOR3 forward(cameraToWorld._31, cameraToWorld._32, cameraToWorld._33);
    const D3DXVECTOR3 end = start + forward;
    const D3DXPLANE ground = GroundPlane();
    D3DXVECTOR3 hit;
    if (D3DXPlaneIntersectLine(&hit, &ground, &start, &end) == nullptr) {
        *out = GroundCoordinates(start);
        return E_FAIL;
    }
    *out = GroundCoordinates(hit);
    return S_OK;
}

HRESULT CCamera::GetPickRay(int x, int y, D3DXVECTOR3* origin, D3DXVECTOR3* direction)
{
    if (origin == nullptr || direction == nullptr) {
        return E_POINTER;
    }
    const float vx = (2.0f * static_cast<float>(x) / static_cast<float>(viewport.Width) - 1.0f) / projMatrix._11;
    const float vy = -(2.0f * static_cast<float>(y) / static_cast<float>(viewport.Height) - 1.0f) / projMatrix._22;
    const float vz = 1.0f;
    D3DXMATRIX m;
    D3DXMatrixInverse(&m, nullptr, &viewMatrix);
    direction->x = vx * m._11 + vy * m._21 + vz * m._31;
    direction->y = vx * m._12 + vy * m._22 + vz * m._32;
    direction->z = vx * m._13 + vy * m._23 + vz * m._33;
    *origin = D3DXVECTOR3(m._41, m._42, m._43);
    return S_OK;
}

void CCamera::Rotate(float dPitch, float dYaw, bool update)
{
    pendingPitch += dPitch;
    pendingYaw += dYaw;
    if (update) {
        Update(0.0f);
    }
}

HRESULT CCamera::SetTarget(const D3DXVECTOR2* target)
{
    if (target == nullptr) {
        return E_POINTER;
    }
    targetX = target->x;
    targetY = target->y;
    return Update(0.0f);
}

HRESULT CCamera::MoveTo(const D3DXVECTOR2* target)
{
    if (target == nullptr) {
        return E_POINTER;
    }
    const D3DXVECTOR2 delta(target->x - targetX - pendingMove.x, target->y - targetY - pendingMove.y);
    return Move(&delta, true);
}

HRESULT CCamera::Move(const D3DXVECTOR2* delta, bool update)
{
    if (delta == nullptr) {
        return E_POINTER;
    }
    pendingMove += *delta;
    return update ? Update(0.0f) : S_OK;
}

HRESULT CCamera::Zoom(float delta, bool update)
{
    pendingZoom += delta;
    return update ? Update(0.0f) : S_OK;
}

HRESULT CCamera::SetZoom(float distance, bool update)
{
    pendingZoom = 0.0f;
    zoom = distance;
    return update ? Update(0.0f) : S_OK;
}

void CCamera::SetViewport(const D3DVIEWPORT9* newViewport)
{
    if (newViewport == nullptr) {
        return;
    }
    viewport = *newViewport;
    nearPlane = newViewport->MinZ;
    farPlane = newViewport->MaxZ;
    viewport.MinZ = 0.0f;
    viewport.MaxZ = 1.0f;
    aspect = static_cast<float>(newViewport->Width) / static_cast<float>(newViewport->Height);
}

D3DVIEWPORT9* CCamera::GetViewport(D3DVIEWPORT9* out)
{
    if (out != nullptr) {
        *out = viewport;
    }
    return out;
}

HRESULT CCamera::Apply(IDirect3DDevice9* device)
{
    if (device == nullptr) {
        return E_POINTER;
    }
    Update(0.0f);
    device->SetTransform(D3DTS_VIEW, &viewMatrix);
    return device->SetTransform(D3DTS_PROJECTION, &projMatrix);
}

HRESULT CCamera::Update(float elapsed)
{
    ApplyPending(elapsed);
    Clamp();
    PlaceEye();
    BuildProjection();
    return S_OK;
}

void CCamera::ApplyPending(float elapsed)
{
    if (!smoothing) {
        targetX += pendingMove.x;
        targetY += pendingMove.y;
        pitch += pendingPitch;
        yaw += pendingYaw;
        zoom += pendingZoom;
        pendingMove = D3DXVECTOR2(0.0f, 0.0f);
        pendingPitch = pendingYaw = pendingZoom = 0.0f;
        return;
    }
    // Each update uses up the same fraction of what is pending, so a move decays
    // geometrically towards its end.
    float fraction = elapsed / smoothingTime;
    if (fraction > 1.0f) {
        fraction = 1.0f;
    }
    auto ease = [fraction](float& value, float& pending) {
        const float step = fraction * pending;
        pending -= step;
        value += step;
    };
    ease(targetX, pendingMove.x);
    ease(targetY, pendingMove.y);
    ease(pitch, pendingPitch);
    ease(yaw, pendingYaw);
    ease(zoom, pendingZoom);
}

void CCamera::Clamp()
{
    if (pitch < minPitch) {
        pitch = minPitch;
    }
    if (pitch > maxPitch) {
        pitch = maxPitch;
    }
    if (yaw < 0.0f) {
        yaw += TwoPi;
    }
    if (yaw > TwoPi) {
        yaw -= TwoPi;
    }
    // Clamping to just above the minimum keeps the eye off the target itself.
    if (zoom < minZoom) {
        zoom = minZoom + 0.1f;
    } else if (zoom > maxZoom) {
        zoom = maxZoom;
    }
}

void CCamera::PlaceEye()
{
    D3DXVECTOR3 eye(zoom, 0.0f, 0.0f);
    D3DXVECTOR3 lookat(0.0f, 0.0f, 0.0f);
    D3DXVECTOR3 up = yUp ? D3DXVECTOR3(0.0f, 1.0f, 0.0f) : D3DXVECTOR3(0.0f, 0.0f, -1.0f);

    if (freeMode) {
        eye = freeEye;
        lookat = freeEye + freeDirection;
        // Looking along the up vector leaves the look-at matrix without a sideways axis.
        if (std::fabs(D3DXVec3Dot(&up, &freeDirection)) > 0.99f) {
            up = D3DXVECTOR3(0.0f, 0.0f, 1.0f);
        }
    } else {
        D3DXMATRIX elevation;
        D3DXMATRIX heading;
        D3DXMATRIX translation;
        if (yUp) {
            D3DXMatrixRotationZ(&elevation, pitch);
            D3DXMatrixRotationY(&heading, -yaw);
            D3DXMatrixTranslation(&translation, targetX, 0.0f, targetY);
        } else {
            D3DXMatrixRotationY(&elevation, pitch);
            D3DXMatrixRotationZ(&heading, yaw);
            D3DXMatrixTranslation(&translation, targetX, targetY, 0.0f);
        }
        eye = Transformed(Transformed(eye, elevation), heading);
        up = Transformed(Transformed(up, elevation), heading);
        eye = Transformed(eye, translation);
        lookat = Transformed(lookat, translation);
    }
    SetViewParams(eye, lookat, up);
}

void CCamera::BuildProjection()
{
    if (!orthographic) {
        SetProjParams(fov, aspect, nearPlane, farPlane);
        return;
    }
    const float width = std::tan(fov / 2.0f) * (zoom - (farPlane - nearPlane) / 2.0f);
    const float ratio = static_cast<float>(viewport.Width) / static_cast<float>(viewport.Height);
    D3DXMatrixOrthoLH(&projMatrix, width, width / ratio, nearPlane, farPlane);
}

D3DXPLANE CCamera::GroundPlane() const
{
    return yUp ? D3DXPLANE(0.0f, 1.0f, 0.0f, 0.0f) : D3DXPLANE(0.0f, 0.0f, -1.0f, 0.0f);
}

D3DXVECTOR2 CCamera::GroundCoordinates(const D3DXVECTOR3& point) const
{
    return yUp ? D3DXVECTOR2(point.x, point.z) : D3DXVECTOR2(point.x, point.y);
}

float CCamera::GetAspect()
{
    return aspect;
}

void CCamera::ResetOrientation()
{
    pitch = 1.5707964f;
    yaw = -1.5707964f;
}

void CCamera::SetOrthographic(bool newOrthographic)
{
    orthographic = newOrthographic;
    Update(0.0f);
}

void CCamera::SetFOV(float newFov)
{
    fov = newFov;
    SetProjParams(fov, aspect, nearPlane, farPlane);
}

float CCamera::GetFOV()
{
    return fov;
}

void CCamera::SetZoomRange(float newMin, float newMax)
{
    minZoom = newMin;
    maxZoom = newMax;
    Zoom(0.0f, true);
}

float CCamera::GetMinZoom()
{
    return minZoom;
}

float CCamera::GetMaxZoom()
{
    return maxZoom;
}

float CCamera::GetZoomFraction()
{
    return 1.0f - (zoom - minZoom) / (maxZoom - minZoom);
}

float CCamera::GetZoom()
{
    return zoom;
}

void CCamera::SetPitchRange(float newMin, float newMax)
{
    minPitch = newMin;
    maxPitch = newMax;
    Rotate(0.0f, 0.0f, true);
}

void CCamera::SetFreeMode(bool newFreeMode)
{
    freeMode = newFreeMode;
}

HRESULT CCamera::SetFreeView(const D3DXVECTOR3* eye, const D3DXVECTOR3* direction)
{
    if (eye == nullptr || direction == nullptr) {
        return E_POINTER;
    }
    freeEye = *eye;
    freeDirection = *direction;
    return Update(0.0f);
}

D3DXVECTOR3* CCamera::GetEyePt(D3DXVECTOR3* out)
{
    if (out != nullptr) {
        *out = eyePt;
    }
    return out;
}

D3DXVECTOR3* CCamera::GetLookatPt(D3DXVECTOR3* out)
{
    if (out != nullptr) {
        *out = lookatPt;
    }
    return out;
}

const D3DXMATRIX* CCamera::GetTransform(D3DTRANSFORMSTATETYPE type)
{
    if (type == D3DTS_VIEW) {
        return &viewMatrix;
    }
    if (type == D3DTS_PROJECTION) {
        return &projMatrix;
    }
    return nullptr;
}

void CCamera::SetSmoothing(bool on, float time)
{
    smoothing = on;
    smoothingTime = time > 0.0f ? time : 0.1f;
}

HRESULT CCamera::StopMotion()
{
    pendingMove = D3DXVECTOR2(0.0f, 0.0f);
    pendingPitch = pendingYaw = pendingZoom = 0.0f;
    return S_OK;
}

bool CCamera::IsSmoothing()
{
    return smoothing;
}

float CCamera::GetPitch()
{
    return pitch;
}

float CCamera::GetYaw()
{
    return yaw;
}

float CCamera::GetTargetX()
{
    return targetX;
}

float CCamera::GetTargetY()
{
    return targetY;
}
