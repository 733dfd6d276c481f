// Copies between surfaces and textures, colour fills and Clear.
#include <algorithm>

#include "d3d9/CubeTexture.h"
#include "d3d9/Device.h"
#include "d3d9/SurfaceOps.h"
#include "d3d9/SwapChain.h"
#include "d3d9/Texture.h"
#include "d3d9/VolumeTexture.h"
#include "formats/FormatInfo.h"
#include "formats/PixelConvert.h"

namespace vestra::d3d9 {

namespace {

bool IsBlockFormat(D3DFORMAT format) { return formats::GetFormatInfo(format).blockCompressed; }

bool SameSize(const D3DSURFACE_DESC& a, const D3DSURFACE_DESC& b) { return a.Width == b.Width && a.Height == b.Height; }

void CopyWhole(const CSurface& source, CSurface& destination) {
    const RECT all{0, 0, static_cast<LONG>(source.Desc().Width), static_cast<LONG>(source.Desc().Height)};
    CopyRect(source, all, destination, POINT{0, 0});
}

RECT Intersect(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

// Copies the levels of `source` that match the destination's levels in size, starting at
// the source level as large as the destination's top level.
template <class Level>
bool CopyLevels(UINT sourceLevels, UINT destLevels, Level level) {
    for (UINT first = 0; first < sourceLevels; ++first) {
        if (!level(first, 0, false)) continue;
        if (sourceLevels - first < destLevels) return false;
        for (UINT i = 0; i < destLevels; ++i)
            if (!level(first + i, i, false)) return false;
        for (UINT i = 0; i < destLevels; ++i) level(first + i, i, true);
        return true;
    }
    return false;
}

}  // namespace

HRESULT CDevice::UpdateSurface(IDirect3DSurface9* source, CONST RECT* sourceRect, IDirect3DSurface9* destination,
                               CONST POINT* destPoint) {
    FlushDraws();
    CSurface* from = SurfaceOf(source);
    CSurface* to = SurfaceOf(destination);
    if (!from || !to || from->IsLocked() || to->IsLocked()) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC& s = from->Desc();
    const D3DSURFACE_DESC& d = to->Desc();
    if (s.Pool != D3DPOOL_SYSTEMMEM || d.Pool != D3DPOOL_DEFAULT || s.Format != d.Format ||
        (d.Usage & D3DUSAGE_DEPTHSTENCIL))
        return D3DERR_INVALIDCALL;
    const bool blocks = IsBlockFormat(s.Format);
    RECT rect;
    if (!RectInside(sourceRect, s.Width, s.Height, blocks, rect)) return D3DERR_INVALIDCALL;
    const POINT at = destPoint ? *destPoint : POINT{0, 0};
    const RECT target{at.x, at.y, at.x + (rect.right - rect.left), at.y + (rect.bottom - rect.top)};
    RECT checked;
    if (!RectInside(&target, d.Width, d.Height, blocks, checked)) return D3DERR_INVALIDCALL;
    CopyRect(*from, rect, *to, at);
    return D3D_OK;
}

HRESULT CDevice::UpdateTexture(IDirect3DBaseTexture9* source, IDirect3DBaseTexture9* destination) {
    FlushDraws();
    DeviceChild* from = FromInterface<DeviceChild>(this, source);
    DeviceChild* to = FromInterface<DeviceChild>(this, destination);
    if (!from || !to || from->Pool() != D3DPOOL_SYSTEMMEM || to->Pool() != D3DPOOL_DEFAULT) return D3DERR_INVALIDCALL;
    if (source->GetType() != destination->GetType()) return D3DERR_INVALIDCALL;

    if (auto* s = dynamic_cast<CTexture*>(from)) {
        auto* d = dynamic_cast<CTexture*>(to);
        if (s->Format() != d->Format()) return D3DERR_INVALIDCALL;
        const bool ok = CopyLevels(s->Levels(), d->Levels(), [&](UINT sl, UINT dl, bool copy) {
            if (!SameSize(s->Level(sl)->Desc(), d->Level(dl)->Desc())) return false;
            if (copy) CopyWhole(*s->Level(sl), *d->Level(dl));
            return true;
        });
        return ok ? D3D_OK : D3DERR_INVALIDCALL;
    }
    if (auto* s = dynamic_cast<CCubeTexture*>(from)) {
        auto* d = dynamic_cast<CCubeTexture*>(to);
        if (s->Format() != d->Format()) return D3DERR_INVALIDCALL;
        const bool ok = CopyLevels(s->Levels(), d->Levels(), [&](UINT sl, UINT dl, bool copy) {
            if (!SameSize(s->Face(0, sl)->Desc(), d->Face(0, dl)->Desc())) return false;
            if (copy)
                for (DWORD face = 0; face < 6; ++face) CopyWhole(*s->Face(face, sl), *d->Face(face, dl));
            return true;
        });
        return ok ? D3D_OK : D3DERR_INVALIDCALL;
    }
    auto* s = dynamic_cast<CVolumeTexture*>(from);
    auto* d = dynamic_cast<CVolumeTexture*>(to);
    if (!s || !d || s->Format() != d->Format()) return D3DERR_INVALIDCALL;
    const bool ok = CopyLevels(s->Levels(), d->Levels(), [&](UINT sl, UINT dl, bool copy) {
        const D3DVOLUME_DESC& a = s->Level(sl)->Desc();
        const D3DVOLUME_DESC& b = d->Level(dl)->Desc();
        if (a.Width != b.Width || a.Height != b.Height || a.Depth != b.Depth) return false;
        if (copy) std::copy_n(s->Level(sl)->Bits(), static_cast<size_t>(a.Depth) * s->Level(sl)->SlicePitch(), d->Level(dl)->Bits());
        return true;
    });
    return ok ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT CDevice::GetRenderTargetData(IDirect3DSurface9* renderTarget, IDirect3DSurface9* destination) {
    FlushDraws();
    CSurface* from = SurfaceOf(renderTarget);
    CSurface* to = SurfaceOf(destination);
    if (!from || !to || from == to || to->IsLocked()) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC& s = from->Desc();
    const D3DSURFACE_DESC& d = to->Desc();
    if (!(s.Usage & D3DUSAGE_RENDERTARGET) || d.Pool != D3DPOOL_SYSTEMMEM || s.Format != d.Format || !SameSize(s, d))
        return D3DERR_INVALIDCALL;
    CopyWhole(*from, *to);
    return D3D_OK;
}

HRESULT CDevice::GetFrontBufferData(UINT swapChain, IDirect3DSurface9* destination) {
    FlushDraws();
    if (swapChain != 0) return D3DERR_INVALIDCALL;
    return swapChain_->GetFrontBufferData(destination);
}

HRESULT CDevice::StretchRect(IDirect3DSurface9* source, CONST RECT* sourceRect, IDirect3DSurface9* destination,
                             CONST RECT* destRect, D3DTEXTUREFILTERTYPE filter) {
    FlushDraws();
    CSurface* from = SurfaceOf(source);
    CSurface* to = SurfaceOf(destination);
    if (!from || !to || from == to || from->IsLocked() || to->IsLocked()) return D3DERR_INVALIDCALL;
    if (filter != D3DTEXF_NONE && filter != D3DTEXF_POINT && filter != D3DTEXF_LINEAR) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC& s = from->Desc();
    const D3DSURFACE_DESC& d = to->Desc();
    constexpr DWORD kCopyable = D3DUSAGE_RENDERTARGET;  // or plain off-screen (no usage)
    if (s.Pool != D3DPOOL_DEFAULT || d.Pool != D3DPOOL_DEFAULT || s.Format != d.Format ||
        (s.Usage & ~kCopyable) || (d.Usage & ~kCopyable) || !formats::CanConvertRows(s.Format))
        return D3DERR_INVALIDCALL;
    // A texture level can only be a destination when it is a render target.
    if (d.Usage == 0 && to->InTexture()) return D3DERR_INVALIDCALL;
    RECT fromRect, toRect;
    if (!RectInside(sourceRect, s.Width, s.Height, false, fromRect) ||
        !RectInside(destRect, d.Width, d.Height, false, toRect))
        return D3DERR_INVALIDCALL;
    if (IsLost()) return D3D_OK;
    if (fromRect.right - fromRect.left == toRect.right - toRect.left &&
        fromRect.bottom - fromRect.top == toRect.bottom - toRect.top)
        CopyRect(*from, fromRect, *to, POINT{toRect.left, toRect.top});
    else
        vestra::d3d9::StretchRect(*from, fromRect, *to, toRect, filter == D3DTEXF_LINEAR);
    return D3D_OK;
}

HRESULT CDevice::ColorFill(IDirect3DSurface9* surface, CONST RECT* rect, D3DCOLOR color) {
    FlushDraws();
    CSurface* target = SurfaceOf(surface);
    if (!target || target->IsLocked()) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC& desc = target->Desc();
    if (desc.Pool != D3DPOOL_DEFAULT || (desc.Usage & ~static_cast<DWORD>(D3DUSAGE_RENDERTARGET)) ||
        !formats::CanConvertRows(desc.Format))
        return D3DERR_INVALIDCALL;
    RECT area;
    if (!RectInside(rect, desc.Width, desc.Height, false, area)) return D3DERR_INVALIDCALL;
    if (IsLost()) return D3D_OK;
    FillColor(*target, area, color);
    return D3D_OK;
}

HRESULT CDevice::Clear(DWORD count, CONST D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) {
    FlushDraws();
    constexpr DWORD kAll = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;
    if (flags == 0 || (flags & ~kAll) || (count > 0 && !rects)) return D3DERR_INVALIDCALL;
    CSurface* depth = state_.depthStencil;
    if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) && !depth) return D3DERR_INVALIDCALL;
    if ((flags & D3DCLEAR_STENCIL) && !formats::GetFormatInfo(depth->Desc().Format).hasStencil)
        return D3DERR_INVALIDCALL;
    if ((flags & D3DCLEAR_ZBUFFER) && !(z >= 0.0f && z <= 1.0f)) return D3DERR_INVALIDCALL;
    if (IsLost()) return D3D_OK;

