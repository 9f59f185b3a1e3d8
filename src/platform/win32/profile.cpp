#include "platform/win32/profile.h"

#include <windows.h>

#include <vector>

#include "platform/win32/text.h"

namespace tessarin::platform::win32 {

std::u16string readProfile(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                           int bufferChars) {
  if (bufferChars <= 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(bufferChars), '\0');
  const DWORD copied = GetPrivateProfileStringA(toAnsi(section).c_str(), toAnsi(key).c_str(), "", buffer.data(),
                                                static_cast<DWORD>(bufferChars), toAnsi(path).c_str());
  return fromAnsi(std::string_view(buffer.data(), copied));
}

// A failed write is not reported: the setting is simply not saved.
void writeProfile(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                  std::u16string_view value) {
  WritePrivateProfileStringA(toAnsi(section).c_str(), toAnsi(key).c_str(), toAnsi(value).c_str(),
                             toAnsi(path).c_str());
}

}  // namespace tessarin::platform::win32
