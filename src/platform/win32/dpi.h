#pragma once
// Twips at the platform boundary, pixels inside. One whole factor per DPI (15 at 96 DPI) is used
// for every conversion, so that the program's own arithmetic with Form::twipsPerPixel lands
// on the same pixels as the backend's.
#include <windows.h>

#include "platform/geometry.h"

namespace tessarin::platform::win32 {

long twipsPerPixel(UINT dpi);
// Nearest pixel, halves to even.
long toPixels(long twips, long twipsPerPixel);
long toTwips(long pixels, long twipsPerPixel);
// A rectangle's place and size, each converted on its own.
Twips toTwips(const RECT& pixels, long twipsPerPixel);
RECT toPixels(Twips bounds, long twipsPerPixel);

// The DPI a window is shown at: per monitor where the system says so, else the screen's.
UINT windowDpi(HWND hwnd);
UINT screenDpiX();

}  // namespace tessarin::platform::win32
