#include "ui/frm_about.h"

#include "app/contact.h"
#include "app/version.h"
#include "keyboard/keyboard.h"

namespace tessarin {

namespace {
constexpr platform::Color kLinkBlue = 0x00FF0000;
constexpr long kSmallestOffset = 500;
}  // namespace

std::u16string FrmAbout::DescriptionText() {
  const std::u16string home = contact::kHomePage;
  return u"Tessarin is a small program that helps to defeat key, mouse, clipboard and screen loggers.\r\n\r\n"
         u"It is a custom-made tool that allows for you to mouse-click or hover enter your password on an "
         u"on-screen keyboard.\r\n\r\n"
         u"Select the text with your mouse and then drag-drop it onto the recipient password box.  That\u2019s "
         u"it!\r\n\r\n"
         u"We believe that Tessarin will increase your security, but users should know that there is no 100% way "
         u"to defeat ALL malicious loggers (key, mouse, screen and network), and Tessarin does not proport to "
         u"deliver 100% protection.\r\n\r\n"
         u"Please visit " + home + u" to read about Tessarin's features, how they help you and where their "
         u"limits lie.\r\n\r\n"
         u"For a full list of features, and to download the latest version, please visit our website:\r\n" +
         home + u"\r\n\r\n"
         u"Support forum: " + contact::kForumPage + u"  E-mail: " + contact::kSupportEmail;
}

FrmAbout::FrmAbout(platform::Platform& platform, Keyboard& keyboard)
    : cKeyboard(&keyboard),
      platform_(platform),
      form_(platform.toolkit.createForm({platform::FormStyle::Dialog, u"About Tessarin", 0x00F0F0F0, false})) {
  const platform::FontSpec font{u"MS Sans Serif", 8.25};
  form_->setBounds({0, 0, 5550 + 120, 4905 + 480});
  picIcon = &form_->addIcon(platform::IconKind::Program);
  picIcon->setBounds({240, 240, 480, 480});
  lblTitle = &form_->addLabel(u"", {u"MS Sans Serif", 9.75, false, true});
  lblTitle->setBounds({720, 240, 4095, 360});
  lblVersion = &form_->addLabel(u"Version", font);
  lblVersion->setBounds({720, 600, 4095, 225});
  txtDescription = &form_->addTextBox({font, true, true, 0x00F0F0F0});
  txtDescription->setBounds({720, 960, 4575, 2775});
  Line1 = &form_->addEtchedLine();
  Line1->setBounds({240, 3960, 5400 - 240, 30});
  lblHomePage = &form_->addLabel(u"Corvane Software Homepage", {u"MS Sans Serif", 8.25, false, false, true});
  lblHomePage->setBounds({240, 4080, 3000, 255});
  lblHomePage->setForeColor(kLinkBlue);
  lblForum = &form_->addLabel(u"Corvane Software Support Forum", {u"MS Sans Serif", 8.25, false, false, true});
  lblForum->setBounds({240, 4440, 3000, 255});
  lblForum->setForeColor(kLinkBlue);
  cmdOK = &form_->addButton(font);
  cmdOK->setCaption(u"OK");
  cmdOK->setBounds({3960, 4440, 1467, 345});
  cmdOK->setDefault(true);
  cmdOK->setCancel(true);

  form_->onLoad = [this] {
    lblVersion->setCaption(u"Version " + std::u16string(kVersionText));
    lblTitle->setCaption(u"Corvane Software: Tessarin");
    txtDescription->setText(DescriptionText());
  };
  form_->onActivate = [this] { activate(); };
  cmdOK->onClick = [this] { form_->unload(); };
  lblHomePage->onClick = [this] { platform_.system.shellOpen(form_->id(), contact::kHomePage); };
  lblForum->onClick = [this] { platform_.system.shellOpen(form_->id(), contact::kForumPage); };
  // The description can be selected and scrolled, not changed.
  txtDescription->onKeyDown = [](int& keyCode, int) { keyCode = 0; };
  txtDescription->onKeyPress = [](int& keyAscii) { keyAscii = 0; };
}

void FrmAbout::activate() {
  if (cKeyboard->KeepOnTop()) {
    cKeyboard->Form().form().setTopmost(false);
    form_->setTopmost(true);
  }
  // Centred when it first shows; after that it stays where the user put it.
  if (centred_) return;
  centred_ = true;
  const auto area = form_->workArea();
  auto b = form_->bounds();
  b.left = area.left + std::max((area.width - b.width) / 2, kSmallestOffset);
  b.top = area.top + std::max((area.height - b.height) / 2, kSmallestOffset);
  form_->setBounds(b);
}

}  // namespace tessarin
