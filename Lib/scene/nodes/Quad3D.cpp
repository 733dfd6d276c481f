#include "scene/nodes/Quad3D.h"

C3DQuad::C3DQuad() : vertices(new LITVERTEX[4]())
{
    // Upright image in strip order: bottom-left, top-left, bottom-right, top-right.
    const float uv[4][2] = {{0.0f, 1.0f}, {0.0f, 0.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}};
    for (int i = 0; i < 4; ++i) {
        vertices[i].tu = uv[i][0];
        vertices[i].tv = uv[i][1];
    }
}

C3DQuad::~C3DQuad()
{
    delete[] vertices;
}

bool C3DQuad::QueryInterface(const GUID& id, void** out)
{
    *out = nullptr;
    if (IsEqualGUID(id, IID_I3DQuad) || IsEqualGUID(id, IID_ICoreUnknown)) {
        *out = static_cast<I3DQuad*>(this);
        AddRef();
    }
    return *out != nullptr;
}

ULONG C3DQuad::AddRef()
{
    return CCoreRefCount::AddRef();
}

ULONG C3DQuad::Release()
{
    return CCoreRefCount::Release();
}

HRESULT C3DQuad::SetSize(const D3DXVECTOR2* newSize)
{
    if (newSize == nullptr) {
        return E_POINTER;
    }
    size = *newSize;
    return Build(false);
}

D3DXVECTOR2* C3DQuad::GetSize(D3DXVECTOR2* out)
{
    if (out != nullptr) {
        *out = size;
    }
    return out;
}

D3DCOLOR C3DQuad::SetColor(D3DCOLOR color)
{
    for (int i = 0; i < 4; ++i) {
        vertices[i].color = color;
    }
    return color;
}

HRESULT C3DQuad::Build(bool centered)
{
    const float hw = 0.5f * size.x;
    const float hh = 0.5f * size.y;
    const float bottom = centered ? -hh : 0.0f;
    const float top = centered ? hh : 2.0f * hh;
    const float corners[4][2] = {{-hw, bottom}, {-hw, top}, {hw, bottom}, {hw, top}};
    for (int i = 0; i < 4; ++i) {
        vertices[i].position = D3DXVECTOR3(corners[i][0], corners[i][1], 0.0f);
    }
    return S_OK;
}

HRESULT C3DQuad::Render(IDirect3DDevice9* device)
{
    const HRESULT hr = device->SetFVF(LITVERTEX::FVF);
    if (FAILED(hr)) {
        return hr;
    }
    return device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, sizeof(LITVERTEX));
}
