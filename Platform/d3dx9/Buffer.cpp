#include "Buffer.h"

#include <new>

namespace vestra::d3dx9 {

CBuffer::CBuffer(DWORD size) : m_bytes(size) {}

STDMETHODIMP CBuffer::QueryInterface(REFIID riid, LPVOID* ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ID3DXBuffer) {
        *ppv = static_cast<ID3DXBuffer*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CBuffer::AddRef() { return ++m_refCount; }

STDMETHODIMP_(ULONG) CBuffer::Release() {
    const ULONG count = --m_refCount;
    if (count == 0) delete this;
    return count;
}

// An empty buffer has no storage; callers get NULL rather than a dangling pointer.
STDMETHODIMP_(LPVOID) CBuffer::GetBufferPointer() { return m_bytes.empty() ? nullptr : m_bytes.data(); }

STDMETHODIMP_(DWORD) CBuffer::GetBufferSize() { return (DWORD)m_bytes.size(); }

}  // namespace vestra::d3dx9

HRESULT WINAPI D3DXCreateBuffer(DWORD NumBytes, LPD3DXBUFFER* ppBuffer) {
    if (!ppBuffer) return D3DERR_INVALIDCALL;
    try {
        *ppBuffer = new vestra::d3dx9::CBuffer(NumBytes);
    } catch (const std::bad_alloc&) {
        *ppBuffer = nullptr;
        return E_OUTOFMEMORY;
    }
    return S_OK;
}
