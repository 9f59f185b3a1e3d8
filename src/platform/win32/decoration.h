#pragma once
// Static decorations of a dialog: the program's icon and an etched separator line.
#include "platform/win32/child_window.h"

namespace tessarin::platform::win32 {

// Loads the icon at the size it is shown, so that it is drawn from the icon's own image for
// that size rather than stretched. Empty when the executable carries no icon (the tests).
class Win32ProgramIcon final : public NativeControl<ProgramIcon> {
 public:
  explicit Win32ProgramIcon(Win32Form& form);
  ~Win32ProgramIcon() override;

  void setBounds(Twips bounds) override;
  void dpiChanged() override { showIcon(); }

 private:
  void showIcon();
  HICON icon_ = nullptr;
};

class Win32EtchedLine final : public NativeControl<EtchedLine> {
 public:
  explicit Win32EtchedLine(Win32Form& form);
};

}  // namespace tessarin::platform::win32
