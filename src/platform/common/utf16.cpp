#include "platform/common/utf16.h"

namespace tessarin::common {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

namespace {
bool SplitsPair(std::u16string_view text, std::size_t pos) {
  return pos > 0 && pos < text.size() && IsHighSurrogate(text[pos - 1]) && IsLowSurrogate(text[pos]);
}
}  // namespace

std::u16string_view CutKeepingPairs(std::u16string_view text, std::size_t maxUnits) {
  if (text.size() <= maxUnits) return text;
  std::size_t length = maxUnits;
  if (SplitsPair(text, length)) --length;
  return text.substr(0, length);
}

std::size_t UnitsOfCharacterBefore(std::u16string_view text, std::size_t pos) {
  if (pos == 0) return 0;
  return pos >= 2 && pos <= text.size() && IsLowSurrogate(text[pos - 1]) && IsHighSurrogate(text[pos - 2]) ? 2 : 1;
}

UnitRange WholeCharacters(std::u16string_view text, UnitRange range) {
  std::size_t start = range.start;
  std::size_t end = range.start + range.length;
  if (SplitsPair(text, start)) --start;
  // A caret (an empty range) moves in front of the pair rather than taking it in.
  if (range.length == 0) return {start, 0};
  if (SplitsPair(text, end)) ++end;
  return {start, end - start};
}

std::string ToUtf16LeBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::u16string FromUtf16LeBytes(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  return text;
}

}  // namespace tessarin::common
