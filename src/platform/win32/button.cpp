#include "platform/win32/button.h"

#include "platform/win32/button_face.h"
#include "platform/win32/callback.h"
#include "platform/win32/form.h"
#include "platform/win32/text.h"

namespace tessarin::platform::win32 {

Win32Button::Win32Button(Win32Form& form, const FontSpec& font, ButtonCaption kind)
    : NativeControl(form, createChild(form, L"BUTTON",
                                      (kind == ButtonCaption::System ? BS_PUSHBUTTON : BS_OWNERDRAW) | WS_TABSTOP)),
      font_(font),
      drawsCaption_(kind == ButtonCaption::DrawnPrivately) {
  font_.applyTo(hwnd(), dpi());
}

// A caption drawn by the button reaches the window text, which any process can read with
// WM_GETTEXT or through accessibility, only when it is made readable.
void Win32Button::setCaption(std::u16string_view caption) {
  if (!drawsCaption_) {
    setWindowText(hwnd(), caption);
    return;
  }
  if (caption_ == caption) return;
  caption_ = caption;
  if (readable_) setWindowText(hwnd(), caption);
  // A hidden button paints in full when it is shown; invalidating it asks the window server for nothing.
  if (IsWindowVisible(hwnd())) InvalidateRect(hwnd(), nullptr, FALSE);
}

std::u16string Win32Button::caption() const { return drawsCaption_ ? caption_ : windowText(hwnd()); }

void Win32Button::setCaptionReadable(bool readable) {
  if (!drawsCaption_) return;
  readable_ = readable;
  setWindowText(hwnd(), readable ? std::u16string_view(caption_) : std::u16string_view());
}

bool Win32Button::draw(const DRAWITEMSTRUCT& item) {
  if (!drawsCaption_) return false;
  drawPushButtonFace(item, font_.handle(), form_.backgroundBrush(), caption_);
  return true;
}

void Win32Button::setEnabled(bool enabled) { EnableWindow(hwnd(), enabled); }

bool Win32Button::enabled() const { return IsWindowEnabled(hwnd()) != FALSE; }

void Win32Button::showPressed(bool pressed) { SendMessageW(hwnd(), BM_SETSTATE, pressed, 0); }

bool Win32Button::shownPressed() const { return (SendMessageW(hwnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

void Win32Button::repaint() {
  InvalidateRect(hwnd(), nullptr, TRUE);
  UpdateWindow(hwnd());
}

void Win32Button::setDefault(bool isDefault) { form_.setDefaultButton(this, isDefault); }

void Win32Button::setCancel(bool isCancel) { form_.setCancelButton(this, isCancel); }

void Win32Button::showAsDefault(bool isDefault) {
  SendMessageW(hwnd(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool Win32Button::clickForKey() {
  if (!IsWindowEnabled(hwnd()) || !isShown()) return false;
  fire(onClick);
  return true;
}

void Win32Button::command(WORD code, WORD /*id*/) {
  if (code == BN_CLICKED) fire(onClick);
}

}  // namespace tessarin::platform::win32
