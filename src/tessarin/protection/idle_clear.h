#pragma once
// Clears a password left in the box once nobody has used Tessarin for a while, and at once when
// the user leaves (locks the workstation, ends the session): whoever sits down next could drag it
// out. The wait is a timer that runs only while a password is in the box, so an empty keyboard
// costs no wake-ups.
#include <functional>
#include <string_view>

#include "platform/controls.h"

namespace tessarin {

inline constexpr std::u16string_view kIdleClearSetting = u"Clear Password When Idle Seconds";
inline constexpr long kIdleClearDefaultSeconds = 120;
// The menu's choices in its order; 0 is never.
inline constexpr long kIdleClearChoices[] = {60, 120, 300, 600, 0};

// The stored value: 0 or any positive whole number of seconds as it stands; anything else (a
// missing key, text, a sign, a fraction) gives the default.
long StoredIdleClearSeconds(std::u16string_view text);

class IdleClear {
 public:
  // passwordInBox says whether there is anything to clear; clear empties the box and wipes the
  // password, as the Clear button does.
  IdleClear(platform::Timer& timer, std::function<bool()> passwordInBox, std::function<void()> clear);

  // 0 never clears for idleness (leaving still clears).
  void setSeconds(long seconds);
  long seconds() const { return seconds_; }
  // Input to the program, or a change of the box: the wait starts again while a password is in
  // the box, and stops while it is empty.
  void restart();
  // The workstation was locked or the session is ending.
  void userLeft();

 private:
  void clearNow();

  platform::Timer& timer_;
  std::function<bool()> passwordInBox_;
  std::function<void()> clear_;
  long seconds_ = kIdleClearDefaultSeconds;
};

}  // namespace tessarin
