// Creating the engine: the windows, the stored settings applied in a fixed order, and the
// windows shown. Nothing applied here is written back, because the keyboard window is not yet
// visible while the settings are applied.
#include "app/mod_main.h"
#include "keyboard/keyboard.h"
#include "protection/print_screen_hook.h"
#include "settings/settings_file.h"

namespace tessarin {

namespace {

constexpr int kDefaultOpacity = 252;
constexpr long kDefaultHoverDelayMs = 2000;

std::optional<bool> ExactBoolean(std::u16string_view text) {
  if (text == u"True") return true;
  if (text == u"False") return false;
  return std::nullopt;
}

long StoredLayoutSelector(std::u16string_view stored) {
  if (stored == u"Default") return kLayoutDefault;
  if (stored == u"Config") return kLayoutLastImported;
  return kLayoutEnglish;
}

int StoredInputMode(std::u16string_view stored) {
  if (stored == u"Hover Entry Mode") return kModeHover;
  if (stored == u"Hover Entry and Hide Mouse") return kModeHideMouse;
  return kModeStandard;
}

}  // namespace

Keyboard::Keyboard(platform::Platform& platform)
    : platform_(platform), settingsFilePath_(GetSettingsFilePath(platform.system)) {
  keyboardType_ = 101;
  inputMode_ = kModeStandard;
  form_ = std::make_unique<FrmKeyboard>(platform);
  formCover_ = std::make_unique<FrmBlank>(platform);

  form_->form().load();  // the keyboard window is the first window loaded
  form_->StatusBar1->setVisible(false);
  auto statusBounds = form_->StatusBar1->bounds();
  statusBounds.height = 0;
  form_->StatusBar1->setBounds(statusBounds);
  form_->cKeyboard = this;
  idleClear_ = std::make_unique<IdleClear>(*form_->tmrClearWhenIdle, [this] { return PasswordInBox(); },
                                           [this] { ClearText(); });
  platform_.toolkit.onSessionLeft = [this] { idleClear_->userLeft(); };

  SaveSettingsInINI(readSetting(u"Save Settings in INI") != u"False");
  applyStoredPrivacy();
  ShowToolbar(readSetting(u"View Toolbar") != u"False");
  TextIsMasked(true);
  TimerEnabled(false);
  // The cover is on top and nearly transparent before the layout first shows it: it never
  // appears as an opaque window over the keys, and a hidden window changes at little cost.
  // Loaded now, it also takes its place and z-order together with that show.
  formCover_->form().load();
  formCover_->form().setTopmost(true);
  CoverTransparency(1);
  RandomiseFormSizeAndPlacement();

  formCover_->form().show();

  SwitchKeyboardLang(StoredLayoutSelector(readSetting(u"Keyboard Layout")), true);
  readActionKeyTexts();
  SetKeyCaptions();
  applyStoredSettings();

  form_->form().show();
  InstallPrintScreenHook(platform_.system, hookHandle_);
}

Keyboard::~Keyboard() {
  platform_.toolkit.onSessionLeft = nullptr;
  if (formCover_->form().loaded()) formCover_->form().unload();
  formCover_.reset();
  RemovePrintScreenHook(platform_.system, hookHandle_);
}

void Keyboard::applyStoredSettings() {
  ClearPasswordWhenIdleSeconds(StoredIdleClearSeconds(readSetting(kIdleClearSetting)));
  InputMode(StoredInputMode(readSetting(u"MouseMode")));

  // Anything but "Inject" leaves drag and drop in effect, and the menu says so.
  DragDropMode(readSetting(u"Drag Drop Mode") == u"Inject" ? kInject : kDragDrop);

  if (auto masked = ExactBoolean(readSetting(u"View Password Mask"))) TextIsMasked(*masked);
  if (auto beep = ExactBoolean(readSetting(u"Beep on Hover"))) BeepOnHover(*beep);
  if (auto keep = ExactBoolean(readSetting(u"Keep Password after Drag Drop"))) KeepPasswordAfterDragDrop(*keep);
  if (auto onDrop = ExactBoolean(readSetting(u"Give Password Only on Drop"))) GivePasswordOnlyOnDrop(*onDrop);

  // A value that is no number gives the default; a number outside the opacity range is not
  // applied at all, so the window stays opaque.
  const auto opacity = ParseLenientInteger(readSetting(u"Transparency"));
  if (!opacity)
    KeyboardTransparency(kDefaultOpacity);
  else if (*opacity >= 0 && *opacity <= 255)
    KeyboardTransparency(static_cast<int>(*opacity));

  const auto delay = ParseLenientInteger(readSetting(u"Hover Timer Interval"));
  TimerInterval(delay && *delay >= 1 ? *delay : kDefaultHoverDelayMs);

  if (auto toolbarVisible = ExactBoolean(readSetting(u"Toolbar Visible")))
    form_->tbToolbar->setVisible(*toolbarVisible);
}

void Keyboard::readActionKeyTexts() {
  for (int i = 0; i < kActionKeyCount; ++i) {
    static constexpr const char16_t* kKeys[kActionKeyCount] = {u"Backspace", u"Tab", u"Caps Lock", u"Enter",
                                                                u"Shift"};
    std::u16string text =
        ReadSetting(platform_.system, settingsFilePath_, kActionKeySection, kKeys[i]);
    std::erase(text, u'\0');
    actionKeyText_[i] = TrimSpaces(text).empty() ? std::u16string(kActionKeyFallback[i]) : text;
  }
}

std::u16string Keyboard::readSetting(std::u16string_view key) const {
  return ReadSetting(platform_.system, settingsFilePath_, kSettingsSection, key);
}

void Keyboard::writeSetting(std::u16string_view key, std::u16string_view value) {
  if (const auto why = WriteSetting(platform_.system, settingsFilePath_, kSettingsSection, key, value))
    settingsNotKept(*why);
}

void Keyboard::writeSettingIfVisible(std::u16string_view key, std::u16string_view value) {
  if (form_->form().visible()) writeSetting(key, value);
}

}  // namespace tessarin
