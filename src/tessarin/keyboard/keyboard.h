#pragma once
// The keyboard engine: owns the keyboard and cover windows and every piece of run-time state.
// Setting a property changes the windows back and, once the keyboard window is visible, writes
// the setting.
#include <memory>
#include <optional>
#include <string>

#include "delivery/delivery_failure.h"
#include "delivery/frm_drag_note.h"
#include "keyboard/key_layout.h"
#include "keyboard/key_order.h"
#include "layouts/open_save.h"
#include "platform/platform.h"
#include "platform/secure_string.h"
#include "protection/frm_blank.h"
#include "protection/idle_clear.h"
#include "ui/frm_keyboard.h"

namespace tessarin {

enum InputModes : int { kModeStandard = 1, kModeHover = 2, kModeHideMouse = 3 };
enum DragDropModes : int { kDragDrop = 0, kInject = 1 };
// Layout selectors of SwitchKeyboardLang.
enum LayoutSelector : long { kLayoutDefault = 0, kLayoutLastImported = 1, kLayoutImport = 2, kLayoutEnglish = 409 };

// The edge of a square key for a window of the given width: fifteen keys fill a row, and the
// edge is a whole number of pixels.
long KeySizeFor(long width, long margin, long twipsPerPixel);

class Keyboard {
 public:
  explicit Keyboard(platform::Platform& platform);
  ~Keyboard();
  Keyboard(const Keyboard&) = delete;
  Keyboard& operator=(const Keyboard&) = delete;

  // Properties with side effects.
  void SaveSettingsInINI(bool value);
  bool SaveSettingsInINI() const { return saveSettingsInINI_; }
  void CoverTransparency(int value);
  int CoverTransparency() const { return coverTransparency_; }
  void KeyboardTransparency(int value);
  int KeyboardTransparency() const { return keyboardTransparency_; }
  void TimerInterval(long value);
  long TimerInterval() const { return timerInterval_; }
  void DragDropMode(int value);
  int DragDropMode() const { return dragDropMode_; }
  void DetermineSelectedPassword();
  void SelectedPassword(std::u16string_view value) { selectedPassword_.assign(value); }
  const platform::SecureString& SelectedPassword() const { return selectedPassword_; }
  FrmKeyboard& Form() { return *form_; }
  FrmBlank& FormCover() { return *formCover_; }
  // The note beside the pointer, while a drag runs.
  FrmDragNote* DragNote() { return dragNote_.get(); }
  void CurrentPassword(std::u16string_view value) { currentPassword_.assign(value); }
  const platform::SecureString& CurrentPassword() const { return currentPassword_; }
  void ShiftIsDown(bool value);
  bool ShiftIsDown() const { return shiftIsDown_; }
  void AltGrIsDown(bool value);
  bool AltGrIsDown() const { return altGrIsDown_; }
  int InputMode() const { return inputMode_; }
  void InputMode(int value);
  void TextIsMasked(bool value);
  bool TextIsMasked() const { return textIsMasked_; }
  void CapsLockIsDown(bool value) { capsLockIsDown_ = value; }
  bool CapsLockIsDown() const { return capsLockIsDown_; }
  void KeepPasswordAfterDragDrop(bool value);
  bool KeepPasswordAfterDragDrop() const { return keepPasswordAfterDragDrop_; }
  // Drag and drop hands the text out only once the drop is decided.
  void GivePasswordOnlyOnDrop(bool value);
  bool GivePasswordOnlyOnDrop() const { return givePasswordOnlyOnDrop_; }
  void KeepOnTop(bool value) { keepOnTop_ = value; }
  bool KeepOnTop() const { return keepOnTop_; }
  void BeepOnHover(bool value);
  bool BeepOnHover() const { return beepOnHover_; }
  void EnableHoverEntry() { TimerEnabled(true); }
  void DisableHoverEntry() { TimerEnabled(false); }
  bool HoverEntryEnabled() const { return timerEnabled_; }
  bool MouseHidden() const { return mouseHidden_; }
  bool HideMouse();
  bool ShowMouse();
  void TimerEnabled(bool value);
  bool TimerEnabled() const { return timerEnabled_; }
  void CurrentButton(platform::CommandButton* button) { currentButton_ = button; }
  platform::CommandButton* CurrentButton() const { return currentButton_; }
  void KeyboardType(int value) { keyboardType_ = value; }
  int KeyboardType() const { return keyboardType_; }

  // Key entry.
  void ButtonClick(platform::CommandButton* cmdButton);
  void ButtonMouseUp(platform::CommandButton*, int, int, float, float) {}
  void HighlightText();
  void ClearText();

  // Hover entry.
  void ButtonMouseMove(platform::CommandButton* cmdButton, int button, int shift, float x, float y);
  void MouseMoveInTextBox(int button, int shift, float x, float y);
  void MouseMoveInForm(int button, int shift, float x, float y);
  void Timer();
  void beepForHover();

  // The physical keyboard in the plain text box.
  bool KeyPress(int keyAscii, bool blnKeyPressFromMouseEvent);
  void KeyDown(int keyCode, int shift);
  void KeyUp(int keyCode, int shift);

  platform::WindowId hwnd() const { return form_->form().id(); }

  // Layout of the window and the cover.
  void Resize(bool blnForceResize);
  void FormMove(long xPos, long yPos);
  // The keyboard window's move handler: the cover follows it, and goes and comes back with it.
  void KeyboardWindowMoved(long xPos, long yPos);
  void ResetFormCover();
  void RandomiseFormSizeAndPlacement();
  void RefreshToolbar();
  void ShowToolbar(bool blnShow);
  void SwitchKeyboardLang(long strLangID, bool blnStopINISave);
  void CreateNewLayoutFile();
  // The system's reason when the file could not be written.
  std::optional<std::u16string> SaveLayoutFile(std::u16string path);
  void LoadLayoutFile(std::u16string_view path);
  void SaveLayoutToSettings();

