#pragma once
// The cover window: a borderless, nearly invisible window over the key rows that takes every
// click and move, so that loggers see one featureless window instead of the key buttons.
#include <memory>

#include "platform/toolkit.h"

namespace tessarin {

class FrmBlank {
 public:
  static constexpr const char16_t* kCaption = u"Tessarin Screenlogger Protection Layer";

  explicit FrmBlank(platform::Toolkit& toolkit);
  FrmBlank(const FrmBlank&) = delete;
  FrmBlank& operator=(const FrmBlank&) = delete;

  platform::Form& form() { return *form_; }

  platform::Timer* Timer1;              // the hover timer
  platform::Timer* tmrForegroundCheck;  // keeps the cover invisible while another program is in front
  platform::TextBox* txtSetup;

 private:
  std::unique_ptr<platform::Form> form_;
};

}  // namespace tessarin
