// IBackground: the screen rectangle and texture-coordinate transform of a background node
// (CreateBackground). Queried from the node with IID_IBackground.
#pragma once
#include <d3dx9.h>
#include "CoreUnknown.h"

class IBackground : public ICoreUnknown {
public:
    // Moves the corners to the rectangle (pixels, shifted half a pixel up and left so texels
    // fall on pixel centres); texture coordinates are kept. E_POINTER for null.
    virtual HRESULT SetRect(const RECT* rect) = 0;
    // The corners' texture coordinates become the upright unit square transformed by
    // `matrix` (a scale tiles the image, a translation scrolls it); positions are kept.
    // E_POINTER for null.
    virtual HRESULT SetTextureTransform(const D3DXMATRIX* matrix) = 0;
    // Unused slot, kept for binary layout: always E_NOTIMPL.
    virtual HRESULT Reserved(void* argument) = 0;
    virtual const D3DXMATRIX* GetTextureTransform() = 0;

protected:
    ~IBackground() = default;
};
