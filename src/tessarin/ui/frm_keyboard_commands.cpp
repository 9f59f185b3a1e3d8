// What the keyboard window's menus, sliders and toolbar do. Each command sets one engine
// property or calls one engine method; the engine puts the check marks right.
#include "app/application.h"
#include "app/contact.h"
#include "app/error_description.h"
#include "keyboard/keyboard.h"
#include "keyboard/rounding.h"
#include "ui/frm_about.h"
#include "ui/frm_keyboard.h"

namespace tessarin {

void FrmKeyboard::reportErrors(const char16_t* site, const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    const auto error = DescribeCurrentError();
    Application::current()->LogError(site, error.number, error.text, *form_);
  }
}

void FrmKeyboard::setKeepOnTop(bool onTop) {
  form_->setTopmost(onTop);
}

void FrmKeyboard::wireMenuCommands() {
  mnuFileKeepOnTop->onClick = [this] {
    reportErrors(u"mnuFileKeepOnTop_Click", [this] {
      mnuFileKeepOnTop->setChecked(!mnuFileKeepOnTop->checked());
      setKeepOnTop(mnuFileKeepOnTop->checked());
      cKeyboard->RefreshToolbar();
    });
  };
  mnuFileExit->onClick = [this] { form_->unload(); };
  mnuModeStandard->onClick = [this] { cKeyboard->InputMode(kModeStandard); };
  mnuModeHover->onClick = [this] { cKeyboard->InputMode(kModeHover); };
  mnuModeHiddenMouseAndHover->onClick = [this] { cKeyboard->InputMode(kModeHideMouse); };
  mnuViewToolbar->onClick = [this] {
    reportErrors(u"mnuViewToolbar_Click", [this] { cKeyboard->ShowToolbar(!mnuViewToolbar->checked()); });
  };
  mnuViewPasswordMask->onClick = [this] { cKeyboard->TextIsMasked(!mnuViewPasswordMask->checked()); };
  mnuOptionsBeepOnHover->onClick = [this] {
    mnuOptionsBeepOnHover->setChecked(!mnuOptionsBeepOnHover->checked());
    cKeyboard->BeepOnHover(mnuOptionsBeepOnHover->checked());
  };
  mnuOptionsKeepPasswordAfterDragDrop->onClick = [this] {
    mnuOptionsKeepPasswordAfterDragDrop->setChecked(!mnuOptionsKeepPasswordAfterDragDrop->checked());
    cKeyboard->KeepPasswordAfterDragDrop(mnuOptionsKeepPasswordAfterDragDrop->checked());
    cKeyboard->RefreshToolbar();
  };
  mnuOptionsGivePasswordOnlyOnDrop->onClick = [this] {
    cKeyboard->GivePasswordOnlyOnDrop(!mnuOptionsGivePasswordOnlyOnDrop->checked());
  };
  for (std::size_t i = 0; i < mnuOptionsClearWhenIdleAfter.size(); ++i)
    mnuOptionsClearWhenIdleAfter[i]->onClick = [this, i] { cKeyboard->ClearPasswordWhenIdleSeconds(kIdleClearChoices[i]); };
  mnuOptionsDragDrop->onClick = [this] { cKeyboard->DragDropMode(kDragDrop); };
  mnuOptionsInjectMode->onClick = [this] { cKeyboard->DragDropMode(kInject); };
  mnuOptionsSaveSettingsInINI->onClick = [] {
    auto& kb = Application::current()->Keyboard();
    kb.SaveSettingsInINI(!kb.SaveSettingsInINI());
  };
  mnuOptionsHideFromCapture->onClick = [this] { cKeyboard->HideFromScreenCapture(!cKeyboard->HideFromScreenCapture()); };
  mnuOptionsReadableKeys->onClick = [this] { cKeyboard->ReadableKeys(!cKeyboard->ReadableKeys()); };
  mnuKeyboardLayoutDefault->onClick = [this] { cKeyboard->SwitchKeyboardLang(kLayoutDefault, false); };
  mnuKeyboardLayoutEnglish->onClick = [this] { cKeyboard->SwitchKeyboardLang(kLayoutEnglish, false); };
  mnuKeyboardLayoutLastSaved->onClick = [this] { cKeyboard->SwitchKeyboardLang(kLayoutLastImported, false); };
  mnuKeyboardLayoutImport->onClick = [this] { cKeyboard->SwitchKeyboardLang(kLayoutImport, false); };
  mnuKeyboardCreateNewLayoutFile->onClick = [this] { cKeyboard->CreateNewLayoutFile(); };
  mnuHelpVisitHomepage->onClick = [this] { platform_.system.shellOpen(form_->id(), contact::kHomePage); };
  mnuHelpDonate->onClick = [this] { platform_.system.shellOpen(form_->id(), contact::kDonatePage); };
  mnuHelpAbout->onClick = [this] {
    reportErrors(u"mnuHelpAbout_Click", [this] {
      FrmAbout about(platform_, *cKeyboard);
      about.form().show(true, form_.get());
      if (mnuFileKeepOnTop->checked()) setKeepOnTop(false);
    });
  };
}

