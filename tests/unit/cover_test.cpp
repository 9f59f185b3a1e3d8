// The cover window: which key lies under a point, and pressing, sliding and releasing on it.
#include <gtest/gtest.h>

#include "protection/cover_keys.h"
#include "sim_program.h"

namespace tessarin::test {
namespace {

constexpr double kW = 15 * 555;  // a cover over keys of 555 twips
constexpr double kH = 5 * 555;
constexpr double kU = 555;
float RowY(int row) { return static_cast<float>((row - 0.5) * kH / 5); }

TEST(KeyAtCoverPoint, FirstRowUsesTheExactUnitAndBackspaceTakesTwoPlaces) {
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, 0, RowY(1)), 1);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, 12.5 * kU, RowY(1)), 13);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, 13.2 * kU, RowY(1)), 15);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, 14.9 * kU, RowY(1)), 15);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, 15.1 * kU, RowY(1)), 0);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, -1, RowY(1)), 0);
}

TEST(KeyAtCoverPoint, RowBoundariesBelongToTheWideKeys) {
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(1.4 * kU), RowY(2)), 16);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(1.4 * kU) + 1, RowY(2)), 17);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(13.4 * kU), RowY(2)), 65);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(13.4 * kU) - 1, RowY(2)), 28);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(1.8 * kU), RowY(3)), 30);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(12.8 * kU), RowY(3)), 29);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(12.8 * kU) - 1, RowY(3)), 41);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(2.2 * kU), RowY(4)), 42);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(2.2 * kU) + 1, RowY(4)), 43);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(12.2 * kU), RowY(4)), 53);
}

TEST(KeyAtCoverPoint, OnlyTheSpaceBarAnswersInRowFive) {
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(3.8 * kU), RowY(5)), 57);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(9.8 * kU), RowY(5)), 57);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(3.8 * kU) - 1, RowY(5)), 0);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, static_cast<float>(9.8 * kU) + 1, RowY(5)), 0);
  EXPECT_EQ(KeyAtCoverPoint(kW, kH, 100, static_cast<float>(kH + 1)), 0);
}

TEST(KeyAtCoverPoint, NeverAHiddenOrSpareKeyOverAnyCover) {
  for (double w : {4500.0, 5100.0, 8325.0, 12345.0}) {
    const double h = w / 3;
    for (float x = -50; x < w + 50; x += 7.3f) {
      for (int row = 0; row <= 6; ++row) {
        const int key = KeyAtCoverPoint(w, h, x, static_cast<float>((row - 0.5) * h / 5));
        ASSERT_TRUE(key == 0 || (key >= 1 && key <= 65)) << key;
        ASSERT_NE(key, 14);
        for (int spare : {54, 55, 56, 58, 59, 60, 61, 62, 63, 64}) ASSERT_NE(key, spare);
      }
    }
  }
}

class Cover : public ::testing::Test {
 protected:
  void SetUp() override {
    program.start();
    auto b = program.window().bounds();
    b.width = 9000;
    program.window().setBounds(b);  // keys of 555 twips
  }
  platform::MouseEvent at(double units, int row, int button = platform::kLeftButton) {
    return {button, 0, static_cast<float>(units * kU), RowY(row)};
  }
  sim::SimForm& cover() { return program.cover(); }
  platform::CommandButton& key(int number) { return program.frm().Command(number); }
  SimProgram program;
};

TEST_F(Cover, ClickOnAKeyShowsItPressedThenEntersItOnRelease) {
  cover().onMouseDown(at(0.5, 3));  // row 3 starts with Caps Lock
  EXPECT_TRUE(key(30).shownPressed());
  cover().onMouseUp(at(0.5, 3));
  EXPECT_FALSE(key(30).shownPressed());
  EXPECT_TRUE(program.keyboard().CapsLockIsDown());
  cover().onMouseDown(at(2.3, 3));
  cover().onMouseUp(at(2.3, 3));
  EXPECT_EQ(program.keyboard().CurrentPassword(), u"A");
}

TEST_F(Cover, PressSlideAndReleaseEntersTheNeighbour) {
  cover().onMouseDown(at(1.9, 3));  // a
  cover().onMouseMove(at(2.9, 3));  // s
  EXPECT_FALSE(key(31).shownPressed());
  EXPECT_TRUE(key(32).shownPressed());
  cover().onMouseUp(at(2.9, 3));
  EXPECT_EQ(program.keyboard().CurrentPassword(), u"s");
  EXPECT_EQ(program.keyboard().FormCover().PressedButton, nullptr);
}

TEST_F(Cover, ReleaseOutsideEveryKeyEntersNothing) {
  cover().onMouseDown(at(1.9, 3));
  cover().onMouseUp(at(2.0, 5));
  EXPECT_TRUE(program.keyboard().CurrentPassword().empty());
  EXPECT_EQ(program.keyboard().FormCover().PressedButton, nullptr);
}

TEST_F(Cover, MovesWithoutAButtonInStandardModeDoNothing) {
  program.keyboard().TimerInterval(500);
  cover().onMouseMove(at(1.9, 3, platform::kNoButton));
  EXPECT_EQ(program.keyboard().CurrentButton(), nullptr);
}

TEST_F(Cover, FollowsTheKeyboardWindowWhenItMoves) {
  const auto before = cover().bounds();
  auto b = program.window().bounds();
  b.left += 300;
  b.top += 150;
  program.window().setBounds(b);
  EXPECT_EQ(cover().bounds().left, before.left + 300);
  EXPECT_EQ(cover().bounds().top, before.top + 150);
}

TEST_F(Cover, IsMinimisedAndRestoredWithTheKeyboardWindow) {
  const auto before = cover().bounds();
  program.window().setWindowState(platform::WindowState::Minimized);
  EXPECT_EQ(cover().windowState(), platform::WindowState::Minimized) << "no cover over the place the keys left";
  program.window().setWindowState(platform::WindowState::Normal);
  EXPECT_EQ(cover().windowState(), platform::WindowState::Normal);
  EXPECT_EQ(cover().bounds(), before);
}

TEST_F(Cover, ForegroundSwitchesSetTheOpacityOncePerSwitchAndRestoreTheFocus) {
  auto& system = *program.system;
  system.moveForeground(program.window().id());
  EXPECT_EQ(cover().opacity(), 1);
  system.moveForeground(0xBEEF);
  EXPECT_EQ(cover().opacity(), 0) << "at once, without waiting for a timer";
  program.toolkit.setFocus(0);
  cover().setOpacity(7);  // shows whether a later event sets it again
  system.moveForeground(0xCAFE);
  EXPECT_EQ(cover().opacity(), 7) << "from one other program to another changes nothing";
  system.moveForeground(cover().id());
  EXPECT_EQ(cover().opacity(), 1);
  EXPECT_TRUE(program.txtPassword().hasFocus());
}

TEST_F(Cover, AnIdleProgramRunsNoTimer) {
  program.system->moveForeground(0xBEEF);
  program.system->moveForeground(program.window().id());
  for (auto* form : program.toolkit.loadedForms())
    for (const auto& timer : static_cast<sim::SimForm*>(form)->timers())
      EXPECT_FALSE(timer->running()) << "a timer wakes the program while nothing happens";
}

}  // namespace
}  // namespace tessarin::test