  // Delivery of the password by a drag from the visible box.
  void StartDrag(platform::DragData& data, long& allowedEffects);
  void CompleteDrag(const platform::DragOutcome& outcome);

  // What other programs can learn: screen captures, the keys' window texts, the keys' order.
  void HideFromScreenCapture(bool value);
  bool HideFromScreenCapture() const { return hideFromScreenCapture_; }
  void ReadableKeys(bool value);
  bool ReadableKeys() const { return readableKeys_; }
  // A fresh random order of the character keys on every call; the action keys stay.
  void ScrambleKeys();
  void UnscrambleKeys();
  bool KeysScrambled() const { return !IsLayoutOrder(keyOrder_); }

  // How long a password may stay in the box without input to the program; 0 is for ever.
  void ClearPasswordWhenIdleSeconds(long seconds);
  long ClearPasswordWhenIdleSeconds() const { return idleClear_->seconds(); }
  // The user is at the keyboard: a key entered or pressed, a click in a box, a drag, a command
  // from a menu, the toolbar or a slider. Also called after anything that may empty the box.
  void UserInput() { idleClear_->restart(); }
  bool PasswordInBox() const;

  // Key layout and captions.
  void LoadEnglishLayout();
  // Reads what the active system keyboard layout types for every character key.
  void ReadSystemLayout(platform::TextBox& ctl);
  void GetCommandButtonCaptions(long lngKeyConst, platform::TextBox& ctl, int intArrayNumber);
  void SetKeyCaptions();
  KeyLayoutTable& KeyLayout() { return keyLayout_; }
  ActionKeyTexts& ActionKeyText() { return actionKeyText_; }

  long FormMargin() const { return formMargin_; }
  long KeySize() const { return keySize_; }
  bool IsResizing() const { return isResizing_; }
  const std::u16string& SettingsFilePath() const { return settingsFilePath_; }

 private:
  // Writes a key of section "Settings" while the keyboard window is visible.
  void writeSettingIfVisible(std::u16string_view key, std::u16string_view value);
  void writeSetting(std::u16string_view key, std::u16string_view value);
  // Tells the user, once a run, that the settings file could not be written and why.
  void settingsNotKept(std::u16string_view why);
  std::u16string readSetting(std::u16string_view key) const;
  void applyStoredSettings();
  // Applied before the first captions and the first show, so that they cost no extra pass.
  void applyStoredPrivacy();
  void showCaptureExclusionAvailability();
  void readActionKeyTexts();
  void applyHiddenPointer(int intMode);
  platform::TextBox& visibleBox();
  // Whether the drag delivered the password, typing it first in injection mode.
  DeliveryResult deliver(const platform::DragOutcome& outcome);
  void tellNotDelivered(const DeliveryResult& result);
  void refreshShiftFromPhysicalKeys();
  // The program's one file dialog object, made on first use.
  cOpenSave& fileDialog();
  void prepareLayoutDialog(const char16_t* title);
  void PositionKeys(long width, long margin);
  void layoutWindow();
  // Lays the cover exactly over the five key rows.
  void placeCover();
  // The toolbar height that the layout rules subtract, and the status bar's.
  long reservedBarHeights() const;

  platform::Platform& platform_;
  std::u16string settingsFilePath_;
  std::unique_ptr<FrmKeyboard> form_;
  std::unique_ptr<FrmBlank> formCover_;

  int keyboardType_ = 101;
  platform::CommandButton* currentButton_ = nullptr;
  bool timerEnabled_ = false;
  bool beepOnHover_ = false;
  // The sound could not be played for a system failure, which was reported: from then on the
  // hover entries beep with the system's sound.
  bool hoverSoundFailed_ = false;
  bool mouseHidden_ = false;
  bool keepOnTop_ = false;
  bool keepPasswordAfterDragDrop_ = false;
  bool givePasswordOnlyOnDrop_ = false;
  bool capsLockIsDown_ = false;
  bool shiftIsDown_ = false;
  bool altGrIsDown_ = false;
  bool textIsMasked_ = false;
  int inputMode_ = kModeStandard;
  bool shiftClickedOnScreen_ = false;
  platform::SecureString currentPassword_;
  platform::SecureString lastHoverCaption_;
  platform::SecureString selectedPassword_;
  int dragDropMode_ = kDragDrop;
  long timerInterval_ = 0;
  int keyboardTransparency_ = 0;
  int coverTransparency_ = 1;
  bool saveSettingsInINI_ = true;
  bool toldSettingsNotKept_ = false;

  // Drag bookkeeping, from the start of a drag to its end.
  platform::SecureString textAfterDrag_;
  platform::SecureString passwordAfterDrag_;
  int dragSelStart_ = 0;
  int dragSelLength_ = 0;
  bool dragReady_ = false;  // the drag's start ran to its end
  std::unique_ptr<FrmDragNote> dragNote_;

  long formMargin_ = 0;
  long keySize_ = 0;
  bool isResizing_ = false;

  std::uintptr_t hookHandle_ = 0;
  std::unique_ptr<cOpenSave> openSave_;
  KeyLayoutTable keyLayout_;
  ActionKeyTexts actionKeyText_;
  KeyOrder keyOrder_ = LayoutOrder();
  bool hideFromScreenCapture_ = true;
  // False once the system has refused to keep windows out of captures.
  bool captureExclusionAvailable_ = true;
  bool readableKeys_ = false;
  std::unique_ptr<IdleClear> idleClear_;
};

}  // namespace tessarin
