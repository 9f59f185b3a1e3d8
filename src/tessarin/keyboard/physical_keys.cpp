// The physical keyboard: the masked box takes nothing; in the plain box the engine makes each
// edit itself, and Shift and Caps Lock keep the captions in step.
#include "keyboard/keyboard.h"
#include "platform/common/utf16.h"

namespace tessarin {

namespace {
constexpr int kVkShift = 0x10;
constexpr int kVkCapital = 0x14;
constexpr int kVkLShift = 0xA0;
constexpr int kVkRShift = 0xA1;
constexpr int kBackspaceCode = 8;
}  // namespace

void Keyboard::refreshShiftFromPhysicalKeys() {
  const auto& system = platform_.system;
  const bool caps = system.keyState(kVkCapital) != 0;
  const bool shift =
      (system.asyncKeyState(kVkShift) | system.asyncKeyState(kVkRShift) | system.asyncKeyState(kVkLShift)) != 0;
  ShiftIsDown(caps != shift);
}

void Keyboard::KeyDown(int, int) { refreshShiftFromPhysicalKeys(); }
void Keyboard::KeyUp(int, int) {
  refreshShiftFromPhysicalKeys();
  // After the key has reached the box, so that the first character typed starts the wait.
  UserInput();
}

bool Keyboard::KeyPress(int keyAscii, bool) {
  auto& box = *form_->txtText;
  const platform::SecureString text = box.text();
  const auto range = common::WholeCharacters(
      text.view(), {static_cast<std::size_t>(box.selStart()), static_cast<std::size_t>(box.selLength())});
  const int s = static_cast<int>(range.start);
  const int n = static_cast<int>(range.length);
  const auto left = text.substr(0, s);
  const auto right = text.substr(s + n);
  if (keyAscii != kBackspaceCode) {
    const char16_t ch = static_cast<char16_t>(keyAscii);
    box.setText(platform::concat({left, std::u16string_view(&ch, 1), right}).view());
    box.setSelStart(s + 1);
  } else if (!text.empty() && (n > 0 || s > 0)) {
    const std::size_t keep = n > 0 ? left.size() : left.size() - common::UnitsOfCharacterBefore(text.view(), s);
    box.setText(platform::concat({left.substr(0, keep), right}).view());
    box.setSelStart(static_cast<int>(keep));
  }
  return false;
}

}  // namespace tessarin
