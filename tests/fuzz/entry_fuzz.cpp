// Random sequences of key clicks, selections, mask switches and clearing: the masked box always
// shows exactly one star per character of the password, and selections stay inside the text.
#include <cstdint>

#include "fuzz_program.h"

using tessarin::fuzz::Require;

namespace {

void CheckInvariants(tessarin::Keyboard& kb) {
  auto& f = kb.Form();
  auto& box = kb.TextIsMasked() ? *f.txtPassword : *f.txtText;
  const auto text = box.text();
  Require(box.selStart() >= 0 && box.selLength() >= 0, "selection is not negative");
  Require(static_cast<std::size_t>(box.selStart() + box.selLength()) <= text.size(), "selection inside the text");
  if (kb.TextIsMasked()) {
    Require(text.size() == kb.CurrentPassword().size(), "one star per character");
    for (char16_t ch : text.view()) Require(ch == u'*', "the masked box holds only stars");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tessarin::fuzz::FuzzProgram program;
  auto& kb = program.keyboard();
  kb.ClearText();
  kb.TextIsMasked(true);
  for (std::size_t i = 0; i + 1 < size && i < 400; i += 2) {
    const int op = data[i] % 8;
    const int arg = data[i + 1];
    auto& box = kb.TextIsMasked() ? *kb.Form().txtPassword : *kb.Form().txtText;
    switch (op) {
      case 0:
      case 1:
      case 2:
        kb.ButtonClick(&kb.Form().Command(1 + arg % 65));
        break;
      case 3:
        box.setSelStart(arg % 40);
        break;
      case 4:
        box.setSelLength(arg % 40);
        break;
      case 5:
        kb.TextIsMasked(!kb.TextIsMasked());
        break;
      case 6:
        if (arg % 4 == 0) kb.ClearText();
        break;
      default:
        kb.DetermineSelectedPassword();
        Require(kb.SelectedPassword().size() <= kb.CurrentPassword().size(), "selection is part of the password");
        break;
    }
    CheckInvariants(kb);
  }
  return 0;
}
