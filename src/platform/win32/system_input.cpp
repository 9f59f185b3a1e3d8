// The keyboard and the pointer: key state, the keyboard layout, the Print Screen hook, and
// the synthetic click that gives another program's window the focus.
#include <windows.h>

#include "platform/win32/system.h"

namespace tessarin::platform::win32 {
namespace {

// Runs for every key event of the desktop, so it does one comparison and returns.
LRESULT CALLBACK printScreenHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode == VK_SNAPSHOT) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// ToUnicodeEx flag: leave the keyboard state (and any pending dead key) alone.
constexpr UINT kKeepKeyboardState = 4;

}  // namespace

void Win32System::showCursor(bool show) { ShowCursor(show ? TRUE : FALSE); }

short Win32System::keyState(int virtualKey) const { return GetKeyState(virtualKey); }

short Win32System::asyncKeyState(int virtualKey) const { return GetAsyncKeyState(virtualKey); }

std::u16string Win32System::layoutCharacters(int virtualKey, bool shifted) const {
  BYTE keys[256] = {};
  if (shifted) keys[VK_SHIFT] = 0x80;
  const HKL layout = GetKeyboardLayout(0);
  const auto key = static_cast<UINT>(virtualKey);
  const UINT scanCode = MapVirtualKeyExW(key, MAPVK_VK_TO_VSC, layout);
  wchar_t characters[8];
  const int count = ToUnicodeEx(key, scanCode, keys, characters, 8, kKeepKeyboardState, layout);
  if (count < 0) {
    // A dead key. Systems that ignore the flag keep it pending; the same key again clears it.
    ToUnicodeEx(key, scanCode, keys, characters, 8, kKeepKeyboardState, layout);
    return {};
  }
  return std::u16string(reinterpret_cast<const char16_t*>(characters), static_cast<std::size_t>(count));
}

std::uintptr_t Win32System::installPrintScreenHook() {
  return reinterpret_cast<std::uintptr_t>(
      SetWindowsHookExW(WH_KEYBOARD_LL, &printScreenHook, GetModuleHandleW(nullptr), 0));
}

void Win32System::removePrintScreenHook(std::uintptr_t hook) {
  if (hook) UnhookWindowsHookEx(reinterpret_cast<HHOOK>(hook));
}

PixelPoint Win32System::cursorPos() const {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

// A pointer put where it already is goes nowhere; moving it costs a trip through every
// low-level mouse hook of the desktop.
void Win32System::setCursorPos(PixelPoint point) {
  POINT now{};
  if (GetCursorPos(&now) && now.x == point.x && now.y == point.y) return;
  SetCursorPos(static_cast<int>(point.x), static_cast<int>(point.y));
}

WindowId Win32System::foregroundWindow() const { return reinterpret_cast<WindowId>(GetForegroundWindow()); }

WindowId Win32System::windowFromPoint(PixelPoint point) const {
  return reinterpret_cast<WindowId>(WindowFromPoint(POINT{point.x, point.y}));
}

void Win32System::bringToFront(WindowId window) {
  const auto target = reinterpret_cast<HWND>(window);
  SetForegroundWindow(GetAncestor(target, GA_ROOT));
  ShowWindow(target, SW_SHOW);
}

void Win32System::clickLeft() {
  INPUT inputs[2] = {};
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

}  // namespace tessarin::platform::win32
