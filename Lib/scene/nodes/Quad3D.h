// C3DQuad: the engine's I3DQuad. It holds no device objects, so device loss needs nothing.
#pragma once
#include "I3DQuad.h"
#include "Vertices.h"
#include "core/CoreRefCount.h"

class C3DQuad : public CCoreRefCount, public I3DQuad {
public:
    C3DQuad();
    ~C3DQuad() override;
    C3DQuad(const C3DQuad&) = delete;
    C3DQuad& operator=(const C3DQuad&) = delete;

    bool QueryInterface(const GUID& id, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT SetSize(const D3DXVECTOR2* size) override;
    D3DXVECTOR2* GetSize(D3DXVECTOR2* out) override;
    D3DCOLOR SetColor(D3DCOLOR color) override;
    HRESULT Build(bool centered) override;
    HRESULT Render(IDirect3DDevice9* device) override;

    const LITVERTEX* Vertices() const { return vertices; }

private:
    LITVERTEX* vertices;
    D3DXVECTOR2 size{0.0f, 0.0f};
};
