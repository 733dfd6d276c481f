#include "MatrixStack.h"

#include <new>

#include <d3d9.h>

namespace vestra::d3dx9 {

CMatrixStack::CMatrixStack() {
    m_stack.emplace_back();
    D3DXMatrixIdentity(&m_stack.back());
}

STDMETHODIMP CMatrixStack::QueryInterface(REFIID riid, LPVOID* ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ID3DXMatrixStack) {
        *ppv = static_cast<ID3DXMatrixStack*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CMatrixStack::AddRef() { return ++m_refCount; }

STDMETHODIMP_(ULONG) CMatrixStack::Release() {
    const ULONG count = --m_refCount;
    if (count == 0) delete this;
    return count;
}

// The last entry is never removed, so GetTop always has something to return.
STDMETHODIMP CMatrixStack::Pop() {
    if (m_stack.size() > 1) m_stack.pop_back();
    return S_OK;
}

STDMETHODIMP CMatrixStack::Push() {
    try {
        const D3DXMATRIX top = m_stack.back();  // push_back may reallocate under a reference.
        m_stack.push_back(top);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP CMatrixStack::LoadIdentity() {
    D3DXMatrixIdentity(&m_stack.back());
    return S_OK;
}

STDMETHODIMP CMatrixStack::LoadMatrix(CONST D3DXMATRIX* pM) {
    if (!pM) return D3DERR_INVALIDCALL;
    m_stack.back() = *pM;
    return S_OK;
}

STDMETHODIMP CMatrixStack::MultMatrix(CONST D3DXMATRIX* pM) { return pM ? Append(*pM) : D3DERR_INVALIDCALL; }

STDMETHODIMP CMatrixStack::MultMatrixLocal(CONST D3DXMATRIX* pM) { return pM ? Prepend(*pM) : D3DERR_INVALIDCALL; }

STDMETHODIMP CMatrixStack::RotateAxis(CONST D3DXVECTOR3* pV, FLOAT Angle) {
    if (!pV) return D3DERR_INVALIDCALL;
    D3DXMATRIX m;
    return Append(*D3DXMatrixRotationAxis(&m, pV, Angle));
}

STDMETHODIMP CMatrixStack::RotateAxisLocal(CONST D3DXVECTOR3* pV, FLOAT Angle) {
    if (!pV) return D3DERR_INVALIDCALL;
    D3DXMATRIX m;
    return Prepend(*D3DXMatrixRotationAxis(&m, pV, Angle));
}

STDMETHODIMP CMatrixStack::RotateYawPitchRoll(FLOAT Yaw, FLOAT Pitch, FLOAT Roll) {
    D3DXMATRIX m;
    return Append(*D3DXMatrixRotationYawPitchRoll(&m, Yaw, Pitch, Roll));
}

STDMETHODIMP CMatrixStack::RotateYawPitchRollLocal(FLOAT Yaw, FLOAT Pitch, FLOAT Roll) {
    D3DXMATRIX m;
    return Prepend(*D3DXMatrixRotationYawPitchRoll(&m, Yaw, Pitch, Roll));
}

STDMETHODIMP CMatrixStack::Scale(FLOAT x, FLOAT y, FLOAT z) {
    D3DXMATRIX m;
    return Append(*D3DXMatrixScaling(&m, x, y, z));
}

STDMETHODIMP CMatrixStack::ScaleLocal(FLOAT x, FLOAT y, FLOAT z) {
    D3DXMATRIX m;
    return Prepend(*D3DXMatrixScaling(&m, x, y, z));
}

STDMETHODIMP CMatrixStack::Translate(FLOAT x, FLOAT y, FLOAT z) {
    D3DXMATRIX m;
    return Append(*D3DXMatrixTranslation(&m, x, y, z));
}

STDMETHODIMP CMatrixStack::TranslateLocal(FLOAT x, FLOAT y, FLOAT z) {
    D3DXMATRIX m;
    return Prepend(*D3DXMatrixTranslation(&m, x, y, z));
}

STDMETHODIMP_(D3DXMATRIX*) CMatrixStack::GetTop() { return &m_stack.back(); }

HRESULT CMatrixStack::Append(const D3DXMATRIX& m) {
    D3DXMatrixMultiply(&m_stack.back(), &m_stack.back(), &m);
    return S_OK;
}

HRESULT CMatrixStack::Prepend(const D3DXMATRIX& m) {
    D3DXMatrixMultiply(&m_stack.back(), &m, &m_stack.back());
    return S_OK;
}

}  // namespace vestra::d3dx9

// Flags is reserved and ignored.
HRESULT WINAPI D3DXCreateMatrixStack(DWORD Flags, LPD3DXMATRIXSTACK* ppStack) {
    (void)Flags;
    if (!ppStack) return D3DERR_INVALIDCALL;
    *ppStack = new vestra::d3dx9::CMatrixStack();
    return S_OK;
}
