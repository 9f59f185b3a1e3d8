#include "ui/frm_keyboard.h"

#include "app/application.h"
#include "keyboard/keyboard.h"
#include "platform/system.h"

namespace tessarin {

namespace {

constexpr platform::Color kBackColor = 0x00E0E0E0;
constexpr int kVkF1 = 0x70;

platform::FontSpec LabelFont() { return {u"Lucida Sans Unicode", 6.75, true}; }

}  // namespace

FrmKeyboard::FrmKeyboard(platform::Platform& platform)
    : platform_(platform),
      // Start-up lays the window out more than once before showing it.
      form_(platform.toolkit.createForm({platform::FormStyle::Sizable, u"Tessarin v3", kBackColor, true, true})) {
  createControls();
  createMenus();
  createToolbar();
  wireEvents();
  wireMenuCommands();
  wireSliders();
  wireToolbar();
  wireDragGesture();
  wireUserInput();
}

void FrmKeyboard::createControls() {
  const platform::FontSpec keyFont;
  for (auto& button : commands_) button = &form_->addKeyButton(keyFont);
  txtPassword = &form_->addTextBox({keyFont});
  txtText = &form_->addTextBox({keyFont, true});
  tbToolbar = &form_->addToolbar();
  StatusBar1 = &form_->addStatusBar();
  // The labels' height is their only design-time size the layout keeps.
  constexpr platform::Twips kLabelSize{0, 0, 1215, 195};
  lblHoverDelay = &form_->addLabel(u"Hover Delay", LabelFont());
  lblHoverDelay->setBounds(kLabelSize);
  sldHoverDelay = &form_->addSlider();
  sldHoverDelay->setRange(500, 2500);
  sldHoverDelay->setToolTip(u"Delay in milliseconds from 0.5 secs to 2.5 secs");
  lblTransparency = &form_->addLabel(u"Transparency", LabelFont());
  lblTransparency->setBounds(kLabelSize);
  sldTransparency = &form_->addSlider();
  sldTransparency->setRange(10, 99);
  sldTransparency->setToolTip(u"Adjust the form transparency from almost transparent to almost opaque");
  tmrCheckActiveWindow = &form_->addTimer();
  tmrCheckActiveWindow->setInterval(20);
  tmrCheckActiveWindow->setEnabled(false);
  tmrClearWhenIdle = &form_->addTimer();
  tmrClearWhenIdle->setEnabled(false);
}

void FrmKeyboard::createMenus() {
  auto item = [this](platform::MenuItem* parent, std::u16string_view caption,
                     platform::Shortcut shortcut = {}) {
    return menuItems_.emplace_back(&form_->addMenuItem(parent, caption, shortcut));
  };
  mnuFile = item(nullptr, u"&File");
  mnuFileKeepOnTop = item(mnuFile, u"Keep on &Top");
  mnuFileKeepOnTop->setVisible(false);
  mnuFileKeepOnTop->setEnabled(false);
  mnuFileExit = item(mnuFile, u"E&xit", {true, 'Q'});

  mnuMode = item(nullptr, u"&Mouse Mode");
  mnuModeStandard = item(mnuMode, u"1. Standard");
  mnuModeStandard->setChecked(true);
  mnuModeHover = item(mnuMode, u"2. Hover Entry");
  mnuModeHiddenMouseAndHover = item(mnuMode, u"3. Hidden Mouse and Hover Entry");

  mnuView = item(nullptr, u"&View");
  mnuViewToolbar = item(mnuView, u"&Toolbar");
  mnuViewToolbar->setChecked(true);
  mnuViewBar0 = item(mnuView, u"-");
  mnuViewPasswordMask = item(mnuView, u"&Password Mask", {true, 'M'});
  mnuViewPasswordMask->setChecked(true);

  mnuOptions = item(nullptr, u"&Options");
  mnuOptionsBeepOnHover = item(mnuOptions, u"&Beep on Hover Entry");
  mnuOptionsKeepPasswordAfterDragDrop = item(mnuOptions, u"&Keep Password after Drag Drop");
  mnuOptionsGivePasswordOnlyOnDrop = item(mnuOptions, u"&Give Password Only on Drop");
  mnuOptionsSep1 = item(mnuOptions, u"-");
  mnuOptionsDragDrop = item(mnuOptions, u"Drag and Drop Mode");
  mnuOptionsInjectMode = item(mnuOptions, u"Injection Mode");
  mnuOptionsSep2 = item(mnuOptions, u"-");
  mnuOptionsSaveSettingsInINI = item(mnuOptions, u"Save setting changes in the tsnconfig.ini file");
  mnuOptionsSep3 = item(mnuOptions, u"-");
  mnuOptionsHideFromCapture = item(mnuOptions, u"&Hide from Screen Capture");
  mnuOptionsReadableKeys = item(mnuOptions, u"Let Other Programs &Read the Keys");
  // Last, among the other protections, so that the items above keep their places.
  mnuOptionsClearWhenIdle = item(mnuOptions, u"&Clear Password When Idle");
  mnuOptionsClearWhenIdleAfter = {item(mnuOptionsClearWhenIdle, u"After &1 Minute"),
                                  item(mnuOptionsClearWhenIdle, u"After &2 Minutes"),
                                  item(mnuOptionsClearWhenIdle, u"After &5 Minutes"),
                                  item(mnuOptionsClearWhenIdle, u"After 1&0 Minutes"),
                                  item(mnuOptionsClearWhenIdle, u"&Never")};

  mnuKeyboardLayout = item(nullptr, u"&Keyboard Layout");
  mnuKeyboardLayoutDefault = item(mnuKeyboardLayout, u"Default Language Layout");
  mnuKeyboardLayoutEnglish = item(mnuKeyboardLayout, u"English Layout");
  mnuKeyboardLayoutLastSaved = item(mnuKeyboardLayout, u"Load Last Imported Layout");
  mnuKeyboardLayoutSep1 = item(mnuKeyboardLayout, u"-");
  mnuKeyboardLayoutImport = item(mnuKeyboardLayout, u"Import a Layout...");
  mnuKeyboardCreateNewLayoutFile = item(mnuKeyboardLayout, u"Save current layout...");

  mnuHelp = item(nullptr, u"Help");
  mnuHelpVisitHomepage = item(mnuHelp, u"Visit Tessarin homepage", {false, kVkF1});
  mnuHelpDonate = item(mnuHelp, u"Donate...");
  mnuHelpSep1 = item(mnuHelp, u"-");
  mnuHelpAbout = item(mnuHelp, u"About Tessarin");
}

void FrmKeyboard::createToolbar() {
  struct Entry {
    const char16_t* key;  // null: separator
    const char16_t* tip;
    bool visible;
  };
  static constexpr Entry kEntries[] = {
      {u"Standard", u"Standard Entry", true},
      {u"Hover", u"Hover Entry", true},
      {u"HideMouse", u"Hidden Mouse and Hover Entry", true},
      {nullptr, nullptr, true},
      {u"Inject", u"Injection Mode: try it if drag-drop doesn't work", true},
      {nullptr, nullptr, true},
      {u"ScrambleOnScreen", u"Scramble JUST the on-screen keys", true},
      {u"ScrambleAll", u"Scramble the on-screen keys AND keyboard input", false},
      {u"Dvorak", u"Use Dvorak layout for on-screen keys AND keyboard", false},
      {u"Unscramble", u"Unscramble the on-screen keys", true},
      {nullptr, nullptr, true},
      {u"ToggleMask", u"Show/hide the password masking", true},
      {nullptr, nullptr, true},
      {u"Beep", u"Beep on Hover Entry", true},
      {u"KeepPassword", u"Keep Password After Drag Drop", true},
      {u"Obsfucate", u"Hide password in amongst random characters", false},
      {nullptr, nullptr, false},
      {u"KeepOnTop", u"Keep On Top", false},
      {u"Refresh", u"Resize Tessarin", true},
      {nullptr, nullptr, true},
      {u"Clear", u"Clear text/password", true},
  };
  for (const auto& e : kEntries) {
    if (e.key)
      tbToolbar->addButton(e.key, e.tip, e.visible);
    else
      tbToolbar->addSeparator(e.visible);
  }
  tbToolbar->setButtonPressed(u"Standard", true);
  tbToolbar->setButtonPressed(u"KeepPassword", true);
  tbToolbar->addButtonMenuEntry(u"Hover", u"Half Second Delay", u"halfseconddely");
  tbToolbar->addButtonMenuEntry(u"Hover", u"One Second Delay", u"oneseconddelay");
  tbToolbar->addButtonMenuEntry(u"Hover", u"One and a Half Second Delay", u"oneandhalfseconddelay");
  tbToolbar->addButtonMenuEntry(u"Hover", u"Two Second Delay", u"twosecondsdelay");
}

void FrmKeyboard::wireEvents() {
  form_->onLoad = [this] {
    // The subclass does its work only once the application is fully up and until it goes.
    // A new size or a new DPI: keys, boxes and the cover are laid out again.
    const auto relayout = [this] {
      if (Application::current() && cKeyboard) cKeyboard->Resize(true);
    };
    form_->installSubclass({[this](long x, long y) {
                              if (Application::current() && cKeyboard) cKeyboard->KeyboardWindowMoved(x, y);
                            },
                            relayout, relayout});
  };
  form_->onUnload = [this] {
    form_->removeSubclass();
    platform_.system.showCursor(true);
    if (auto* app = Application::current()) app->CloseProgram();
  };
  // The masked box never takes typed input: the password only changes through the keys.
  txtPassword->onKeyDown = [](int& keyCode, int) { keyCode = 0; };
  txtPassword->onKeyPress = [](int& keyAscii) { keyAscii = 0; };
  form_->onActivate = [this] {
    (txtPassword->visible() ? txtPassword : txtText)->setFocus();
    cKeyboard->RefreshToolbar();
  };

  txtText->onKeyDown = [this](int& keyCode, int shift) { cKeyboard->KeyDown(keyCode, shift); };
  txtText->onKeyUp = [this](int& keyCode, int shift) { cKeyboard->KeyUp(keyCode, shift); };
  txtText->onKeyPress = [this](int& keyAscii) {
    // Backspace, printable ASCII and the euro sign (code 128 of the ANSI code page) are edited
    // by the engine; every other character reaches the box unchanged.
    constexpr int kEuroSign = 0x20AC;
    const bool engineEdits = keyAscii == 8 || (keyAscii >= 32 && keyAscii <= 126) || keyAscii == kEuroSign;
    if (engineEdits && !cKeyboard->KeyPress(keyAscii, false)) keyAscii = 0;
  };

  auto moveInForm = [this](const platform::MouseEvent& e) {
    if (cKeyboard) cKeyboard->MouseMoveInForm(e.button, e.shift, e.x, e.y);
  };
  form_->onMouseMove = moveInForm;
  sldHoverDelay->onMouseMove = moveInForm;
  sldTransparency->onMouseMove = moveInForm;
  tbToolbar->onMouseMove = moveInForm;
  auto moveInTextBox = [this](const platform::MouseEvent& e) {
    if (cKeyboard) cKeyboard->MouseMoveInTextBox(e.button, e.shift, e.x, e.y);
  };
  txtPassword->onMouseMove = moveInTextBox;
  txtText->onMouseMove = moveInTextBox;
}

int FrmKeyboard::CommandNumber(platform::WindowId id) const {
  for (int i = 0; i < kButtonCount; ++i)
    if (commands_[i]->id() == id) return i + 1;
  return 0;
}

std::vector<platform::Control*> FrmKeyboard::positionedControls() const {
  std::vector<platform::Control*> controls(commands_.begin(), commands_.end());
  controls.insert(controls.end(),
                  {txtPassword, txtText, lblHoverDelay, sldHoverDelay, lblTransparency, sldTransparency});
  return controls;
}

}  // namespace tessarin
