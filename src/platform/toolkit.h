#pragma once
// The windowing toolkit: forms, message boxes and the message pump. Sizes and DPIs belong to
// each form (Form::twipsPerPixel, Form::workArea).
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/form.h"

namespace tessarin::platform {

enum MsgBoxStyle : int {
  kOkOnly = 0,
  kOkCancel = 1,
  kYesNo = 4,
  kIconCritical = 16,
  kIconQuestion = 32,
  kIconExclamation = 48,
  kIconInformation = 64,
};
enum class MsgBoxResult { Ok, Cancel, Yes, No };

class Toolkit {
 public:
  virtual ~Toolkit() = default;
  virtual std::unique_ptr<Form> createForm(const FormArgs& args) = 0;
  // Loaded forms in the order they were loaded.
  virtual std::vector<Form*> loadedForms() const = 0;
  // A modal message box; owner may be null.
  virtual MsgBoxResult messageBox(std::u16string_view text, std::u16string_view title, int style,
                                  Form* owner) = 0;
  // Handles the messages that are waiting, then returns.
  virtual void doEvents() = 0;
  // Handles messages as they come for the given time, then returns.
  virtual void doEventsFor(long milliseconds) = 0;
  // Keeps every loaded form out of screen captures (or lets them in again), and each form again
  // whenever it is shown or restored, since a minimise can lose it. False when the system
  // refuses; the toolkit then stops asking.
  virtual bool excludeFromCapture(bool exclude) = 0;

  // Raised once the foreground may have moved to or from one of the program's windows: another
  // program came to the front or gave it back, or one of the program's windows was activated or
  // left. System::foregroundWindow says where it is now. The system tells the program so; nothing
  // polls, so an idle program sleeps.
  std::function<void()> onForegroundChanged;
  // Raised when the workstation is locked or the user's session ends, while a form is loaded.
  std::function<void()> onSessionLeft;
};

}  // namespace tessarin::platform
