#pragma once
// Private-profile (INI) files through the Unicode kernel32 functions. The system keeps Unicode
// only in a file that starts with a UTF-16LE byte-order mark and writes any other file in the
// ANSI code page, so a file is rewritten in that form once a name or value needs it; until
// then an ANSI file stays as it is, and files of earlier versions read as before.
#include <optional>
#include <string>
#include <string_view>

namespace tessarin::platform::win32 {

// At most bufferChars - 1 UTF-16 units come back, as the profile function cuts them.
std::u16string readProfile(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                           int bufferChars);
// Nothing when written; otherwise the system's text for why the file could not be written.
std::optional<std::u16string> writeProfile(std::u16string_view path, std::u16string_view section,
                                           std::u16string_view key, std::u16string_view value);

}  // namespace tessarin::platform::win32
