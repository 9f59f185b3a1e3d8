#pragma once
// What every control shares: its window on the form, its place in twips relative to the form's
// client area, and the link from the window back to the object. The form hands each
// WM_COMMAND, WM_NOTIFY, WM_HSCROLL and WM_CTLCOLOR* to the control that sent it.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "platform/controls.h"

namespace tessarin::platform::win32 {

class Win32Form;

// The class and styles of a control's window.
struct ChildClass {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle = 0;
};

// When a control of a form laid out before it first shows (FormArgs::placeControlsWhenFirstShown)
// gets its window. Controls of other forms get theirs at once.
enum class Making {
  Now,
  // When the form first shows it, or, if it is hidden then, when it is first shown or needs a
  // window after that: every window costs start-up a dozen requests to the window server, and
  // some controls are never shown at all. Until then the control keeps its state itself and
  // behaves as a freshly made one.
  WhenNeeded,
};

class ChildWindow {
 public:
  ChildWindow(Win32Form& form, ChildClass windowClass, Making making);
  virtual ~ChildWindow();
  ChildWindow(const ChildWindow&) = delete;
  ChildWindow& operator=(const ChildWindow&) = delete;

  // Once it is among its form's controls: makes its window unless it may wait.
  void joinedForm();
  // Null while the control has no window yet.
  HWND hwnd() const { return hwnd_; }

  // Notifications the form reflects back to the control.
  virtual void command(WORD /*code*/, WORD /*id*/) {}
  virtual LRESULT notify(NMHDR& /*header*/) { return 0; }
  virtual void scroll(WORD /*code*/) {}
  // WM_DRAWITEM for an owner-drawn control; false leaves it to the system.
  virtual bool draw(const DRAWITEMSTRUCT& /*item*/) { return false; }
  // Background for WM_CTLCOLOR*: the form's colour unless the control has its own.
  virtual HBRUSH colors(HDC dc);
  // Docked controls follow the form's client size.
  virtual void formResized() {}
  virtual void dpiChanged() {}
  // While its form defers placement, a control keeps its place and visibility to itself; the
  // form's first show makes the windows of the controls that then show, and applies all places
  // and visibilities in one batch.
  void firstShow(HDWP& batch);

 protected:
  // Messages to the control's own window; the default passes
  // them on to the control's procedure.
  virtual LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT passOn(UINT msg, WPARAM wParam, LPARAM lParam);
  // Passes the message on, then reports it to onMove if it is a mouse move.
  LRESULT passOnReportingMoves(UINT msg, WPARAM wParam, LPARAM lParam,
                               const std::function<void(const MouseEvent&)>& onMove);
  UINT dpi() const;
  long twipsPerPixel() const;

  // The control's window, made now (hidden, at its place and in its order among the form's
  // controls) if it has none yet.
  HWND window();
  // The window was just made: the control hands it what it kept until then.
  virtual void windowMade() {}
  // The window's text when it is made.
  virtual std::wstring textWhenMade() const { return {}; }
  // Styles the window will be made with; only before it is made.
  void setStyleWhenMade(DWORD bits, bool on);
  DWORD styleWhenMade() const { return class_.style; }

  void placeAt(Twips bounds);
  // In pixels relative to the form's client area.
  void placeAtPixels(const RECT& rect);
  Twips placement() const;
  RECT placedRect() const;
  void showWindow(bool visible);
  bool isShown() const;
  PixelRect windowRect() const;

  Win32Form& form_;

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Makes the window at its place, with the given extra style, and links it to this object.
  void make(DWORD style);
  ChildClass class_;
  const Making making_;
  HWND hwnd_ = nullptr;
  WNDPROC previous_ = nullptr;
  // In pixels relative to the form's client area: where the control goes once its form shows,
  // or once it has a window.
  std::optional<RECT> pending_;
  std::optional<bool> pendingVisible_;
};

// The Control part of an interface, implemented on a ChildWindow.
template <class Interface>
class NativeControl : public Interface, public ChildWindow {
 public:
  using ChildWindow::ChildWindow;
  void setBounds(Twips bounds) override { placeAt(bounds); }
  Twips bounds() const override { return placement(); }
  void setVisible(bool visible) override { showWindow(visible); }
  bool visible() const override { return isShown(); }
  WindowId id() const override { return reinterpret_cast<WindowId>(hwnd()); }
  PixelRect screenRect() const override { return windowRect(); }
};

}  // namespace tessarin::platform::win32
