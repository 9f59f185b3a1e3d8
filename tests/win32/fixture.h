#pragma once
// What the Win32 tests share: a toolkit per test, forms on screen, and waiting on a condition
// while the messages are pumped.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/win32/form.h"
#include "platform/win32/toolkit.h"

namespace tessarin::platform::win32 {

class Win32Test : public ::testing::Test {
 protected:
  // A loaded form at 200, 150 (pixels), 400 x 300. Most tests leave it hidden: without a
  // window manager, Wine waits two seconds for one whenever a shown window goes away.
  std::unique_ptr<Form> loadedForm(FormArgs args = {});
  std::unique_ptr<Form> shownForm(FormArgs args = {});
  // Pumps messages until the condition holds; false when it has not within the time.
  bool pumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

  Win32Toolkit toolkit;
};

inline HWND hwndOf(const Form& form) { return reinterpret_cast<HWND>(form.id()); }
inline HWND hwndOf(const Control& control) { return reinterpret_cast<HWND>(control.id()); }

// Once a dialog of this thread (a message box, a common dialog) is up, sends it the command,
// as pressing one of its buttons does.
void answerNextDialog(int command);

// Holds keys down in this thread's keyboard state (as GetKeyState sees it) while it lives.
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<int> keys);
  ~HeldKeys();
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  BYTE saved_[256];
};

}  // namespace tessarin::platform::win32
