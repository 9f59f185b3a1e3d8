#pragma once
// Program callbacks are called through a copy, so that a callback may replace or clear itself.
#include <functional>
#include <utility>

namespace tessarin::platform::win32 {

template <class Signature, class... Args>
void fire(const std::function<Signature>& callback, Args&&... args) {
  if (!callback) return;
  auto copy = callback;
  copy(std::forward<Args>(args)...);
}

}  // namespace tessarin::platform::win32
