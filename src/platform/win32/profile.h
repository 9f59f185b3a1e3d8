#pragma once
// Private-profile (INI) files through the ANSI kernel32 functions: the files are ANSI text, so
// names and values go through the ANSI code page.
#include <string>
#include <string_view>

namespace tessarin::platform::win32 {

// At most bufferChars - 1 characters come back, as the profile function cuts them.
std::u16string readProfile(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                           int bufferChars);
void writeProfile(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                  std::u16string_view value);

}  // namespace tessarin::platform::win32
