#include "platform/win32/system.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/win32/late_library.h"
#include "platform/win32/profile.h"
#include "platform/win32/text.h"

namespace tessarin::platform::win32 {

std::u16string Win32System::programDirectory() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L'\\');
  return fromWide(std::wstring_view(path).substr(0, slash == std::wstring::npos ? 0 : slash));
}

// As a directory search for the name: true when it finds a file. Folders, and hidden or
// system files, are not what such a search lists.
bool Win32System::fileExists(std::u16string_view path) const {
  if (path.empty()) return false;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(wideCopy(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  constexpr DWORD kSkipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  bool any = false;
  do {
    any = (found.dwFileAttributes & kSkipped) == 0;
  } while (!any && FindNextFileW(search, &found));
  FindClose(search);
  return any;
}

long Win32System::fileAttributes(std::u16string_view path) const {
  const DWORD attributes = GetFileAttributesW(wideCopy(path).c_str());
  return attributes == INVALID_FILE_ATTRIBUTES ? -1L : static_cast<long>(attributes);
}

std::optional<std::string> Win32System::readFileStart(std::u16string_view path, std::size_t maxBytes) const {
  HANDLE file = CreateFileW(wideCopy(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(maxBytes, '\0');
  DWORD read = 0;
  const BOOL ok = ReadFile(file, bytes.data(), static_cast<DWORD>(maxBytes), &read, nullptr);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  bytes.resize(read);
  return bytes;
}

std::u16string Win32System::readProfileString(std::u16string_view path, std::u16string_view section,
                                              std::u16string_view key, int bufferChars) const {
  return readProfile(path, section, key, bufferChars);
}

std::optional<std::u16string> Win32System::writeProfileString(std::u16string_view path, std::u16string_view section,
                                     std::u16string_view key, std::u16string_view value) {
  return writeProfile(path, section, key, value);
}

// Without SND_NODEFAULT the system's default sound plays when the file cannot be.
bool Win32System::playSoundSync(std::u16string_view path) {
  requireLateLibrary("winmm.dll");
  return sndPlaySoundW(wideCopy(path).c_str(), SND_SYNC) != FALSE;
}

void Win32System::beep() { MessageBeep(0xFFFFFFFF); }

void Win32System::emptyClipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}

void Win32System::shellOpen(WindowId owner, std::u16string_view address) {
  requireLateLibrary("shell32.dll");
  ShellExecuteW(reinterpret_cast<HWND>(owner), L"open", wideCopy(address).c_str(), nullptr, L"", SW_SHOWNORMAL);
}

// 53 random bits: every double in [0, 1) that has that spacing is equally likely. rand_s draws
// from the system's cryptographic generator; the cryptography library would serve as well, but
// under Wine loading it starts a TLS library, which cost a fifth of the start-up.
double Win32System::randomUnit() {
  unsigned int high = 0;
  unsigned int low = 0;
  errno_t error = rand_s(&high);
  if (!error) error = rand_s(&low);
  if (error) throw std::system_error(error, std::generic_category(), "rand_s");
  const std::uint64_t bits = (static_cast<std::uint64_t>(high) << 32) | low;
  return static_cast<double>(bits >> 11) * 0x1.0p-53;
}

}  // namespace tessarin::platform::win32
