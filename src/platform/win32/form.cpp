#include "platform/win32/form.h"

#include <stdexcept>

#include "platform/win32/button.h"
#include "platform/win32/callback.h"
#include "platform/win32/dpi.h"
#include "platform/win32/label.h"
#include "platform/win32/slider.h"
#include "platform/win32/decoration.h"
#include "platform/win32/status_bar.h"
#include "platform/win32/text.h"
#include "platform/win32/text_box.h"
#include "platform/win32/timer.h"
#include "platform/win32/toolbar.h"
#include "platform/win32/toolkit.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {

Win32Form::~Win32Form() {
  // The program is tearing down: leave quietly, without events.
  if (modal_) endModal();
  if (loaded_) {
    loaded_ = false;
    toolkit_.formUnloaded(*this);
  }
  if (hwnd_) DestroyWindow(hwnd_);
  DeleteObject(background_);
}

void Win32Form::load() {
  if (loaded_) return;
  if (!hwnd_) throw std::logic_error("an unloaded form cannot be loaded again");
  loaded_ = true;
  toolkit_.formLoaded(*this);
  for (auto& timer : timers_) timer->apply();
  fire(onLoad);
}

void Win32Form::unload() {
  if (!loaded_) return;
  // The form is still in the loaded list while its handler runs.
  fire(onUnload);
  if (modal_) endModal();
  loaded_ = false;
  toolkit_.formUnloaded(*this);
  DestroyWindow(hwnd_);
  toolkit_.rethrowParked();
}

void Win32Form::show(bool modal, Form* owner) {
  load();
  if (!modal) {
    showWindow();
    return;
  }
  beginModal(owner);
  try {
    showWindow();
    toolkit_.pumpUntil([this] { return !modal_; });
  } catch (...) {
    if (modal_) endModal();
    throw;
  }
  // Still modal when the loop was left for WM_QUIT.
  if (modal_) endModal();
}

void Win32Form::showWindow() {
  int command = activateOnShow_ ? SW_SHOW : SW_SHOWNA;
  if (stateWhenShown_) {
    command = *stateWhenShown_ == WindowState::Minimized   ? SW_SHOWMINIMIZED
              : *stateWhenShown_ == WindowState::Maximized ? SW_SHOWMAXIMIZED
                                                           : SW_SHOWNORMAL;
    stateWhenShown_.reset();
  }
  placeControlsOnce();
  if (!visible()) menu_.fitBar();
  // Showing a shown window without activating it changes nothing but costs a round of
  // requests to the window server (the layout shows the cover on every pass).
  if ((command != SW_SHOWNA || !visible()) && !showAtPendingPlace(command)) ShowWindow(hwnd_, command);
  toolTips_.open(hwnd_);
  renewCaptureExclusion();
  if (activateOnShow_) toolkit_.mainFormShown(*this);
  toolkit_.rethrowParked();
}

void Win32Form::placeControlsOnce() {
  if (!placementDeferred_) return;
  placementDeferred_ = false;
  HDWP batch = BeginDeferWindowPos(static_cast<int>(controls_.size()));
  for (auto& control : controls_) control->firstShow(batch);
  if (batch) EndDeferWindowPos(batch);
}

HWND Win32Form::windowAbove(const ChildWindow& control) const {
  HWND above = HWND_TOP;
  for (const auto& each : controls_) {
    if (each.get() == &control) break;
    if (each->hwnd()) above = each->hwnd();
  }
  return above;
}

// The place and z-order the form was given while it was set up hidden, together with the show
// when that is a plain one: each change of a top-level window costs the window server a round
// of monitor look-ups. False when the show is still to be done.
bool Win32Form::showAtPendingPlace(int command) {
  if (!pendingRect_ && !pendingTopmost_) return false;
  UINT flags = SWP_NOACTIVATE;
  RECT rect{};
  if (pendingRect_) {
    rect = *pendingRect_;
  } else {
    flags |= SWP_NOMOVE | SWP_NOSIZE;
  }
  HWND insertAfter = nullptr;
  if (pendingTopmost_) {
    insertAfter = *pendingTopmost_ ? HWND_TOPMOST : HWND_NOTOPMOST;
  } else {
    flags |= SWP_NOZORDER;
  }
  pendingRect_.reset();
  pendingTopmost_.reset();
  const bool plainShow = command == SW_SHOW || command == SW_SHOWNA;
  if (plainShow) {
    flags |= SWP_SHOWWINDOW;
    if (command == SW_SHOW) flags &= ~SWP_NOACTIVATE;
  }
  SetWindowPos(hwnd_, insertAfter, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, flags);
  return plainShow;
}

