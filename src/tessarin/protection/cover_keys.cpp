#include "protection/cover_keys.h"

#include <cmath>

#include "keyboard/rounding.h"

namespace tessarin {

namespace {

// Bounds are compared at single precision, as the pointer position arrives.
float S(double v) { return static_cast<float>(v); }

// The 1-based unit that v falls in; 0, no key, for a point too far out to count in a long.
long UnitOf(double v) {
  const double unit = std::floor(v);
  return unit > -1e9 && unit < 1e9 ? static_cast<long>(unit) + 1 : 0;
}

// Column of x in a row that starts after `lead` units and has `keys` keys in `span` twips.
long Column(float x, double lead, double span, int keys) { return UnitOf((x - lead) / (span / keys)); }

}  // namespace

int KeyAtCoverPoint(double w, double h, float x, float y) {
  if (w <= 0 || h <= 0) return 0;
  const long row = UnitOf(y / (h / 5));
  const double u = RoundEven(w / 15);  // rows 2 to 5 use the whole-twip unit
  auto R = [](double v) { return static_cast<double>(RoundEven(v)); };
  switch (row) {
    case 1: {
      const long c = UnitOf(x / (w / 15));
      if (c >= 1 && c <= 13) return static_cast<int>(c);
      return c == 14 || c == 15 ? 15 : 0;
    }
    case 2: {
      if (x <= S(1.4 * u)) return 16;
      if (x >= S(13.4 * u)) return 65;
      const long c = Column(x, 1.4 * u, R(w - 3 * u), 12);
      return c >= 1 && c <= 12 ? static_cast<int>(16 + c) : 0;
    }
    case 3: {
      if (x <= S(1.8 * u)) return 30;
      if (x >= S(12.8 * u)) return 29;
      const long c = Column(x, 1.8 * u, R(w - 4 * u), 11);
      return c >= 1 && c <= 11 ? static_cast<int>(30 + c) : 0;
    }
    case 4: {
      if (x <= S(2.2 * u)) return 42;
      if (x >= S(12.2 * u)) return 53;
      const long c = Column(x, 2.2 * u, R(w - 5 * u), 10);
      return c >= 1 && c <= 10 ? static_cast<int>(42 + c) : 0;
    }
    case 5:
      return x >= S(3.8 * u) && x <= S(9.8 * u) ? 57 : 0;
    default:
      return 0;
  }
}

}  // namespace tessarin
