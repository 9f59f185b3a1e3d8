#include "platform/win32/text_box.h"

#include <algorithm>

#include "platform/win32/callback.h"
#include "platform/win32/form.h"
#include "platform/win32/mouse_event.h"
#include "platform/win32/text.h"
#include "platform/win32/toolkit.h"

namespace tessarin::platform::win32 {
namespace {

DWORD editStyle(const TextBoxArgs& args) {
  DWORD style = WS_TABSTOP | (args.readOnly ? ES_READONLY : 0);
  return style | (args.multiline ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL);
}

// The keys with which an edit control copies or cuts (Ctrl+C and Ctrl+X arrive as characters).
bool isClipboardKey(UINT msg, WPARAM key) {
  if (msg == WM_CHAR) return key == 0x03 || key == 0x18;
  if (msg != WM_KEYDOWN) return false;
  return (key == VK_INSERT && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0) ||
         (key == VK_DELETE && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0);
}

int keyShiftState() {
  return (GetKeyState(VK_SHIFT) < 0 ? kShiftMask : 0) | (GetKeyState(VK_CONTROL) < 0 ? kCtrlMask : 0) |
         (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

}  // namespace

Win32TextBox::Win32TextBox(Win32Form& form, const TextBoxArgs& args)
    : NativeControl(form, {L"EDIT", editStyle(args), WS_EX_CLIENTEDGE}, Making::WhenNeeded),
      font_(args.font),
      backColor_(args.backColor),
      background_(CreateSolidBrush(args.backColor)) {}

Win32TextBox::~Win32TextBox() { DeleteObject(background_); }

void Win32TextBox::windowMade() {
  font_.applyTo(hwnd(), dpi());
  if (passwordChar_) SendMessageW(hwnd(), EM_SETPASSWORDCHAR, passwordChar_, 0);
}

// Without a window the box is a fresh one: no text and the caret at its start. Only a change
// from that makes the window.
void Win32TextBox::setText(std::u16string_view text) {
  if (!hwnd() && text.empty()) return;
  // The terminated copy is wiped like the text itself.
  const SecureString terminated = concat({text, std::u16string_view(u"\0", 1)});
  SetWindowTextW(window(), wide(terminated.view().data()));
}

SecureString Win32TextBox::text() const {
  SecureString text;
  if (!hwnd()) return text;
  const int capacity = GetWindowTextLengthW(hwnd()) + 1;
  text.resizeForWrite(static_cast<std::size_t>(capacity));
  const int copied = GetWindowTextW(hwnd(), wide(text.data()), capacity);
  text.truncate(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

int Win32TextBox::selStart() const {
  if (!hwnd()) return 0;
  DWORD start = 0;
  SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

int Win32TextBox::selLength() const {
  if (!hwnd()) return 0;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void Win32TextBox::setSelStart(int start) {
  if (!hwnd()) return;
  const int caret = clampToText(start);
  select(caret, caret);
}

void Win32TextBox::setSelLength(int length) {
  if (!hwnd()) return;
  const int start = selStart();
  select(start, clampToText(start + std::max(length, 0)));
}

int Win32TextBox::clampToText(int position) const { return std::clamp(position, 0, GetWindowTextLengthW(hwnd())); }

void Win32TextBox::select(int start, int end) {
  SendMessageW(hwnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
}

void Win32TextBox::setPasswordChar(char16_t ch) {
  if (ch == passwordChar_) return;
  passwordChar_ = ch;
  if (!hwnd()) return;
  SendMessageW(hwnd(), EM_SETPASSWORDCHAR, ch, 0);
  // A hidden box is drawn in full when it shows.
  if (IsWindowVisible(hwnd())) InvalidateRect(hwnd(), nullptr, TRUE);
}

void Win32TextBox::setFocus() { SetFocus(window()); }

bool Win32TextBox::hasFocus() const { return hwnd() && GetFocus() == hwnd(); }

HBRUSH Win32TextBox::colors(HDC dc) {
  SetBkColor(dc, backColor_);
  return background_;
}

void Win32TextBox::dpiChanged() {
  if (hwnd()) font_.applyTo(hwnd(), dpi());
}

LRESULT Win32TextBox::message(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The edit would copy or cut some of these without a WM_COPY or WM_CUT of its own.
  if (isClipboardKey(msg, wParam)) return 0;
  switch (msg) {
    case WM_COPY:
    case WM_CUT:
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      return keyMessage(msg, wParam, lParam);
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      return systemKeyMessage(msg, wParam, lParam);
    case WM_CHAR:
      return charMessage(wParam, lParam);
    case WM_CONTEXTMENU:
      // The edit's own menu would offer Copy and Cut: the password never goes to the clipboard.
      return 0;
    case WM_SETFOCUS:
      // A focus that came without input (the program brought back to the front) starts the
      // caret's time before it rests.
      form_.toolkit().caretRest().awake();
      return passOn(msg, wParam, lParam);
    default:
      return mouseMessage(msg, wParam, lParam);
  }
  return passOn(msg, wParam, lParam);
}

LRESULT Win32TextBox::mouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const Gesture gesture = automaticDrag_ ? dragGesture(msg, wParam, lParam) : Gesture::PassOn;
  const LRESULT result = gesture == Gesture::PassOn ? passOn(msg, wParam, lParam) : 0;
  if (const auto mouse = decodeMouse(msg, wParam, lParam, twipsPerPixel())) {
    fireMouse(*mouse, onMouseDown, onMouseMove, onMouseUp, onDblClick);
  }
  if (gesture == Gesture::StartDrag) startDrag();
  return result;
}

LRESULT Win32TextBox::keyMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  int keyCode = static_cast<int>(wParam);
  fire(msg == WM_KEYDOWN ? onKeyDown : onKeyUp, keyCode, keyShiftState());
  if (keyCode == 0) return 0;
  return passOn(msg, static_cast<WPARAM>(keyCode), lParam);
}

// Shift pressed or released while Alt is held comes as a system key: the program follows it
// too, but the key goes on to the window, which opens menus with such keys.
LRESULT Win32TextBox::systemKeyMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  int keyCode = static_cast<int>(wParam);
  fire(msg == WM_SYSKEYDOWN ? onKeyDown : onKeyUp, keyCode, keyShiftState());
  return passOn(msg, wParam, lParam);
}

LRESULT Win32TextBox::charMessage(WPARAM wParam, LPARAM lParam) {
  int keyAscii = static_cast<int>(wParam);
  fire(onKeyPress, keyAscii);
  if (keyAscii == 0) return 0;
  return passOn(WM_CHAR, static_cast<WPARAM>(keyAscii), lParam);
}

}  // namespace tessarin::platform::win32
