#pragma once
// A status bar docked at the bottom of its form across the full width; setBounds sets only its
// height (the program hides it and gives it height 0).
#include "platform/win32/child_window.h"

namespace tessarin::platform::win32 {

class Win32StatusBar final : public NativeControl<StatusBar> {
 public:
  explicit Win32StatusBar(Win32Form& form);

  void setBounds(Twips bounds) override;
  void formResized() override;

 private:
  long heightPixels_;
};

}  // namespace tessarin::platform::win32
