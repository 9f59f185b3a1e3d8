// A stand-in with the window shapes the journeys look for in tessarin.exe: a layered main
// window holding a masked and a hidden plain edit, and a topmost, nearly transparent popup.
// The harness journey checks wintree against it, so a fault in the harness shows up as a
// harness failure rather than as a fault of the program under test.
//
//   fixture.exe <caption> <alpha>
//
// Main window: <caption>, layered at <alpha>; edit "masked" (password char '*', text "s3cret",
// visible), edit "plain" (text "plain text", hidden) and a visible edit parked far outside the
// window; a toolbar of three buttons and a separator: pressed, plain, separator, hidden; a
// slider from 10 to 99 at 42. Popup: "<caption> Cover", topmost, layered at 1.
// Closing the main window ends the process.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <string>

namespace {

LRESULT CALLBACK mainProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(h, msg, w, l);
}

HWND makeLayered(const wchar_t* cls, const wchar_t* caption, DWORD style, DWORD exStyle, int x,
                 int y, int w, int h, BYTE alpha) {
  HWND wnd = CreateWindowExW(exStyle | WS_EX_LAYERED, cls, caption, style, x, y, w, h, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  if (wnd) SetLayeredWindowAttributes(wnd, RGB(255, 255, 0), alpha, LWA_ALPHA);
  return wnd;
}

void addToolbar(HWND main) {
  HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_TOP, 0, 0, 0, 0, main,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON buttons[4] = {};
  const BYTE states[4] = {TBSTATE_ENABLED | TBSTATE_PRESSED, TBSTATE_ENABLED, 0, TBSTATE_ENABLED | TBSTATE_HIDDEN};
  const BYTE styles[4] = {BTNS_BUTTON, BTNS_BUTTON, BTNS_SEP, BTNS_BUTTON};
  for (int i = 0; i < 4; ++i) {
    buttons[i].iBitmap = I_IMAGENONE;
    buttons[i].idCommand = 101 + i;
    buttons[i].fsState = states[i];
    buttons[i].fsStyle = styles[i];
    buttons[i].iString = -1;
  }
  SendMessageW(toolbar, TB_ADDBUTTONSW, 4, reinterpret_cast<LPARAM>(buttons));
  SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}

void addSlider(HWND main) {
  HWND slider = CreateWindowExW(0, TRACKBAR_CLASSW, nullptr, WS_CHILD | WS_VISIBLE | TBS_HORZ, 20, 140, 200, 30,
                                main, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(slider, TBM_SETRANGEMIN, FALSE, 10);
  SendMessageW(slider, TBM_SETRANGEMAX, FALSE, 99);
  SendMessageW(slider, TBM_SETPOS, TRUE, 42);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 1;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const std::wstring caption = argv[1];
  const BYTE alpha = static_cast<BYTE>(_wtoi(argv[2]));

  WNDCLASSW wc{};
  wc.lpfnWndProc = mainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = L"TsnE2EFixture";
  if (!RegisterClassW(&wc)) return 1;

  HWND main = makeLayered(wc.lpszClassName, caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 100, 100,
                          480, 240, alpha);
  if (!main) return 1;
  HWND masked = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"s3cret",
                                WS_CHILD | WS_VISIBLE | ES_PASSWORD | ES_AUTOHSCROLL, 20, 20, 300,
                                24, main, nullptr, wc.hInstance, nullptr);
  CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"plain text", WS_CHILD | ES_AUTOHSCROLL, 20, 60,
                  300, 24, main, nullptr, wc.hInstance, nullptr);
  // Parked out of sight, as programs do with helper boxes; not a box the user sees.
  CreateWindowExW(0, L"EDIT", L"parked", WS_CHILD | WS_VISIBLE, -10000, -10000, 50, 20, main,
                  nullptr, wc.hInstance, nullptr);
  SendMessageW(masked, EM_SETPASSWORDCHAR, L'*', 0);
  addToolbar(main);
  addSlider(main);

  const std::wstring coverCaption = caption + L" Cover";
  HWND cover = makeLayered(L"TsnE2EFixture", coverCaption.c_str(), WS_POPUP | WS_VISIBLE,
                           WS_EX_TOPMOST | WS_EX_TOOLWINDOW, 110, 110, 200, 100, 1);
  if (!cover) return 1;
  ShowWindow(main, SW_SHOW);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
