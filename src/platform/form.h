#pragma once
// A top-level window and the controls it owns.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/controls.h"

namespace tessarin::platform {

enum class FormStyle {
  Sizable,     // caption, sizing border, minimise and maximise boxes, menu bar when it has menus
  Dialog,      // caption and close box, fixed size
  Borderless,  // no border and no caption; never in the task bar
};

struct FormArgs {
  FormStyle style = FormStyle::Sizable;
  std::u16string caption;
  Color backColor = 0x00E0E0E0;
  bool showInTaskbar = true;
  // For a form laid out several times before it first shows: it and its controls report the
  // places (the controls also their visibility) they are given at once, but their windows get
  // them only when the form first shows, the controls all in one batch (each move of a window
  // is a request to the window server, and of a top-level window many).
  bool placeControlsWhenFirstShown = false;
  // Where the window is made, in screen twips; by default 320 by 240 pixels at the top left.
  // Made there rather than moved there after: each move of a top-level window costs the
  // window server many requests.
  std::optional<Twips> bounds = std::nullopt;
};

enum class WindowState { Normal, Minimized, Maximized };
enum class MousePointer { Default, GreyDot };

struct TextBoxArgs {
  FontSpec font;
  bool multiline = false;
  bool readOnly = false;
  Color backColor = 0x00FFFFFF;
};

class Form {
 public:
  virtual ~Form() = default;

  // Load joins the toolkit's loaded forms and raises onLoad; unload raises onUnload, leaves the
  // loaded forms and destroys the native window. The toolkit's message loop ends when the last
  // loaded form is unloaded. Closing the window from its title bar unloads it. Destroying a
  // form that is still loaded takes it out of the loaded forms without raising onUnload.
  virtual void load() = 0;
  virtual void unload() = 0;
  virtual bool loaded() const = 0;
  // Shows the form (loading it first). Modal shows return once the form is hidden or unloaded.
  virtual void show(bool modal = false, Form* owner = nullptr) = 0;
  virtual void hide() = 0;
  virtual bool visible() const = 0;

  virtual void setCaption(std::u16string_view caption) = 0;
  virtual std::u16string caption() const = 0;
  // The outer window rectangle, in screen twips.
  virtual void setBounds(Twips bounds) = 0;
  virtual Twips bounds() const = 0;
  // The screen position of the client area's top-left corner, in twips.
  virtual Twips clientOrigin() const = 0;
  // Each form measures in twips of its own DPI (per monitor, and changing when the user changes
  // the display scale): 1440 / that DPI. Screen positions of two forms on monitors of different
  // DPIs only compare after conversion to pixels.
  virtual long twipsPerPixel() const = 0;
  // The work area (the monitor without the task bar) of the monitor the form is on, or nearest
  // to, in this form's twips.
  virtual Twips workArea() const = 0;
  virtual void setWindowState(WindowState state) = 0;
  virtual WindowState windowState() const = 0;
  // Layered-window opacity: makeLayered adds the layered style, setOpacity sets the alpha.
  virtual void makeLayered() = 0;
  virtual void setOpacity(std::uint8_t alpha) = 0;
  virtual void setTopmost(bool topmost) = 0;
  virtual void setClickThrough(bool on) = 0;
  virtual bool clickThrough() const = 0;
  virtual void setMousePointer(MousePointer pointer) = 0;
  virtual MousePointer mousePointer() const = 0;
  virtual WindowId id() const = 0;
  virtual void repaint() = 0;

  // Controls are owned by the form and live as long as it does.
  virtual CommandButton& addButton(const FontSpec& font) = 0;
  // A button that draws its caption itself, with the look of a push button, and keeps it out of
  // its window text until setCaptionReadable(true).
  virtual CommandButton& addKeyButton(const FontSpec& font) = 0;
  virtual TextBox& addTextBox(const TextBoxArgs& args) = 0;
  virtual Label& addLabel(std::u16string_view caption, const FontSpec& font) = 0;
  virtual Slider& addSlider() = 0;
  virtual Toolbar& addToolbar() = 0;
  virtual StatusBar& addStatusBar() = 0;
  virtual Icon& addIcon(IconKind kind) = 0;
  virtual EtchedLine& addEtchedLine() = 0;
  virtual Timer& addTimer() = 0;
  // parent null adds a top-level menu; a caption of "-" is a separator.
  virtual MenuItem& addMenuItem(MenuItem* parent, std::u16string_view caption,
                                Shortcut shortcut = {}) = 0;

  // Window-procedure subclass: sees every move, every size change to a normal size and every
  // DPI change (once the form has taken the new DPI and size), after the window's own procedure
  // has handled the message.
  struct SubclassHandlers {
    std::function<void(long x, long y)> onMove;
    std::function<void()> onSizeRestored;
    std::function<void()> onDpiChanged;
  };
  virtual void installSubclass(SubclassHandlers handlers) = 0;
  virtual void removeSubclass() = 0;

  std::function<void()> onLoad;
  std::function<void()> onUnload;
  std::function<void()> onActivate;
  std::function<void(const MouseEvent&)> onMouseDown;
  std::function<void(const MouseEvent&)> onMouseMove;
  std::function<void(const MouseEvent&)> onMouseUp;
  std::function<void()> onDblClick;
};

}  // namespace tessarin::platform