    const D3DVIEWPORT9& vp = state_.viewport;
    RECT area{static_cast<LONG>(vp.X), static_cast<LONG>(vp.Y), static_cast<LONG>(vp.X + vp.Width),
              static_cast<LONG>(vp.Y + vp.Height)};
    if (state_.renderStates[D3DRS_SCISSORTESTENABLE]) area = Intersect(area, state_.scissorRect);

    std::vector<RECT> regions;
    if (count == 0) {
        regions.push_back(area);
    } else {
        for (DWORD i = 0; i < count; ++i)
            regions.push_back(Intersect(area, RECT{rects[i].x1, rects[i].y1, rects[i].x2, rects[i].y2}));
    }
    // The rasterizer's clear takes the formats it draws into: it waits in the draw queue and
    // runs band by band at the next flush, just ahead of the scene's draws into the same
    // rows. The general fills take the rest at once.
    CSurface* target = state_.renderTarget;
    const D3DFORMAT targetFormat = target->Desc().Format;
    const bool fastTarget = targetFormat == D3DFMT_A8R8G8B8 || targetFormat == D3DFMT_X8R8G8B8;
    raster::ColorBuffer colourView;
    if ((flags & D3DCLEAR_TARGET) && fastTarget)
        colourView = {targetFormat, target->Desc().Width, target->Desc().Height, static_cast<INT>(target->Pitch()),
                      target->Bits()};
    raster::DepthBuffer depthView;
    bool fastDepth = false;
    if (flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) {
        const D3DFORMAT f = depth->Desc().Format;
        fastDepth = f == D3DFMT_D16 || f == D3DFMT_D16_LOCKABLE || f == D3DFMT_D24S8 || f == D3DFMT_D24X8 ||
                    f == D3DFMT_D32;
        if (fastDepth)
            depthView = {f, depth->Desc().Width, depth->Desc().Height, static_cast<INT>(depth->Pitch()), depth->Bits()};
    }
    const RECT targetBounds{0, 0, static_cast<LONG>(target->Desc().Width), static_cast<LONG>(target->Desc().Height)};
    for (const RECT& region : regions) {
        if (IsEmpty(region)) continue;
        queue_.QueueClear(colourView, depthView, region, flags, color, z, stencil);
        if ((flags & D3DCLEAR_TARGET) && !fastTarget) {
            const RECT r = Intersect(region, targetBounds);
            if (!IsEmpty(r)) FillColor(*target, r, color);
        }
        if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) && !fastDepth) {
            const RECT depthBounds{0, 0, static_cast<LONG>(depth->Desc().Width),
                                   static_cast<LONG>(depth->Desc().Height)};
            const RECT r = Intersect(region, depthBounds);
            if (!IsEmpty(r)) FillDepthStencil(*depth, r, flags, z, stencil);
        }
    }
    ++stats_.Clears;
    return D3D_OK;
}

}  // namespace vestra::d3d9
