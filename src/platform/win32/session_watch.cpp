#include "platform/win32/session_watch.h"

#include <string>

namespace tessarin::platform::win32 {

namespace {
constexpr DWORD kThisSessionOnly = 0;  // NOTIFY_FOR_THIS_SESSION
}  // namespace

SessionWatch::~SessionWatch() {
  if (window_) windowGoing(window_);
  if (library_) FreeLibrary(library_);
}

bool SessionWatch::load() {
  if (register_) return true;
  if (library_) return false;  // tried before and failed
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  library_ = LoadLibraryExW((std::wstring(system, length) + L"\\wtsapi32.dll").c_str(), nullptr,
                            LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!library_) return false;
  // Through void*, as the function types differ from FARPROC's.
  register_ = reinterpret_cast<decltype(register_)>(
      reinterpret_cast<void*>(GetProcAddress(library_, "WTSRegisterSessionNotification")));
  unregister_ = reinterpret_cast<decltype(unregister_)>(
      reinterpret_cast<void*>(GetProcAddress(library_, "WTSUnRegisterSessionNotification")));
  if (!register_ || !unregister_) register_ = nullptr;
  return register_ != nullptr;
}

void SessionWatch::watchWith(HWND window) {
  if (window_ || !load()) return;
  if (register_(window, kThisSessionOnly)) window_ = window;
}

void SessionWatch::windowGoing(HWND window) {
  if (window != window_) return;
  unregister_(window_);
  window_ = nullptr;
}

}  // namespace tessarin::platform::win32
