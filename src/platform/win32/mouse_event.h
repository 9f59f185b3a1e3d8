#pragma once
// Unpacks a mouse message once into the program's terms: button and shift masks, twips.
#include <windows.h>

#include <functional>
#include <optional>

#include "platform/geometry.h"

namespace tessarin::platform::win32 {

enum class MouseAction { Down, Move, Up, DoubleClick };

struct MouseMessage {
  MouseAction action;
  MouseEvent event;
};

// Client-area mouse messages only; anything else gives nothing. A left double click is a
// DoubleClick (it replaces the second press); other double clicks count as presses.
std::optional<MouseMessage> decodeMouse(UINT msg, WPARAM wParam, LPARAM lParam, long twipsPerPixel);

// Hands the message to the matching callback of a form or text box.
void fireMouse(const MouseMessage& mouse, const std::function<void(const MouseEvent&)>& onDown,
               const std::function<void(const MouseEvent&)>& onMove,
               const std::function<void(const MouseEvent&)>& onUp, const std::function<void()>& onDblClick);

}  // namespace tessarin::platform::win32
