#include "platform/win32/profile.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/common/utf16.h"
#include "platform/common/utf8.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/text.h"

namespace tessarin::platform::win32 {
namespace {

// True when the ANSI code page has every character of the text (no best-fit look-alikes).
bool fitsAnsi(std::u16string_view text) {
  if (text.empty()) return true;
  BOOL usedDefault = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide(text.data()), static_cast<int>(text.size()), nullptr, 0,
                      nullptr, &usedDefault);
  return !usedDefault;
}

std::string readAll(HANDLE file) {
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  return bytes;
}

// Rewrites an ANSI file (or creates a missing one) as UTF-16LE with the byte-order mark; a
// file that already starts with the mark is left alone. Failures leave the file as it was.
void makeUnicode(const std::wstring& path) {
  // Hands any cached copy of the file back to the disk first, so that nothing written is lost.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string ansi = readAll(file);
  if (!ansi.starts_with(common::kUtf16LeMark)) {
    std::u16string text(static_cast<std::size_t>(ansi.size()), u'\0');
    const int units = ansi.empty() ? 0
                                   : MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                                         wide(text.data()), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(units));
    const std::string unicode = std::string(common::kUtf16LeMark) + common::ToUtf16LeBytes(text);
    DWORD written = 0;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    if (WriteFile(file, unicode.data(), static_cast<DWORD>(unicode.size()), &written, nullptr)) SetEndOfFile(file);
  }
  CloseHandle(file);
}

}  // namespace

std::u16string readProfile(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                           int bufferChars) {
  if (bufferChars <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<std::size_t>(bufferChars), L'\0');
  const DWORD copied = GetPrivateProfileStringW(wideCopy(section).c_str(), wideCopy(key).c_str(), L"", buffer.data(),
                                                static_cast<DWORD>(bufferChars), wideCopy(path).c_str());
  return fromWide(std::wstring_view(buffer.data(), copied));
}

std::optional<std::u16string> writeProfile(std::u16string_view path, std::u16string_view section,
                                           std::u16string_view key, std::u16string_view value) {
  const std::wstring file = wideCopy(path);
  if (!fitsAnsi(section) || !fitsAnsi(key) || !fitsAnsi(value)) makeUnicode(file);
  if (WritePrivateProfileStringW(wideCopy(section).c_str(), wideCopy(key).c_str(), wideCopy(value).c_str(),
                                 file.c_str())) {
    return std::nullopt;
  }
  return common::Utf8ToUtf16(windowsCategory().message(static_cast<int>(GetLastError())));
}

}  // namespace tessarin::platform::win32
