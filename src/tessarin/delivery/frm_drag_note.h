#pragma once
// The note that trails the pointer during a drag and says what will happen on release. It never
// takes the focus or the drop.
#include <memory>

#include "platform/platform.h"

namespace tessarin {

class FrmDragNote {
 public:
  static constexpr platform::Color kDragDropColor = 0x00C0FFC0;
  static constexpr platform::Color kInjectionColor = 0x00C0FFFF;

  explicit FrmDragNote(platform::Platform& platform);
  ~FrmDragNote();
  platform::Form& form() { return *form_; }

  // Captions, colour and size for the delivery mode.
  void showFor(bool injection);

  platform::Label* Box;
  platform::Label* Header;
  platform::Label* Text;
  platform::Timer* Timer1;

 private:
  void layout();
  void followPointer();
  // In injection mode: names the window the password would be typed into right now.
  void nameTarget();
  platform::Platform& platform_;
  std::unique_ptr<platform::Form> form_;
  bool injection_ = false;
  platform::WindowId namedTarget_ = ~platform::WindowId{0};
};

}  // namespace tessarin
