#include "fixture.h"

#include <string>

namespace tessarin::platform::win32 {

std::unique_ptr<Form> Win32Test::loadedForm(FormArgs args) {
  auto form = toolkit.createForm(args);
  const long tpp = form->twipsPerPixel();
  form->setBounds({200 * tpp, 150 * tpp, 400 * tpp, 300 * tpp});
  form->load();
  return form;
}

std::unique_ptr<Form> Win32Test::shownForm(FormArgs args) {
  auto form = loadedForm(args);
  form->show();
  return form;
}

bool Win32Test::pumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    toolkit.doEvents();
    if (condition()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    // Wakes on the next message; a timer tick is one.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

namespace {

HWND dialogOfThisThread() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        wchar_t className[16] = L"";
        GetClassNameW(window, className, 16);
        if (!IsWindowVisible(window) || std::wstring(className) != L"#32770") return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

int nextAnswer = 0;

}  // namespace

void answerNextDialog(int command) {
  nextAnswer = command;
  SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
    if (HWND dialog = dialogOfThisThread()) {
      KillTimer(nullptr, id);
      PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(nextAnswer), 0);
    }
  });
}

HeldKeys::HeldKeys(std::initializer_list<int> keys) {
  GetKeyboardState(saved_);
  BYTE state[256];
  GetKeyboardState(state);
  for (int key : keys) state[key] |= 0x80;
  SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

}  // namespace tessarin::platform::win32