void Win32Form::renewCaptureExclusion() {
  if (toolkit_.capturesExcluded()) toolkit_.applyCaptureChoice(hwnd_);
}

void Win32Form::hide() {
  if (modal_) endModal();
  ShowWindow(hwnd_, SW_HIDE);
  toolkit_.rethrowParked();
}

bool Win32Form::visible() const { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

// Application-modal, as the toolkit's modal forms are: every other loaded form is disabled.
void Win32Form::beginModal(Form* owner) {
  std::vector<HWND> disabled;
  for (Form* other : toolkit_.loadedForms()) {
    const auto otherWindow = reinterpret_cast<HWND>(other->id());
    if (otherWindow == hwnd_ || !IsWindowEnabled(otherWindow)) continue;
    EnableWindow(otherWindow, FALSE);
    disabled.push_back(otherWindow);
  }
  // An owned window stays above its owner.
  if (owner) SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, static_cast<LONG_PTR>(owner->id()));
  modal_ = std::move(disabled);
}

// Runs before the modal form is hidden or destroyed, so that activation returns to its owner.
void Win32Form::endModal() {
  const std::vector<HWND> disabled = std::move(*modal_);
  modal_.reset();
  for (HWND window : disabled) EnableWindow(window, TRUE);
  Win32Toolkit::wake();
}

void Win32Form::setCaption(std::u16string_view caption) { SetWindowTextW(hwnd_, wideCopy(caption).c_str()); }

std::u16string Win32Form::caption() const { return windowText(hwnd_); }

long Win32Form::twipsPerPixel() const { return win32::twipsPerPixel(dpi_); }

