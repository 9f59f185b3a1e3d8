#pragma once
// A text box on an EDIT control. Its text is read straight into a SecureString, and key and
// mouse messages become the program's events: key events before the edit sees the key (so the
// program can cancel or change it), mouse events after the edit has moved its caret.
#include "platform/win32/child_window.h"
#include "platform/win32/control_font.h"
#include "platform/form.h"

namespace tessarin::platform::win32 {

class Win32TextBox final : public NativeControl<TextBox> {
 public:
  Win32TextBox(Win32Form& form, const TextBoxArgs& args);
  ~Win32TextBox() override;

  void setText(std::u16string_view text) override;
  SecureString text() const override;
  int selStart() const override;
  int selLength() const override;
  void setSelStart(int start) override;
  void setSelLength(int length) override;
  void setPasswordChar(char16_t ch) override;
  char16_t passwordChar() const override;
  void setFocus() override;
  bool hasFocus() const override;

  HBRUSH colors(HDC dc) override;
  void dpiChanged() override { font_.applyTo(hwnd()); }

 protected:
  LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT keyMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT charMessage(WPARAM wParam, LPARAM lParam);
  int clampToText(int position) const;
  void select(int start, int end);

  ControlFont font_;
  Color backColor_;
  HBRUSH background_;
};

}  // namespace tessarin::platform::win32
