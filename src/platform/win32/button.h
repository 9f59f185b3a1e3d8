#pragma once
// A push button: the key buttons (whose pressed look the program sets, and whose caption they
// draw themselves) and the buttons of the dialogs, one of which may answer Enter and one Escape.
#include "platform/win32/child_window.h"
#include "platform/win32/control_font.h"

namespace tessarin::platform::win32 {

enum class ButtonCaption {
  System,          // the window text, drawn by the system
  DrawnPrivately,  // kept in the object and drawn by it; the window text stays empty unless readable
};

class Win32Button final : public NativeControl<CommandButton> {
 public:
  Win32Button(Win32Form& form, const FontSpec& font, ButtonCaption kind);

  void setCaption(std::u16string_view caption) override;
  std::u16string caption() const override { return caption_; }
  void setEnabled(bool enabled) override;
  bool enabled() const override;
  void showPressed(bool pressed) override;
  bool shownPressed() const override;
  void repaint() override;
  void setDefault(bool isDefault) override;
  void setCancel(bool isCancel) override;
  void setCaptionReadable(bool readable) override;
  bool captionReadable() const override { return !drawsCaption_ || readable_; }

  // Clicks the button for Enter or Escape; false when it is disabled or hidden.
  bool clickForKey();
  // Shows or drops the default button's frame.
  void showAsDefault(bool isDefault);

  void command(WORD code, WORD id) override;
  bool draw(const DRAWITEMSTRUCT& item) override;
  void dpiChanged() override;

 protected:
  void windowMade() override;
  std::wstring textWhenMade() const override;

 private:
  ControlFont font_;
  const bool drawsCaption_;
  bool readable_ = false;
  std::u16string caption_;
};

}  // namespace tessarin::platform::win32