void Win32Form::setBounds(Twips bounds) {
  const RECT rect = toPixels(bounds, twipsPerPixel());
  const RECT current = windowRect();
  if (EqualRect(&rect, &current)) return;  // saves a trip to the window server and a repaint
  if (layingOut()) {
    pendingRect_ = rect;
    return;
  }
  SetWindowPos(hwnd_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  toolkit_.rethrowParked();
}

RECT Win32Form::windowRect() const {
  if (pendingRect_) return *pendingRect_;
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return rect;
}

Twips Win32Form::bounds() const { return toTwips(windowRect(), twipsPerPixel()); }

POINT Win32Form::clientOriginPixels() const {
  if (!pendingRect_) {
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    return origin;
  }
  // The system's own answer for that window rectangle, menu bar included at that width.
  RECT client = *pendingRect_;
  SendMessageW(hwnd_, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  return {client.left, client.top};
}

Twips Win32Form::clientOrigin() const {
  const POINT origin = clientOriginPixels();
  const long tpp = twipsPerPixel();
  return {toTwips(origin.x, tpp), toTwips(origin.y, tpp), 0, 0};
}

Twips Win32Form::workArea() const {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  const RECT window = windowRect();
  if (!GetMonitorInfoW(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor))
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
  return toTwips(monitor.rcWork, twipsPerPixel());
}

void Win32Form::setWindowState(WindowState state) {
  if (!visible()) {
    stateWhenShown_ = state;
    return;
  }
  ShowWindow(hwnd_, state == WindowState::Minimized   ? SW_MINIMIZE
                    : state == WindowState::Maximized ? SW_MAXIMIZE
                                                      : SW_RESTORE);
  toolkit_.rethrowParked();
}

WindowState Win32Form::windowState() const {
  if (stateWhenShown_) return *stateWhenShown_;
  if (IsIconic(hwnd_)) return WindowState::Minimized;
  if (IsZoomed(hwnd_)) return WindowState::Maximized;
  return WindowState::Normal;
}

void Win32Form::setExStyle(LONG_PTR bits, bool on) {
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  const LONG_PTR wanted = on ? (style | bits) : (style & ~bits);
  if (wanted != style) SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, wanted);
}

void Win32Form::makeLayered() { setExStyle(WS_EX_LAYERED, true); }

// The colour key is passed but unused: only LWA_ALPHA is given.
void Win32Form::setOpacity(std::uint8_t alpha) {
  SetLayeredWindowAttributes(hwnd_, RGB(255, 255, 0), alpha, LWA_ALPHA);
}

void Win32Form::setTopmost(bool topmost) {
  if (layingOut()) {
    pendingTopmost_ = topmost;
    return;
  }
  SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Form::setClickThrough(bool on) { setExStyle(WS_EX_TRANSPARENT, on); }

bool Win32Form::clickThrough() const { return (GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; }

void Win32Form::setMousePointer(MousePointer pointer) {
  pointer_ = pointer;
  updateCursor();
}

// The system asks for the cursor on the next mouse move; ask now, so the change shows at once.
void Win32Form::updateCursor() const {
  POINT point;
  if (!GetCursorPos(&point)) return;
  HWND under = WindowFromPoint(point);
  if (!under || GetAncestor(under, GA_ROOT) != hwnd_) return;
  const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
  SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
}

// A hidden form is drawn in full when it shows; redrawing it now would only cost requests to the
// window server.
void Win32Form::repaint() {
  if (!visible()) return;
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool Win32Form::runKey(int virtualKey, bool ctrl) {
  if (menu_.runShortcut(virtualKey, ctrl)) return true;
  if (ctrl) return false;
  Win32Button* button = virtualKey == VK_RETURN ? defaultButton_ : virtualKey == VK_ESCAPE ? cancelButton_ : nullptr;
  return button && button->clickForKey();
}

void Win32Form::setDefaultButton(Win32Button* button, bool isDefault) {
  if (isDefault) {
    if (defaultButton_ && defaultButton_ != button) defaultButton_->showAsDefault(false);
    defaultButton_ = button;
  } else if (defaultButton_ == button) {
    defaultButton_ = nullptr;
  }
  button->showAsDefault(isDefault);
}

void Win32Form::setCancelButton(Win32Button* button, bool isCancel) {
  if (isCancel) {
    cancelButton_ = button;
  } else if (cancelButton_ == button) {
    cancelButton_ = nullptr;
  }
}

template <class Control>
Control& Win32Form::own(std::unique_ptr<Control> control) {
  Control& owned = *control;
  controls_.push_back(std::move(control));
  owned.joinedForm();
  return owned;
}

CommandButton& Win32Form::addButton(const FontSpec& font) {
  return own(std::make_unique<Win32Button>(*this, font, ButtonCaption::System));
}

CommandButton& Win32Form::addKeyButton(const FontSpec& font) {
  return own(std::make_unique<Win32Button>(*this, font, ButtonCaption::DrawnPrivately));
}

TextBox& Win32Form::addTextBox(const TextBoxArgs& args) { return own(std::make_unique<Win32TextBox>(*this, args)); }

Label& Win32Form::addLabel(std::u16string_view caption, const FontSpec& font) {
  return own(std::make_unique<Win32Label>(*this, caption, font));
}

Slider& Win32Form::addSlider() { return own(std::make_unique<Win32Slider>(*this)); }

Toolbar& Win32Form::addToolbar() { return own(std::make_unique<Win32Toolbar>(*this)); }

StatusBar& Win32Form::addStatusBar() { return own(std::make_unique<Win32StatusBar>(*this)); }

Icon& Win32Form::addIcon(IconKind kind) { return own(std::make_unique<Win32Icon>(*this, kind)); }

EtchedLine& Win32Form::addEtchedLine() { return own(std::make_unique<Win32EtchedLine>(*this)); }

Timer& Win32Form::addTimer() {
  const auto timerId = static_cast<UINT_PTR>(timers_.size() + 1);
  return *timers_.emplace_back(std::make_unique<Win32Timer>(*this, timerId));
}

MenuItem& Win32Form::addMenuItem(MenuItem* parent, std::u16string_view caption, Shortcut shortcut) {
  // Items come from this form's own tree.
  return menu_.add(static_cast<Win32MenuItem*>(parent), caption, shortcut);
}

}  // namespace tessarin::platform::win32
