#pragma once
// A static text on the form's background.
#include "platform/win32/child_window.h"
#include "platform/win32/control_font.h"

namespace tessarin::platform::win32 {

class Win32Label final : public NativeControl<Label> {
 public:
  Win32Label(Win32Form& form, std::u16string_view caption, const FontSpec& font);

  void setCaption(std::u16string_view caption) override;
  std::u16string caption() const override;
  void dpiChanged() override { font_.applyTo(hwnd()); }

 private:
  ControlFont font_;
};

}  // namespace tessarin::platform::win32
