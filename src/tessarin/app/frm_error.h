#pragma once
// The modal "Unexpected System Error" report.
#include <memory>
#include <string>

#include "platform/toolkit.h"

namespace tessarin {

class FrmError {
 public:
  explicit FrmError(platform::Toolkit& toolkit);
  platform::Form& form() { return *form_; }
  // The text shown in the report; set before the window loads.
  std::u16string ErrorString;

  platform::Icon* picIcon;
  platform::Label* Label1;
  platform::Label* Label2;
  platform::TextBox* txtError;
  platform::Label* Label3;
  platform::CommandButton* cmdClose;

 private:
  std::unique_ptr<platform::Form> form_;
};

}  // namespace tessarin
