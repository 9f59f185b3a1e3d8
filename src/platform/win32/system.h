#pragma once
// System services on Win32.
#include "platform/system.h"

namespace tessarin::platform::win32 {

class Win32System final : public System {
 public:
  std::u16string programDirectory() const override;
  bool fileExists(std::u16string_view path) const override;
  std::u16string readProfileString(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                                   int bufferChars) const override;
  void writeProfileString(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                          std::u16string_view value) override;
  bool playSoundSync(std::u16string_view path) override;
  void beep() override;
  void showCursor(bool show) override;
  PixelPoint cursorPos() const override;
  WindowId foregroundWindow() const override;
  double randomUnit() override;
};

}  // namespace tessarin::platform::win32
