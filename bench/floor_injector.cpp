// floor_injector: the bound that injection is measured against. The moment its own low-level
// mouse hook sees the left button released, it clicks the window under the pointer with
// SendInput and at once sends that window the text, one WM_CHAR per UTF-16 unit, with no
// waiting and no checks. It is no way to inject (the characters may overtake the click, and a
// window that goes meanwhile loses them unnoticed), only the least a delivery can take.
//
//   floor_injector TEXT TIMES    prints "ready" once its hook is in place, and ends, taking the
//                                hook away, after it has typed TIMES times
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kReleased = WM_APP + 1;
DWORD gThread = 0;

// The hook only passes the news on: SendInput from inside it would wait on this very hook.
LRESULT CALLBACK onMouse(int code, WPARAM message, LPARAM info) {
  const auto& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(info);
  if (code == HC_ACTION && message == WM_LBUTTONUP && !(event.flags & LLMHF_INJECTED))
    PostThreadMessageW(gThread, kReleased, 0, 0);
  return CallNextHookEx(nullptr, code, message, info);
}

void clickAndType(const std::wstring& text) {
  POINT pointer{};
  GetCursorPos(&pointer);
  const HWND target = WindowFromPoint(pointer);
  INPUT click[2]{};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, click, sizeof(INPUT));
  for (wchar_t unit : text) SendNotifyMessageW(target, WM_CHAR, unit, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputws(L"usage: floor_injector TEXT TIMES\n", stderr);
    return 2;
  }
  const std::wstring text = argv[1];
  int times = _wtoi(argv[2]);
  gThread = GetCurrentThreadId();
  HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, onMouse, GetModuleHandleW(nullptr), 0);
  if (!hook) return 1;
  std::puts("ready");
  std::fflush(stdout);
  MSG msg;
  while (times > 0 && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == kReleased) {
      clickAndType(text);
      --times;
    }
    DispatchMessageW(&msg);
  }
  UnhookWindowsHookEx(hook);
  return 0;
}
