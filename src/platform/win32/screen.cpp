#include "platform/win32/screen.h"

#include <windows.h>

#include "platform/win32/dpi.h"

namespace tessarin::platform::win32 {

long Win32Screen::width() const { return toTwips(GetSystemMetrics(SM_CXSCREEN), twipsPerPixelX()); }

long Win32Screen::height() const { return toTwips(GetSystemMetrics(SM_CYSCREEN), twipsPerPixelY()); }

long Win32Screen::twipsPerPixelX() const { return twipsPerPixel(screenDpiX()); }

long Win32Screen::twipsPerPixelY() const { return twipsPerPixel(screenDpiY()); }

}  // namespace tessarin::platform::win32
