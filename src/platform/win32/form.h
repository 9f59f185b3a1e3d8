#pragma once
// A top-level window: its life cycle (created hidden, loaded, shown, unloaded), its window
// styles, and the controls, timers and menus it owns.
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/form.h"
#include "platform/win32/form_tool_tips.h"
#include "platform/win32/menu.h"

namespace tessarin::platform::win32 {

class ChildWindow;
class Win32Button;
class Win32Timer;
class Win32Toolkit;

class Win32Form final : public Form {
 public:
  Win32Form(Win32Toolkit& toolkit, const FormArgs& args);
  ~Win32Form() override;
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  static void registerWindowClass();
  static void unregisterWindowClass();

  void load() override;
  void unload() override;
  bool loaded() const override { return loaded_; }
  void show(bool modal = false, Form* owner = nullptr) override;
  void hide() override;
  bool visible() const override;

  void setCaption(std::u16string_view caption) override;
  std::u16string caption() const override;
  void setBounds(Twips bounds) override;
  Twips bounds() const override;
  Twips clientOrigin() const override;
  long twipsPerPixel() const override;
  Twips workArea() const override;
  void setWindowState(WindowState state) override;
  WindowState windowState() const override;
  void makeLayered() override;
  void setOpacity(std::uint8_t alpha) override;
  void setTopmost(bool topmost) override;
  void setClickThrough(bool on) override;
  bool clickThrough() const override;
  void setMousePointer(MousePointer pointer) override;
  MousePointer mousePointer() const override { return pointer_; }
  WindowId id() const override { return reinterpret_cast<WindowId>(hwnd_); }
  void repaint() override;

  CommandButton& addButton(const FontSpec& font) override;
  CommandButton& addKeyButton(const FontSpec& font) override;
  TextBox& addTextBox(const TextBoxArgs& args) override;
  Label& addLabel(std::u16string_view caption, const FontSpec& font) override;
  Slider& addSlider() override;
  Toolbar& addToolbar() override;
  StatusBar& addStatusBar() override;
  Icon& addIcon(IconKind kind) override;
  EtchedLine& addEtchedLine() override;
  Timer& addTimer() override;
  MenuItem& addMenuItem(MenuItem* parent, std::u16string_view caption, Shortcut shortcut = {}) override;

  void installSubclass(SubclassHandlers handlers) override;
  void removeSubclass() override;

  // For the backend.
  HWND hwnd() const { return hwnd_; }
  Win32Toolkit& toolkit() const { return toolkit_; }
  // Kept from creation and WM_DPICHANGED: asking the system costs a trip to the window server,
  // and every conversion and mouse message needs it.
  UINT dpi() const { return dpi_; }
  Color backColor() const { return backColor_; }
  // Whether its controls keep their places to themselves for now (ChildWindow::deferPlacement).
  bool placementDeferred() const { return placementDeferred_; }
  // Where the client area is on the screen, or will be once the form first shows.
  POINT clientOriginPixels() const;
  HBRUSH backgroundBrush() const { return background_; }
  // The window of the nearest control before this one (in the order they were added) that has
  // one, or HWND_TOP: where a control's window goes in the z-order when it is made late.
  HWND windowAbove(const ChildWindow& control) const;
  FormToolTips& toolTips() { return toolTips_; }
  // A key pressed anywhere in the form: a menu shortcut, or Enter and Escape for the default
  // and cancel buttons. False when nothing took it.
  bool runKey(int virtualKey, bool ctrl);
  // At most one of each per form; null clears.
  void setDefaultButton(Win32Button* button, bool isDefault);
  void setCancelButton(Win32Button* button, bool isCancel);

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // The control object of one of this form's child windows, or null.
  ChildWindow* controlOf(HWND hwnd) const;
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
  void windowDestroyed();
  bool handleMouse(UINT msg, WPARAM wParam, LPARAM lParam);
  void activated();
  void showWindow();
  // Makes the windows of the controls that show and moves every control to its place, in one
  // batch, before the window first shows.
  void placeControlsOnce();
  // Loaded but not yet shown, a form that defers placement keeps its own place and z-order
  // for the first show too; before it is loaded, it takes them at once (its designed size).
  bool layingOut() const { return placementDeferred_ && loaded_; }
  bool showAtPendingPlace(int command);
  // The window's rectangle on the screen, or the one it goes to when it first shows.
  RECT windowRect() const;
  // A show, or a restore after a minimise, can drop the window's capture exclusion.
  void renewCaptureExclusion();
  void updateCursor() const;
  void beginModal(Form* owner);
  void endModal();
  void setExStyle(LONG_PTR bits, bool on);
  template <class Control>
  Control& own(std::unique_ptr<Control> control);

  Win32Toolkit& toolkit_;
  HWND hwnd_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  Color backColor_;
  HBRUSH background_;
  // Borderless forms (the cover, the drag note) appear without taking the activation.
  bool activateOnShow_;
  bool loaded_ = false;
  bool minimized_ = false;
  // Set from FormArgs::placeControlsWhenFirstShown until the first show.
  bool placementDeferred_;
  // What the form was given while it was laid out, applied when it first shows.
  std::optional<RECT> pendingRect_;
  std::optional<bool> pendingTopmost_;
  // While shown modally: the forms it disabled, enabled again when it ends.
  std::optional<std::vector<HWND>> modal_;
  std::optional<WindowState> stateWhenShown_;
  MousePointer pointer_ = MousePointer::Default;
  HWND lastFocus_ = nullptr;
  FormToolTips toolTips_;
  Win32Button* defaultButton_ = nullptr;
  Win32Button* cancelButton_ = nullptr;
  std::vector<std::unique_ptr<ChildWindow>> controls_;
  std::vector<std::unique_ptr<Win32Timer>> timers_;
  MenuTree menu_;
  std::optional<SubclassHandlers> subclass_;
  WNDPROC beforeSubclass_ = nullptr;
};

}  // namespace tessarin::platform::win32
