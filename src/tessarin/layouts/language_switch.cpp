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
  } else if (strLangID == kLayoutLastImported) {
    LoadLayoutFile(settingsFilePath_);
    f.mnuKeyboardLayoutEnglish->setChecked(false);
    f.mnuKeyboardLayoutDefault->setChecked(false);
    f.mnuKeyboardLayoutLastSaved->setChecked(true);
    if (!blnStopINISave) writeSetting(u"Keyboard Layout", u"Config");
  } else if (strLangID == kLayoutImport) {
    prepareLayoutDialog(u"Open");
    const bool cancelled = fileDialog().ShowOpen();
    if (!cancelled) {
      LoadLayoutFile(fileDialog().FileName);
      f.mnuKeyboardLayoutEnglish->setChecked(false);
      f.mnuKeyboardLayoutDefault->setChecked(false);
      f.mnuKeyboardLayoutLastSaved->setChecked(false);
      if (!blnStopINISave) {
        SaveLayoutToSettings();
        writeSetting(u"Keyboard Layout", u"Config");
      }
    }
  }
  SetKeyCaptions();
}

}  // namespace tessarin
