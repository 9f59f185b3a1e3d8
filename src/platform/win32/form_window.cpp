// The form's native window: its class, creation and window procedure.
#include <windowsx.h>

#include "platform/win32/callback.h"
#include "platform/win32/child_window.h"
#include "platform/win32/dpi.h"
#include "platform/win32/form.h"
#include "platform/win32/mouse_event.h"
#include "platform/win32/res/resource.h"
#include "platform/win32/text.h"
#include "platform/win32/timer.h"
#include "platform/win32/toolkit.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {
namespace {

constexpr wchar_t kClassName[] = L"TessarinForm";

struct WindowStyles {
  DWORD style;
  DWORD exStyle;
};

WindowStyles stylesFor(FormStyle style) {
  switch (style) {
    case FormStyle::Dialog:
      return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME};
    case FormStyle::Borderless:
      return {WS_POPUP, WS_EX_TOOLWINDOW};
    case FormStyle::Sizable:
      break;
  }
  return {WS_OVERLAPPEDWINDOW, 0};
}

}  // namespace

void Win32Form::registerWindowClass() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &Win32Form::windowProc;
  windowClass.hInstance = instance;
  // Null when the executable carries no icon (the tests): the system's default shows.
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TESSARIN));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TESSARIN), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassExW(&windowClass)) throwLastError("RegisterClassExW");
}

void Win32Form::unregisterWindowClass() { UnregisterClassW(kClassName, GetModuleHandleW(nullptr)); }

Win32Form::Win32Form(Win32Toolkit& toolkit, const FormArgs& args)
    : toolkit_(toolkit),
      backColor_(args.backColor),
      background_(CreateSolidBrush(args.backColor)),
      activateOnShow_(args.style != FormStyle::Borderless),
      placementDeferred_(args.placeControlsWhenFirstShown),
      toolTips_(!args.placeControlsWhenFirstShown),
      menu_(hwnd_) {
  const WindowStyles styles = stylesFor(args.style);
  // An owned window gets no task-bar button; a borderless one is a tool window anyway.
  HWND owner = !args.showInTaskbar && args.style != FormStyle::Borderless ? toolkit.hiddenOwner() : nullptr;
  // Made with the bar its menus go to: attached later, it would cost the window server a new
  // frame and the docked controls a move. A form shows it only while it has a visible menu.
  HMENU menu = args.style == FormStyle::Sizable ? menu_.bar() : nullptr;
  // In the screen's pixels: the window does not exist yet to say its own DPI.
  const long screenTwipsPerPixel = win32::twipsPerPixel(screenDpiX());
  const RECT rect = args.bounds ? toPixels(*args.bounds, screenTwipsPerPixel) : RECT{0, 0, 320, 240};
  // Sets hwnd_ at WM_NCCREATE, so the messages of creation already reach this object.
  if (!CreateWindowExW(styles.exStyle, kClassName, wideCopy(args.caption).c_str(), styles.style | WS_CLIPCHILDREN,
                       rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, owner, menu,
                       GetModuleHandleW(nullptr), this)) {
    DeleteObject(background_);
    throwLastError("CreateWindowExW (form)");
  }
  dpi_ = windowDpi(hwnd_);
  // Made on a monitor of another scale: the bounds are in this window's twips.
  if (args.bounds && win32::twipsPerPixel(dpi_) != screenTwipsPerPixel) setBounds(*args.bounds);
}

LRESULT CALLBACK Win32Form::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    form->windowDestroyed();
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  try {
    return form->handle(msg, wParam, lParam);
  } catch (...) {
    form->toolkit_.park(std::current_exception());
    return 0;
  }
}

// Normally after unload; also when the system destroys the window with its owner.
void Win32Form::windowDestroyed() {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  toolkit_.formWindowDestroyed(hwnd_);
  hwnd_ = nullptr;
  if (modal_) endModal();
  if (loaded_) {
    loaded_ = false;
    toolkit_.formUnloaded(*this);
  }
}

