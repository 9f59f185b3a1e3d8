#pragma once
// Text at the Win32 boundary. char16_t and wchar_t have the same representation on Windows, so
// UTF-16 passes through unchanged; fromAnsi uses the system's ANSI code page.
#include <windows.h>

#include <string>
#include <string_view>

namespace tessarin::platform::win32 {

inline const wchar_t* wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

// A null-terminated copy, for calls that need one.
std::wstring wideCopy(std::u16string_view text);
std::u16string fromWide(std::wstring_view text);
std::u16string windowText(HWND hwnd);
// Sets a window's text unless it already has it: each change costs a trip to the window server
// and a repaint.
void setWindowText(HWND hwnd, std::u16string_view text);

std::u16string fromAnsi(std::string_view text);

}  // namespace tessarin::platform::win32
