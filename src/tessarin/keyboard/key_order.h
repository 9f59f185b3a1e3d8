#pragma once
// Which character key each key position shows: the layout's own order, or a scrambled one that
// a click logger recording coordinates cannot map back to characters.
#include <array>
#include <functional>

#include "keyboard/key_layout.h"

namespace tessarin {

// Entry p is the key index whose characters the key at position p (key index p's button) shows.
using KeyOrder = std::array<int, kCharacterKeyCount>;

KeyOrder LayoutOrder();
bool IsLayoutOrder(const KeyOrder& order);
// A uniformly random order drawn with randomUnit (uniform on [0, 1)), redrawn until it differs
// from both the layout's order and the previous one, so that every scramble visibly changes.
KeyOrder ScrambledOrder(const std::function<double()>& randomUnit, const KeyOrder& previous);

}  // namespace tessarin
