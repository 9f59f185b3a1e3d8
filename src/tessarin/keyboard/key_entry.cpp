// Turning a click on an on-screen key into an edit of the password and the visible box.
#include "keyboard/keyboard.h"
#include "platform/common/utf16.h"

namespace tessarin {

namespace {

using platform::concat;

// The text of a key to insert: the space bar and empty captions give a space, "&&" an "&".
std::u16string_view CharacterOf(std::u16string_view caption) {
  if (caption == u"space" || caption.empty()) return u" ";
  if (caption == u"&&") return u"&";
  return caption;
}

}  // namespace

void Keyboard::ButtonClick(platform::CommandButton* cmdButton) {
  if (!cmdButton) return;
  auto& box = visibleBox();
  const bool masked = &box == form_->txtPassword;
  const platform::SecureString text = box.text();
  // The masked box shows one "*" per unit of the password: pairs are found in the password.
  const std::u16string_view units = masked ? currentPassword_.view() : text.view();
  const auto range = common::WholeCharacters(
      units, {static_cast<std::size_t>(box.selStart()), static_cast<std::size_t>(box.selLength())});
  const int s = static_cast<int>(range.start);
  const int n = static_cast<int>(range.length);
  const std::u16string_view left = text.substr(0, s);
  const std::u16string_view right = text.substr(s + n);
  const std::u16string caption = cmdButton->caption();

  switch (form_->CommandNumber(cmdButton->id())) {
    case kBackspace:
      if (n == 0 && s == 0) {
        box.setSelStart(0);
      } else if (n == 0 && !left.empty() && left.back() == u'\n') {
        // A line break from Enter goes as a whole; the password itself never holds it.
        const std::size_t keep = left.size() >= 2 ? left.size() - 2 : 0;
        box.setText(concat({left.substr(0, keep), right}).view());
        box.setSelStart(static_cast<int>(keep));
      } else if (n == 0) {
        // A character outside the BMP goes as a whole: both halves of its surrogate pair.
        const int gone = static_cast<int>(common::UnitsOfCharacterBefore(units, s));
        box.setText(concat({left.substr(0, left.size() - gone), right}).view());
        if (!currentPassword_.empty())
          currentPassword_ = concat({currentPassword_.substr(0, s - gone), currentPassword_.substr(s)});
        if (s - gone > 0) box.setSelStart(s - gone);
      } else {
        box.setText(concat({left, right}).view());
        currentPassword_ = concat({currentPassword_.substr(0, s), currentPassword_.substr(s + n)});
        // The caret stays where the removed range began, so the next key lands there.
        box.setSelStart(s);
      }
      box.setSelLength(0);
      break;
    case kTab:
      if (masked) break;
      box.setText(concat({left, u"\t", right}).view());
      box.setSelStart(s + 1);
      box.setSelLength(0);
      break;
    case kEnter:
      if (masked) break;
      box.setText(concat({left, u"\r\n", right}).view());
      box.setSelStart(s + 2);
      box.setSelLength(0);
      break;
    case kCapsLock:
      capsLockIsDown_ = !capsLockIsDown_;
      SetKeyCaptions();
      break;
    case kShiftLeft:
    case kShiftRight:
      shiftClickedOnScreen_ = true;
      ShiftIsDown(!shiftIsDown_);
      break;
    default: {
      const std::u16string_view ch = CharacterOf(caption);
      currentPassword_ = concat({currentPassword_.substr(0, s), ch, currentPassword_.substr(s + n)});
      // One "*" per character keeps the box as long as the password, whatever the caption.
      if (masked)
        box.setText(concat({left, std::u16string(ch.size(), u'*'), right}).view());
      else
        box.setText(concat({left, ch, right}).view());
      if (shiftIsDown_ && shiftClickedOnScreen_) {
        ShiftIsDown(false);
        SetKeyCaptions();
      }
      box.setSelStart(s + static_cast<int>(ch.size()));
      box.setSelLength(0);
      break;
    }
  }
  UserInput();
}

void Keyboard::ClearText() {
  form_->txtPassword->setText(u"");
  form_->txtText->setText(u"");
  currentPassword_.clear();
}

bool Keyboard::PasswordInBox() const {
  return form_->txtPassword->text().size() != 0 || form_->txtText->text().size() != 0;
}

void Keyboard::HighlightText() {
  if (textIsMasked_) {
    form_->txtPassword->setFocus();
    form_->txtPassword->setSelStart(0);
    form_->txtPassword->setSelLength(static_cast<int>(form_->txtPassword->text().size()));
  } else {
    form_->txtText->setFocus();
    form_->txtText->setSelStart(static_cast<int>(form_->txtPassword->text().size()));
  }
}

}  // namespace tessarin
