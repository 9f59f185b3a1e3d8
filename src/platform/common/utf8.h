#pragma once
// UTF-8 and UTF-16, for layout files saved as UTF-8.
#include <string>
#include <string_view>

namespace tessarin::common {

// Malformed sequences become U+FFFD; characters beyond the BMP become surrogate pairs.
std::u16string Utf8ToUtf16(std::string_view bytes);
// A surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace tessarin::common
