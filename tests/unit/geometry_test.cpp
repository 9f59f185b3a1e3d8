// The window layout: key size from the width, rows of exactly fifteen keys, the boxes, the
// sliders, the cover, and the random size and place.
#include <gtest/gtest.h>

#include "sim_program.h"

namespace tessarin::test {
namespace {

long Right(platform::Control& c) { return c.bounds().left + c.bounds().width; }

class Geometry : public ::testing::Test {
 protected:
  void start(long twipsPerPixel = 15) {
    program.toolkit.simScreen().set(19200, 15360, twipsPerPixel);
    program.system->randomDraws = {0, 0, 0};
    program.start();
  }
  void setWidth(long width) {
    auto b = program.window().bounds();
    b.width = width;
    program.window().setBounds(b);  // the window's size message lays it out again
  }
  FrmKeyboard& f() { return program.frm(); }
  SimProgram program;
};

TEST_F(Geometry, RandomPlacementWithTheSmallestDrawGivesTheSmallestWindow) {
  start();
  EXPECT_EQ(program.keyboard().KeySize(), 315);
  EXPECT_EQ(program.window().bounds().width, 5425);
  EXPECT_EQ(program.window().bounds().left, 400);
  EXPECT_EQ(program.window().bounds().top, 400);
  EXPECT_EQ(program.keyboard().FormMargin(), 300);
  EXPECT_FALSE(program.keyboard().IsResizing());
}

TEST_F(Geometry, RandomDrawsSpreadWidthAndPlace) {
  program.system->randomDraws = {0.999, 0.5, 1.0 - 1e-9};
  program.start();
  const auto b = program.window().bounds();
  EXPECT_LE(b.width, 9600 + 100);
  EXPECT_GT(b.width, 9000);
  EXPECT_EQ(b.left, 19200 - b.width - 1500 + 400);
  EXPECT_GT(b.top, 400);
}

TEST_F(Geometry, NineThousandTwipsGiveKeysOf555AndRowsEndingAt8625) {
  start();
  setWidth(9000);
  EXPECT_EQ(program.keyboard().KeySize(), 555);
  for (int number : {15, 65, 29, 53}) EXPECT_EQ(Right(f().Command(number)), 8625) << "Command" << number;
  EXPECT_EQ(f().Command(1).bounds().left, 300);
  EXPECT_EQ(f().Command(16).bounds().width, 780);  // 1.4 keys snapped to whole pixels
  EXPECT_FALSE(f().Command(14).visible());
  EXPECT_EQ(f().Command(57).bounds().left, 300 + 2 * 780 + 555);
}

TEST_F(Geometry, EveryRowIsFifteenKeysWideWhateverTheRounding) {
  for (long tpp : {15L, 12L, 10L}) {
    SimProgram p;
    p.toolkit.simScreen().set(19200, 15360, tpp);
    p.start();
    for (long width = 5200; width <= 12000; width += 137) {
      auto b = p.window().bounds();
      b.width = width;
      p.window().setBounds(b);
      const long k = p.keyboard().KeySize();
      ASSERT_EQ(k % tpp, 0) << "the key edge is a whole number of pixels";
      const long end = 300 + 15 * k;
      for (int number : {15, 65, 29, 53})
        ASSERT_EQ(Right(p.frm().Command(number)), end) << "width " << width << " tpp " << tpp;
    }
  }
}

TEST_F(Geometry, NarrowWindowIsWidenedFirst) {
  start();
  setWidth(3000);
  EXPECT_EQ(program.window().bounds().width, 5200);
  EXPECT_GE(program.keyboard().KeySize(), 300);
}

TEST_F(Geometry, PasswordBoxFillsTheRestButNeverGetsLowerThan375) {
  start();
  auto b = program.window().bounds();
  b.height = 1000;
  program.window().setBounds(b);
  const auto box = program.txtPassword().bounds();
  EXPECT_EQ(box.height, 375);
  EXPECT_EQ(program.window().bounds().height,
            box.top + 375 + 480 + f().tbToolbar->bounds().height + f().StatusBar1->bounds().height);
  EXPECT_EQ(program.txtText().bounds(), box);
  EXPECT_EQ(box.top, f().Command(58).bounds().top + f().Command(58).bounds().height + 300);
}

TEST_F(Geometry, CoverLiesExactlyOverTheFiveKeyRows) {
  start();
  setWidth(9000);
  const auto origin = program.window().clientOrigin();
  const auto cover = program.cover().bounds();
  const auto first = f().Command(1).bounds();
  EXPECT_EQ(cover.left, origin.left + first.left);
  EXPECT_EQ(cover.top, origin.top + first.top);
  EXPECT_EQ(cover.width, 15 * 555);
  EXPECT_EQ(cover.height, 5 * 555);
  // Moving the window takes the cover along.
  auto b = program.window().bounds();
  b.left += 1000;
  b.top += 450;
  program.window().setBounds(b);
  EXPECT_EQ(program.cover().bounds().left, cover.left + 1000);
  EXPECT_EQ(program.cover().bounds().top, cover.top + 450);
}

TEST_F(Geometry, SlidersFillTheBandUnderTheSpaceRow) {
  start();
  setWidth(9000);
  const auto space = f().Command(57).bounds();
  const auto transparency = f().sldTransparency->bounds();
  EXPECT_EQ(transparency.top, space.top + space.height);
  EXPECT_EQ(transparency.height, 300);
  EXPECT_EQ(transparency.left, Right(f().Command(58)));
  EXPECT_EQ(transparency.left + transparency.width, Right(f().Command(29)));
  EXPECT_EQ(f().sldHoverDelay->bounds().left, 300);
  EXPECT_EQ(f().sldHoverDelay->bounds().width, transparency.width);
  EXPECT_EQ(f().lblTransparency->bounds().top + f().lblTransparency->bounds().height, transparency.top);
}

TEST_F(Geometry, HidingTheToolbarMovesTheKeysUpAndShowingBringsThemBack) {
  start();
  const long toolbar = f().tbToolbar->bounds().height;
  const auto keysBefore = f().Command(1).bounds().top;
  const auto heightBefore = program.window().bounds().height;
  program.keyboard().ShowToolbar(false);
  EXPECT_EQ(f().Command(1).bounds().top, keysBefore - toolbar);
  EXPECT_FALSE(f().tbToolbar->visible());
  program.keyboard().ShowToolbar(true);
  EXPECT_EQ(f().Command(1).bounds().top, keysBefore);
  EXPECT_EQ(program.window().bounds().height, heightBefore) << "a hide and show cycle keeps the height";
  EXPECT_NE(program.settingsFileContent().find("View Toolbar=True"), std::string::npos);
}

// Start-up lays the window out more than once; each move of a native window costs a request to
// the window server, so the controls' windows move once, when the keyboard window first shows,
// and the window itself only to make room for the toolbar and to go to its random place. The
// cover is made at its designed size, and moves only to its place over the keys.
TEST_F(Geometry, StartUpMovesEachWindowOnceAndLaterLayoutsMoveThemAtOnce) {
  start();
  EXPECT_EQ(program.window().moves, 2);
  EXPECT_EQ(program.cover().moves, 1);
  for (int number = 1; number <= FrmKeyboard::kButtonCount; ++number) {
    const auto& key = dynamic_cast<sim::SimButton&>(f().Command(number));
    EXPECT_EQ(key.windowMoves, 1) << "key " << number;
  }
  for (auto* control : f().positionedControls())
    EXPECT_LE(dynamic_cast<sim::SimWindowMoves&>(*control).windowMoves, 1);
  EXPECT_EQ(program.txtPassword().windowMoves, 1);

  setWidth(9000);
  const auto& key = dynamic_cast<sim::SimButton&>(f().Command(2));
  EXPECT_EQ(key.windowMoves, 2);
  EXPECT_EQ(key.bounds().left, Right(f().Command(1)));
}

TEST_F(Geometry, UnforcedLayoutDuringAnotherIsSkipped) {
  start();
  const long before = program.keyboard().KeySize();
  program.keyboard().Resize(false);
  EXPECT_EQ(program.keyboard().KeySize(), before);
  EXPECT_FALSE(program.keyboard().IsResizing());
}

}  // namespace
}  // namespace tessarin::test
