#include "platform/win32/mouse_event.h"

#include <windowsx.h>

#include "platform/win32/callback.h"

namespace tessarin::platform::win32 {
namespace {

int heldButtons(WPARAM keys) {
  return ((keys & MK_LBUTTON) ? kLeftButton : 0) | ((keys & MK_RBUTTON) ? kRightButton : 0) |
         ((keys & MK_MBUTTON) ? kMiddleButton : 0);
}

int shiftState(WPARAM keys) {
  return ((keys & MK_SHIFT) ? kShiftMask : 0) | ((keys & MK_CONTROL) ? kCtrlMask : 0) |
         (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

}  // namespace

std::optional<MouseMessage> decodeMouse(UINT msg, WPARAM wParam, LPARAM lParam, long twipsPerPixel) {
  MouseAction action = MouseAction::Down;
  int button = kNoButton;
  switch (msg) {
    case WM_MOUSEMOVE:
      action = MouseAction::Move;
      button = heldButtons(wParam);
      break;
    case WM_LBUTTONDOWN:
      button = kLeftButton;
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      button = kRightButton;
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      button = kMiddleButton;
      break;
    case WM_LBUTTONUP:
      action = MouseAction::Up;
      button = kLeftButton;
      break;
    case WM_RBUTTONUP:
      action = MouseAction::Up;
      button = kRightButton;
      break;
    case WM_MBUTTONUP:
      action = MouseAction::Up;
      button = kMiddleButton;
      break;
    case WM_LBUTTONDBLCLK:
      action = MouseAction::DoubleClick;
      button = kLeftButton;
      break;
    default:
      return std::nullopt;
  }
  const auto tpp = static_cast<float>(twipsPerPixel);
  return MouseMessage{action, MouseEvent{button, shiftState(wParam),
                                         static_cast<float>(GET_X_LPARAM(lParam)) * tpp,
                                         static_cast<float>(GET_Y_LPARAM(lParam)) * tpp}};
}

void fireMouse(const MouseMessage& mouse, const std::function<void(const MouseEvent&)>& onDown,
               const std::function<void(const MouseEvent&)>& onMove,
               const std::function<void(const MouseEvent&)>& onUp, const std::function<void()>& onDblClick) {
  switch (mouse.action) {
    case MouseAction::Down:
      fire(onDown, mouse.event);
      break;
    case MouseAction::Move:
      fire(onMove, mouse.event);
      break;
    case MouseAction::Up:
      fire(onUp, mouse.event);
      break;
    case MouseAction::DoubleClick:
      fire(onDblClick);
      break;
  }
}

}  // namespace tessarin::platform::win32
