// What other programs can learn from the keyboard: screen captures of its windows, the key
// captions through their window texts, and where each character stands.
#include "keyboard/keyboard.h"

namespace tessarin {

namespace {
constexpr char16_t kCaptureCaption[] = u"&Hide from Screen Capture";
constexpr char16_t kCaptureUnavailableCaption[] = u"&Hide from Screen Capture (not available on this system)";
std::u16string_view BooleanText(bool value) { return value ? u"True" : u"False"; }
}  // namespace

void Keyboard::applyStoredPrivacy() {
  hideFromScreenCapture_ = readSetting(u"Hide from Screen Capture") != u"False";
  if (hideFromScreenCapture_) captureExclusionAvailable_ = platform_.toolkit.excludeFromCapture(true);
  showCaptureExclusionAvailability();
  // Key buttons start unreadable: only the other choice needs a pass over them.
  if (readSetting(u"Let Other Programs Read the Keys") == u"True") ReadableKeys(true);
  if (readSetting(u"Scramble Keys") == u"True") keyOrder_ = ScrambledOrder([this] { return platform_.system.randomUnit(); }, keyOrder_);
}

void Keyboard::showCaptureExclusionAvailability() {
  auto& item = *form_->mnuOptionsHideFromCapture;
  item.setEnabled(captureExclusionAvailable_);
  item.setCaption(captureExclusionAvailable_ ? kCaptureCaption : kCaptureUnavailableCaption);
  item.setChecked(captureExclusionAvailable_ && hideFromScreenCapture_);
}

void Keyboard::HideFromScreenCapture(bool value) {
  hideFromScreenCapture_ = value;
  if (captureExclusionAvailable_) captureExclusionAvailable_ = platform_.toolkit.excludeFromCapture(value);
  showCaptureExclusionAvailability();
  writeSettingIfVisible(u"Hide from Screen Capture", BooleanText(value));
}

void Keyboard::ReadableKeys(bool value) {
  readableKeys_ = value;
  for (int number = 1; number <= FrmKeyboard::kButtonCount; ++number) form_->Command(number).setCaptionReadable(value);
  form_->mnuOptionsReadableKeys->setChecked(value);
  writeSettingIfVisible(u"Let Other Programs Read the Keys", BooleanText(value));
}

void Keyboard::ScrambleKeys() {
  keyOrder_ = ScrambledOrder([this] { return platform_.system.randomUnit(); }, keyOrder_);
  SetKeyCaptions();
  RefreshToolbar();
  writeSettingIfVisible(u"Scramble Keys", u"True");
}

void Keyboard::UnscrambleKeys() {
  keyOrder_ = LayoutOrder();
  SetKeyCaptions();
  RefreshToolbar();
  writeSettingIfVisible(u"Scramble Keys", u"False");
}

}  // namespace tessarin
