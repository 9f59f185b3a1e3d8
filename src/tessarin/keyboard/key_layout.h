#pragma once
// Which button is which key: the fixed binding of the 47 character keys (index 0 to 46, row
// by row) to the key buttons, the built-in English layout and the US virtual-key codes.
#include <array>
#include <string>

namespace tessarin {

inline constexpr int kCharacterKeyCount = 47;
inline constexpr int kKeySlots = 49;
inline constexpr int kCaseSlots = 4;
inline constexpr int kActionKeyCount = 5;

// Keys per row and the index of each row's first key.
inline constexpr std::array<int, 4> kRowKeyCount = {13, 13, 11, 10};
inline constexpr std::array<int, 4> kRowFirstIndex = {0, 13, 26, 37};

inline constexpr std::array<int, kCharacterKeyCount> kKeyButton = {
    1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,                  // row 1
    17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 65,                  // row 2
    31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41,                          // row 3
    43, 44, 45, 46, 47, 48, 49, 50, 51, 52};                             // row 4

inline constexpr std::u16string_view kEnglishLower = u"`1234567890-=qwertyuiop[]\\asdfghjkl;'zxcvbnm,./";
inline constexpr std::u16string_view kEnglishUpper = u"~!@#$%^&*()_+QWERTYUIOP{}|ASDFGHJKL:\"ZXCVBNM<>?";

inline constexpr std::array<int, kCharacterKeyCount> kVirtualKey = {
    192, 49, 50, 51, 52, 53, 54, 55, 56, 57, 48, 189, 187,
    81,  87, 69, 82, 84, 89, 85, 73, 79, 80, 219, 221, 220,
    65,  83, 68, 70, 71, 72, 74, 75, 76, 186, 222,
    90,  88, 67, 86, 66, 78, 77, 188, 190, 191};

// Action keys, in the order of their caption texts.
inline constexpr int kBackspace = 15;
inline constexpr int kTab = 16;
inline constexpr int kCapsLock = 30;
inline constexpr int kEnter = 29;
inline constexpr int kShiftLeft = 42;
inline constexpr int kShiftRight = 53;
inline constexpr int kSpaceBar = 57;
inline constexpr std::array<int, kActionKeyCount> kActionKeyButton = {kBackspace, kTab, kCapsLock, kEnter,
                                                                      kShiftLeft};
inline constexpr std::array<const char16_t*, kActionKeyCount> kActionKeyFallback = {u"bksp", u"tab", u"cap",
                                                                                    u"ent", u"shft"};
// Spare buttons hidden every time captions are written, in that order.
inline constexpr std::array<int, 10> kSpareRow5 = {59, 60, 61, 62, 63, 64, 58, 54, 55, 56};

using KeyLayoutTable = std::array<std::array<std::u16string, kCaseSlots>, kKeySlots>;
using ActionKeyTexts = std::array<std::u16string, kActionKeyCount>;

// Leading and trailing spaces removed.
std::u16string_view TrimSpaces(std::u16string_view text);

}  // namespace tessarin
