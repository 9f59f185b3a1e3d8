#pragma once
// A FontSpec realised at the DPI of the window that shows it.
#include <windows.h>

#include <string>

#include "platform/geometry.h"

namespace tessarin::platform::win32 {

class ControlFont {
 public:
  explicit ControlFont(const FontSpec& font);
  ~ControlFont();
  ControlFont(const ControlFont&) = delete;
  ControlFont& operator=(const ControlFont&) = delete;

  // (Re)creates the font at the given DPI and hands it to the window. A face the system lacks
  // is substituted by the font mapper.
  void applyTo(HWND hwnd, UINT dpi);
  // The font last applied, for controls that draw their own text.
  HFONT handle() const { return font_; }

 private:
  std::u16string face_;
  double points_;
  bool italic_;
  bool bold_;
  bool underline_;
  HFONT font_ = nullptr;
};

}  // namespace tessarin::platform::win32