void FrmKeyboard::wireSliders() {
  sldHoverDelay->onChange = [this] {
    reportErrors(u"Hover Delay Slider Change Error", [this] {
      if (sldHoverDelay->value() != cKeyboard->TimerInterval()) cKeyboard->TimerInterval(sldHoverDelay->value());
    });
  };
  sldTransparency->onChange = [this] {
    reportErrors(u"Transparency Slider Change Error", [this] {
      const int opacity = RoundEven(sldTransparency->value() / 100.0 * 255);
      if (opacity != cKeyboard->KeyboardTransparency()) cKeyboard->KeyboardTransparency(opacity);
    });
  };
}

void FrmKeyboard::wireToolbar() {
  tbToolbar->onButtonClick = [this](std::u16string_view key) {
    auto& kb = *cKeyboard;
    if (key == u"Standard") {
      kb.InputMode(kModeStandard);
    } else if (key == u"Hover" || key == u"HideMouse") {
      kb.InputMode(key == u"Hover" ? kModeHover : kModeHideMouse);
      kb.TimerInterval(sldHoverDelay->value());
    } else if (key == u"Inject") {
      kb.DragDropMode(kb.DragDropMode() == kInject ? kDragDrop : kInject);
    } else if (key == u"ToggleMask") {
      kb.TextIsMasked(!mnuViewPasswordMask->checked());
    } else if (key == u"Beep") {
      mnuOptionsBeepOnHover->setChecked(!mnuOptionsBeepOnHover->checked());
      kb.BeepOnHover(mnuOptionsBeepOnHover->checked());
    } else if (key == u"KeepOnTop") {
      mnuFileKeepOnTop->setChecked(!mnuFileKeepOnTop->checked());
      setKeepOnTop(mnuFileKeepOnTop->checked());
    } else if (key == u"KeepPassword") {
      mnuOptionsKeepPasswordAfterDragDrop->setChecked(!mnuOptionsKeepPasswordAfterDragDrop->checked());
      kb.KeepPasswordAfterDragDrop(mnuOptionsKeepPasswordAfterDragDrop->checked());
      kb.RefreshToolbar();
    } else if (key == u"Clear") {
      kb.ClearText();
    } else if (key == u"Refresh") {
      kb.RandomiseFormSizeAndPlacement();
    } else if (key == u"ScrambleOnScreen") {
      kb.ScrambleKeys();
    } else if (key == u"Unscramble") {
      kb.UnscrambleKeys();
    }
    kb.RefreshToolbar();
  };
  tbToolbar->onButtonMenuClick = [this](std::u16string_view text) {
    static constexpr std::pair<const char16_t*, long> kDelays[] = {{u"Half Second Delay", 500},
                                                                   {u"One Second Delay", 1000},
                                                                   {u"One and a Half Second Delay", 1500},
                                                                   {u"Two Second Delay", 2000}};
    cKeyboard->InputMode(kModeHover);
    for (const auto& [entry, delay] : kDelays)
      if (text == entry) cKeyboard->TimerInterval(delay);
  };
}

void FrmKeyboard::wireUserInput() {
  // Called after the command: it may have emptied the box, and then the wait stops. Exit has
  // unloaded the window by then, and nothing is left to wait for.
  const auto thenUserInput = [this](auto handler) {
    return [this, handler](auto&&... args) {
      if (handler) handler(args...);
      if (form_->loaded()) cKeyboard->UserInput();
    };
  };
  for (auto* item : menuItems_)
    if (item->onClick) item->onClick = thenUserInput(item->onClick);
  tbToolbar->onButtonClick = thenUserInput(tbToolbar->onButtonClick);
  tbToolbar->onButtonMenuClick = thenUserInput(tbToolbar->onButtonMenuClick);
  for (auto* slider : {sldHoverDelay, sldTransparency}) slider->onChange = thenUserInput(slider->onChange);
  for (auto* box : {txtPassword, txtText}) {
    box->onMouseDown = thenUserInput(box->onMouseDown);
    box->onMouseUp = thenUserInput(box->onMouseUp);
  }
}

}  // namespace tessarin
