// ID3DXMatrixStack: a vector of matrices whose last element is the top.
#pragma once

#include <d3dx9math.h>

#include <atomic>
#include <vector>

namespace vestra::d3dx9 {

class CMatrixStack final : public ID3DXMatrixStack {
public:
    CMatrixStack();

    STDMETHOD(QueryInterface)(REFIID riid, LPVOID* ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    STDMETHOD(Pop)() override;
    STDMETHOD(Push)() override;
    STDMETHOD(LoadIdentity)() override;
    STDMETHOD(LoadMatrix)(CONST D3DXMATRIX* pM) override;
    STDMETHOD(MultMatrix)(CONST D3DXMATRIX* pM) override;
    STDMETHOD(MultMatrixLocal)(CONST D3DXMATRIX* pM) override;
    STDMETHOD(RotateAxis)(CONST D3DXVECTOR3* pV, FLOAT Angle) override;
    STDMETHOD(RotateAxisLocal)(CONST D3DXVECTOR3* pV, FLOAT Angle) override;
    STDMETHOD(RotateYawPitchRoll)(FLOAT Yaw, FLOAT Pitch, FLOAT Roll) override;
    STDMETHOD(RotateYawPitchRollLocal)(FLOAT Yaw, FLOAT Pitch, FLOAT Roll) override;
    STDMETHOD(Scale)(FLOAT x, FLOAT y, FLOAT z) override;
    STDMETHOD(ScaleLocal)(FLOAT x, FLOAT y, FLOAT z) override;
    STDMETHOD(Translate)(FLOAT x, FLOAT y, FLOAT z) override;
    STDMETHOD(TranslateLocal)(FLOAT x, FLOAT y, FLOAT z) override;
    STDMETHOD_(D3DXMATRIX*, GetTop)() override;

private:
    ~CMatrixStack() = default;

    // top = top * m (m applied after the current transform).
    HRESULT Append(const D3DXMATRIX& m);
    // top = m * top (m applied first, in the local frame of the current transform).
    HRESULT Prepend(const D3DXMATRIX& m);

    std::atomic<ULONG> m_refCount{1};
    std::vector<D3DXMATRIX> m_stack;
};

}  // namespace vestra::d3dx9
