// Cursors, icons and the GDI bitmaps that describe them, stock objects and device contexts
// as far as reading cursor images needs them.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "PlatformWindowing.h"
#include "win32/window/Cursors.h"
#include "win32/window/HostDisplay.h"
#include "win32/window/WindowState.h"

using namespace vestra::win32;

namespace {

// Top row first. Monochrome pixels are 0 or 1; colour pixels are A8R8G8B8.
struct Bitmap {
    LONG width = 0;
    LONG height = 0;
    WORD bitsPerPixel = 1;
    std::vector<uint32_t> pixels;
};

// A cursor or icon keeps its images; GetIconInfo hands out copies the caller deletes.
struct Icon {
    bool isIcon = false;
    DWORD xHotspot = 0;
    DWORD yHotspot = 0;
    Bitmap mask;  // twice the height (AND above XOR) when there is no colour image
    Bitmap color;
    bool hasColor = false;
    bool shared = false;  // system and resource cursors live as long as the process
};

HandleTable<Bitmap>& Bitmaps() {
    static HandleTable<Bitmap> bitmaps;
    return bitmaps;
}

HandleTable<Icon>& Icons() {
    static HandleTable<Icon> icons;
    return icons;
}

constexpr int kCursorSize = 32;

// A plain arrow: a right triangle with a black outline and white inside, tip at (0, 0).
Icon MakeArrowCursor() {
    Icon cursor;
    cursor.mask = Bitmap{kCursorSize, kCursorSize * 2, 1, std::vector<uint32_t>(kCursorSize * kCursorSize * 2, 0)};
    for (int y = 0; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x) {
            const bool inside = y < 16 && x <= y / 2 + y / 4;
            const bool border = inside && (x == 0 || x == y / 2 + y / 4 || y == 15);
            cursor.mask.pixels[y * kCursorSize + x] = inside ? 0 : 1;
            cursor.mask.pixels[(y + kCursorSize) * kCursorSize + x] = inside && !border ? 1 : 0;
        }
    }
    cursor.shared = true;
    return cursor;
}

// A framed white square: what a host without its own icon shows.
Icon MakeApplicationIcon() {
    Icon icon;
    icon.isIcon = true;
    icon.xHotspot = icon.yHotspot = kCursorSize / 2;
    icon.hasColor = true;
    icon.mask = Bitmap{kCursorSize, kCursorSize, 1, std::vector<uint32_t>(kCursorSize * kCursorSize, 0)};
    icon.color = Bitmap{kCursorSize, kCursorSize, 32, std::vector<uint32_t>(kCursorSize * kCursorSize, 0)};
    for (int y = 0; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x) {
            const bool edge = x < 2 || y < 2 || x >= kCursorSize - 2 || y >= kCursorSize - 2;
            icon.color.pixels[y * kCursorSize + x] = edge ? 0xFF000000u : 0xFFFFFFFFu;
        }
    }
    icon.shared = true;
    return icon;
}

HICON SystemImage(LPCSTR id, bool cursor) {
    static std::map<std::pair<bool, WORD>, HICON> cache;
    if (!IS_INTRESOURCE(id)) return nullptr;
    const WORD number = LOWORD(id);
    const bool known = cursor ? (number >= 32512 && number <= 32516) || (number >= 32640 && number <= 32650)
                              : number >= 32512 && number <= 32517;
    if (!known) return nullptr;
    auto& handle = cache[{cursor, number}];
    if (handle == nullptr) {
        // Every system cursor shape is drawn as the arrow; only the handle tells them apart.
        handle = Icons().Insert<HICON>(std::make_unique<Icon>(cursor ? MakeArrowCursor() : MakeApplicationIcon()));
    }
    return handle;
}

