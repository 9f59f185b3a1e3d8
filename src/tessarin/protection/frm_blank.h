#pragma once
// The cover window: a borderless, nearly invisible window over the key rows that takes every
// click and move, so that loggers see one featureless window instead of the key buttons. It
// works out which key lies under the pointer and drives that key.
#include <memory>

#include "platform/platform.h"

namespace tessarin {

class Keyboard;

class FrmBlank {
 public:
  static constexpr const char16_t* kCaption = u"Tessarin Screenlogger Protection Layer";

  explicit FrmBlank(platform::Platform& platform);
  ~FrmBlank();
  FrmBlank(const FrmBlank&) = delete;
  FrmBlank& operator=(const FrmBlank&) = delete;

  platform::Form& form() { return *form_; }

  platform::Timer* Timer1;  // the hover timer
  // The layout probe's box: out of sight, off the window and hidden (so it needs no window of
  // its own, which would cost start-up a round of requests to the window server).
  platform::TextBox* txtSetup;

  platform::CommandButton* PressedButton = nullptr;
  bool WasInBackground = false;

 private:
  // The running engine, or null before start-up has finished and after shutdown began.
  static Keyboard* keyboard();
  platform::CommandButton* keyAt(Keyboard& kb, float x, float y);
  void mouseDown(const platform::MouseEvent& e);
  void mouseMove(const platform::MouseEvent& e);
  void mouseUp(const platform::MouseEvent& e);
  void dblClick();
  void hoverTick();
  // Keeps the cover invisible while another program is in front.
  void foregroundChanged();

  platform::Platform& platform_;
  std::unique_ptr<platform::Form> form_;
};

}  // namespace tessarin
