// The key captions, written from the layout table and the Shift and Caps Lock state.
#include "keyboard/keyboard.h"

namespace tessarin {

std::u16string_view TrimSpaces(std::u16string_view text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

void Keyboard::LoadEnglishLayout() {
  for (int i = 0; i < kCharacterKeyCount; ++i) {
    keyLayout_[i][0] = std::u16string(1, kEnglishLower[i]);
    keyLayout_[i][1] = std::u16string(1, kEnglishUpper[i]);
  }
}

void Keyboard::SetKeyCaptions() {
  // Caps Lock shifts every character key; Shift with Caps Lock gives lower case again.
  const int caseSlot = shiftIsDown_ != capsLockIsDown_ ? 1 : 0;
  for (int i = 0; i < kCharacterKeyCount; ++i) {
    // Both cases of a key move together when the order is scrambled.
    const std::u16string_view entry = TrimSpaces(keyLayout_[keyOrder_[i]][caseSlot]);
    form_->Command(kKeyButton[i]).setCaption(entry == u"&" ? u"&&" : entry);
  }
  for (int i = 0; i < kActionKeyCount; ++i) {
    auto& button = form_->Command(kActionKeyButton[i]);
    button.setCaption(TrimSpaces(actionKeyText_[i]));
    if (TrimSpaces(button.caption()).empty()) button.setCaption(kActionKeyFallback[i]);
  }
  form_->Command(kShiftRight).setCaption(form_->Command(kShiftLeft).caption());
  form_->Command(kSpaceBar).setCaption(u" ");
  for (int number : kSpareRow5) form_->Command(number).setVisible(false);
}

}  // namespace tessarin
