#include "platform/win32/child_window.h"

#include <system_error>
#include <unordered_map>
#include <utility>

#include "platform/win32/callback.h"
#include "platform/win32/dpi.h"
#include "platform/win32/form.h"
#include "platform/win32/mouse_event.h"
#include "platform/win32/toolkit.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {

namespace {

// The object behind each control window; they all live on the one user-interface thread. The
// window's user data would do as well, but setting it is a request to the window server for
// every control made; window properties and comctl32 subclassing even ask it on every message.
// Never destroyed, so that controls going at exit still find it.
std::unordered_map<HWND, ChildWindow*>& linkedControls() {
  static auto* controls = new std::unordered_map<HWND, ChildWindow*>;
  return *controls;
}

ChildWindow* linkedControl(HWND hwnd) {
  const auto found = linkedControls().find(hwnd);
  return found == linkedControls().end() ? nullptr : found->second;
}

}  // namespace

ChildWindow::ChildWindow(Win32Form& form, ChildClass windowClass, Making making)
    : form_(form), class_(windowClass), making_(making) {}

void ChildWindow::joinedForm() {
  if (!form_.placementDeferred()) {
    make(WS_VISIBLE);
    return;
  }
  // A form laid out hidden shows its controls with the batch that places them: showing each
  // one now would cost two more requests to the window server, and hiding the spare ones more.
  pendingVisible_ = true;
  if (making_ == Making::Now) make(0);
}

// The control's procedure is replaced by ours, which is set in-process.
void ChildWindow::make(DWORD style) {
  const RECT rect = pending_.value_or(RECT{});
  hwnd_ = CreateWindowExW(class_.exStyle, class_.name, textWhenMade().c_str(), WS_CHILD | style | class_.style,
                          rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, form_.hwnd(), nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) throwLastError("CreateWindowExW (control)");
  pending_.reset();
  linkedControls()[hwnd_] = this;
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildWindow::windowProc)));
  if (!previous_) {
    const std::system_error error = windowsError(GetLastError(), "linking a control to its window");
    linkedControls().erase(hwnd_);
    DestroyWindow(std::exchange(hwnd_, nullptr));
    throw error;
  }
  windowMade();
}

// A window is made below its siblings. Made after some of the controls that follow it, it goes
// back to its place among them: now, or with the form's first show. A form whose window is gone
// makes no more.
HWND ChildWindow::window() {
  if (hwnd_ || !form_.hwnd()) return hwnd_;
  make(0);
  if (!form_.placementDeferred())
    SetWindowPos(hwnd_, form_.windowAbove(*this), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return hwnd_;
}

void ChildWindow::setStyleWhenMade(DWORD bits, bool on) { class_.style = on ? class_.style | bits : class_.style & ~bits; }

ChildWindow::~ChildWindow() {
  if (hwnd_) {
    // Unlinked first, so the messages of destruction no longer reach this object.
    linkedControls().erase(hwnd_);
    DestroyWindow(hwnd_);
  }
}

LRESULT CALLBACK ChildWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = linkedControl(hwnd);
  if (!control) {
    // Unlinked: the control's own class procedure is the one we replaced.
    return CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)), hwnd, msg, wParam, lParam);
  }
  if (msg == WM_NCDESTROY) {
    // The window goes with its form; the object lives as long as the form object does.
    linkedControls().erase(hwnd);
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
void ChildWindow::placeAt(Twips bounds) { placeAtPixels(toPixels(bounds, twipsPerPixel())); }

void ChildWindow::placeAtPixels(const RECT& rect) {
  const RECT placed = placedRect();
  if (EqualRect(&rect, &placed)) return;
  if (form_.placementDeferred() || !hwnd_) {
    pending_ = rect;
    return;
  }
  MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void ChildWindow::firstShow(HDWP& batch) {
  const bool shows = isShown();
  const bool visibilityChanges = pendingVisible_.has_value();
  pendingVisible_.reset();
  UINT flags = SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS;
  HWND insertAfter = nullptr;
  if (!hwnd_) {
    if (!shows) return;  // keeps its place until it is shown
    // The form's controls are made in their order, each below the ones before it; a window
    // made before the first show goes back after the control before it.
    make(0);
    flags |= SWP_NOZORDER;
  } else {
    insertAfter = form_.windowAbove(*this);
  }
  RECT rect{};
  if (pending_) {
    rect = *pending_;
  } else {
    flags |= SWP_NOMOVE | SWP_NOSIZE;
  }
  if (visibilityChanges) flags |= shows ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  pending_.reset();
  // The form is still hidden: nothing to redraw or erase yet (the erase alone would ask the
  // window server for the form's update region once per control).
  if (batch) {
    batch = DeferWindowPos(batch, hwnd_, insertAfter, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, flags | SWP_DEFERERASE);
  }
  // Without a batch (the system refused one), the control moves on its own.
  if (!batch) SetWindowPos(hwnd_, insertAfter, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, flags);
}

RECT ChildWindow::placedRect() const {
  if (pending_ || !hwnd_) return pending_.value_or(RECT{});
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

Twips ChildWindow::placement() const { return toTwips(placedRect(), twipsPerPixel()); }

void ChildWindow::showWindow(bool visible) {
  if (isShown() == visible) return;
  if (form_.placementDeferred()) {
    pendingVisible_ = visible;
    return;
  }
  if (!hwnd_) {
    if (!form_.hwnd()) return;
    // Made, put in its place among the form's controls and shown in one go.
    make(0);
    SetWindowPos(hwnd_, form_.windowAbove(*this), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return;
  }
  ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool ChildWindow::isShown() const {
  if (pendingVisible_) return *pendingVisible_;
  return hwnd_ && (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

PixelRect ChildWindow::windowRect() const {
  RECT rect{};
  if (pending_ || !hwnd_) {
    const POINT origin = form_.clientOriginPixels();
    rect = pending_.value_or(RECT{});
    OffsetRect(&rect, origin.x, origin.y);
  } else {
    GetWindowRect(hwnd_, &rect);
  }
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace tessarin::platform::win32
