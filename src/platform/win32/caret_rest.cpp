#include "platform/win32/caret_rest.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tessarin::platform::win32 {
namespace {
// Thread timers are told apart only by the number the system gives them.
std::vector<std::pair<UINT_PTR, CaretRest*>>& Running() {
  thread_local std::vector<std::pair<UINT_PTR, CaretRest*>> running;
  return running;
}
}  // namespace

CaretRest::~CaretRest() { stopTimer(); }

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
  if (!timer_) startTimer(restAfterMs_);
}

void CaretRest::startTimer(DWORD milliseconds) {
  timer_ = SetTimer(nullptr, 0, milliseconds, onTimer);
  if (timer_) Running().emplace_back(timer_, this);
}

void CALLBACK CaretRest::onTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  const auto& running = Running();
  const auto it = std::find_if(running.begin(), running.end(), [&](const auto& entry) { return entry.first == timer; });
  if (it != running.end()) it->second->timeUp();
}

// The timer fires at most once per rest period while input goes on, and not at all at rest.
void CaretRest::timeUp() {
  const ULONGLONG quiet = GetTickCount64() - lastInput_;
  stopTimer();
  if (quiet < restAfterMs_) {
    startTimer(static_cast<DWORD>(restAfterMs_ - quiet));
    return;
  }
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && info.hwndCaret && HideCaret(info.hwndCaret))
    rested_ = info.hwndCaret;
}

void CaretRest::stopTimer() {
  if (!timer_) return;
  KillTimer(nullptr, timer_);
  auto& running = Running();
  running.erase(std::remove_if(running.begin(), running.end(), [&](const auto& entry) { return entry.first == timer_; }),
                running.end());
  timer_ = 0;
}

}  // namespace tessarin::platform::win32
