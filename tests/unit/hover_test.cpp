// Hover entry on the virtual clock: a key is entered once after the pointer rests on it.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "sim_program.h"

namespace tessarin::test {
namespace {

class Hover : public ::testing::Test {
 protected:
  void SetUp() override {
    program.start();
    program.keyboard().InputMode(kModeHover);
    program.keyboard().TimerInterval(1000);
    // The pointer is inside the cover unless a test moves it out.
    const auto cover = program.cover().bounds();
    program.system->cursor = {cover.left / 15 + 5, cover.top / 15 + 5};
  }
  void restOn(int number) {
    program.keyboard().ButtonMouseMove(&program.frm().Command(number), 0, 0, 0, 0);
  }
  const platform::SecureString& password() { return program.keyboard().CurrentPassword(); }
  SimProgram program;
};

TEST_F(Hover, KeyRestedOnIsEnteredOnceAfterTheDelay) {
  restOn(31);  // a
  program.toolkit.advance(999);
  EXPECT_TRUE(password().empty());
  program.toolkit.advance(1);
  EXPECT_EQ(password(), u"a");
  program.toolkit.advance(1500);
  EXPECT_EQ(password(), u"a");
}

TEST_F(Hover, MovingOnBeforeTheDelayEntersOnlyTheKeyRestedOn) {
  restOn(31);
  program.toolkit.advance(600);
  restOn(32);  // s
  program.toolkit.advance(999);
  EXPECT_TRUE(password().empty());
  program.toolkit.advance(1);
  EXPECT_EQ(password(), u"s");
}

TEST_F(Hover, ReturningToTheSameKeyEntersItAgainOnlyAfterAnotherKey) {
  restOn(31);
  program.toolkit.advance(1000);
  program.keyboard().MouseMoveInForm(0, 0, 0, 0);
  restOn(31);
  program.toolkit.advance(3000);
  EXPECT_EQ(password(), u"a");
  restOn(32);
  program.toolkit.advance(1000);
  restOn(31);
  program.toolkit.advance(1000);
  EXPECT_EQ(password(), u"asa");
}

TEST_F(Hover, TheTwoShiftKeysCountAsOne) {
  restOn(kShiftLeft);
  program.toolkit.advance(1000);
  EXPECT_TRUE(program.keyboard().ShiftIsDown());
  restOn(kShiftRight);
  program.toolkit.advance(2000);
  EXPECT_TRUE(program.keyboard().ShiftIsDown());
  restOn(31);
  program.toolkit.advance(1000);
  EXPECT_EQ(password(), u"A");
  EXPECT_FALSE(program.keyboard().ShiftIsDown());
}

TEST_F(Hover, LeavingTheCoverStopsTheTimerAndForgetsTheKey) {
  restOn(31);
  program.system->cursor = {0, 0};
  program.toolkit.advance(2000);
  EXPECT_TRUE(password().empty());
  EXPECT_EQ(program.keyboard().CurrentButton(), nullptr);
  EXPECT_FALSE(program.keyboard().FormCover().Timer1->enabled());
  EXPECT_TRUE(program.keyboard().TimerEnabled());
}

TEST_F(Hover, BeepsAfterEachEntryWhenAsked) {
  program.keyboard().BeepOnHover(true);
  restOn(31);
  program.toolkit.advance(1000);
  EXPECT_EQ(program.system->calls.back(), "beep");
  std::ofstream(program.directory / "beep.wav") << "RIFF";
  restOn(32);
  program.toolkit.advance(1000);
  EXPECT_NE(program.system->calls.back().find("beep.wav"), std::string::npos);
}

TEST_F(Hover, ASoundThatFailsIsReportedOnceAndTheKeysGoOnBeeping) {
  std::vector<std::u16string> reports;
  program.toolkit.onModalShow = [&](sim::SimForm& form) {
    reports.push_back(form.caption());
    // The report's own message loop runs the hover timer: the key must not be entered again.
    program.toolkit.advance(3000);
    form.unload();
  };
  program.keyboard().BeepOnHover(true);
  std::ofstream(program.directory / "beep.wav") << "RIFF";
  program.system->failingCall = "playSoundSync(" + (program.directory / "beep.wav").string() + ")";
  restOn(31);
  program.toolkit.advance(1000);
  EXPECT_EQ(reports, std::vector<std::u16string>{u"Unexpected System Error"});
  EXPECT_EQ(password(), u"a");
  EXPECT_EQ(program.system->calls.back(), "beep");
  restOn(32);
  program.toolkit.advance(1000);
  EXPECT_EQ(password(), u"as");
  EXPECT_EQ(reports.size(), 1u) << "reported once";
  EXPECT_EQ(program.system->calls.back(), "beep") << "the system's sound from then on";
}

TEST_F(Hover, StandardModeEntersNothing) {
  program.keyboard().InputMode(kModeStandard);
  program.cover().onMouseMove({0, 0, 2.0f * 555, 555 * 2.5f});
  program.toolkit.advance(5000);
  EXPECT_TRUE(password().empty());
}

TEST_F(Hover, GreyDotShowsOnlyOverTheKeys) {
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  program.keyboard().InputMode(kModeHideMouse);
  program.keyboard().MouseMoveInTextBox(0, 0, 0, 0);
  EXPECT_EQ(program.window().mousePointer(), platform::MousePointer::Default);
  EXPECT_EQ(program.cover().mousePointer(), platform::MousePointer::GreyDot);
  restOn(31);
  EXPECT_EQ(program.window().mousePointer(), platform::MousePointer::GreyDot);
}

}  // namespace
}  // namespace tessarin::test
