// Twips and pixels at other DPIs than the test display's.
#include <gtest/gtest.h>

#include "platform/win32/dpi.h"

namespace tessarin::platform::win32 {
namespace {

TEST(TwipsTest, OneWholeFactorPerDpi) {
  EXPECT_EQ(twipsPerPixel(96), 15);
  EXPECT_EQ(twipsPerPixel(120), 12);
  EXPECT_EQ(twipsPerPixel(144), 10);
  EXPECT_EQ(twipsPerPixel(192), 8);  // 7.5, halves to even
  EXPECT_EQ(twipsPerPixel(0), 15);   // unknown: the default DPI
}

TEST(TwipsTest, PixelsAreTheNearestWithHalvesToEven) {
  EXPECT_EQ(toPixels(14, 10), 1);
  EXPECT_EQ(toPixels(15, 10), 2);
  EXPECT_EQ(toPixels(25, 10), 2);
  EXPECT_EQ(toPixels(-10000, 15), -667);
  const RECT rect = toPixels(Twips{150, -10000, 1507, 1508}, 15);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, -667);
  EXPECT_EQ(rect.right, 10 + 100);
  EXPECT_EQ(rect.bottom, -667 + 101);
  EXPECT_EQ(toTwips(RECT{10, 20, 110, 70}, 10), (Twips{100, 200, 1000, 500}));
}

}  // namespace
}  // namespace tessarin::platform::win32
