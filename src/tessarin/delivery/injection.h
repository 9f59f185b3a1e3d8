#pragma once
// Typing the password into the window under the pointer. The window is vetted first (none,
// one of ours, another desktop: nothing is typed), then clicked so that the control there
// takes the focus; once its program has taken the click, the characters follow one by one,
// and typing stops as soon as the window is gone or another program comes to the front.
#include <string_view>

#include "delivery/delivery_failure.h"
#include "platform/platform.h"

namespace tessarin {

platform::WindowId GetWindowUnderMouse(const platform::System& system);
DeliveryResult InjectIntoWindowUnderMouse(platform::Platform& platform, std::u16string_view text);

}  // namespace tessarin
