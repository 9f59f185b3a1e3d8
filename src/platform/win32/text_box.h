#pragma once
// A text box on an EDIT control. Its text is read straight into a SecureString, and key and
// mouse messages become the program's events: key events before the edit sees the key (so the
// program can cancel or change it), mouse events after the edit has moved its caret. It is the
// source of OLE drags (text_box_drag.cpp) and registers no drop target, so drops onto it are
// refused. Copy and cut never reach the clipboard.
#include <optional>

#include "platform/form.h"
#include "platform/win32/child_window.h"
#include "platform/win32/control_font.h"

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
  char16_t passwordChar() const override { return passwordChar_; }
  void setFocus() override;
  bool hasFocus() const override;
  bool isOnCharacters(int start, int length, float x, float y) const override;
  void startDrag() override;
  void setAutomaticDrag(bool on) override { automaticDrag_ = on; }

  HBRUSH colors(HDC dc) override;
  void dpiChanged() override;

 protected:
  LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void windowMade() override;

 private:
  enum class Gesture { PassOn, Swallow, StartDrag };

  LRESULT keyMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT systemKeyMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT charMessage(WPARAM wParam, LPARAM lParam);
  LRESULT mouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Automatic drag: a press on the selection is held back from the edit (which would drop the
  // selection) until the pointer moves far enough to start a drag, or the button comes up.
  Gesture dragGesture(UINT msg, WPARAM wParam, LPARAM lParam);
  // Whether a client pixel lies on the characters from start to end, as they are drawn.
  bool onCharacters(int start, int end, POINT point) const;
  int charIndexAt(LPARAM point) const;
  int clampToText(int position) const;
  void select(int start, int end);

  ControlFont font_;
  Color backColor_;
  HBRUSH background_;
  bool automaticDrag_ = false;
  // What the box shows instead of each character; 0 shows the text.
  char16_t passwordChar_ = 0;
  std::optional<POINT> pressedOnSelection_;
};

}  // namespace tessarin::platform::win32
