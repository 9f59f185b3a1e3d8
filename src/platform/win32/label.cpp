#include "platform/win32/label.h"

#include "platform/win32/text.h"

namespace tessarin::platform::win32 {

Win32Label::Win32Label(Win32Form& form, std::u16string_view caption, const FontSpec& font)
    : NativeControl(form, createChild(form, L"STATIC", SS_LEFT)), font_(font) {
  font_.applyTo(hwnd());
  setCaption(caption);
}

void Win32Label::setCaption(std::u16string_view caption) { SetWindowTextW(hwnd(), wideCopy(caption).c_str()); }

std::u16string Win32Label::caption() const { return windowText(hwnd()); }

}  // namespace tessarin::platform::win32
