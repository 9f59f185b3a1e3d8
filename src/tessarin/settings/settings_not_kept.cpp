// A settings file that cannot be written (the program in a read-only folder, a full disk) would
// lose every change silently. The user hears of it once a run, at the first change that could
// not be kept; start-up, which changes nothing the user asked for, never tells.
#include "app/application.h"
#include "keyboard/keyboard.h"
#include "ui/frm_keyboard.h"

namespace tessarin {

void Keyboard::settingsNotKept(std::u16string_view why) {
  if (toldSettingsNotKept_ || !Application::current()) return;
  toldSettingsNotKept_ = true;
  const std::u16string text = u"Tessarin could not save your change in its settings file\r\n" + settingsFilePath_ +
                              u"\r\n\r\n" + std::u16string(why) +
                              u"\r\n\r\nThe change applies until Tessarin closes. To keep your settings, move "
                              u"Tessarin to a folder of your own, or install it with its installer, and start it "
                              u"from there.";
  platform_.toolkit.messageBox(text, u"Settings Not Saved", platform::kOkOnly | platform::kIconExclamation,
                               &form_->form());
}

}  // namespace tessarin
