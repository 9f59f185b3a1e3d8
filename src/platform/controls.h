#pragma once
// The controls a form owns. Contract for every setter: it takes effect at once and raises no
// event of the control's own (setting a text box's text fires no key event, moving a slider
// by code fires no onChange). Callbacks are set by the program and may be left empty.
#include <functional>
#include <string>
#include <string_view>

#include "platform/geometry.h"
#include "platform/secure_string.h"

namespace tessarin::platform {

class Control {
 public:
  virtual ~Control() = default;
  // Relative to the client area of the owning form.
  virtual void setBounds(Twips bounds) = 0;
  virtual Twips bounds() const = 0;
  // The control's own visibility flag (WS_VISIBLE), whether or not its form is shown.
  virtual void setVisible(bool visible) = 0;
  virtual bool visible() const = 0;
  // Its window; 0 while it has none yet (a hidden control of a form laid out before it first
  // shows may get its window only when it first shows).
  virtual WindowId id() const = 0;
  // Screen rectangle in pixels (GetWindowRect).
  virtual PixelRect screenRect() const = 0;
};

class CommandButton : public Control {
 public:
  virtual void setCaption(std::u16string_view caption) = 0;
  virtual std::u16string caption() const = 0;
  virtual void setEnabled(bool enabled) = 0;
  virtual bool enabled() const = 0;
  // The pressed look (BM_SETSTATE on Win32); no click results from it.
  virtual void showPressed(bool pressed) = 0;
  virtual bool shownPressed() const = 0;
  virtual void repaint() = 0;
  // The default button answers Enter, the cancel button Escape, anywhere in the form.
  virtual void setDefault(bool isDefault) = 0;
  virtual void setCancel(bool isCancel) = 0;
  // Whether other processes can read the caption (window text, accessibility name). Key
  // buttons (Form::addKeyButton) start unreadable and draw their caption themselves; other
  // buttons are always readable and ignore this.
  virtual void setCaptionReadable(bool readable) = 0;
  virtual bool captionReadable() const = 0;
  std::function<void()> onClick;
};

// The data of a drag that leaves a text box.
class DragData {
 public:
  virtual ~DragData() = default;
  // Offered to drop targets as Unicode text and as ANSI text, and in no other format. Held back
  // until the drop, the formats are listed from the start but the text itself is handed out
  // only once the drop is decided, and never after the drag has ended.
  virtual void setText(std::u16string_view text, bool heldBackUntilDrop = false) = 0;
  // The drag only points at a place: it offers an empty text, so targets show it as they would
  // a text, but its release drops nothing there (they see it leave).
  virtual void setPointingOnly() = 0;
};

// How a drag from a text box ended.
struct DragOutcome {
  // The button was released (over a target or not, dropping or only pointing); false when
  // Escape cancelled the drag.
  bool released = false;
  // What the drop target reported; 0 when nothing took the drop.
  long effect = 0;
  // A target read the text after the drop was decided.
  bool textTakenOnDrop = false;
};

inline constexpr long kDropEffectCopy = 1;
inline constexpr long kDropEffectMove = 2;

// A text box never puts its text on the clipboard: copy and cut, by key (Ctrl+C, Ctrl+X,
// Ctrl+Insert, Shift+Delete), message or menu, do nothing. Pasting still works.
class TextBox : public Control {
 public:
  // Positions are UTF-16 code units, as in a Win32 edit control.
  virtual void setText(std::u16string_view text) = 0;
  virtual SecureString text() const = 0;
  virtual int selStart() const = 0;
  virtual int selLength() const = 0;
  // Setting the start collapses the selection to a caret there, as an edit control does.
  virtual void setSelStart(int start) = 0;
  virtual void setSelLength(int length) = 0;
  // 0 shows the text as it is.
  virtual void setPasswordChar(char16_t ch) = 0;
  virtual char16_t passwordChar() const = 0;
  virtual void setFocus() = 0;
  virtual bool hasFocus() const = 0;
  // Whether a point of the box (twips from its client origin) lies on the characters from
  // start, length UTF-16 units long, as the box draws them (common/text_span.h): on the line
  // under the point, from the left edge of the first of them to the right edge of the last.
  virtual bool isOnCharacters(int start, int length, float x, float y) const = 0;

