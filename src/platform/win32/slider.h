#pragma once
// A horizontal trackbar with a tool tip of its own text, a tool of the form's tool-tip window.
// onChange reports each new value the user gives it; values set by code raise nothing.
#include <string>

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
  void windowMade() override;

 private:
  void applyRange();

  // A fresh trackbar's range; kept while the slider has no window.
  int min_ = 0;
  int max_ = 100;
  // The last value set or reported.
  int value_ = 0;
  std::wstring toolTip_;
};

}  // namespace tessarin::platform::win32
