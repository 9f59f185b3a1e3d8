// Choosing which characters the keys carry.
#include "keyboard/keyboard.h"
#include "settings/settings_file.h"

namespace tessarin {

void Keyboard::SwitchKeyboardLang(long strLangID, bool blnStopINISave) {
  auto& f = *form_;
  if (strLangID == kLayoutEnglish) {
    LoadEnglishLayout();
    f.mnuKeyboardLayoutEnglish->setChecked(true);
    f.mnuKeyboardLayoutDefault->setChecked(false);
    f.mnuKeyboardLayoutLastSaved->setChecked(false);
    if (!blnStopINISave) writeSetting(u"Keyboard Layout", u"English");
  } else if (strLangID == kLayoutDefault) {
    ReadSystemLayout(*formCover_->txtSetup);
    f.mnuKeyboardLayoutEnglish->setChecked(false);
    f.mnuKeyboardLayoutDefault->setChecked(true);
    f.mnuKeyboardLayoutLastSaved->setChecked(false);
    if (!blnStopINISave) writeSetting(u"Keyboard Layout", u"Default");
  }
  SetKeyCaptions();
}

}  // namespace tessarin
