#include "platform/win32/caret_rest.h"

namespace tessarin::platform::win32 {
namespace {
constexpr UINT_PTR kTimerId = 1;
}

CaretRest::CaretRest(HWND window, DWORD restAfterMs) : window_(window), restAfterMs_(restAfterMs) {
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CaretRest::~CaretRest() {
  if (timing_) KillTimer(window_, kTimerId);
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

bool CaretRest::isInput(UINT msg) {
  return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) ||
         (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

void CaretRest::awake() {
  lastInput_ = GetTickCount64();
  if (rested_) {
    // Harmless when the caret has gone in the meantime (the focus moved): it is no longer ours.
    ShowCaret(rested_);
    rested_ = nullptr;
  }
  if (!timing_) timing_ = SetTimer(window_, kTimerId, restAfterMs_, onTimer) != 0;
}

void CALLBACK CaretRest::onTimer(HWND window, UINT, UINT_PTR, DWORD) {
  if (auto* self = reinterpret_cast<CaretRest*>(GetWindowLongPtrW(window, GWLP_USERDATA))) self->timeUp();
}

// The timer fires at most once per rest period while input goes on, and not at all at rest.
void CaretRest::timeUp() {
  const ULONGLONG quiet = GetTickCount64() - lastInput_;
  if (quiet < restAfterMs_) {
    SetTimer(window_, kTimerId, static_cast<UINT>(restAfterMs_ - quiet), onTimer);
    return;
  }
  KillTimer(window_, kTimerId);
  timing_ = false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && info.hwndCaret && HideCaret(info.hwndCaret))
    rested_ = info.hwndCaret;
}

}  // namespace tessarin::platform::win32
