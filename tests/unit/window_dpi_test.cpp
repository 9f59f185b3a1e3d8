// A window at another DPI than the system's (a second monitor of another scale, or a scale
// changed without signing out): every conversion uses the window's own DPI.
#include <gtest/gtest.h>

#include <cmath>

#include "sim_program.h"

namespace tessarin::test {
namespace {

constexpr long kSystem = 15;  // 96 DPI
constexpr long kWindow = 10;  // 144 DPI

long Right(platform::Control& c) { return c.bounds().left + c.bounds().width; }
// Whole pixels of the given size, for a window width with the margin of 300.
long KeySizeAt(long width, long twipsPerPixel) {
  return static_cast<long>(std::nearbyint((width - 700) / 15.0 / twipsPerPixel)) * twipsPerPixel;
}

class WindowDpi : public ::testing::Test {
 protected:
  void SetUp() override {
    program.toolkit.simScreen().set(19200, 15360, kSystem);
    program.start();
  }
  // The display scale changes while the program runs: both windows get the new DPI.
  void changeDpi(long twipsPerPixel) {
    program.window().changeDpi(twipsPerPixel);
    program.cover().changeDpi(twipsPerPixel);
  }
  SimProgram program;
};

TEST_F(WindowDpi, KeysSnapToWholePixelsOfTheWindowAndEveryRowEndsTogether) {
  changeDpi(kWindow);
  for (long width = 5200; width <= 12000; width += 211) {
    auto b = program.window().bounds();
    b.width = width;
    program.window().setBounds(b);
    const long k = program.keyboard().KeySize();
    ASSERT_EQ(k, KeySizeAt(width, kWindow)) << width;
    auto& f = program.frm();
    for (int number : {1, 16, 30, 42, 54, 56, 58}) EXPECT_EQ(f.Command(number).bounds().width % kWindow, 0) << number;
    const long end = Right(f.Command(1)) - k + 15 * k;
    for (int number : {15, 65, 29, 53}) EXPECT_EQ(Right(f.Command(number)), end) << width << " Command" << number;
  }
}

TEST_F(WindowDpi, ADpiChangeLaysTheKeysAndTheCoverOutAgain) {
  const long before = program.keyboard().KeySize();
  ASSERT_EQ(before % kSystem, 0);
  changeDpi(kWindow);
  const long k = program.keyboard().KeySize();
  EXPECT_EQ(k % kWindow, 0);
  EXPECT_EQ(k, KeySizeAt(program.window().bounds().width, kWindow));
  const auto cover = program.cover().bounds();
  auto& f = program.frm();
  EXPECT_EQ(cover.width, Right(f.Command(29)) - f.Command(1).bounds().left);
  EXPECT_EQ(cover.height, 5 * k);
}

TEST_F(WindowDpi, TheCoverFollowsInPixelsWhileOnlyTheKeyboardWindowHasTheNewDpi) {
  program.window().changeDpi(kWindow);
  const auto origin = program.window().clientOrigin();
  const auto first = program.frm().Command(1).bounds();
  const auto cover = program.cover().bounds();
  EXPECT_EQ(cover.left / kSystem, (origin.left + first.left) / kWindow);
  EXPECT_EQ(cover.top / kSystem, (origin.top + first.top) / kWindow);
  EXPECT_EQ(cover.height / kSystem, 5 * program.keyboard().KeySize() / kWindow);
}

TEST_F(WindowDpi, HoverEntersKeysUpToTheCoversRightAndBottomEdges) {
  changeDpi(kWindow);
  auto& kb = program.keyboard();
  kb.InputMode(kModeHover);
  kb.TimerInterval(500);
  const auto cover = program.cover().bounds();
  // The pixel at the bottom right of the cover: at the system's DPI it would lie outside.
  program.system->cursor = {(cover.left + cover.width) / kWindow - 1, (cover.top + cover.height) / kWindow - 1};
  ASSERT_GT(program.system->cursor.x, (cover.left / kSystem) + cover.width / kSystem);
  kb.ButtonMouseMove(&program.frm().Command(52), 0, 0, 0, 0);  // "/" at the end of row 4
  program.toolkit.advance(500);
  EXPECT_EQ(kb.CurrentPassword(), u"/");
  EXPECT_TRUE(program.cover().timers()[0]->enabled());
  // One pixel beyond the cover: outside.
  program.system->cursor.x = (cover.left + cover.width) / kWindow + 1;
  program.toolkit.advance(500);
  EXPECT_FALSE(program.cover().timers()[0]->enabled());
}

TEST_F(WindowDpi, RandomPlacementKeepsTheWholeWindowInsideItsMonitorsWorkArea) {
  // A 1280 x 1024 primary monitor and a 2560 x 1400 one at 144 DPI to its right.
  program.toolkit.simScreen().monitors = {{0, 0, 1280, 984}, {1280, 0, 3840, 1400}};
  changeDpi(kWindow);
  for (double draw : {0.0, 0.5, 1.0 - 1e-9}) {
    auto b = program.window().bounds();
    b.left = 2000 * kWindow;  // on the second monitor
    b.top = 300 * kWindow;
    program.window().setBounds(b);
    program.system->randomDraws = {draw, draw, draw};
    program.keyboard().RandomiseFormSizeAndPlacement();
    const auto w = program.window().bounds();
    EXPECT_GE(w.left, 1280 * kWindow) << draw;
    EXPECT_GE(w.top, 0) << draw;
    EXPECT_LE(w.left + w.width, 3840 * kWindow) << draw;
    EXPECT_LE(w.top + w.height, 1400 * kWindow) << draw;
    // The width is drawn from the monitor's size: up to half of its 2560 pixels.
    EXPECT_LE(w.width, 1280 * kWindow + 700) << draw;
    EXPECT_EQ(program.keyboard().KeySize() % kWindow, 0) << draw;
  }
  EXPECT_GT(program.window().bounds().width, 1100 * kWindow) << "the largest draw uses the monitor's width";
}

TEST_F(WindowDpi, AWindowTallerThanTheWorkAreaStartsAtItsTop) {
  program.toolkit.simScreen().monitors = {{0, 0, 400, 200}};
  program.system->randomDraws = {0.5, 0.9, 0.9};
  program.keyboard().RandomiseFormSizeAndPlacement();
  const auto w = program.window().bounds();
  ASSERT_GT(w.height, 200 * kSystem);
  EXPECT_EQ(w.top, 0);
  EXPECT_GE(w.left, 0);
  EXPECT_LE(w.left + w.width, 400 * kSystem);
}

}  // namespace
}  // namespace tessarin::test
