#pragma once
// In-memory controls. They keep exactly the state their Win32 counterparts keep, and raise the
// same callbacks when a test drives them as a user would.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/drag_text.h"

namespace tessarin::sim {

class SimToolkit;

// How often a control's native window moved. While its form defers placement
// (FormArgs::placeControlsWhenFirstShown) the window stays put and moves once, on the first show.
class SimWindowMoves {
 public:
  virtual ~SimWindowMoves() = default;
  int windowMoves = 0;
  std::function<bool()> placementDeferred;  // the form's
  // The form shows for the first time.
  void placePending() {
    if (!pending_) return;
    pending_ = false;
    ++windowMoves;
  }

 protected:
  void moved() {
    if (placementDeferred && placementDeferred())
      pending_ = true;
    else
      ++windowMoves;
  }

 private:
  bool pending_ = false;
};

// Shared state of every simulated control: bounds, visibility and an id.
template <class Base>
class SimControl : public Base, public SimWindowMoves {
 public:
  SimControl(SimToolkit& toolkit, platform::WindowId id, platform::Twips initial)
      : toolkit_(toolkit), id_(id), bounds_(initial) {}
  void setBounds(platform::Twips bounds) override {
    if (bounds == bounds_) return;
    bounds_ = bounds;
    moved();
  }
  platform::Twips bounds() const override { return bounds_; }
  void setVisible(bool visible) override { visible_ = visible; }
  bool visible() const override { return visible_; }
  platform::WindowId id() const override { return id_; }
  platform::PixelRect screenRect() const override;
  // The screen position of the owning form's client area; set by the form.
  std::function<platform::Twips()> clientOrigin;
  std::function<long()> twipsPerPixel;  // the form's

 protected:
  SimToolkit& toolkit_;

 private:
  platform::WindowId id_;
  platform::Twips bounds_;
  bool visible_ = true;
};

class SimButton : public SimControl<platform::CommandButton> {
 public:
  using SimControl::SimControl;
  // A key button starts with its caption unreadable, as the Win32 one does.
  void makeKeyButton() { keyButton_ = true; readable_ = false; }
  void setCaption(std::u16string_view caption) override { caption_ = caption; }
  std::u16string caption() const override { return caption_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }
  bool enabled() const override { return enabled_; }
  void showPressed(bool pressed) override { pressed_ = pressed; }
  bool shownPressed() const override { return pressed_; }
  void repaint() override { ++repaints; }
  void setDefault(bool isDefault) override { isDefault_ = isDefault; }
  void setCancel(bool isCancel) override { isCancel_ = isCancel; }
  void setCaptionReadable(bool readable) override {
    if (keyButton_) readable_ = readable;
  }
  bool captionReadable() const override { return readable_; }
  // What another process reads as the button's window text.
  std::u16string windowText() const { return readable_ ? caption_ : std::u16string(); }
  bool isKeyButton() const { return keyButton_; }
  bool isDefault() const { return isDefault_; }
  bool isCancel() const { return isCancel_; }
  int repaints = 0;
  // A user's click on the button.
  void click();

 private:
  std::u16string caption_;
  bool keyButton_ = false;
  bool readable_ = true;
  bool enabled_ = true;
  bool pressed_ = false;
  bool isDefault_ = false;
  bool isCancel_ = false;
};

// What a drag offered (the text, whether anything was set at all, whether it was held back)
// and the text a target can read from it, by the same rules as the real data object.
class SimDragData : public platform::DragData {
 public:
  void setText(std::u16string_view text, bool heldBackUntilDrop) override {
    this->text.assign(text);
    textSet = true;
    heldBack = heldBackUntilDrop;
    readable.set(text, heldBackUntilDrop);
  }
  void setPointingOnly() override {
    pointingOnly = true;
    readable.pointOnly();
  }
  // A drop target asks for the text: what it gets, or nothing.
  std::optional<std::u16string> targetReads();
  platform::SecureString text;
  bool textSet = false;
  bool heldBack = false;
  bool pointingOnly = false;
  platform::DragText readable;
};

class SimTextBox : public SimControl<platform::TextBox> {
 public:
  using SimControl::SimControl;
  void setText(std::u16string_view text) override;
  platform::SecureString text() const override { return text_; }
  int selStart() const override { return selStart_; }
  int selLength() const override { return selLength_; }
  void setSelStart(int start) override;
  void setSelLength(int length) override;
  void setPasswordChar(char16_t ch) override { passwordChar_ = ch; }
  char16_t passwordChar() const override { return passwordChar_; }
  void setFocus() override;
  bool hasFocus() const override;
  // What the user sees: the password character in place of every character.
  std::u16string shownText() const;
  // The simulated box draws every UTF-16 unit this wide, from its left edge, on one line.
  static constexpr long kCharWidth = 120;
  bool isOnCharacters(int start, int length, float x, float y) const override;
  // The user types one key: key down, the character (when it has one) and key up, each through
  // the box's events, as an edit control receives them.
  void typeKey(int keyCode, char16_t ch, int shift = 0);

