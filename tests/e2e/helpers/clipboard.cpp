// clipboard: puts a text on the system clipboard or reads it back, so a journey can tell
// whether the program under test touched the clipboard.
//
//   clipboard.exe --set <text>    the clipboard holds just this text afterwards
//   clipboard.exe --get           prints the clipboard's Unicode text, escaped UTF-8
//
// Exit status: 0 done, 3 --get found no text on the clipboard, 2 the clipboard could not be
// opened or written, 1 bad usage.
#include <windows.h>

#include <cstring>
#include <string>

#include "text_out.h"

namespace {

// Another process may hold the clipboard open for a moment (Wine's own clipboard manager does
// so at every change), which on a busy machine lasts longer than a second.
bool openClipboard() {
  for (int attempt = 0; attempt < 500; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(20);
  }
  return false;
}

int setText(const std::wstring& text) {
  if (!openClipboard()) return 2;
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool done = false;
  if (block) {
    std::memcpy(GlobalLock(block), text.c_str(), bytes);
    GlobalUnlock(block);
    done = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block);
    if (!done) GlobalFree(block);
  }
  CloseClipboard();
  return done ? 0 : 2;
}

int getText() {
  if (!openClipboard()) return 2;
  int status = 3;
  if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(block))) {
      e2e::emit(e2e::escaped(text));
      GlobalUnlock(block);
      status = 0;
    }
  }
  CloseClipboard();
  return status;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring option = argc >= 2 ? argv[1] : L"";
  if (argc == 3 && option == L"--set") return setText(argv[2]);
  if (argc == 2 && option == L"--get") return getText();
  return 1;
}
