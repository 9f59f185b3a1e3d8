// The grey-dot pointer over the keys, so that screen captures show no arrow on a key.
#include "app/mod_main.h"
#include "keyboard/keyboard.h"

namespace tessarin {

namespace {
constexpr int kClickThroughOn = -1;
}

void Keyboard::applyHiddenPointer(int intMode) {
  const auto pointer = intMode == 1 ? platform::MousePointer::GreyDot : platform::MousePointer::Default;
  form_->form().setMousePointer(pointer);
  if (formCover_) formCover_->form().setMousePointer(pointer);
  mouseHidden_ = intMode == 1;
}

bool Keyboard::HideMouse() {
  if (!form_->form().visible()) {
    applyHiddenPointer(1);
    return true;
  }
  // The question box may lie under the cover; the cover must not catch the clicks meant for it.
  SetClickThrough(formCover_->form(), kClickThroughOn);
  const auto answer = platform_.toolkit.messageBox(
      u"Click OK if you want your mouse to become a small grey dot when using this on screen keyboard.\r\n"
      u"(This is designed to fool malicious screen capture programs and is only available in the password mask "
      u"view mode.)\r\n\r\n"
      u"This will not affect any other programs, and can be undone by going to Mouse Mode - Standard.",
      u"Hide mouse - turn it into grey dot?", platform::kOkCancel | platform::kIconQuestion, &form_->form());
  const bool hidden = answer == platform::MsgBoxResult::Ok;
  applyHiddenPointer(hidden ? 1 : 0);
  SetClickThrough(formCover_->form(), 0);
  return hidden;
}

bool Keyboard::ShowMouse() {
  applyHiddenPointer(0);
  form_->form().setMousePointer(platform::MousePointer::Default);
  return false;
}

}  // namespace tessarin
