// Hover entry: a key is entered once the pointer has rested on it for the hover delay.
// Keys are told apart by caption, so the two Shift keys count as one.
#include "app/application.h"
#include "app/error_description.h"
#include "app/mod_main.h"
#include "keyboard/keyboard.h"

namespace tessarin {

void Keyboard::ButtonMouseMove(platform::CommandButton* cmdButton, int, int, float, float) {
  const std::u16string caption = cmdButton->caption();
  if (lastHoverCaption_ != caption) lastHoverCaption_.clear();
  if (mouseHidden_ && form_->form().mousePointer() == platform::MousePointer::Default) applyHiddenPointer(1);
  auto& timer = *formCover_->Timer1;
  if (timerEnabled_) {
    timer.setEnabled(true);
    timer.setInterval(timerInterval_);
  }
  if (!currentButton_ || currentButton_->caption() != caption) {
    if (timerEnabled_) {
      TimerEnabled(false);
      TimerEnabled(true);
    }
    currentButton_ = cmdButton;
  }
}

void Keyboard::Timer() {
  if (!currentButton_) return;
  const bool enter = lastHoverCaption_ != currentButton_->caption();
  if (enter) ButtonClick(currentButton_);
  // Noted before the beep: a failure report is a modal window, whose message loop runs this
  // timer again.
  lastHoverCaption_.assign(currentButton_->caption());
  if (enter && beepOnHover_) beepForHover();
}

// A sound that fails for a system failure (its library will not load) is reported once; the
// program goes on, and later entries beep with the system's sound.
void Keyboard::beepForHover() {
  if (!hoverSoundFailed_) {
    try {
      PlayBeep(platform_.system);
      return;
    } catch (...) {
      hoverSoundFailed_ = true;
      const auto error = DescribeCurrentError();
      if (auto* app = Application::current()) app->LogError(u"Timer1_Timer", error.number, error.text, form_->form());
    }
  }
  platform_.system.beep();
}

void Keyboard::MouseMoveInForm(int button, int shift, float x, float y) {
  formCover_->Timer1->setEnabled(false);
  MouseMoveInTextBox(button, shift, x, y);
}

void Keyboard::MouseMoveInTextBox(int, int, float, float) {
  // The grey dot shows only over the keys.
  if (timerEnabled_ && form_->form().mousePointer() != platform::MousePointer::Default)
    form_->form().setMousePointer(platform::MousePointer::Default);
}

}  // namespace tessarin
