#include "platform/win32/child_window.h"

#include <system_error>

#include "platform/win32/callback.h"
#include "platform/win32/dpi.h"
#include "platform/win32/form.h"
#include "platform/win32/mouse_event.h"
#include "platform/win32/toolkit.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {

HWND createChild(Win32Form& form, const wchar_t* windowClass, DWORD style, DWORD exStyle) {
  HWND hwnd = CreateWindowExW(exStyle, windowClass, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                              form.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) throwLastError("CreateWindowExW (control)");
  return hwnd;
}

// The object sits in the window's user data and its procedure replaces the control's: both
// are read in-process, whereas window properties and comctl32 subclassing ask the window server
// on every message, which made start-up and painting slow.
ChildWindow::ChildWindow(Win32Form& form, HWND hwnd) : form_(form), hwnd_(hwnd) {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildWindow::windowProc)));
  if (!previous_) {
    const std::system_error error = windowsError(GetLastError(), "linking a control to its window");
    DestroyWindow(hwnd_);
    throw error;
  }
}

ChildWindow::~ChildWindow() {
  if (hwnd_) {
    // Unlinked first, so the messages of destruction no longer reach this object.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

LRESULT CALLBACK ChildWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = reinterpret_cast<ChildWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!control) {
    // Unlinked: the control's own class procedure is the one we replaced.
    return CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)), hwnd, msg, wParam, lParam);
  }
  if (msg == WM_NCDESTROY) {
    // The window goes with its form; the object lives as long as the form object does.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    control->hwnd_ = nullptr;
    return CallWindowProcW(control->previous_, hwnd, msg, wParam, lParam);
  }
  try {
    return control->message(msg, wParam, lParam);
  } catch (...) {
    control->form_.toolkit().park(std::current_exception());
    return 0;
  }
}

LRESULT ChildWindow::message(UINT msg, WPARAM wParam, LPARAM lParam) { return passOn(msg, wParam, lParam); }

LRESULT ChildWindow::passOn(UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(previous_, hwnd_, msg, wParam, lParam);
}

LRESULT ChildWindow::passOnReportingMoves(UINT msg, WPARAM wParam, LPARAM lParam,
                                          const std::function<void(const MouseEvent&)>& onMove) {
  const LRESULT result = passOn(msg, wParam, lParam);
  const auto mouse = decodeMouse(msg, wParam, lParam, twipsPerPixel());
  if (mouse && mouse->action == MouseAction::Move) fire(onMove, mouse->event);
  return result;
}

HBRUSH ChildWindow::colors(HDC dc) {
  SetBkColor(dc, form_.backColor());
  return form_.backgroundBrush();
}

UINT ChildWindow::dpi() const { return form_.dpi(); }

long ChildWindow::twipsPerPixel() const { return form_.twipsPerPixel(); }

// Layout passes often give a control the place it already has; moving it anyway would cost a
// trip to the window server and a repaint.
void ChildWindow::placeAt(Twips bounds) {
  const RECT rect = toPixels(bounds, twipsPerPixel());
  const RECT placed = placedRect();
  if (EqualRect(&rect, &placed)) return;
  MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

RECT ChildWindow::placedRect() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

Twips ChildWindow::placement() const { return toTwips(placedRect(), twipsPerPixel()); }

void ChildWindow::showWindow(bool visible) {
  if (isShown() != visible) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool ChildWindow::isShown() const { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

PixelRect ChildWindow::windowRect() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace tessarin::platform::win32
