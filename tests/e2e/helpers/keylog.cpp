// keylog: a low-level keyboard hook of the kind a key logger installs, so that the journeys can
// see which keys another program's hook lets through. Every key event it sees is appended to
// <file> at once, one line each: the virtual-key code in decimal, then "down" or "up".
//
//   keylog.exe <caption> <file>
//
// It shows a small window with that caption (something to click, so that X input reaches
// Wine) and ends when the window is sent WM_CLOSE.
#include <windows.h>

#include <string>

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;

LRESULT CALLBACK hookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const bool up = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
    std::string line = std::to_string(key->vkCode) + (up ? " up\n" : " down\n");
    DWORD written = 0;
    WriteFile(logFile, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK windowProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(h, msg, w, l);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 1;
  // Append-only and unbuffered, so a reader sees each line as soon as the key is seen.
  logFile = CreateFileW(argv[2], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (logFile == INVALID_HANDLE_VALUE) return 1;

  WNDCLASSW wc{};
  wc.lpfnWndProc = windowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = L"TsnE2EKeyLog";
  if (!RegisterClassW(&wc)) return 1;
  // Installed before the window shows, so a journey that sees the window knows the hook is in.
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, hookProc, wc.hInstance, 0);
  if (!hook) return 1;
  HWND wnd = CreateWindowExW(0, wc.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                             0, 240, 120, nullptr, nullptr, wc.hInstance, nullptr);
  if (!wnd) return 1;

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  UnhookWindowsHookEx(hook);
  CloseHandle(logFile);
  return 0;
}
