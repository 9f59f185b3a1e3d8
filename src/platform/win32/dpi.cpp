#include "platform/win32/dpi.h"

#include <cmath>

namespace tessarin::platform::win32 {
namespace {

UINT screenCaps(int index) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, index);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// GetDpiForWindow exists from Windows 10 1607 on; earlier systems have one DPI for all screens.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
GetDpiForWindowFn getDpiForWindow() {
  static const auto fn = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return fn;
}

}  // namespace

long twipsPerPixel(UINT dpi) {
  const long factor = std::lround(1440.0 / (dpi ? dpi : USER_DEFAULT_SCREEN_DPI));
  return factor > 0 ? factor : 1;
}

long toPixels(long twips, long twipsPerPixel) {
  return std::lrint(static_cast<double>(twips) / static_cast<double>(twipsPerPixel));
}

long toTwips(long pixels, long twipsPerPixel) { return pixels * twipsPerPixel; }

Twips toTwips(const RECT& pixels, long twipsPerPixel) {
  return {toTwips(pixels.left, twipsPerPixel), toTwips(pixels.top, twipsPerPixel),
          toTwips(pixels.right - pixels.left, twipsPerPixel), toTwips(pixels.bottom - pixels.top, twipsPerPixel)};
}

RECT toPixels(Twips bounds, long twipsPerPixel) {
  const long left = toPixels(bounds.left, twipsPerPixel);
  const long top = toPixels(bounds.top, twipsPerPixel);
  return {left, top, left + toPixels(bounds.width, twipsPerPixel), top + toPixels(bounds.height, twipsPerPixel)};
}

UINT windowDpi(HWND hwnd) {
  if (const auto fn = getDpiForWindow(); fn && hwnd) {
    if (const UINT dpi = fn(hwnd)) return dpi;
  }
  return screenDpiX();
}

// The system DPI a process sees stays what it was at its start, so it is asked for once.
// GetDpiForSystem (Windows 10 1607 on) answers from what the process already knows; the
// screen's device context costs the window server a round of requests.
UINT screenDpiX() {
  using GetDpiForSystemFn = UINT(WINAPI*)();
  static const UINT dpi = [] {
    const auto fn = reinterpret_cast<GetDpiForSystemFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForSystem")));
    const UINT system = fn ? fn() : 0;
    return system ? system : screenCaps(LOGPIXELSX);
  }();
  return dpi;
}

}  // namespace tessarin::platform::win32