HICON ResourceImage(HINSTANCE instance, LPCSTR name, bool cursor) {
    static std::map<HRSRC, HICON> cache;
    const HRSRC resource = FindResourceA(instance, name, cursor ? RT_CURSOR : RT_ICON);
    if (resource == nullptr) return nullptr;
    if (const auto found = cache.find(resource); found != cache.end()) return found->second;
    const DWORD size = SizeofResource(instance, resource);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(instance, resource)));
    VestraIconImage header{};
    if (bytes == nullptr || size < sizeof(header)) return nullptr;
    std::memcpy(&header, bytes, sizeof(header));
    if (header.width <= 0 || header.height <= 0 || header.width > 256 || header.height > 256 ||
        size < sizeof(header) + static_cast<DWORD>(header.width * header.height * 4)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    auto image = std::make_unique<Icon>();
    image->isIcon = !cursor;
    image->xHotspot = header.xHotspot;
    image->yHotspot = header.yHotspot;
    image->hasColor = true;
    image->shared = true;
    const size_t count = static_cast<size_t>(header.width) * header.height;
    image->color = Bitmap{header.width, header.height, 32, std::vector<uint32_t>(count)};
    std::memcpy(image->color.pixels.data(), bytes + sizeof(header), count * 4);
    image->mask = Bitmap{header.width, header.height, 1, std::vector<uint32_t>(count)};
    for (size_t i = 0; i < count; ++i) image->mask.pixels[i] = (image->color.pixels[i] >> 24) == 0 ? 1 : 0;
    const HICON handle = Icons().Insert<HICON>(std::move(image));
    cache[resource] = handle;
    return handle;
}

HICON LoadImageHandle(HINSTANCE instance, LPCSTR name, bool cursor) {
    if (name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const HICON handle = instance == nullptr ? SystemImage(name, cursor) : ResourceImage(instance, name, cursor);
    if (handle == nullptr) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return handle;
}

struct CursorState {
    HCURSOR current = nullptr;
    int displayCount = 0;
    POINT position{};
    bool clipped = false;
    RECT clip{};
};

CursorState& Cursor() {
    static CursorState state;
    return state;
}

POINT Clamp(POINT point) {
    const CursorState& state = Cursor();
    if (state.clipped) {
        point.x = std::clamp(point.x, state.clip.left, std::max(state.clip.left, state.clip.right - 1));
        point.y = std::clamp(point.y, state.clip.top, std::max(state.clip.top, state.clip.bottom - 1));
    }
    return point;
}

constexpr uintptr_t kStockObjectBase = 0x100;
constexpr int kStockObjectCount = 6;
const HDC kDeviceContext = reinterpret_cast<HDC>(static_cast<uintptr_t>(0x200));

}  // namespace

void vestra::win32::TrackCursorPosition(POINT position) { Cursor().position = position; }

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    return LoadImageHandle(hInstance, lpCursorName, true);
}

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) { return LoadImageHandle(hInstance, lpIconName, false); }

BOOL WINAPI DestroyCursor(HCURSOR hCursor) {
    const Icon* icon = Icons().Find(hCursor);
    if (icon == nullptr) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return FALSE;
    }
    if (!icon->shared) Icons().Erase(hCursor);
    return TRUE;
}

BOOL WINAPI DestroyIcon(HICON hIcon) { return DestroyCursor(hIcon); }

