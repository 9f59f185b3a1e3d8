#include "platform/win32/timer.h"

#include "platform/win32/callback.h"
#include "platform/win32/form.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {

Win32Timer::Win32Timer(Win32Form& form, UINT_PTR timerId) : form_(form), timerId_(timerId) {}

void Win32Timer::setInterval(long milliseconds) {
  interval_ = milliseconds;
  apply();
}

void Win32Timer::setEnabled(bool enabled) {
  enabled_ = enabled;
  apply();
}

void Win32Timer::apply() {
  HWND window = form_.hwnd();
  if (!window) return;
  if (enabled_ && interval_ > 0 && form_.loaded()) {
    // Setting it again restarts the count, as changing a toolkit timer's interval does.
    if (!SetTimer(window, timerId_, static_cast<UINT>(interval_), nullptr)) throwLastError("SetTimer");
    running_ = true;
  } else if (running_) {
    // Stopping a timer that never ran would still cost a request to the window server.
    KillTimer(window, timerId_);
    running_ = false;
  }
}

void Win32Timer::tick() {
  // A tick already queued when the timer was stopped is dropped.
  if (enabled_ && interval_ > 0) fire(onTick);
}

}  // namespace tessarin::platform::win32
