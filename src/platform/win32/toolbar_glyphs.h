#pragma once
// The toolbar's 16 x 16 pictures, drawn at run time, one per button key.
#include <windows.h>
#include <commctrl.h>

#include <string_view>

namespace tessarin::platform::win32 {

inline constexpr int kGlyphSize = 16;

// Adds the picture for the key (a plain frame for a key without one) and returns its index.
int addToolbarGlyph(HIMAGELIST images, std::u16string_view key);

}  // namespace tessarin::platform::win32
