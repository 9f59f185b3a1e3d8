// The yardstick for start-up: a bare Win32 program built the same way as tessarin.exe, with what
// its window needs at the least (a menu, 54 buttons, a password box, layered), and nothing else.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"BareWindow";
  RegisterClassW(&wc);

  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, 1, L"E&xit\tCtrl+Q");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");

  HWND window = CreateWindowExW(WS_EX_LAYERED, L"BareWindow", L"Bare Window", WS_OVERLAPPEDWINDOW, 100, 100, 600,
                                300, nullptr, bar, instance, nullptr);
  SetLayeredWindowAttributes(window, 0, 252, LWA_ALPHA);
  for (int i = 0; i < 54; ++i) {
    wchar_t caption[2] = {static_cast<wchar_t>(L'a' + i % 26), 0};
    CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10 + (i % 14) * 38,
                    10 + (i / 14) * 38, 36, 36, window, nullptr, instance, nullptr);
  }
  CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_PASSWORD, 10, 170, 520, 24, window,
                  nullptr, instance, nullptr);
  ShowWindow(window, show);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
