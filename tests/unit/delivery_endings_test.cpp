// How a drag ends decides what happens to the password: only a delivery that happened takes
// the delivered part away; every other ending keeps the password and the box as they were,
// brings the keyboard back and says why in one message box without the password in it.
#include <gtest/gtest.h>

#include "sim_program.h"

namespace tessarin::test {
namespace {

using platform::kLeftButton;

class DragEndings : public ::testing::Test {
 protected:
  void SetUp() override {
    program.start();
    program.system->foreignWindows.push_back({0x7001, {100, 100, 400, 130}, {}, false});
    program.system->cursor = {150, 110};
    program.typeOnScreen(u"abcdef");
  }
  sim::SimTextBox& box() { return program.txtPassword(); }
  Keyboard& kb() { return program.keyboard(); }
  // Selects the third and fourth characters and drags them.
  void dragTheMiddle() {
    box().setSelStart(2);
    box().setSelLength(2);
    box().onMouseMove({0, 0, 0, 0});
    const float onThird = 2.5f * sim::SimTextBox::kCharWidth;
    box().onMouseDown({kLeftButton, 0, onThird, 10});
    box().onMouseMove({kLeftButton, 0, onThird + 5, 10});
  }
  void expectKeptWithMessage(const std::u16string& mustSay) {
    EXPECT_EQ(kb().CurrentPassword(), u"abcdef");
    EXPECT_EQ(box().text(), u"******");
    EXPECT_EQ(box().selStart(), 2) << "the dragged part is selected again";
    EXPECT_EQ(box().selLength(), 2);
    ASSERT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);
    const auto& message = program.toolkit.shownMessageBoxes[0].text;
    EXPECT_NE(message.find(mustSay), std::u16string::npos) << "told: " << std::string(message.begin(), message.end());
    EXPECT_EQ(message.find(u"cd"), std::u16string::npos) << "never the password";
    EXPECT_NE(message.find(u"still in Tessarin"), std::u16string::npos);
    EXPECT_EQ(program.window().windowState(), platform::WindowState::Normal) << "the keyboard comes back";
    EXPECT_EQ(program.cover().windowState(), platform::WindowState::Normal);
    EXPECT_TRUE(kb().SelectedPassword().empty());
  }
  void expectCut() {
    EXPECT_EQ(kb().CurrentPassword(), u"abef");
    EXPECT_EQ(box().text(), u"****");
    EXPECT_TRUE(program.toolkit.shownMessageBoxes.empty());
  }
  std::u16string& received() { return program.system->foreignWindows[0].received; }
  SimProgram program;
};

TEST_F(DragEndings, AnAcceptedDropCutsTheDeliveredPart) {
  dragTheMiddle();
  EXPECT_EQ(box().readOnDrop, u"cd");
  expectCut();
}

TEST_F(DragEndings, ADropThatNothingTookKeepsThePassword) {
  box().dragEnding.effect = 0;
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  dragTheMiddle();
  expectKeptWithMessage(u"Nothing took the password");
}

TEST_F(DragEndings, EscapeKeepsThePasswordInEitherMode) {
  for (int mode : {kDragDrop, kInject}) {
    SCOPED_TRACE(mode);
    kb().DragDropMode(mode);
    program.toolkit.shownMessageBoxes.clear();
    box().dragEnding.released = false;
    program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
    dragTheMiddle();
    expectKeptWithMessage(u"cancelled");
    EXPECT_EQ(received(), u"") << "nothing is typed after Escape";
    EXPECT_FALSE(box().readOnDrop.has_value());
  }
}

TEST_F(DragEndings, HeldBackTextGoesOnlyToTheDropTarget) {
  kb().GivePasswordOnlyOnDrop(true);
  std::optional<std::u16string> readWhilePassingOver = u"not asked";
  box().duringDrag = [&] { readWhilePassingOver = box().lastDrag.targetReads(); };
  dragTheMiddle();
  EXPECT_FALSE(readWhilePassingOver.has_value()) << "a window the pointer passes over reads nothing";
  EXPECT_EQ(box().readOnDrop, u"cd");
  EXPECT_FALSE(box().lastDrag.targetReads().has_value()) << "nothing after the drag has ended";
  expectCut();
}

TEST_F(DragEndings, WithoutTheOptionEveryTargetOnTheWayCanRead) {
  std::optional<std::u16string> readWhilePassingOver;
  box().duringDrag = [&] { readWhilePassingOver = box().lastDrag.targetReads(); };
  dragTheMiddle();
  EXPECT_EQ(readWhilePassingOver, u"cd");
  expectCut();
}

TEST_F(DragEndings, ATargetThatReadsNothingAfterTheDropDeliversNothing) {
  kb().GivePasswordOnlyOnDrop(true);
  box().dragEnding.targetReadsOnDrop = false;
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  dragTheMiddle();
  expectKeptWithMessage(u"\"Give Password Only on Drop\"");
}

TEST_F(DragEndings, KeepingThePasswordKeepsItAfterAFailureToo) {
  kb().KeepPasswordAfterDragDrop(true);
  box().dragEnding.effect = 0;
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  dragTheMiddle();
  expectKeptWithMessage(u"Nothing took");
}

TEST_F(DragEndings, InjectionThatTypedEveryCharacterCuts) {
  kb().DragDropMode(kInject);
  dragTheMiddle();
  EXPECT_EQ(received(), u"cd");
  expectCut();
}

TEST_F(DragEndings, InjectionWithNoWindowUnderThePointerKeepsThePassword) {
  kb().DragDropMode(kInject);
  program.system->cursor = {900, 900};
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  dragTheMiddle();
  expectKeptWithMessage(u"no window");
  EXPECT_EQ(std::count(program.system->calls.begin(), program.system->calls.end(), "clickLeft"), 0)
      << "no click where there is no target";
}

TEST_F(DragEndings, InjectionIntoAWindowThatRefusesKeepsThePasswordAndSaysWhy) {
  kb().DragDropMode(kInject);
  program.system->foreignWindows[0].refusesChars = true;
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  dragTheMiddle();
  expectKeptWithMessage(u"administrator");
}

TEST_F(DragEndings, SettingForTheOptionIsReadAndWritten) {
  kb().GivePasswordOnlyOnDrop(true);
  EXPECT_TRUE(program.frm().mnuOptionsGivePasswordOnlyOnDrop->checked());
  EXPECT_NE(program.settingsFileContent().find("Give Password Only on Drop=True"), std::string::npos);
  SimProgram again;
  again.writeSettingsFile(program.settingsFileContent());
  again.start();
  EXPECT_TRUE(again.keyboard().GivePasswordOnlyOnDrop());
  EXPECT_TRUE(again.frm().mnuOptionsGivePasswordOnlyOnDrop->checked());
}

}  // namespace
}  // namespace tessarin::test
