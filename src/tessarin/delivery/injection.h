#pragma once
// Typing the password into the window under the pointer: one click so that the control there
// takes the focus, a short pause for the target to handle it, then one character message each.
#include <string_view>

#include "delivery/delivery_failure.h"
#include "platform/platform.h"

namespace tessarin {

platform::WindowId GetWindowUnderMouse(const platform::System& system);
DeliveryResult InjectIntoWindowUnderMouse(platform::Platform& platform, std::u16string_view text);

}  // namespace tessarin
