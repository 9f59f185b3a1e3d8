#pragma once
// The Win32 toolkit: owns the form window class, the list of loaded forms and the message pump.
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "platform/toolkit.h"
#include "platform/win32/caret_rest.h"
#include "platform/win32/session_watch.h"

namespace tessarin::platform::win32 {

class Win32Form;

class Win32Toolkit final : public Toolkit {
 public:
  Win32Toolkit();
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  std::unique_ptr<Form> createForm(const FormArgs& args) override;
  std::vector<Form*> loadedForms() const override;
  MsgBoxResult messageBox(std::u16string_view text, std::u16string_view title, int style,
                          Form* owner) override;
  void doEvents() override;
  void doEventsFor(long milliseconds) override;
  bool excludeFromCapture(bool exclude) override;

  // Input handled by the pump and a box taking the focus wake the resting caret.
  CaretRest& caretRest() { return caretRest_; }

  // Pumps messages until the last loaded form is unloaded (or WM_QUIT arrives).
  void runMessageLoop();

  // For the forms of this toolkit.
  void formLoaded(Win32Form& form);
  void formUnloaded(Win32Form& form);
  // A form that takes the activation has shown.
  void mainFormShown(Win32Form& form);
  // Pumps messages until done() holds; a WM_QUIT ends it early and is posted again.
  void pumpUntil(const std::function<bool()>& done);
  // Exceptions must not unwind through the system's frames, so a window procedure parks the one
  // it catches and the code that called into the system rethrows it afterwards.
  void park(std::exception_ptr error) noexcept;
  void rethrowParked();
  // Sets the capture choice on one window: excluded, or on older systems blacked out in
  // captures. False once the system has refused.
  bool applyCaptureChoice(HWND window);
  bool capturesExcluded() const { return excludeFromCapture_ && !captureRefused_; }
  HCURSOR greyDotCursor();
  // Invisible owner that keeps a form out of the task bar; made when the first such form is.
  HWND hiddenOwner();
  // A loop waiting in GetMessage re-checks its condition only after a message; the change may
  // have come from a sent message or hook call that GetMessage handled without returning.
  static void wake();
  // A form saw the activation move (WM_ACTIVATEAPP, WM_ACTIVATE). The event is raised from a
  // message posted to that form, once the system has finished moving the foreground, and once
  // for all the forms that saw the same move.
  void foregroundMoving(HWND form);
  static constexpr UINT kForegroundSettled = WM_APP + 1;
  void foregroundSettled();
  // A form's window is going; a move posted to it goes to another form, and so does the watch
  // for workstation locks.
  void formWindowDestroyed(HWND form);
  // The first form shown that takes the activation (the program's main window) asks for
  // workstation locks, through a message posted to it, so that the library loads once that
  // window is on the screen rather than while start-up lays it out.
  static constexpr UINT kWatchSession = WM_APP + 2;
  void watchSession(HWND form);
  // The workstation was locked, or the session ends.
  void sessionLeft();

 private:
  // Returns false for WM_QUIT.
  bool dispatch(MSG& msg);
  // Keys the form handles for itself: menu shortcuts, Enter and Escape.
  bool runKey(const MSG& msg);

  std::vector<Win32Form*> loaded_;
  std::exception_ptr parked_;
  HCURSOR greyDot_ = nullptr;
  HWND hiddenOwner_ = nullptr;
  bool excludeFromCapture_ = false;
  bool captureRefused_ = false;
  HWND foregroundMovePostedTo_ = nullptr;
  CaretRest caretRest_;
  // Workstation locks: the form asked to watch for them, by a message posted to it.
  bool askToWatchSession(HWND form);
  SessionWatch sessionWatch_;
  HWND sessionWatchAskedOf_ = nullptr;
};

}  // namespace tessarin::platform::win32
