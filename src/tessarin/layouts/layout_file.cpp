// Layout files: the layout table and the action key texts in a profile file.
#include "keyboard/keyboard.h"

namespace tessarin {

void Keyboard::CreateNewLayoutFile() {}

}  // namespace tessarin
