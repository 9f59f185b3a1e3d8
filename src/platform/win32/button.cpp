#include "platform/win32/button.h"

#include "platform/win32/button_face.h"
#include "platform/win32/callback.h"
#include "platform/win32/form.h"
#include "platform/win32/text.h"

namespace tessarin::platform::win32 {

Win32Button::Win32Button(Win32Form& form, const FontSpec& font, ButtonCaption kind)
    : NativeControl(form,
                    {L"BUTTON", static_cast<DWORD>(kind == ButtonCaption::System ? BS_PUSHBUTTON : BS_OWNERDRAW) | WS_TABSTOP},
                    Making::WhenNeeded),
      font_(font),
      drawsCaption_(kind == ButtonCaption::DrawnPrivately) {}

void Win32Button::windowMade() { font_.applyTo(hwnd(), dpi()); }

std::wstring Win32Button::textWhenMade() const { return captionReadable() ? wideCopy(caption_) : std::wstring(); }

// A caption drawn by the button reaches the window text, which any process can read with
// WM_GETTEXT or through accessibility, only when it is made readable.
void Win32Button::setCaption(std::u16string_view caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  if (!hwnd()) return;
  if (captionReadable()) setWindowText(hwnd(), caption);
  // A hidden button paints in full when it is shown; invalidating it asks the window server for nothing.
  if (drawsCaption_ && IsWindowVisible(hwnd())) InvalidateRect(hwnd(), nullptr, FALSE);
}

void Win32Button::setCaptionReadable(bool readable) {
  if (!drawsCaption_ || readable == readable_) return;
  readable_ = readable;
  if (hwnd()) setWindowText(hwnd(), readable ? std::u16string_view(caption_) : std::u16string_view());
}

bool Win32Button::draw(const DRAWITEMSTRUCT& item) {
  if (!drawsCaption_) return false;
  drawPushButtonFace(item, font_.handle(), form_.backgroundBrush(), caption_);
  return true;
}

// Kept in the style until the button has a window: enabling one costs the window server a
// round of messages.
void Win32Button::setEnabled(bool enabled) {
  if (!hwnd()) return setStyleWhenMade(WS_DISABLED, !enabled);
  EnableWindow(hwnd(), enabled);
}

bool Win32Button::enabled() const {
  return hwnd() ? IsWindowEnabled(hwnd()) != FALSE : !(styleWhenMade() & WS_DISABLED);
}

void Win32Button::showPressed(bool pressed) { SendMessageW(window(), BM_SETSTATE, pressed, 0); }

bool Win32Button::shownPressed() const {
  return hwnd() && (SendMessageW(hwnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
}

void Win32Button::repaint() {
  if (!hwnd()) return;
  InvalidateRect(hwnd(), nullptr, TRUE);
  UpdateWindow(hwnd());
}

void Win32Button::setDefault(bool isDefault) { form_.setDefaultButton(this, isDefault); }

void Win32Button::setCancel(bool isCancel) { form_.setCancelButton(this, isCancel); }

void Win32Button::showAsDefault(bool isDefault) {
  SendMessageW(window(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool Win32Button::clickForKey() {
  if (!isShown() || !enabled()) return false;
  fire(onClick);
  return true;
}

void Win32Button::command(WORD code, WORD /*id*/) {
  if (code == BN_CLICKED) fire(onClick);
}

void Win32Button::dpiChanged() {
  if (hwnd()) font_.applyTo(hwnd(), dpi());
}

}  // namespace tessarin::platform::win32
