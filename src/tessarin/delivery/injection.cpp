#include "delivery/injection.h"

namespace tessarin {

namespace {
// Long enough for a target to take the focus from the click before the characters arrive,
// short enough that the whole delivery is over before the hand has left the mouse.
constexpr long kClickSettleMs = 30;
}  // namespace

platform::WindowId GetWindowUnderMouse(const platform::System& system) {
  return system.windowFromPoint(system.cursorPos());
}

DeliveryResult InjectIntoWindowUnderMouse(platform::Platform& platform, std::u16string_view text) {
  auto& system = platform.system;
  const auto pointer = system.cursorPos();
  const auto target = GetWindowUnderMouse(system);
  if (!target) return {DeliveryFailure::NoWindow, 0};
  system.bringToFront(target);
  system.setCursorPos(pointer);
  system.clickLeft();
  platform.toolkit.doEvents();
  platform.toolkit.doEventsFor(kClickSettleMs);
  // UTF-16 code units, so characters outside the ANSI code page arrive intact.
  DeliveryResult result;
  for (char16_t ch : text) {
    if (!system.postChar(target, ch)) {
      result.failure = result.typed == 0 ? DeliveryFailure::Refused : DeliveryFailure::Interrupted;
      break;
    }
    ++result.typed;
  }
  return result;
}

}  // namespace tessarin
