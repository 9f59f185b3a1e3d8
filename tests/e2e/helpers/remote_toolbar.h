#pragma once
// Reading another program's toolbar: its messages take pointers, which must point into the
// toolbar's own process, so the answers go through a buffer allocated there.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "remote_buffer.h"
#include "text_out.h"

namespace e2e {

// One line per button, in toolbar order: index, command id, separator, hidden, pressed and the
// screen rectangle. Returns false when the toolbar's process cannot be read.
inline bool listToolbarButtons(HWND toolbar) {
  RemoteBuffer remote(toolbar, std::max(sizeof(TBBUTTON), sizeof(RECT)));
  if (!remote.valid()) return false;
  const auto count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    RECT rect{};
    if (!SendMessageW(toolbar, TB_GETBUTTON, i, remote.address()) || !remote.read(button)) return false;
    // Hidden buttons have no rectangle.
    if (SendMessageW(toolbar, TB_GETITEMRECT, i, remote.address()) && !remote.read(rect)) return false;
    MapWindowPoints(toolbar, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    emit("button\tindex=" + std::to_string(i) + "\tcommand=" + std::to_string(button.idCommand) +
         "\tseparator=" + std::to_string((button.fsStyle & BTNS_SEP) ? 1 : 0) +
         "\thidden=" + std::to_string((button.fsState & TBSTATE_HIDDEN) ? 1 : 0) +
         "\tpressed=" + std::to_string((button.fsState & TBSTATE_PRESSED) ? 1 : 0) +
         "\tx=" + std::to_string(rect.left) + "\ty=" + std::to_string(rect.top) +
         "\tw=" + std::to_string(rect.right - rect.left) + "\th=" + std::to_string(rect.bottom - rect.top));
  }
  return true;
}

}  // namespace e2e
