// IDirect3DSurface9: a 2D image in plain heap memory. Stand-alone surfaces (render targets,
// depth-stencil and off-screen plain surfaces, the back buffer) count their own
// references; the levels of a texture and the faces of a cube texture are parts of it.
#pragma once

#include <vector>

#include "d3d9/ResourceImpl.h"

namespace vestra::d3d9 {

class CSurface final : public ResourceImpl<IDirect3DSurface9> {
public:
    // container answers GetContainer; null means the device.
    CSurface(CDevice* device, ChildKind kind, const D3DSURFACE_DESC& desc, bool lockable, IUnknown* container);
    CSurface(CDevice* device, DeviceChild* owner, const D3DSURFACE_DESC& desc, bool lockable, IUnknown* container);

    STDMETHOD(GetContainer)(REFIID riid, void** container) override;
    STDMETHOD(GetDesc)(D3DSURFACE_DESC* desc) override;
    STDMETHOD(LockRect)(D3DLOCKED_RECT* lockedRect, CONST RECT* rect, DWORD flags) override;
    STDMETHOD(UnlockRect)() override;
    // No GDI on this platform.
    STDMETHOD(GetDC)(HDC* hdc) override;
    STDMETHOD(ReleaseDC)(HDC hdc) override;

    const D3DSURFACE_DESC& Desc() const { return desc_; }
    // Writable access counts as a change: the version tells derived copies (the converted
    // texels the rasterizer samples) when they are stale.
    BYTE* Bits() {
        ++version_;
        return bits_.data();
    }
    const BYTE* Bits() const { return bits_.data(); }
    UINT64 Version() const { return version_; }
    // Exchanges the memory behind the surface with `other`, which must be as large: a flip
    // moves the frame without copying it and without touching the surface objects hosts hold.
    void SwapBits(std::vector<BYTE>& other) {
        bits_.swap(other);
        ++version_;
    }
    size_t ByteSize() const { return bits_.size(); }
    UINT Pitch() const { return pitch_; }
    bool IsLocked() const { return locked_; }
    // A level of a texture or a face of a cube texture.
    bool InTexture() const { return dynamic_cast<IDirect3DBaseTexture9*>(container_) != nullptr; }

private:
    bool Implements(REFIID riid) const override { return riid == IID_IDirect3DSurface9; }
    void Allocate();

    D3DSURFACE_DESC desc_;
    bool lockable_;
    IUnknown* container_;
    UINT pitch_ = 0;
    std::vector<BYTE> bits_;
    bool locked_ = false;
    bool lockedReadOnly_ = false;
    UINT64 version_ = 0;
};

// Checks a lock rectangle against a surface (inside, not empty, on block boundaries for
// DXTn) and gives the byte offset of its first texel.
bool LockOffset(const D3DSURFACE_DESC& desc, UINT pitch, const RECT* rect, size_t& offset);

}  // namespace vestra::d3d9
