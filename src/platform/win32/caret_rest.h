#pragma once
// A focused edit box's caret blinks on a timer for as long as it shows, which would wake the
// program twice a second for hours while nobody uses it. After a while without input the caret
// rests (is hidden, which stops its timer too), and the next input brings it back, much as
// recent Windows stops the blinking after a few seconds.
#include <windows.h>

namespace tessarin::platform::win32 {

class CaretRest {
 public:
  explicit CaretRest(DWORD restAfterMs) : restAfterMs_(restAfterMs) {}
  ~CaretRest();
  CaretRest(const CaretRest&) = delete;
  CaretRest& operator=(const CaretRest&) = delete;

  // Input reached one of this thread's windows, or a box took the focus. Cheap enough for
  // every mouse move: a time stamp, and a timer call only when the caret was resting.
  void awake();
  static bool isInput(UINT msg);

 private:
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD);
  void timeUp();
  void startTimer(DWORD milliseconds);
  void stopTimer();

  DWORD restAfterMs_;
  ULONGLONG lastInput_ = 0;
  // A thread timer (no window of its own, which would cost start-up a top-level window).
  UINT_PTR timer_ = 0;
  HWND rested_ = nullptr;
};

}  // namespace tessarin::platform::win32
