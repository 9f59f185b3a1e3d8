#include "delivery/injection.h"

#include <vector>

#include "platform/common/utf16.h"

namespace tessarin {

namespace {
// How long a target may take over the click before the characters go all the same. A target
// that is busy for a moment gets it; one that never takes the focus still gets the characters
// at its own window.
constexpr long kClickTimeoutMs = 1000;
// Small enough that typing stops soon after another program comes to the front (the batch
// already on its way when the foreground is looked at still goes, to the chosen window), large
// enough that a password goes over in a few batches.
constexpr std::size_t kUnitsPerBatch = 16;

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
  // UTF-16 code units, so characters outside the ANSI code page arrive intact; in batches, each
  // handed over at once, with a look at the foreground before each after the first.
  std::vector<std::u16string_view> batches;
  for (auto rest = text; !rest.empty(); rest.remove_prefix(batches.back().size()))
    batches.push_back(common::CutKeepingPairs(rest, kUnitsPerBatch));
  using Sent = platform::System::SendResult;
  const auto typed = system.typeChars(target, batches,
                                      [&] { return system.programOf(system.foregroundWindow()) == inFront; });
  DeliveryResult result{DeliveryFailure::None, typed.taken};
  if (typed.result != Sent::Taken)
    result.failure = typed.result == Sent::Refused && typed.taken == 0 ? DeliveryFailure::Refused
                                                                       : DeliveryFailure::Interrupted;
  return result;
}

}  // namespace tessarin