BOOL WINAPI GetIconInfo(HICON hIcon, PICONINFO piconinfo) {
    const Icon* icon = Icons().Find(hIcon);
    if (icon == nullptr || piconinfo == nullptr) {
        SetLastError(icon == nullptr ? ERROR_INVALID_CURSOR_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    piconinfo->fIcon = icon->isIcon ? TRUE : FALSE;
    piconinfo->xHotspot = icon->xHotspot;
    piconinfo->yHotspot = icon->yHotspot;
    piconinfo->hbmMask = Bitmaps().Insert<HBITMAP>(std::make_unique<Bitmap>(icon->mask));
    piconinfo->hbmColor = icon->hasColor ? Bitmaps().Insert<HBITMAP>(std::make_unique<Bitmap>(icon->color)) : nullptr;
    return TRUE;
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
    const HCURSOR previous = Cursor().current;
    Cursor().current = hCursor;
    return previous;
}

HCURSOR WINAPI GetCursor(void) { return Cursor().current; }

int WINAPI ShowCursor(BOOL bShow) {
    int& count = Cursor().displayCount;
    count += bShow ? 1 : -1;
    return count;
}

BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
    if (lpPoint == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpPoint = Cursor().position;
    return TRUE;
}

BOOL WINAPI SetCursorPos(int X, int Y) {
    const SIZE screen = HostScreenSize();
    POINT point{std::clamp(X, 0, static_cast<int>(screen.cx) - 1), std::clamp(Y, 0, static_cast<int>(screen.cy) - 1)};
    Cursor().position = Clamp(point);
    return TRUE;
}

BOOL WINAPI ClipCursor(CONST RECT* lpRect) {
    CursorState& state = Cursor();
    state.clipped = lpRect != nullptr;
    if (lpRect != nullptr) {
        state.clip = *lpRect;
        state.position = Clamp(state.position);
    }
    return TRUE;
}

BOOL WINAPI GetClipCursor(LPRECT lpRect) {
    if (lpRect == nullptr) return FALSE;
    const SIZE screen = HostScreenSize();
    *lpRect = Cursor().clipped ? Cursor().clip : RECT{0, 0, screen.cx, screen.cy};
    return TRUE;
}

HGDIOBJ WINAPI GetStockObject(int i) {
    if (i < 0 || i >= kStockObjectCount) return nullptr;
    return reinterpret_cast<HGDIOBJ>(kStockObjectBase + static_cast<uintptr_t>(i));
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    const Bitmap* bitmap = Bitmaps().Find(h);
    if (bitmap == nullptr) return 0;
    if (pv == nullptr) return sizeof(BITMAP);
    if (c < static_cast<int>(sizeof(BITMAP))) return 0;
    // Rows of a device-dependent bitmap are padded to 16 bits.
    const LONG rowBytes = ((bitmap->width * bitmap->bitsPerPixel + 15) / 16) * 2;
    BITMAP description{0, bitmap->width, bitmap->height, rowBytes, 1, bitmap->bitsPerPixel, nullptr};
    std::memcpy(pv, &description, sizeof(description));
    return sizeof(BITMAP);
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    const auto value = reinterpret_cast<uintptr_t>(ho);
    if (value >= kStockObjectBase && value < kStockObjectBase + kStockObjectCount) return TRUE;
    return Bitmaps().Erase(ho) ? TRUE : FALSE;
}

HDC WINAPI GetDC(HWND hWnd) { return hWnd == nullptr || IsWindow(hWnd) ? kDeviceContext : nullptr; }
int WINAPI ReleaseDC(HWND, HDC hDC) { return hDC == kDeviceContext ? 1 : 0; }
HDC WINAPI CreateCompatibleDC(HDC) { return kDeviceContext; }
BOOL WINAPI DeleteDC(HDC hdc) { return hdc == kDeviceContext ? TRUE : FALSE; }

int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage) {
    const Bitmap* bitmap = Bitmaps().Find(hbm);
    if (hdc == nullptr || bitmap == nullptr || lpbmi == nullptr || usage != DIB_RGB_COLORS ||
        lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
        return 0;
    }
    BITMAPINFOHEADER& header = lpbmi->bmiHeader;
    if (lpvBits == nullptr) {
        // Describe the bitmap; the caller then asks for the bits in the format it wants.
        header.biWidth = bitmap->width;
        header.biHeight = bitmap->height;
        header.biPlanes = 1;
        header.biBitCount = bitmap->bitsPerPixel;
        header.biCompression = BI_RGB;
        header.biSizeImage = static_cast<DWORD>(((bitmap->width * bitmap->bitsPerPixel + 31) / 32) * 4 * bitmap->height);
        return 1;
    }
    // Only 32-bit rows are produced; that is what reading cursors needs.
    if (header.biBitCount != 32 || header.biCompression != BI_RGB || header.biWidth != bitmap->width) return 0;
    const bool bottomUp = header.biHeight > 0;
    const UINT height = static_cast<UINT>(bitmap->height);
    if (start >= height) return 0;
    const UINT lines = std::min(cLines, height - start);
    auto* out = static_cast<uint32_t*>(lpvBits);
    for (UINT line = 0; line < lines; ++line) {
        const UINT dibRow = start + line;
        const UINT sourceRow = bottomUp ? height - 1 - dibRow : dibRow;
        for (LONG x = 0; x < bitmap->width; ++x) {
            const uint32_t pixel = bitmap->pixels[sourceRow * bitmap->width + x];
            // A monochrome bitmap's colour table is black and white.
            out[line * bitmap->width + x] = bitmap->bitsPerPixel == 1 ? (pixel != 0 ? 0x00FFFFFFu : 0u) : pixel;
        }
    }
    return static_cast<int>(lines);
}
