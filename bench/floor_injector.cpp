// floor_injector: the bound that injection is measured against. The moment its own low-level
// mouse hook sees the left button released, it clicks the window under the pointer with
// SendInput and at once sends that window the text, one WM_CHAR per UTF-16 unit, with no
// waiting and no checks. It is no way to inject (the characters may overtake the click, and a
// window that goes meanwhile loses them unnoticed), only the least a delivery can take.
// Counted, it also sends a hit-test probe before each character and one after the last, and
// takes every answer before the next release: the least a delivery can take that knows how
// many characters a window that closes part-way took (a live window answers a probe with
// something other than HTNOWHERE).
//
//   floor_injector TEXT TIMES [counted]   prints "ready" once its hook is in place, and ends,
//                                         taking the hook away, after it has typed TIMES times
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

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

std::size_t gAnswersDue = 0;

void CALLBACK onAnswer(HWND, UINT, ULONG_PTR, LRESULT) { --gAnswersDue; }

void probe(HWND target, LPARAM inside) {
  if (SendMessageCallbackW(target, WM_NCHITTEST, 0, inside, onAnswer, 0)) ++gAnswersDue;
}

// All queued at once, then the answers taken: no injection that counts can wait less.
void takeAnswers(HWND target) {
  MSG msg;
  while (gAnswersDue > 0 && IsWindow(target)) {
    MsgWaitForMultipleObjectsEx(0, nullptr, 1000, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void clickAndType(const std::wstring& text, bool counted) {
  POINT pointer{};
  GetCursorPos(&pointer);
  const HWND target = WindowFromPoint(pointer);
  INPUT click[2]{};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, click, sizeof(INPUT));
  RECT rect{};
  GetWindowRect(target, &rect);
  const LPARAM inside = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  for (wchar_t unit : text) {
    if (counted) probe(target, inside);
    SendNotifyMessageW(target, WM_CHAR, unit, 0);
  }
  if (!counted) return;
  probe(target, inside);
  takeAnswers(target);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool counted = argc == 4 && std::wstring_view(argv[3]) == L"counted";
  if (argc != 3 && !counted) {
    std::fputws(L"usage: floor_injector TEXT TIMES [counted]\n", stderr);
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
      clickAndType(text, counted);
      --times;
    }
    DispatchMessageW(&msg);
  }
  UnhookWindowsHookEx(hook);
  return 0;
}
