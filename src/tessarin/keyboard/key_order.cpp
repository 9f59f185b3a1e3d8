#include "keyboard/key_order.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace tessarin {

KeyOrder LayoutOrder() {
  KeyOrder order{};
  std::iota(order.begin(), order.end(), 0);
  return order;
}

bool IsLayoutOrder(const KeyOrder& order) { return order == LayoutOrder(); }

KeyOrder ScrambledOrder(const std::function<double()>& randomUnit, const KeyOrder& previous) {
  KeyOrder order = LayoutOrder();
  do {
    // Fisher-Yates: each of the 47! orders equally likely. 53 random bits per draw make the
    // bias of scaling to at most 47 choices negligible.
    for (int i = kCharacterKeyCount - 1; i > 0; --i) {
      const int j = static_cast<int>(randomUnit() * (i + 1));
      std::swap(order[i], order[std::min(j, i)]);
    }
  } while (order == previous || IsLayoutOrder(order));
  return order;
}

}  // namespace tessarin
