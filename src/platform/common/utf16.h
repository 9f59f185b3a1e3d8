#pragma once
// UTF-16 text as bytes and in pieces: profile files that keep Unicode are UTF-16LE with a
// byte-order mark, and a cut value must never end in half of a surrogate pair.
#include <string>
#include <string_view>

namespace tessarin::common {

inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

bool IsHighSurrogate(char16_t unit);
bool IsLowSurrogate(char16_t unit);

// At most maxUnits units of text; one fewer when the cut would split a surrogate pair.
std::u16string_view CutKeepingPairs(std::u16string_view text, std::size_t maxUnits);

// How many units the character that ends at pos takes: 2 for a surrogate pair, 0 at the start.
std::size_t UnitsOfCharacterBefore(std::u16string_view text, std::size_t pos);

// A range of units widened so that neither end falls between the halves of a surrogate pair;
// a caret there moves in front of the pair.
struct UnitRange {
  std::size_t start = 0;
  std::size_t length = 0;
};
UnitRange WholeCharacters(std::u16string_view text, UnitRange range);

// Little-endian bytes of the units, without a byte-order mark, and back (an odd last byte is
// dropped).
std::string ToUtf16LeBytes(std::u16string_view text);
std::u16string FromUtf16LeBytes(std::string_view bytes);

}  // namespace tessarin::common
