#include "framework/DeviceCursor.h"

#include <vector>

namespace {

// One row per line of the marker, read from bit 15 (leftmost column) down.
constexpr WORD kMarkRows[5] = {0xCCC0, 0xA2A0, 0xA4A0, 0xA2A0, 0xCCC0};
constexpr UINT kMarkColumns = 12;

// Bottom-up 32-bit rows of `bitmap`, `rows` of them.
bool ReadRows(HDC dc, HBITMAP bitmap, LONG width, LONG rows, std::vector<DWORD>& out) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = rows;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    out.assign(static_cast<size_t>(width) * static_cast<size_t>(rows), 0);
    return GetDIBits(dc, bitmap, 0, static_cast<UINT>(rows), out.data(), &info, DIB_RGB_COLORS) != 0;
}

}  // namespace

HRESULT SetDeviceCursorFromHandle(IDirect3DDevice9* device, HCURSOR cursor, BOOL addMark) {
    if (!device) return E_FAIL;
    ICONINFO iconInfo{};
    if (!GetIconInfo(cursor, &iconInfo)) return E_FAIL;

    HRESULT hr = E_FAIL;
    IDirect3DSurface9* surface = nullptr;
    HDC dc = nullptr;
    BITMAP mask{};
    if (GetObjectA(reinterpret_cast<HANDLE>(iconInfo.hbmMask), sizeof mask, &mask)) {
        // A monochrome cursor has no colour bitmap: its mask holds the AND half on top of
        // the XOR half, so the image is half as tall as the mask.
        const bool monochrome = iconInfo.hbmColor == nullptr;
        const LONG width = mask.bmWidth;
        const LONG maskRows = mask.bmHeight;
        const LONG height = monochrome ? maskRows / 2 : maskRows;

        hr = device->CreateOffscreenPlainSurface(static_cast<UINT>(width), static_cast<UINT>(height),
                                                 D3DFMT_A8R8G8B8, D3DPOOL_SCRATCH, &surface, nullptr);
        std::vector<DWORD> maskBits, colorBits;
        if (SUCCEEDED(hr)) {
            dc = CreateCompatibleDC(nullptr);
            if (!ReadRows(dc, iconInfo.hbmMask, width, maskRows, maskBits) ||
                (!monochrome && !ReadRows(dc, iconInfo.hbmColor, width, height, colorBits)))
                hr = E_FAIL;
        }
        D3DLOCKED_RECT locked{};
        if (SUCCEEDED(hr)) hr = surface->LockRect(&locked, nullptr, 0);
        if (SUCCEEDED(hr)) {
            for (LONG y = 0; y < height; ++y) {
                auto* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
                // The DIB rows run bottom-up; image row y is DIB row (rows - 1 - y).
                for (LONG x = 0; x < width; ++x) {
                    const DWORD color = monochrome ? maskBits[static_cast<size_t>((height - 1 - y) * width + x)]
                                                   : colorBits[static_cast<size_t>((height - 1 - y) * width + x)];
                    const DWORD maskBit = maskBits[static_cast<size_t>((maskRows - 1 - y) * width + x)];
                    row[x] = maskBit == 0 ? (0xFF000000 | color) : 0;
                }
                if (addMark && y < 5) {
                    for (UINT x = 0; x < kMarkColumns && x < static_cast<UINT>(width); ++x) {
                        if (kMarkRows[y] & (1u << (15 - x))) row[x] |= 0xFF808080;
                    }
                }
            }
            surface->UnlockRect();
            hr = device->SetCursorProperties(iconInfo.xHotspot, iconInfo.yHotspot, surface);
        }
    }

    if (iconInfo.hbmMask) DeleteObject(reinterpret_cast<HGDIOBJ>(iconInfo.hbmMask));
    if (iconInfo.hbmColor) DeleteObject(reinterpret_cast<HGDIOBJ>(iconInfo.hbmColor));
    if (dc) DeleteDC(dc);
    if (surface) surface->Release();
    return hr;
}
