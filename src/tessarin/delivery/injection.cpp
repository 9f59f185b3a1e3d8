#include "delivery/injection.h"

namespace tessarin {

namespace {
// How long a target may take over the click before the characters go all the same. A target
// that is busy for a moment gets it; one that never takes the focus still gets the characters
// at its own window.
constexpr long kClickTimeoutMs = 1000;

DeliveryFailure Refusal(platform::System::WindowOwner owner) {
  using Owner = platform::System::WindowOwner;
  switch (owner) {
    case Owner::None: return DeliveryFailure::NoWindow;
    case Owner::ThisProgram: return DeliveryFailure::OwnWindow;
    case Owner::OtherDesktop: return DeliveryFailure::OtherDesktop;
    case Owner::OtherProgram: break;
  }
  return DeliveryFailure::None;
}
}  // namespace

platform::WindowId GetWindowUnderMouse(const platform::System& system) {
  return system.windowFromPoint(system.cursorPos());
}

DeliveryResult InjectIntoWindowUnderMouse(platform::Platform& platform, std::u16string_view text) {
  auto& system = platform.system;
  const auto pointer = system.cursorPos();
  const auto target = GetWindowUnderMouse(system);
  if (const auto refusal = Refusal(system.windowOwner(target)); refusal != DeliveryFailure::None) return {refusal, 0};
  system.bringToFront(target);
  system.setCursorPos(pointer);
  system.clickLeft();
  // Characters that overtook the click would land where the focus was before it.
  system.waitForClickTaken(target, kClickTimeoutMs);
  const auto inFront = system.programOf(system.foregroundWindow());
  DeliveryResult result;
  // UTF-16 code units, so characters outside the ANSI code page arrive intact.
  using Sent = platform::System::SendResult;
  for (char16_t ch : text) {
    const bool frontMoved = result.typed > 0 && system.programOf(system.foregroundWindow()) != inFront;
    const Sent sent = frontMoved ? Sent::Lost : system.sendChar(target, ch);
    if (sent != Sent::Taken) {
      result.failure = sent == Sent::Refused && result.typed == 0 ? DeliveryFailure::Refused : DeliveryFailure::Interrupted;
      break;
    }
    ++result.typed;
  }
  return result;
}

}  // namespace tessarin
