// Reading the characters of the active system keyboard layout into the layout table. The
// layout is read from the layout tables themselves rather than by typing probe keys into a
// hidden box: typed probes land in whichever window has the focus and mix with real typing.
#include "app/runtime_error.h"
#include "keyboard/keyboard.h"

namespace tessarin {

void Keyboard::ReadSystemLayout(platform::TextBox& ctl) {
  for (int i = 0; i < kCharacterKeyCount; ++i) GetCommandButtonCaptions(kVirtualKey[i], ctl, i);
}

void Keyboard::GetCommandButtonCaptions(long lngKeyConst, platform::TextBox& ctl, int intArrayNumber) {
  if (intArrayNumber < 0 || intArrayNumber >= kKeySlots) throw RuntimeError(kErrSubscriptOutOfRange, u"Subscript out of range");
  auto& slots = keyLayout_[intArrayNumber];
  slots[1].clear();
  slots[0].clear();
  slots[0] = platform_.system.layoutCharacters(static_cast<int>(lngKeyConst), false);
  slots[1] = platform_.system.layoutCharacters(static_cast<int>(lngKeyConst), true);
  ctl.setText(u"");
}

}  // namespace tessarin
