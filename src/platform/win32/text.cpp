#include "platform/win32/text.h"

namespace tessarin::platform::win32 {

std::wstring wideCopy(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

std::u16string fromWide(std::wstring_view text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

std::u16string windowText(HWND hwnd) {
  std::wstring buffer(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, buffer.data(), static_cast<int>(buffer.size()));
  return fromWide(std::wstring_view(buffer.data(), static_cast<std::size_t>(copied)));
}

void setWindowText(HWND hwnd, std::u16string_view text) {
  if (windowText(hwnd) != text) SetWindowTextW(hwnd, wideCopy(text).c_str());
}

std::u16string fromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int chars = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::u16string out(static_cast<std::size_t>(chars), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide(out.data()), chars);
  return out;
}

}  // namespace tessarin::platform::win32
