// IColoredNode: the colour of a drawable node (quads, billboards, bitstrip nodes and
// backgrounds expose it beside ISceneNode). Queried from the node with IID_IColoredNode;
// its QueryInterface, AddRef and Release act on the node's single reference count.
#pragma once
#include <d3dx9.h>
#include "CoreUnknown.h"

class IColoredNode : public ICoreUnknown {
public:
    // Stores the colour and repaints every corner. A null colour is refused and changes
    // nothing (E_POINTER on quads and billboards, E_INVALIDARG on backgrounds, which also
    // refuse an index other than 0). Quads and billboards ignore the index.
    virtual HRESULT SetColor(int index, const D3DXCOLOR* color) = 0;
    // Copies the stored colour to `out` when given; always returns the stored colour.
    virtual const D3DXCOLOR* GetColor(int index, D3DXCOLOR* out) = 0;
    // Every node type has one colour.
    virtual int GetColorCount() = 0;

protected:
    ~IColoredNode() = default;
};
