#pragma once
// Static decorations of a dialog: an icon and an etched separator line.
#include "platform/win32/child_window.h"

namespace tessarin::platform::win32 {

// Loads the icon at the size it is shown, so that it is drawn from the icon's own image for
// that size rather than stretched. The program's icon is empty when the executable carries
// none (the tests); the error icon is the system's, as its message boxes show it.
class Win32Icon final : public NativeControl<Icon> {
 public:
  Win32Icon(Win32Form& form, IconKind kind);
  ~Win32Icon() override;

  IconKind kind() const override { return kind_; }
  void setBounds(Twips bounds) override;
  void dpiChanged() override { showIcon(); }

 private:
  void showIcon();
  IconKind kind_;
  HICON icon_ = nullptr;
};

class Win32EtchedLine final : public NativeControl<EtchedLine> {
 public:
  explicit Win32EtchedLine(Win32Form& form);
};

}  // namespace tessarin::platform::win32
