#pragma once
// A horizontal trackbar with a tool tip of its own text, a tool of the form's tool-tip window.
// onChange reports each new value the user gives it; values set by code raise nothing.
#include "platform/win32/child_window.h"

namespace tessarin::platform::win32 {

class Win32Slider final : public NativeControl<Slider> {
 public:
  explicit Win32Slider(Win32Form& form);

  void setRange(int min, int max) override;
  void setValue(int value) override;
  int value() const override;
  void setToolTip(std::u16string_view tip) override;

  void scroll(WORD code) override;

 protected:
  LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  int lastValue_ = 0;
};

}  // namespace tessarin::platform::win32
