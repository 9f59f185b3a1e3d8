#pragma once
// Why a delivery did not happen, and what the user is told about it. The messages never hold
// the password or its length.
#include <cstddef>
#include <string>

namespace tessarin {

enum class DeliveryFailure {
  None,
  Cancelled,           // Escape ended the drag
  NothingTookTheDrop,  // released where no program accepts dropped text
  NotReadOnDrop,       // the target accepted the drop but read nothing after it
  NoWindow,            // injection: nothing under the pointer
  OwnWindow,           // injection: one of this program's windows
  OtherDesktop,        // injection: a window of another desktop
  Refused,             // injection: the window refused the first character
  Interrupted,         // injection: stopped part-way
};

struct DeliveryResult {
  DeliveryFailure failure = DeliveryFailure::None;
  std::size_t typed = 0;  // characters an injection handed to the target
};

std::u16string DeliveryFailureMessage(const DeliveryResult& result);

}  // namespace tessarin
