#pragma once
#include <string>

namespace tessarin {

// A number as decimal text, as the settings file and the error reports show it.
inline std::u16string DecimalText(long value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

}  // namespace tessarin
