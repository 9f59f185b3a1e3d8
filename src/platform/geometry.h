#pragma once
// Units and plain value types shared by the program and the backends.
#include <cstdint>

namespace tessarin::platform {

// Positions and sizes at the platform boundary are twips (1/1440 inch).
struct Twips {
  long left = 0;
  long top = 0;
  long width = 0;
  long height = 0;
  bool operator==(const Twips&) const = default;
};

struct PixelPoint {
  long x = 0;
  long y = 0;
};

struct PixelRect {
  long left = 0;
  long top = 0;
  long right = 0;
  long bottom = 0;
};

// Identifies a native window (an HWND on Win32); compared by value.
using WindowId = std::uintptr_t;

// Colours are 0x00BBGGRR.
using Color = std::uint32_t;

// Mouse buttons as a bit set, and the Shift/Ctrl/Alt state as a bit set.
enum MouseButtons : int { kNoButton = 0, kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftState : int { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

// A mouse event in twips relative to the client area of the control or form that got it.
struct MouseEvent {
  int button = kNoButton;
  int shift = 0;
  float x = 0;
  float y = 0;
};

struct FontSpec {
  const char16_t* face = u"Lucida Sans Unicode";
  double points = 9.75;
  bool italic = false;
  bool bold = false;
  bool underline = false;
};

}  // namespace tessarin::platform
