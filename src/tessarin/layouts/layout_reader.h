#pragma once
// Reading entries of a layout file: through the profile functions, or, for a file saved as
// UTF-8 with a byte-order mark, through the program's own reader so that characters outside the
// ANSI code page survive.
#include <functional>
#include <string>

#include "platform/system.h"

namespace tessarin {

using LayoutReader = std::function<std::u16string(std::u16string_view section, std::u16string_view entry)>;

LayoutReader LayoutReaderFor(const platform::System& system, std::u16string_view path);

}  // namespace tessarin
