#include "d3d9/Surface.h"

#include "d3d9/Device.h"
#include "d3d9/SurfaceOps.h"
#include "formats/FormatInfo.h"

namespace vestra::d3d9 {

CSurface::CSurface(CDevice* device, ChildKind kind, const D3DSURFACE_DESC& desc, bool lockable, IUnknown* container)
    : ResourceImpl(device, kind, desc.Pool, D3DRTYPE_SURFACE), desc_(desc), lockable_(lockable), container_(container) {
    Allocate();
}

CSurface::CSurface(CDevice* device, DeviceChild* owner, const D3DSURFACE_DESC& desc, bool lockable,
                   IUnknown* container)
    : ResourceImpl(device, owner, desc.Pool, D3DRTYPE_SURFACE), desc_(desc), lockable_(lockable), container_(container) {
    Allocate();
}

void CSurface::Allocate() {
    desc_.Type = D3DRTYPE_SURFACE;
    pitch_ = formats::RowPitch(desc_.Format, desc_.Width);
    bits_.assign(formats::SurfaceSize(desc_.Format, desc_.Width, desc_.Height), 0);
}

HRESULT CSurface::GetContainer(REFIID riid, void** container) {
    if (!container) return D3DERR_INVALIDCALL;
    IUnknown* target = container_ ? container_ : static_cast<IUnknown*>(Device());
    return target->QueryInterface(riid, container);
}

HRESULT CSurface::GetDesc(D3DSURFACE_DESC* desc) {
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = desc_;
    return D3D_OK;
}

bool LockOffset(const D3DSURFACE_DESC& desc, UINT pitch, const RECT* rect, size_t& offset) {
    offset = 0;
    if (!rect) return true;
    const formats::FormatInfo& info = formats::GetFormatInfo(desc.Format);
    RECT checked;
    if (!RectInside(rect, desc.Width, desc.Height, info.blockCompressed, checked)) return false;
    if (info.blockCompressed)
        offset = static_cast<size_t>(rect->top / 4) * pitch + static_cast<size_t>(rect->left / 4) * info.blockBytes;
    else
        offset = static_cast<size_t>(rect->top) * pitch + static_cast<size_t>(rect->left) * info.bitsPerPixel / 8;
    return true;
}

HRESULT CSurface::LockRect(D3DLOCKED_RECT* lockedRect, CONST RECT* rect, DWORD flags) {
    if (!lockedRect || !lockable_ || locked_) return D3DERR_INVALIDCALL;
    size_t offset;
    if (!LockOffset(desc_, pitch_, rect, offset)) return D3DERR_INVALIDCALL;
    Device()->FlushDraws();
    lockedRect->Pitch = static_cast<INT>(pitch_);
    lockedRect->pBits = bits_.data() + offset;
    locked_ = true;
    lockedReadOnly_ = (flags & D3DLOCK_READONLY) != 0;
    return D3D_OK;
}

HRESULT CSurface::UnlockRect() {
    if (!locked_) return D3DERR_INVALIDCALL;
    locked_ = false;
    if (!lockedReadOnly_) ++version_;
    return D3D_OK;
}

HRESULT CSurface::GetDC(HDC*) { return D3DERR_INVALIDCALL; }
HRESULT CSurface::ReleaseDC(HDC) { return D3DERR_INVALIDCALL; }

}  // namespace vestra::d3d9
