#pragma once
// The toolbar's pictures, drawn at run time, one per button key: designed on a 16 x 16 grid and
// drawn at the window's DPI, so they stay crisp and in proportion on any screen.
#include <windows.h>
#include <commctrl.h>

#include <string_view>
#include <vector>

namespace tessarin::platform::win32 {

inline constexpr int kGlyphSize = 16;

// The side of a picture in pixels at that DPI.
int glyphPixels(UINT dpi);
// Adds the pictures for the keys in their order (a plain frame for a key without one), drawn for
// that DPI, to a list made for glyphPixels(dpi).
void addToolbarGlyphs(HIMAGELIST images, const std::vector<std::u16string_view>& keys, UINT dpi);

}  // namespace tessarin::platform::win32
