#pragma once
// A key button: a push button whose pressed look the program sets.
#include "platform/win32/child_window.h"
#include "platform/win32/control_font.h"

namespace tessarin::platform::win32 {

class Win32Button final : public NativeControl<CommandButton> {
 public:
  Win32Button(Win32Form& form, const FontSpec& font);

  void setCaption(std::u16string_view caption) override;
  std::u16string caption() const override;
  void setEnabled(bool enabled) override;
  bool enabled() const override;
  void showPressed(bool pressed) override;
  bool shownPressed() const override;
  void repaint() override;
  void dpiChanged() override { font_.applyTo(hwnd()); }

 private:
  ControlFont font_;
};

}  // namespace tessarin::platform::win32
