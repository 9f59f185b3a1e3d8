#include "platform/win32/child_window.h"

#include <system_error>
#include <unordered_map>

#include "platform/win32/callback.h"
#include "platform/win32/dpi.h"
#include "platform/win32/form.h"
#include "platform/win32/mouse_event.h"
#include "platform/win32/toolkit.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {

HWND createChild(Win32Form& form, const wchar_t* windowClass, DWORD style, DWORD exStyle) {
  // A form laid out hidden shows its controls with the batch that places them: showing each
  // one now would cost two more requests to the window server, and hiding the spare ones more.
  const DWORD visible = form.placementDeferred() ? 0 : WS_VISIBLE;
  HWND hwnd = CreateWindowExW(exStyle, windowClass, L"", WS_CHILD | visible | style, 0, 0, 0, 0,
                              form.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) throwLastError("CreateWindowExW (control)");
  return hwnd;
}

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

// The control's procedure is replaced by ours, which is set in-process.
ChildWindow::ChildWindow(Win32Form& form, HWND hwnd) : form_(form), hwnd_(hwnd) {
  if (form.placementDeferred()) pendingVisible_ = true;  // made hidden by createChild
  linkedControls()[hwnd_] = this;
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildWindow::windowProc)));
  if (!previous_) {
    const std::system_error error = windowsError(GetLastError(), "linking a control to its window");
    linkedControls().erase(hwnd_);
    DestroyWindow(hwnd_);
    throw error;
  }
}

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
void ChildWindow::placeAt(Twips bounds) {
  const RECT rect = toPixels(bounds, twipsPerPixel());
  const RECT placed = placedRect();
  if (EqualRect(&rect, &placed)) return;
  if (form_.placementDeferred()) {
    pending_ = rect;
    return;
  }
  MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void ChildWindow::deferPlacement(HDWP& batch) {
  if (!pending_ && !pendingVisible_) return;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS;
  RECT rect{};
  if (pending_) {
    rect = *pending_;
  } else {
    flags |= SWP_NOMOVE | SWP_NOSIZE;
  }
  if (pendingVisible_) flags |= *pendingVisible_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  pending_.reset();
  pendingVisible_.reset();
  // The form is still hidden: nothing to redraw or erase yet (the erase alone would ask the
  // window server for the form's update region once per control).
  if (batch) {
    batch = DeferWindowPos(batch, hwnd_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                           flags | SWP_DEFERERASE);
  }
  // Without a batch (the system refused one), the control moves on its own.
  if (!batch) SetWindowPos(hwnd_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, flags);
}

RECT ChildWindow::placedRect() const {
  if (pending_) return *pending_;
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
  ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool ChildWindow::isShown() const {
  if (pendingVisible_) return *pendingVisible_;
  return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

PixelRect ChildWindow::windowRect() const {
  RECT rect{};
  if (pending_) {
    const POINT origin = form_.clientOriginPixels();
    rect = *pending_;
    OffsetRect(&rect, origin.x, origin.y);
  } else {
    GetWindowRect(hwnd_, &rect);
  }
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace tessarin::platform::win32
