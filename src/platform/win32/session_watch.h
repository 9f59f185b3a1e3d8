#pragma once
// Workstation locks reach a window only once it has asked for them (WTSRegisterSessionNotification).
// wtsapi32 is not among the DLLs Windows always takes from the system folder, so it is loaded by
// full path at the first request rather than imported; where it is missing, locks go unseen.
#include <windows.h>

namespace tessarin::platform::win32 {

class SessionWatch {
 public:
  SessionWatch() = default;
  ~SessionWatch();
  SessionWatch(const SessionWatch&) = delete;
  SessionWatch& operator=(const SessionWatch&) = delete;

  // The window that gets WM_WTSSESSION_CHANGE from now on; one at a time.
  void watchWith(HWND window);
  // Before that window goes.
  void windowGoing(HWND window);
  HWND window() const { return window_; }

 private:
  bool load();

  HMODULE library_ = nullptr;
  BOOL(WINAPI* register_)(HWND, DWORD) = nullptr;
  BOOL(WINAPI* unregister_)(HWND) = nullptr;
  HWND window_ = nullptr;
};

}  // namespace tessarin::platform::win32
