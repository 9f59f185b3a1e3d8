#pragma once
// The About window: name, version, a description and links to the project's pages.
#include <memory>

#include "platform/platform.h"

namespace tessarin {

class Keyboard;

class FrmAbout {
 public:
  FrmAbout(platform::Platform& platform, Keyboard& keyboard);
  platform::Form& form() { return *form_; }

  static std::u16string DescriptionText();

  Keyboard* cKeyboard;
  platform::Icon* picIcon;
  platform::Label* lblTitle;
  platform::Label* lblVersion;
  platform::TextBox* txtDescription;
  platform::EtchedLine* Line1;
  platform::Label* lblHomePage;
  platform::Label* lblForum;
  platform::CommandButton* cmdOK;

 private:
  void activate();
  platform::Platform& platform_;
  std::unique_ptr<platform::Form> form_;
  bool centred_ = false;
};

}  // namespace tessarin
