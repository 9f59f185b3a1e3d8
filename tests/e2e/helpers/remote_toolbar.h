#pragma once
// Reading another program's toolbar: its messages take pointers, which must point into the
// toolbar's own process, so the answers go through a buffer allocated there.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "text_out.h"

namespace e2e {

// One line per button, in toolbar order: index, command id, separator, hidden, pressed and the
// screen rectangle. Returns false when the toolbar's process cannot be read.
inline bool listToolbarButtons(HWND toolbar) {
  DWORD pid = 0;
  GetWindowThreadProcessId(toolbar, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return false;
  void* remote = VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!remote) {
    CloseHandle(process);
    return false;
  }
  const auto count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  bool ok = true;
  for (int i = 0; i < count && ok; ++i) {
    TBBUTTON button{};
    RECT rect{};
    ok = SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(remote)) &&
         ReadProcessMemory(process, remote, &button, sizeof button, nullptr);
    // Hidden buttons have no rectangle.
    if (ok && SendMessageW(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(remote)))
      ok = ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
    MapWindowPoints(toolbar, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    if (!ok) break;
    emit("button\tindex=" + std::to_string(i) + "\tcommand=" + std::to_string(button.idCommand) +
         "\tseparator=" + std::to_string((button.fsStyle & BTNS_SEP) ? 1 : 0) +
         "\thidden=" + std::to_string((button.fsState & TBSTATE_HIDDEN) ? 1 : 0) +
         "\tpressed=" + std::to_string((button.fsState & TBSTATE_PRESSED) ? 1 : 0) +
         "\tx=" + std::to_string(rect.left) + "\ty=" + std::to_string(rect.top) +
         "\tw=" + std::to_string(rect.right - rect.left) + "\th=" + std::to_string(rect.bottom - rect.top));
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return ok;
}

}  // namespace e2e
