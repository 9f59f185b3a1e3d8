#include "platform/win32/slider.h"

#include <algorithm>

#include "platform/win32/callback.h"
#include "platform/win32/form.h"
#include "platform/win32/text.h"

namespace tessarin::platform::win32 {
namespace {

// Ticks and page steps at a tenth of the range.
constexpr int kTickDivisions = 10;

}  // namespace

Win32Slider::Win32Slider(Win32Form& form)
    : NativeControl(form, {TRACKBAR_CLASSW, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP}, Making::WhenNeeded) {}

void Win32Slider::windowMade() {
  applyRange();
  SendMessageW(hwnd(), TBM_SETPOS, FALSE, value_);
  form_.toolTips().setText(form_.hwnd(), hwnd(), toolTip_);
}

// A hidden trackbar is drawn in full when it shows: redrawing it now would ask the window
// server for nothing.
void Win32Slider::applyRange() {
  const BOOL redraw = IsWindowVisible(hwnd());
  SendMessageW(hwnd(), TBM_SETRANGEMIN, FALSE, min_);
  SendMessageW(hwnd(), TBM_SETRANGEMAX, redraw, max_);
  const int step = std::max((max_ - min_) / kTickDivisions, 1);
  SendMessageW(hwnd(), TBM_SETTICFREQ, static_cast<WPARAM>(step), 0);
  SendMessageW(hwnd(), TBM_SETPAGESIZE, 0, step);
}

void Win32Slider::setRange(int min, int max) {
  min_ = min;
  max_ = max;
  if (!hwnd()) {
    value_ = std::clamp(value_, min_, std::max(min_, max_));
    return;
  }
  applyRange();
  value_ = value();
}

// The trackbar clamps into its range and sends no notification for TBM_SETPOS.
void Win32Slider::setValue(int value) {
  if (!hwnd()) {
    value_ = std::clamp(value, min_, std::max(min_, max_));
    return;
  }
  SendMessageW(hwnd(), TBM_SETPOS, IsWindowVisible(hwnd()), value);
  value_ = this->value();
}

int Win32Slider::value() const { return hwnd() ? static_cast<int>(SendMessageW(hwnd(), TBM_GETPOS, 0, 0)) : value_; }

void Win32Slider::setToolTip(std::u16string_view tip) {
  toolTip_ = wideCopy(tip);
  if (hwnd()) form_.toolTips().setText(form_.hwnd(), hwnd(), toolTip_);
}

// Dragging the thumb sends a stream of TB_THUMBTRACK; the value counts once the thumb is let go.
void Win32Slider::scroll(WORD code) {
  if (code == TB_THUMBTRACK) return;
  const int now = value();
  if (now == value_) return;
  value_ = now;
  fire(onChange);
}

LRESULT Win32Slider::message(UINT msg, WPARAM wParam, LPARAM lParam) {
  return passOnReportingMoves(msg, wParam, lParam, onMouseMove);
}

}  // namespace tessarin::platform::win32
