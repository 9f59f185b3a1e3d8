#pragma once
// The simulated toolkit: a virtual clock that fires timers, scripted answers for message boxes
// and modal windows, and the focus.
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/sim_form.h"
#include "platform/toolkit.h"

namespace tessarin::sim {

// The simulated display: its size in twips at the system DPI, that DPI (which new forms take),
// and its monitors.
class SimScreen {
 public:
  long twipsPerPixel() const { return twipsPerPixel_; }
  void set(long width, long height, long twipsPerPixel) {
    width_ = width;
    height_ = height;
    twipsPerPixel_ = twipsPerPixel;
  }
  // The work areas of the monitors, in pixels. Without any, one monitor is the whole screen.
  std::vector<platform::PixelRect> monitors;
  // The work area of the monitor that holds the window's centre (else the first), in the
  // window's twips.
  platform::Twips workAreaAt(platform::Twips window, long windowTwipsPerPixel) const;

 private:
  long width_ = 19200;  // 1280 x 1024 pixels at 96 DPI
  long height_ = 15360;
  long twipsPerPixel_ = 15;
};

struct ShownMessageBox {
  std::u16string text;
  std::u16string title;
  int style;
};

class UnexpectedMessageBox : public std::logic_error {
 public:
  explicit UnexpectedMessageBox(const std::u16string& title)
      : std::logic_error("a message box appeared that the test did not expect: " +
                         std::string(title.begin(), title.end())) {}
};

class SimToolkit : public platform::Toolkit {
 public:
  std::unique_ptr<platform::Form> createForm(const platform::FormArgs& args) override;
  std::vector<platform::Form*> loadedForms() const override;
  platform::MsgBoxResult messageBox(std::u16string_view text, std::u16string_view title, int style,
                                    platform::Form* owner) override;
  void doEvents() override { ++pumpSteps; }
  void doEventsFor(long milliseconds) override { advance(milliseconds); }
  bool excludeFromCapture(bool exclude) override;

  // Test scripting.
  SimScreen& simScreen() { return screen_; }
  void answerNextMessageBox(platform::MsgBoxResult answer) { answers_.push_back(answer); }
  bool allAnswersUsed() const { return answers_.empty(); }
  // Called with each form shown modally; it must hide or unload the form to end the modal loop.
  std::function<void(SimForm&)> onModalShow;
  std::vector<ShownMessageBox> shownMessageBoxes;
  // Called while a message box is up, before it is answered.
  std::function<void(const ShownMessageBox&)> whileMessageBoxShown;
  int pumpSteps = 0;
  // A system failure to stage: the next call of the named operation ("createForm",
  // "setBounds", "setOpacity") throws, as the Windows backend does when the system refuses it.
  std::string failingOperation;
  void failIf(std::string_view operation);
  // The system refuses capture exclusion, as Wine and old Windows versions do.
  bool refuseCaptureExclusion = false;
  bool captureRefused() const { return captureRefused_; }
  bool captureExclusionWanted() const { return excludeFromCapture_; }

  // The user locks the workstation or ends the session, as the system tells the program.
  void leaveSession() {
    if (onSessionLeft) onSessionLeft();
  }
  // The timers that would wake the program now.
  int runningTimers() const;

  // Virtual time: fires due timers in time order.
  long long now() const { return now_; }
  void advance(long long milliseconds);

  // Bookkeeping used by the simulated forms and controls.
  platform::WindowId nextId() { return ++lastId_; }
  void formLoaded(SimForm& form) { loaded_.push_back(&form); }
  void formUnloaded(SimForm& form);
  void registerTimer(SimTimer& timer) { timers_.push_back(&timer); }
  void unregisterTimer(SimTimer& timer);
  void setFocus(platform::WindowId id) { focus_ = id; }
  platform::WindowId focus() const { return focus_; }
  // True once the last loaded form has been unloaded: the message loop would end here.
  bool quitRequested() const { return quitRequested_; }

 private:
  SimScreen screen_;
  std::deque<platform::MsgBoxResult> answers_;
  std::vector<SimForm*> loaded_;
  std::vector<SimTimer*> timers_;
  long long now_ = 0;
  platform::WindowId lastId_ = 0x1000;
  platform::WindowId focus_ = 0;
  bool quitRequested_ = false;
  bool excludeFromCapture_ = false;
  bool captureRefused_ = false;
};

}  // namespace tessarin::sim
