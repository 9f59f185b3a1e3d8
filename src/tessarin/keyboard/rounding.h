#pragma once
#include <cmath>

namespace tessarin {

// Rounds to the nearest whole number, halves to the even neighbour.
inline long RoundEven(double value) { return static_cast<long>(std::nearbyint(value)); }

}  // namespace tessarin
