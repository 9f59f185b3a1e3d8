#pragma once
// The primary screen, measured afresh on every call so that a DPI or resolution change shows.
#include "platform/toolkit.h"

namespace tessarin::platform::win32 {

class Win32Screen final : public Screen {
 public:
  long width() const override;
  long height() const override;
  long twipsPerPixelX() const override;
  long twipsPerPixelY() const override;
};

}  // namespace tessarin::platform::win32
