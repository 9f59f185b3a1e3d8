#pragma once
// A timer of a form: SetTimer on the form's window, running only while the form is loaded,
// enabled and given a non-zero interval.
#include <windows.h>

#include "platform/controls.h"

namespace tessarin::platform::win32 {

class Win32Form;

class Win32Timer final : public Timer {
 public:
  Win32Timer(Win32Form& form, UINT_PTR timerId);

  void setInterval(long milliseconds) override;
  long interval() const override { return interval_; }
  void setEnabled(bool enabled) override;
  bool enabled() const override { return enabled_; }

  // Starts or stops the native timer to match the settings; the form calls it when it loads.
  void apply();
  // WM_TIMER for this timer.
  void tick();

 private:
  Win32Form& form_;
  UINT_PTR timerId_;
  long interval_ = 0;
  bool enabled_ = true;
  bool running_ = false;
};

}  // namespace tessarin::platform::win32
