#include "protection/idle_clear.h"

#include <algorithm>
#include <utility>

namespace tessarin {

namespace {
// The longest wait a system timer takes (about 24.8 days); a longer setting waits that long.
constexpr long long kLongestTimerMs = 0x7FFFFFFF;
}  // namespace

long StoredIdleClearSeconds(std::u16string_view text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return kIdleClearDefaultSeconds;
  text = text.substr(first, text.find_last_not_of(u' ') - first + 1);
  long long value = 0;
  for (char16_t ch : text) {
    if (ch < u'0' || ch > u'9') return kIdleClearDefaultSeconds;
    value = value * 10 + (ch - u'0');
    if (value > 0x7FFFFFFF) return kIdleClearDefaultSeconds;
  }
  return static_cast<long>(value);
}

IdleClear::IdleClear(platform::Timer& timer, std::function<bool()> passwordInBox, std::function<void()> clear)
    : timer_(timer), passwordInBox_(std::move(passwordInBox)), clear_(std::move(clear)) {
  timer_.setEnabled(false);
  timer_.onTick = [this] { clearNow(); };
}

void IdleClear::setSeconds(long seconds) {
  seconds_ = seconds;
  restart();
}

void IdleClear::restart() {
  // Stopped first, so that enabling it again starts a full wait.
  timer_.setEnabled(false);
  if (seconds_ <= 0 || !passwordInBox_()) return;
  timer_.setInterval(static_cast<long>(std::min(seconds_ * 1000LL, kLongestTimerMs)));
  timer_.setEnabled(true);
}

void IdleClear::userLeft() { clearNow(); }

void IdleClear::clearNow() {
  timer_.setEnabled(false);
  if (passwordInBox_()) clear_();
}

}  // namespace tessarin
