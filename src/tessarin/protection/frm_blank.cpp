#include "protection/frm_blank.h"

#include "app/application.h"
#include "keyboard/keyboard.h"

namespace tessarin {

namespace {
constexpr platform::Color kCoverColor = 0x00C0FFC0;
constexpr long kForegroundCheckMs = 50;
}  // namespace

FrmBlank::FrmBlank(platform::Toolkit& toolkit)
    : form_(toolkit.createForm({platform::FormStyle::Borderless, kCaption, kCoverColor, false})) {
  Timer1 = &form_->addTimer();
  Timer1->setInterval(0);
  tmrForegroundCheck = &form_->addTimer();
  tmrForegroundCheck->setInterval(kForegroundCheckMs);
  tmrForegroundCheck->setEnabled(false);
  txtSetup = &form_->addTextBox({platform::FontSpec{}, false, false, kCoverColor});
  form_->setBounds({0, 0, 4680, 3090});

  form_->onLoad = [this] {
    txtSetup->setBounds({-10000, -10000, txtSetup->bounds().width, txtSetup->bounds().height});
    form_->installSubclass({{}, [] {
                              if (auto* app = Application::current()) app->Keyboard().Resize(true);
                            }});
    tmrForegroundCheck->setEnabled(true);
  };
  form_->onUnload = [this] { form_->removeSubclass(); };
}

}  // namespace tessarin
