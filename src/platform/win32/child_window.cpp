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

namespace {

// The window property that leads from a control's window to its object.
constexpr wchar_t kControlProperty[] = L"Tessarin.Control";

}  // namespace

ChildWindow::ChildWindow(Win32Form& form, HWND hwnd) : form_(form), hwnd_(hwnd) {
  if (!SetPropW(hwnd_, kControlProperty, this) ||
      !SetWindowSubclass(hwnd_, &ChildWindow::subclassProc, 0, reinterpret_cast<DWORD_PTR>(this))) {
    const std::system_error error(static_cast<int>(GetLastError()), std::system_category(), "linking a control to its window");
    DestroyWindow(hwnd_);
    throw error;
  }
}

ChildWindow::~ChildWindow() {
  if (hwnd_) {
    unlink(hwnd_);
    DestroyWindow(hwnd_);
  }
}

ChildWindow* ChildWindow::from(HWND hwnd) {
  return hwnd ? static_cast<ChildWindow*>(GetPropW(hwnd, kControlProperty)) : nullptr;
}

void ChildWindow::unlink(HWND hwnd) {
  RemoveWindowSubclass(hwnd, &ChildWindow::subclassProc, 0);
  RemovePropW(hwnd, kControlProperty);
}

LRESULT CALLBACK ChildWindow::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
  auto* control = reinterpret_cast<ChildWindow*>(self);
  if (msg == WM_NCDESTROY) {
    // The window goes with its form; the object lives as long as the form object does.
    unlink(hwnd);
    control->hwnd_ = nullptr;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
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
  return DefSubclassProc(hwnd_, msg, wParam, lParam);
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

long ChildWindow::twipsPerPixel() const { return win32::twipsPerPixel(windowDpi(hwnd_)); }

void ChildWindow::placeAt(Twips bounds) {
  const RECT rect = toPixels(bounds, twipsPerPixel());
  MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

Twips ChildWindow::placement() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
  return toTwips(rect, twipsPerPixel());
}

void ChildWindow::showWindow(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

bool ChildWindow::isShown() const { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

PixelRect ChildWindow::windowRect() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace tessarin::platform::win32
