#include "d3d9/Adapter.h"

#include <cstring>
#include <vector>

#include "PlatformWindowing.h"
#include "formats/FormatInfo.h"

namespace vestra::d3d9 {

namespace {

// The display's modes as the windowing layer reports them: the real display's modes when
// there is one, a fixed list headless. Read on every call, so a change of the display's
// modes shows at once.
std::vector<D3DDISPLAYMODE> ModesOfFormat(D3DFORMAT format) {
    std::vector<VestraDisplayMode> all(VestraGetDisplayModes(nullptr, 0));
    all.resize(VestraGetDisplayModes(all.data(), static_cast<UINT>(all.size())));
    std::vector<D3DDISPLAYMODE> modes;
    for (const VestraDisplayMode& mode : all)
        if (static_cast<D3DFORMAT>(mode.Format) == format)
            modes.push_back({mode.Width, mode.Height, mode.RefreshRate, format});
    return modes;
}

}  // namespace

bool IsValidAdapter(UINT adapter) { return adapter < kAdapterCount; }

HRESULT CheckDeviceTypeOffered(D3DDEVTYPE type) {
    if (type == D3DDEVTYPE_HAL || type == D3DDEVTYPE_REF) return D3D_OK;
    if (type == D3DDEVTYPE_SW || type == D3DDEVTYPE_NULLREF) return D3DERR_NOTAVAILABLE;
    return D3DERR_INVALIDCALL;
}

UINT DisplayModeCount(D3DFORMAT format) {
    return IsDisplayFormat(format) ? static_cast<UINT>(ModesOfFormat(format).size()) : 0;
}

bool DisplayMode(D3DFORMAT format, UINT index, D3DDISPLAYMODE& mode) {
    if (!IsDisplayFormat(format)) return false;
    const std::vector<D3DDISPLAYMODE> modes = ModesOfFormat(format);
    if (index >= modes.size()) return false;
    mode = modes[index];
    return true;
}

D3DDISPLAYMODE DesktopMode() {
    VestraDisplayMode desktop{};
    VestraGetDesktopMode(&desktop);
    return {desktop.Width, desktop.Height, desktop.RefreshRate, static_cast<D3DFORMAT>(desktop.Format)};
}

bool IsDisplayFormat(D3DFORMAT format) {
    return format == D3DFMT_X8R8G8B8 || format == D3DFMT_R5G6B5 || format == D3DFMT_X1R5G5B5 ||
           format == D3DFMT_A2R10G10B10;
}

bool IsRenderTargetFormat(D3DFORMAT format) { return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8; }

bool IsDepthStencilFormat(D3DFORMAT format) {
    return format == D3DFMT_D16 || format == D3DFMT_D16_LOCKABLE || format == D3DFMT_D24S8 ||
           format == D3DFMT_D24X8 || format == D3DFMT_D32;
}

bool IsTextureFormat(D3DFORMAT format) {
    const formats::FormatInfo& info = formats::GetFormatInfo(format);
    return info.known && !info.isDepth && format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32 &&
           format != D3DFMT_VERTEXDATA;
}

HRESULT CheckBackBufferPair(D3DFORMAT displayFormat, D3DFORMAT backBufferFormat, BOOL windowed) {
    if (!IsDisplayFormat(displayFormat) || !IsRenderTargetFormat(backBufferFormat)) return D3DERR_NOTAVAILABLE;
    // Windowed, the device draws into the desktop as it is, converting the back buffer when
    // presenting; full screen, the display switches to a mode of that format, which must
    // exist and have the back buffer's colour depth.
    if (windowed) return displayFormat == DesktopMode().Format ? D3D_OK : D3DERR_NOTAVAILABLE;
    return displayFormat == D3DFMT_X8R8G8B8 && DisplayModeCount(displayFormat) > 0 ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT CheckResourceFormat(DWORD usage, D3DRESOURCETYPE type, D3DFORMAT format) {
    constexpr DWORD unsupportedQueries = D3DUSAGE_QUERY_LEGACYBUMPMAP | D3DUSAGE_QUERY_SRGBREAD |
                                         D3DUSAGE_QUERY_SRGBWRITE | D3DUSAGE_QUERY_VERTEXTEXTURE | D3DUSAGE_DMAP;
    if (usage & unsupportedQueries) return D3DERR_NOTAVAILABLE;
    switch (type) {
        case D3DRTYPE_VERTEXBUFFER: return format == D3DFMT_VERTEXDATA ? D3D_OK : D3DERR_NOTAVAILABLE;
        case D3DRTYPE_INDEXBUFFER:
            return format == D3DFMT_INDEX16 || format == D3DFMT_INDEX32 ? D3D_OK : D3DERR_NOTAVAILABLE;
        case D3DRTYPE_SURFACE:
        case D3DRTYPE_TEXTURE:
        case D3DRTYPE_CUBETEXTURE:
        case D3DRTYPE_VOLUMETEXTURE: break;
        default: return D3DERR_INVALIDCALL;
    }
    if (usage & D3DUSAGE_DEPTHSTENCIL)
        return type == D3DRTYPE_SURFACE && IsDepthStencilFormat(format) ? D3D_OK : D3DERR_NOTAVAILABLE;
    if (usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING))
        return type != D3DRTYPE_VOLUMETEXTURE && IsRenderTargetFormat(format) ? D3D_OK : D3DERR_NOTAVAILABLE;
    if (!IsTextureFormat(format)) return D3DERR_NOTAVAILABLE;
    // Automatic mipmaps are accepted and ignored: the texture keeps its top level only.
    if ((usage & D3DUSAGE_AUTOGENMIPMAP) && type != D3DRTYPE_SURFACE) return D3DOK_NOAUTOGEN;
    return D3D_OK;
}

HRESULT CheckDepthMatch(D3DFORMAT renderTargetFormat, D3DFORMAT depthStencilFormat) {
    return IsRenderTargetFormat(renderTargetFormat) && IsDepthStencilFormat(depthStencilFormat) ? D3D_OK
                                                                                                  : D3DERR_NOTAVAILABLE;
}

void FillAdapterIdentifier(D3DADAPTER_IDENTIFIER9& identifier) {
    std::memset(&identifier, 0, sizeof identifier);
    std::strcpy(identifier.Driver, "vestra_swdevice");
    std::strcpy(identifier.Description, "Vestra software rendering device");
    std::strcpy(identifier.DeviceName, "\\\\.\\DISPLAY1");
    identifier.DriverVersion.HighPart = 0x00000001;  // 0.1.0.0 as product.version.subversion.build
    identifier.DriverVersion.LowPart = 0x00000000;
    identifier.DeviceIdentifier = {0x3f6b1a52, 0x8c0d, 0x4e27, {0xb1, 0x94, 0x5a, 0x2e, 0x70, 0xc3, 0x19, 0xd8}};
}

}  // namespace vestra::d3d9
