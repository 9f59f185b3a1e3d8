#pragma once
// The toolbar's pictures, drawn at run time, one per button key: designed on a 16 x 16 grid and
// drawn at the window's DPI, so they stay crisp and in proportion on any screen.
#include <windows.h>
#include <commctrl.h>

#include <string_view>

namespace tessarin::platform::win32 {

inline constexpr int kGlyphSize = 16;

// The side of a picture in pixels at that DPI.
int glyphPixels(UINT dpi);
// Adds the picture for the key (a plain frame for a key without one), drawn for that DPI, to a
// list made for glyphPixels(dpi), and returns its index.
int addToolbarGlyph(HIMAGELIST images, std::u16string_view key, UINT dpi);

}  // namespace tessarin::platform::win32
