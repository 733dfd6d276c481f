#include "win32/window/DialogPainter.h"

#include <SDL.h>

#include <string>

#include "PlatformWindowing.h"
#include "win32/window/BitmapFont.h"
#include "win32/window/WindowState.h"

namespace vestra::win32 {
namespace {

constexpr Uint32 kFace = 0xD4D0C8;
constexpr Uint32 kWhite = 0xFFFFFF;
constexpr Uint32 kText = 0x000000;
constexpr Uint32 kGrayText = 0x808080;
constexpr Uint32 kShadow = 0x404040;
constexpr Uint32 kFocus = 0x0050C0;

class Canvas {
public:
    explicit Canvas(SDL_Surface* surface) : surface_(surface) {}

    void Fill(int x, int y, int width, int height, Uint32 rgb) {
        SDL_Rect rect{x, y, width, height};
        SDL_FillRect(surface_, &rect, SDL_MapRGB(surface_->format, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    }

    void Frame(int x, int y, int width, int height, Uint32 rgb) {
        Fill(x, y, width, 1, rgb);
        Fill(x, y + height - 1, width, 1, rgb);
        Fill(x, y, 1, height, rgb);
        Fill(x + width - 1, y, 1, height, rgb);
    }

    // Text clipped to `maxWidth` pixels, vertically centred in `height`.
    void Text(int x, int y, int height, int maxWidth, const std::string& text, Uint32 rgb) {
        const int top = y + (height - kGlyphHeight) / 2;
        for (size_t i = 0; i < text.size(); ++i) {
            const int left = x + static_cast<int>(i) * kGlyphAdvance;
            if (left + kGlyphWidth > x + maxWidth) break;
            const uint8_t* rows = GlyphRows(text[i]);
            for (int row = 0; row < kGlyphHeight; ++row) {
                for (int column = 0; column < kGlyphWidth; ++column) {
                    if ((rows[row] >> (kGlyphWidth - 1 - column)) & 1) Fill(left + column, top + row, 1, 1, rgb);
                }
            }
        }
    }

private:
    SDL_Surface* surface_;
};

void PaintControl(Canvas& canvas, const Window& control, POINT origin, bool focused) {
    const int x = control.windowRect.left - origin.x;
    const int y = control.windowRect.top - origin.y;
    const int width = control.windowRect.right - control.windowRect.left;
    const int height = control.windowRect.bottom - control.windowRect.top;
    const bool enabled = (control.style & WS_DISABLED) == 0;
    const Uint32 ink = enabled ? kText : kGrayText;
    switch (control.controlKind) {
        case VESTRA_CONTROL_PUSHBUTTON:
            canvas.Fill(x, y, width, height, kFace);
            canvas.Frame(x, y, width, height, kShadow);
            canvas.Text(x + (width - static_cast<int>(control.text.size()) * kGlyphAdvance) / 2, y, height, width,
                        control.text, ink);
            break;
        case VESTRA_CONTROL_CHECKBOX:
        case VESTRA_CONTROL_RADIOBUTTON: {
            const int box = 11;
            const int boxTop = y + (height - box) / 2;
            canvas.Fill(x, boxTop, box, box, kWhite);
            canvas.Frame(x, boxTop, box, box, kShadow);
            if (control.checkState == BST_CHECKED) canvas.Fill(x + 3, boxTop + 3, box - 6, box - 6, ink);
            canvas.Text(x + box + 4, y, height, width - box - 4, control.text, ink);
            break;
        }
        case VESTRA_CONTROL_COMBOBOX: {
            canvas.Fill(x, y, width, height, enabled ? kWhite : kFace);
            canvas.Frame(x, y, width, height, kShadow);
            const bool selected = control.comboSelection >= 0 &&
                                  static_cast<size_t>(control.comboSelection) < control.comboItems.size();
            if (selected) {
                canvas.Text(x + 3, y, height, width - height - 4,
                            control.comboItems[static_cast<size_t>(control.comboSelection)].text, ink);
            }
            // The arrow box: click or wheel to step through the entries.
            canvas.Fill(x + width - height, y + 1, height - 1, height - 2, kFace);
            canvas.Text(x + width - height + (height - kGlyphWidth) / 2, y, height, height, "+", ink);
            break;
        }
        case VESTRA_CONTROL_GROUPBOX:
            canvas.Frame(x, y + kGlyphHeight / 2, width, height - kGlyphHeight / 2, kGrayText);
            canvas.Fill(x + 6, y, static_cast<int>(control.text.size()) * kGlyphAdvance + 4, kGlyphHeight, kFace);
            canvas.Text(x + 8, y, kGlyphHeight, width - 10, control.text, ink);
            break;
        default:
            canvas.Text(x, y, height, width, control.text, ink);
            break;
    }
    if (focused) canvas.Frame(x - 2, y - 2, width + 4, height + 4, kFocus);
}

}  // namespace

void PaintOpenDialogs() {
    for (HWND handle : AllWindows()) {
        const Window* dialog = FindWindowState(handle);
        if (dialog->dialogProcedure == nullptr || dialog->hostWindow == nullptr || (dialog->style & WS_VISIBLE) == 0) {
            continue;
        }
        auto* host = static_cast<SDL_Window*>(dialog->hostWindow);
        SDL_Surface* surface = SDL_GetWindowSurface(host);
        if (surface == nullptr) continue;
        Canvas canvas(surface);
        canvas.Fill(0, 0, surface->w, surface->h, kFace);
        const RECT client = ClientRectOnScreen(*dialog);
        for (HWND child : AllWindows()) {
            const Window* control = FindWindowState(child);
            if (control->parent == handle && (control->style & WS_VISIBLE) != 0) {
                PaintControl(canvas, *control, POINT{client.left, client.top}, child == FocusWindowRef());
            }
        }
        SDL_UpdateWindowSurface(host);
    }
}

}  // namespace vestra::win32