  void startDrag() override;
  void setAutomaticDrag(bool on) override { automaticDrag = on; }
  bool automaticDrag = false;
  // How the next drag ends: released or cancelled with Escape, the effect the drop target
  // reports (0: nothing took the drop), and whether that target reads the text on the drop.
  struct DragEnding {
    bool released = true;
    long effect = platform::kDropEffectCopy;
    bool targetReadsOnDrop = true;
  };
  DragEnding dragEnding;
  // Runs while the drag loop is under way (a target the pointer passes over may read).
  std::function<void()> duringDrag;
  // What the drop target read on the drop, when it read anything.
  std::optional<std::u16string> readOnDrop;
  SimDragData lastDrag;
  long lastAllowedEffects = 0;

 private:
  void insertTyped(char16_t ch);
  platform::SecureString text_;
  int selStart_ = 0;
  int selLength_ = 0;
  char16_t passwordChar_ = 0;
};

class SimLabel : public SimControl<platform::Label> {
 public:
  using SimControl::SimControl;
  void setCaption(std::u16string_view caption) override { caption_ = caption; }
  std::u16string caption() const override { return caption_; }
  void setBackColor(platform::Color color) override { backColor = color; }
  void setForeColor(platform::Color color) override { foreColor = color; }
  platform::Color backColor = 0x00FFFFFF;
  platform::Color foreColor = 0;

 private:
  std::u16string caption_;
};

class SimStatusBar : public SimControl<platform::StatusBar> {
 public:
  using SimControl::SimControl;
};

class SimIcon : public SimControl<platform::Icon> {
 public:
  SimIcon(SimToolkit& toolkit, platform::WindowId id, platform::Twips initial, platform::IconKind kind)
      : SimControl(toolkit, id, initial), kind_(kind) {}
  platform::IconKind kind() const override { return kind_; }

 private:
  platform::IconKind kind_;
};

class SimSlider : public SimControl<platform::Slider> {
 public:
  using SimControl::SimControl;
  void setRange(int min, int max) override;
  void setValue(int value) override;
  int value() const override { return value_; }
  void setToolTip(std::u16string_view tip) override { toolTip = tip; }
  // The user drags the thumb to a value.
  void drag(int value);
  std::u16string toolTip;
  int min() const { return min_; }
  int max() const { return max_; }

 private:
  int min_ = 0;
  int max_ = 10;
  int value_ = 0;
};

class SimToolbar : public SimControl<platform::Toolbar> {
 public:
  struct Entry {
    std::u16string key;  // empty: separator
    std::u16string toolTip;
    bool visible = true;
    bool pressed = false;
    std::vector<std::u16string> menu;
  };
  using SimControl::SimControl;
  void addButton(std::u16string_view key, std::u16string_view toolTip, bool visible) override;
  void addSeparator(bool visible) override;
  void addButtonMenuEntry(std::u16string_view buttonKey, std::u16string_view text,
                          std::u16string_view entryKey) override;
  void setButtonPressed(std::u16string_view key, bool pressed) override;
  bool buttonPressed(std::u16string_view key) const override;
  void refresh() override { ++refreshes; }
  const std::vector<Entry>& entries() const { return entries_; }
  int refreshes = 0;

 private:
  Entry* find(std::u16string_view key);
  std::vector<Entry> entries_;
};

class SimTimer : public platform::Timer {
 public:
  explicit SimTimer(SimToolkit& toolkit) : toolkit_(toolkit) {}
  ~SimTimer() override;
  void setInterval(long milliseconds) override;
  long interval() const override { return interval_; }
  void setEnabled(bool enabled) override;
  bool enabled() const override { return enabled_; }
  bool running() const { return enabled_ && interval_ > 0; }
  long long nextDue = 0;

 private:
  void restart();
  SimToolkit& toolkit_;
  long interval_ = 0;
  bool enabled_ = true;
};

class SimMenuItem : public platform::MenuItem {
 public:
  SimMenuItem(SimMenuItem* parent, std::u16string_view caption, platform::Shortcut shortcut)
      : parent(parent), caption_(caption), shortcut_(shortcut) {}
  void setCaption(std::u16string_view caption) override { caption_ = caption; }
  std::u16string caption() const override { return caption_; }
  void setChecked(bool checked) override { checked_ = checked; }
  bool checked() const override { return checked_; }
  void setEnabled(bool enabled) override { enabled_ = enabled; }
  bool enabled() const override { return enabled_; }
  void setVisible(bool visible) override { visible_ = visible; }
  bool visible() const override { return visible_; }
  platform::Shortcut shortcut() const override { return shortcut_; }
  // The user chooses the item; only an enabled, visible item does anything.
  void choose();
  SimMenuItem* const parent;

 private:
  std::u16string caption_;
  platform::Shortcut shortcut_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
};

}  // namespace tessarin::sim
