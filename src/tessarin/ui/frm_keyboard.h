#pragma once
// The keyboard window: 65 key buttons, the password and plain text boxes, toolbar, sliders and
// menus. It holds no logic of its own; its events go to the keyboard engine.
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "platform/platform.h"

namespace tessarin {

class Keyboard;

class FrmKeyboard {
 public:
  static constexpr int kButtonCount = 65;

  explicit FrmKeyboard(platform::Platform& platform);
  FrmKeyboard(const FrmKeyboard&) = delete;
  FrmKeyboard& operator=(const FrmKeyboard&) = delete;

  platform::Form& form() { return *form_; }
  // Command(1) .. Command(65).
  platform::CommandButton& Command(int number) { return *commands_.at(number - 1); }
  // The button's number, or 0 when the id is not a key button of this window.
  int CommandNumber(platform::WindowId id) const;
  // Every control placed by position, for moving the content up or down. The toolbar and the
  // status bar are not among them: they are aligned to the window's edges.
  std::vector<platform::Control*> positionedControls() const;

  Keyboard* cKeyboard = nullptr;

  // The password box's drag gesture: a left press inside the remembered selection arms it.
  bool DragArmed = false;
  int SavedSelStart = 0;
  int SavedSelLength = 0;

  platform::TextBox* txtPassword;
  platform::TextBox* txtText;
  platform::Toolbar* tbToolbar;
  platform::StatusBar* StatusBar1;
  platform::Label* lblHoverDelay;
  platform::Slider* sldHoverDelay;
  platform::Label* lblTransparency;
  platform::Slider* sldTransparency;
  platform::Timer* tmrCheckActiveWindow;
  platform::Timer* tmrClearWhenIdle;

  platform::MenuItem* mnuFile;
  platform::MenuItem* mnuFileKeepOnTop;
  platform::MenuItem* mnuFileExit;
  platform::MenuItem* mnuMode;
  platform::MenuItem* mnuModeStandard;
  platform::MenuItem* mnuModeHover;
  platform::MenuItem* mnuModeHiddenMouseAndHover;
  platform::MenuItem* mnuView;
  platform::MenuItem* mnuViewToolbar;
  platform::MenuItem* mnuViewBar0;
  platform::MenuItem* mnuViewPasswordMask;
  platform::MenuItem* mnuOptions;
  platform::MenuItem* mnuOptionsBeepOnHover;
  platform::MenuItem* mnuOptionsKeepPasswordAfterDragDrop;
  platform::MenuItem* mnuOptionsGivePasswordOnlyOnDrop;
  platform::MenuItem* mnuOptionsSep1;
  platform::MenuItem* mnuOptionsDragDrop;
  platform::MenuItem* mnuOptionsInjectMode;
  platform::MenuItem* mnuOptionsSep2;
  platform::MenuItem* mnuOptionsSaveSettingsInINI;
  platform::MenuItem* mnuOptionsSep3;
  platform::MenuItem* mnuOptionsHideFromCapture;
  platform::MenuItem* mnuOptionsReadableKeys;
  platform::MenuItem* mnuOptionsClearWhenIdle;
  // Its choices, in the order of kIdleClearChoices.
  std::array<platform::MenuItem*, 5> mnuOptionsClearWhenIdleAfter{};
  platform::MenuItem* mnuKeyboardLayout;
  platform::MenuItem* mnuKeyboardLayoutDefault;
  platform::MenuItem* mnuKeyboardLayoutEnglish;
  platform::MenuItem* mnuKeyboardLayoutLastSaved;
  platform::MenuItem* mnuKeyboardLayoutSep1;
  platform::MenuItem* mnuKeyboardLayoutImport;
  platform::MenuItem* mnuKeyboardCreateNewLayoutFile;
  platform::MenuItem* mnuHelp;
  platform::MenuItem* mnuHelpVisitHomepage;
  platform::MenuItem* mnuHelpDonate;
  platform::MenuItem* mnuHelpSep1;
  platform::MenuItem* mnuHelpAbout;

 private:
  void createControls();
  void createMenus();
  void createToolbar();
  void wireEvents();
  void wireMenuCommands();
  void wireSliders();
  void wireToolbar();
  void wireDragGesture();
  // Every command and every click in a box tells the engine the user is there.
  void wireUserInput();
  // Runs a handler and reports a run-time error from it in the error window.
  void reportErrors(const char16_t* site, const std::function<void()>& handler);
  void setKeepOnTop(bool onTop);

  platform::Platform& platform_;

  std::unique_ptr<platform::Form> form_;
  std::array<platform::CommandButton*, kButtonCount> commands_{};
  std::vector<platform::MenuItem*> menuItems_;
};

}  // namespace tessarin
