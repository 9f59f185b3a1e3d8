#pragma once
// What every control shares: its window on the form, its place in twips relative to the form's
// client area, and the link from the window back to the object. The form hands each
// WM_COMMAND, WM_NOTIFY, WM_HSCROLL and WM_CTLCOLOR* to the control that sent it.
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "platform/controls.h"

namespace tessarin::platform::win32 {

class Win32Form;

class ChildWindow {
 public:
  ChildWindow(Win32Form& form, HWND hwnd);
  virtual ~ChildWindow();
  ChildWindow(const ChildWindow&) = delete;
  ChildWindow& operator=(const ChildWindow&) = delete;

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
  // While its form defers placement (FormArgs::placeControlsWhenFirstShown), a control keeps its
  // place and visibility to itself; the form applies them all, in one batch, just before it
  // first shows.
  void deferPlacement(HDWP& batch);

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

  void placeAt(Twips bounds);
  Twips placement() const;
  // In pixels relative to the form's client area.
  RECT placedRect() const;
  void showWindow(bool visible);
  bool isShown() const;
  PixelRect windowRect() const;

  Win32Form& form_;

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_;
  WNDPROC previous_ = nullptr;
  // In pixels relative to the form's client area: where the control goes once its form shows.
  std::optional<RECT> pending_;
  std::optional<bool> pendingVisible_;
};

// Creates a child window of the form, visible or (while the form defers placement) to be shown
// with the first-show batch; throws when the system refuses.
HWND createChild(Win32Form& form, const wchar_t* windowClass, DWORD style, DWORD exStyle = 0);

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
