// A 5x7 pixel font for the dialogs drawn with a display: upper-case letters (lower case is
// drawn with them), digits and the punctuation device and mode names use.
#pragma once

#include <cstdint>

namespace vestra::win32 {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;

// Seven rows, top first; bit 4 is the leftmost pixel. Unknown characters draw as a box.
const uint8_t* GlyphRows(char character);

}  // namespace vestra::win32