  // Key events: setting keyCode or keyAscii to 0 cancels the key. keyAscii is the typed UTF-16
  // code unit; a changed value is typed instead. Keys pressed or released while Alt is held
  // without Ctrl (system keys: they open menus) raise onKeyDown and onKeyUp too, with the Alt
  // bit in shift, but always reach the window.
  std::function<void(int& keyCode, int shift)> onKeyDown;
  std::function<void(int& keyCode, int shift)> onKeyUp;
  std::function<void(int& keyAscii)> onKeyPress;
  std::function<void(const MouseEvent&)> onMouseDown;
  std::function<void(const MouseEvent&)> onMouseMove;
  std::function<void(const MouseEvent&)> onMouseUp;
  std::function<void()> onDblClick;

  // OLE drag from the box. startDrag runs the whole drag: onOleStartDrag fills the data and
  // the allowed effects before the drag loop starts; onOleCompleteDrag runs after the drag
  // has ended, however it ended. With automatic drag on, pressing on the selected text (by
  // isOnCharacters) and moving with the left button held starts it. A box takes no drops: text dragged onto it,
  // from this program or another, is refused and stays with its source.
  virtual void startDrag() = 0;
  virtual void setAutomaticDrag(bool on) = 0;
  std::function<void(DragData& data, long& allowedEffects)> onOleStartDrag;
  std::function<void(const DragOutcome& outcome)> onOleCompleteDrag;
};

class Label : public Control {
 public:
  virtual void setCaption(std::u16string_view caption) = 0;
  virtual std::u16string caption() const = 0;
  virtual void setBackColor(Color color) = 0;
  virtual void setForeColor(Color color) = 0;
  // A label that can be clicked, like a link: it shows the hand pointer.
  std::function<void()> onClick;
};

// Docked at the bottom of its form, across its width: setBounds sets only the height.
class StatusBar : public Control {};

// An icon drawn to fill its bounds: the program's own, or the one the system's message boxes
// show for an error.
enum class IconKind { Program, Error };
class Icon : public Control {
 public:
  virtual IconKind kind() const = 0;
};

// An etched horizontal line, as dialogs separate their parts.
class EtchedLine : public Control {};

class Slider : public Control {
 public:
  virtual void setRange(int min, int max) = 0;
  // Values outside the range show clamped, as a trackbar does.
  virtual void setValue(int value) = 0;
  virtual int value() const = 0;
  virtual void setToolTip(std::u16string_view tip) = 0;
  std::function<void()> onChange;
  std::function<void(const MouseEvent&)> onMouseMove;
};

// Docked at the top of its form, across its width, at the height its buttons need: setBounds
// leaves it there.
class Toolbar : public Control {
 public:
  // Entries are added in display order; a separator has an empty key.
  virtual void addButton(std::u16string_view key, std::u16string_view toolTip, bool visible) = 0;
  virtual void addSeparator(bool visible) = 0;
  // A drop-down menu on a button; choosing an entry raises onButtonMenuClick with its text.
  virtual void addButtonMenuEntry(std::u16string_view buttonKey, std::u16string_view text,
                                  std::u16string_view entryKey) = 0;
  virtual void setButtonPressed(std::u16string_view key, bool pressed) = 0;
  virtual bool buttonPressed(std::u16string_view key) const = 0;
  virtual void refresh() = 0;
  std::function<void(std::u16string_view key)> onButtonClick;
  std::function<void(std::u16string_view text)> onButtonMenuClick;
  std::function<void(const MouseEvent&)> onMouseMove;
};

class Timer {
 public:
  virtual ~Timer() = default;
  // An interval of 0 stops the timer even while enabled, as a toolkit timer does.
  virtual void setInterval(long milliseconds) = 0;
  virtual long interval() const = 0;
  virtual void setEnabled(bool enabled) = 0;
  virtual bool enabled() const = 0;
  std::function<void()> onTick;
};

struct Shortcut {
  bool ctrl = false;
  int virtualKey = 0;  // 0: none; 'Q', 0x70 for F1, ...
};

class MenuItem {
 public:
  virtual ~MenuItem() = default;
  virtual void setCaption(std::u16string_view caption) = 0;
  virtual std::u16string caption() const = 0;
  virtual void setChecked(bool checked) = 0;
  virtual bool checked() const = 0;
  virtual void setEnabled(bool enabled) = 0;
  virtual bool enabled() const = 0;
  virtual void setVisible(bool visible) = 0;
  virtual bool visible() const = 0;
  virtual Shortcut shortcut() const = 0;
  std::function<void()> onClick;
};

}  // namespace tessarin::platform
