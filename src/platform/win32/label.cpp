#include "platform/win32/label.h"

#include "platform/win32/callback.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {

// SS_NOTIFY: the label reports clicks (STN_CLICKED) to the form.
Win32Label::Win32Label(Win32Form& form, std::u16string_view caption, const FontSpec& font)
    : NativeControl(form, {L"STATIC", SS_LEFT | SS_NOTIFY}, Making::WhenNeeded),
      font_(font),
      foreColor_(GetSysColor(COLOR_WINDOWTEXT)),
      caption_(caption) {}

Win32Label::~Win32Label() {
  if (background_) DeleteObject(background_);
}

void Win32Label::windowMade() { font_.applyTo(hwnd(), dpi()); }

void Win32Label::setCaption(std::u16string_view caption) {
  caption_ = caption;
  if (hwnd()) setWindowText(hwnd(), caption);
}

void Win32Label::dpiChanged() {
  if (hwnd()) font_.applyTo(hwnd(), dpi());
}

void Win32Label::setBackColor(Color color) {
  HBRUSH brush = CreateSolidBrush(color);
  if (!brush) throwLastError("CreateSolidBrush");
  if (background_) DeleteObject(background_);
  background_ = brush;
  backColor_ = color;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void Win32Label::setForeColor(Color color) {
  foreColor_ = color;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

HBRUSH Win32Label::colors(HDC dc) {
  SetTextColor(dc, foreColor_);
  if (!backColor_) return ChildWindow::colors(dc);
  SetBkColor(dc, *backColor_);
  return background_;
}

void Win32Label::command(WORD code, WORD /*id*/) {
  if (code == STN_CLICKED) fire(onClick);
}

LRESULT Win32Label::message(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETCURSOR && onClick) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  return passOn(msg, wParam, lParam);
}

}  // namespace tessarin::platform::win32
