// The cover's key lookup over random cover sizes and points: never a hidden key, never out of
// range, and only the keys of the row the point is in.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "fuzz_program.h"
#include "protection/cover_keys.h"

using tessarin::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4 * sizeof(float)) return 0;
  float values[4];
  std::memcpy(values, data, sizeof(values));
  for (float v : values)
    if (!std::isfinite(v) || std::fabs(v) > 1e7f) return 0;
  const double w = std::fabs(values[0]);
  const double h = std::fabs(values[1]);
  const int key = tessarin::KeyAtCoverPoint(w, h, values[2], values[3]);
  Require(key >= 0 && key <= 65, "a key number or none");
  Require(key != 14, "the spare key of row 1 is hidden");
  Require(key < 54 || key > 64 || key == 57, "the spare keys of row 5 are hidden");
  if (key != 0) Require(values[3] >= 0 && values[3] < h, "keys lie inside the cover's rows");
  return 0;
}
