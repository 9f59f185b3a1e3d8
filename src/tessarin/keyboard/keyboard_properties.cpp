// Property setters: each changes the windows back and writes its setting once the keyboard
// window is visible.
#include "app/decimal_text.h"
#include "app/mod_main.h"
#include "keyboard/keyboard.h"
#include "keyboard/rounding.h"

namespace tessarin {

namespace {
std::u16string_view BooleanText(bool value) { return value ? u"True" : u"False"; }
}  // namespace

void Keyboard::SaveSettingsInINI(bool value) {
  saveSettingsInINI_ = value;
  form_->mnuOptionsSaveSettingsInINI->setChecked(value);
  if (!form_->form().visible()) return;
  if (value) {
    writeSetting(u"Save Settings in INI", u"True");
    return;
  }
  const auto answer = platform_.toolkit.messageBox(
      u"In order for Tessarin to remember to stop any future updates to the tsnconfig.ini file, it needs to "
      u"save this setting in the tsnconfig.ini file - though just the once.\r\n"
      u"Is it okay for Tessarin to update the local tsnconfig.ini file this last time (to disable the feature)?",
      u"Save the change?", platform::kYesNo | platform::kIconQuestion, &form_->form());
  if (answer == platform::MsgBoxResult::Yes) {
    // Open the gate for this one write only.
    saveSettingsInINI_ = true;
    writeSetting(u"Save Settings in INI", u"False");
    saveSettingsInINI_ = false;
  }
}

void Keyboard::CoverTransparency(int value) {
  coverTransparency_ = value;
  SetFormTransparency(platform_, formCover_->form(), value);
}

void Keyboard::KeyboardTransparency(int value) {
  keyboardTransparency_ = value;
  SetFormTransparency(platform_, form_->form(), value);
  const int percent = RoundEven(value / 255.0 * 100);
  if (form_->sldTransparency->value() != percent) form_->sldTransparency->setValue(percent);
  writeSettingIfVisible(u"Transparency", DecimalText(value));
}

void Keyboard::TimerInterval(long value) {
  timerInterval_ = value;
  formCover_->Timer1->setInterval(value);
  if (form_->sldHoverDelay->value() != value) form_->sldHoverDelay->setValue(value);
  writeSettingIfVisible(u"Hover Timer Interval", DecimalText(value));
}

void Keyboard::DragDropMode(int value) {
  dragDropMode_ = value;
  form_->tbToolbar->setButtonPressed(u"Inject", value != kDragDrop);
  form_->mnuOptionsInjectMode->setChecked(value != kDragDrop);
  form_->mnuOptionsDragDrop->setChecked(value == kDragDrop);
  writeSettingIfVisible(u"Drag Drop Mode", value != kDragDrop ? u"Inject" : u"Drag Drop");
}

void Keyboard::ShiftIsDown(bool value) {
  if (value == shiftIsDown_) return;
  shiftIsDown_ = value;
  SetKeyCaptions();
}

void Keyboard::AltGrIsDown(bool value) {
  if (value == altGrIsDown_) return;
  altGrIsDown_ = value;
  SetKeyCaptions();
}

void Keyboard::TimerEnabled(bool value) {
  timerEnabled_ = value;
  formCover_->Timer1->setEnabled(value);
}

void Keyboard::InputMode(int value) {
  auto showHoverControls = [this](bool show) {
    form_->sldHoverDelay->setVisible(show);
    form_->lblHoverDelay->setVisible(show);
  };
  switch (value) {
    case kModeStandard:
      if (!form_->mnuModeStandard->checked()) {
        form_->mnuModeStandard->setChecked(true);
        form_->mnuModeHover->setChecked(false);
        form_->mnuModeHiddenMouseAndHover->setChecked(false);
        ShowMouse();
        DisableHoverEntry();
      }
      showHoverControls(false);
      inputMode_ = kModeStandard;
      writeSettingIfVisible(u"MouseMode", u"Standard Mode");
      break;
    case kModeHover:
      if (!form_->mnuModeHover->checked()) {
        form_->mnuModeStandard->setChecked(false);
        form_->mnuModeHover->setChecked(true);
        EnableHoverEntry();
        form_->mnuModeHiddenMouseAndHover->setChecked(false);
        ShowMouse();
      }
      showHoverControls(true);
      inputMode_ = kModeHover;
      writeSettingIfVisible(u"MouseMode", u"Hover Entry Mode");
      break;
    case kModeHideMouse:
      if (!form_->mnuModeHiddenMouseAndHover->checked() && HideMouse()) {
        form_->mnuModeStandard->setChecked(false);
        form_->mnuModeHover->setChecked(false);
        form_->mnuModeHiddenMouseAndHover->setChecked(true);
        showHoverControls(true);
        inputMode_ = kModeHideMouse;
        EnableHoverEntry();
        writeSettingIfVisible(u"MouseMode", u"Hover Entry and Hide Mouse");
      }
      break;
    default:
      break;
  }
  RefreshToolbar();
}

void Keyboard::TextIsMasked(bool value) {
  textIsMasked_ = value;
  form_->mnuViewPasswordMask->setChecked(value);
  auto& password = *form_->txtPassword;
  auto& plain = *form_->txtText;
  if (value) {
    const int start = plain.selStart();
    const int length = plain.selLength();
    plain.setVisible(false);
    password.setVisible(true);
    password.setPasswordChar(u'*');
    form_->Command(kTab).setEnabled(false);
    form_->Command(kEnter).setEnabled(false);
    form_->mnuModeHiddenMouseAndHover->setEnabled(true);
    // The password is the plain text up to its first line break, with each Tab as a line break.
    const platform::SecureString text = plain.text();
    std::u16string_view firstLine = text.view();
    if (auto lineBreak = firstLine.find(u"\r\n"); lineBreak != std::u16string_view::npos)
      firstLine = firstLine.substr(0, lineBreak);
    platform::SecureString fromPlainText;
    fromPlainText.reserve(firstLine.size() * 2);
    for (char16_t ch : firstLine) {
      if (ch == u'\t')
        fromPlainText.append(u"\r\n");
      else
        fromPlainText.append(ch);
    }
    currentPassword_ = std::move(fromPlainText);
    // The hidden plain box keeps no copy; switching the mask off fills it again.
    plain.setText(u"");
    password.setText(std::u16string(currentPassword_.size(), u'*'));
    if (form_->form().visible()) password.setFocus();
    password.setSelStart(start);
    password.setSelLength(length);
  } else {
    const int start = password.selStart();
    const int length = password.selLength();
    password.setPasswordChar(0);
    plain.setVisible(true);
    password.setVisible(false);
    form_->Command(kTab).setEnabled(true);
    form_->Command(kEnter).setEnabled(true);
    plain.setText(currentPassword_.view());
    if (form_->form().visible()) plain.setFocus();
    plain.setSelStart(start);
    plain.setSelLength(length);
  }
  RefreshToolbar();
  writeSettingIfVisible(u"View Password Mask", BooleanText(value));
}

void Keyboard::KeepPasswordAfterDragDrop(bool value) {
  keepPasswordAfterDragDrop_ = value;
  form_->mnuOptionsKeepPasswordAfterDragDrop->setChecked(value);
  writeSettingIfVisible(u"Keep Password after Drag Drop", BooleanText(value));
}

void Keyboard::GivePasswordOnlyOnDrop(bool value) {
  givePasswordOnlyOnDrop_ = value;
  form_->mnuOptionsGivePasswordOnlyOnDrop->setChecked(value);
  writeSettingIfVisible(u"Give Password Only on Drop", BooleanText(value));
}

void Keyboard::BeepOnHover(bool value) {
  beepOnHover_ = value;
  RefreshToolbar();
  writeSettingIfVisible(u"Beep on Hover", BooleanText(value));
}

void Keyboard::ClearPasswordWhenIdleSeconds(long seconds) {
  for (std::size_t i = 0; i < std::size(kIdleClearChoices); ++i)
    form_->mnuOptionsClearWhenIdleAfter[i]->setChecked(kIdleClearChoices[i] == seconds);
  idleClear_->setSeconds(seconds);
  writeSettingIfVisible(kIdleClearSetting, DecimalText(seconds));
}

void Keyboard::DetermineSelectedPassword() {
  auto& box = visibleBox();
  // The plain box is the user's own text: the password follows what it shows.
  if (&box == form_->txtText) currentPassword_ = box.text();
  const int start = box.selStart();
  const int length = box.selLength();
  if (length >= 1)
    selectedPassword_.assign(currentPassword_.substr(start, length));
  else
    selectedPassword_ = currentPassword_;
}

platform::TextBox& Keyboard::visibleBox() {
  return form_->txtPassword->visible() ? *form_->txtPassword : *form_->txtText;
}

}  // namespace tessarin
