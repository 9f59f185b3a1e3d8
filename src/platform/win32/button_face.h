#pragma once
// The face of an owner-drawn push button, as the system draws a push button: themed where
// visual styles are on, the classic raised edge otherwise; pressed, disabled and focused looks
// included. The caption is drawn in the button's own font, so it follows the DPI.
#include <windows.h>

#include <string_view>

namespace tessarin::platform::win32 {

void drawPushButtonFace(const DRAWITEMSTRUCT& item, HFONT font, HBRUSH background, std::u16string_view caption);

}  // namespace tessarin::platform::win32
