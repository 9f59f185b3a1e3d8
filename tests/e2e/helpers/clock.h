#pragma once
// Wall-clock time as the shell's `date +%s%6N` gives it, so that times logged by the helpers
// can be set against times taken in the scripts.
#include <windows.h>

namespace e2e {

inline long long nowMicroseconds() {
  FILETIME ft;
  GetSystemTimePreciseAsFileTime(&ft);
  const long long ticks = (static_cast<long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  constexpr long long kTicksFrom1601To1970 = 116444736000000000LL;
  return (ticks - kTicksFrom1601To1970) / 10;
}

}  // namespace e2e
