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
    : NativeControl(form, createChild(form, TRACKBAR_CLASSW, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP)) {
  form.toolTips().setText(form.hwnd(), hwnd(), {});
}

void Win32Slider::setRange(int min, int max) {
  SendMessageW(hwnd(), TBM_SETRANGEMIN, FALSE, min);
  SendMessageW(hwnd(), TBM_SETRANGEMAX, TRUE, max);
  const int step = std::max((max - min) / kTickDivisions, 1);
  SendMessageW(hwnd(), TBM_SETTICFREQ, static_cast<WPARAM>(step), 0);
  SendMessageW(hwnd(), TBM_SETPAGESIZE, 0, step);
  lastValue_ = value();
}

// The trackbar clamps into its range and sends no notification for TBM_SETPOS.
void Win32Slider::setValue(int value) {
  SendMessageW(hwnd(), TBM_SETPOS, TRUE, value);
  lastValue_ = this->value();
}

int Win32Slider::value() const { return static_cast<int>(SendMessageW(hwnd(), TBM_GETPOS, 0, 0)); }

void Win32Slider::setToolTip(std::u16string_view tip) { form_.toolTips().setText(form_.hwnd(), hwnd(), wideCopy(tip)); }

// Dragging the thumb sends a stream of TB_THUMBTRACK; the value counts once the thumb is let go.
void Win32Slider::scroll(WORD code) {
  if (code == TB_THUMBTRACK) return;
  const int now = value();
  if (now == lastValue_) return;
  lastValue_ = now;
  fire(onChange);
}

LRESULT Win32Slider::message(UINT msg, WPARAM wParam, LPARAM lParam) {
  return passOnReportingMoves(msg, wParam, lParam, onMouseMove);
}

}  // namespace tessarin::platform::win32
