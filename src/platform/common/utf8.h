#pragma once
// UTF-8 to UTF-16, for layout files saved as UTF-8.
#include <string>
#include <string_view>

namespace tessarin::common {

// Malformed sequences become U+FFFD; characters beyond the BMP become surrogate pairs.
std::u16string Utf8ToUtf16(std::string_view bytes);

}  // namespace tessarin::common