LRESULT Win32Form::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      unload();
      return 0;
    case WM_DESTROY:
      menu_.detach();
      break;
    case WM_ACTIVATEAPP:
      toolkit_.foregroundMoving(hwnd_);
      return 0;
    case Win32Toolkit::kForegroundSettled:
      toolkit_.foregroundSettled();
      return 0;
    case Win32Toolkit::kWatchSession:
      toolkit_.watchSession(hwnd_);
      return 0;
    case WM_WTSSESSION_CHANGE:
      if (wParam == WTS_SESSION_LOCK) toolkit_.sessionLeft();
      return 0;
    case WM_ENDSESSION:
      if (wParam) toolkit_.sessionLeft();
      return 0;
    case WM_ACTIVATE:
      toolkit_.foregroundMoving(hwnd_);
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else {
        activated();
      }
      return 0;
    case WM_SETCURSOR:
      if (pointer_ == MousePointer::GreyDot && LOWORD(lParam) == HTCLIENT) {
        SetCursor(toolkit_.greyDotCursor());
        return TRUE;
      }
      break;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
      return 1;
    }
    case WM_COMMAND:
      if (lParam) {
        if (auto* control = controlOf(reinterpret_cast<HWND>(lParam))) control->command(HIWORD(wParam), LOWORD(wParam));
      } else if (HIWORD(wParam) == 0) {
        menu_.click(LOWORD(wParam));
      }
      return 0;
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lParam);
      if (auto* control = controlOf(header.hwndFrom)) return control->notify(header);
      break;
    }
    case WM_HSCROLL:
      if (auto* control = controlOf(reinterpret_cast<HWND>(lParam))) control->scroll(LOWORD(wParam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (auto* control = controlOf(reinterpret_cast<HWND>(lParam))) {
        return reinterpret_cast<LRESULT>(control->colors(reinterpret_cast<HDC>(wParam)));
      }
      break;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        minimized_ = true;
      } else if (minimized_) {
        minimized_ = false;
        renewCaptureExclusion();
      }
      for (auto& control : controls_) control->formResized();
      return 0;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (auto* control = controlOf(item.hwndItem)) return control->draw(item);
      break;
    }
    case WM_TIMER:
      if (wParam >= 1 && wParam <= timers_.size()) timers_[wParam - 1]->tick();
      return 0;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      for (auto& control : controls_) control->dpiChanged();
      return 0;
    }
    default:
      if (handleMouse(msg, wParam, lParam)) return 0;
      break;
  }
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

// Focus goes back to the control that had it when the form was last left.
void Win32Form::activated() {
  if (!IsIconic(hwnd_)) SetFocus(lastFocus_ && IsChild(hwnd_, lastFocus_) ? lastFocus_ : hwnd_);
  fire(onActivate);
}

bool Win32Form::handleMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto mouse = decodeMouse(msg, wParam, lParam, twipsPerPixel());
  if (!mouse) return false;
  // The form keeps the mouse until the buttons are up, as toolkit forms do.
  if (mouse->action == MouseAction::Down) SetCapture(hwnd_);
  const bool buttonsUp = !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON));
  if (mouse->action == MouseAction::Up && buttonsUp && GetCapture() == hwnd_) ReleaseCapture();
  fireMouse(*mouse, onMouseDown, onMouseMove, onMouseUp, onDblClick);
  return true;
}

ChildWindow* Win32Form::controlOf(HWND hwnd) const {
  if (!hwnd) return nullptr;
  for (const auto& control : controls_) {
    if (control->hwnd() == hwnd) return control.get();
  }
  return nullptr;
}

// A subclass in the classic way: our procedure goes in front of the form's and remembers it.
void Win32Form::installSubclass(SubclassHandlers handlers) {
  if (subclass_) removeSubclass();
  subclass_ = std::move(handlers);
  beforeSubclass_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Form::subclassProc)));
  if (!beforeSubclass_) {
    subclass_.reset();
    throwLastError("SetWindowLongPtrW (subclass)");
  }
}

void Win32Form::removeSubclass() {
  if (hwnd_ && beforeSubclass_) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(beforeSubclass_));
  beforeSubclass_ = nullptr;
  subclass_.reset();
}

// Sees each message after the form's own procedure, as a subclass installed over it does.
LRESULT CALLBACK Win32Form::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form || !form->beforeSubclass_) return CallWindowProcW(&Win32Form::windowProc, hwnd, msg, wParam, lParam);
  const WNDPROC before = form->beforeSubclass_;
  if (msg == WM_NCDESTROY) {
    form->beforeSubclass_ = nullptr;
    form->subclass_.reset();
  }
  const LRESULT result = CallWindowProcW(before, hwnd, msg, wParam, lParam);
  if (!form->subclass_) return result;
  try {
    if (msg == WM_MOVE) {
      fire(form->subclass_->onMove, static_cast<long>(GET_X_LPARAM(lParam)), static_cast<long>(GET_Y_LPARAM(lParam)));
    } else if (msg == WM_SIZE && wParam == SIZE_RESTORED) {
      fire(form->subclass_->onSizeRestored);
    } else if (msg == WM_DPICHANGED) {
      fire(form->subclass_->onDpiChanged);
    }
  } catch (...) {
    form->toolkit_.park(std::current_exception());
  }
  return result;
}

}  // namespace tessarin::platform::win32
