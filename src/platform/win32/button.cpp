#include "platform/win32/button.h"

#include "platform/win32/callback.h"
#include "platform/win32/form.h"
#include "platform/win32/text.h"

namespace tessarin::platform::win32 {

Win32Button::Win32Button(Win32Form& form, const FontSpec& font)
    : NativeControl(form, createChild(form, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP)), font_(font) {
  font_.applyTo(hwnd(), dpi());
}

void Win32Button::setCaption(std::u16string_view caption) { setWindowText(hwnd(), caption); }

std::u16string Win32Button::caption() const { return windowText(hwnd()); }

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
