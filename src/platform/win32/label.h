#pragma once
// A static text. It takes the form's background until it is given its own colours; a label
// with a click handler works as a link and shows the hand pointer.
#include <optional>

#include "platform/win32/child_window.h"
#include "platform/win32/control_font.h"
#include "platform/win32/text.h"

namespace tessarin::platform::win32 {

class Win32Label final : public NativeControl<Label> {
 public:
  Win32Label(Win32Form& form, std::u16string_view caption, const FontSpec& font);
  ~Win32Label() override;

  void setCaption(std::u16string_view caption) override;
  std::u16string caption() const override { return caption_; }
  void setBackColor(Color color) override;
  void setForeColor(Color color) override;

  void command(WORD code, WORD id) override;
  HBRUSH colors(HDC dc) override;
  void dpiChanged() override;

 protected:
  LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void windowMade() override;
  std::wstring textWhenMade() const override { return wideCopy(caption_); }

 private:
  ControlFont font_;
  Color foreColor_;
  std::optional<Color> backColor_;
  HBRUSH background_ = nullptr;
  std::u16string caption_;
};

}  // namespace tessarin::platform::win32
