// Properties of the keyboard engine and what each setter changes in the windows.
#include <gtest/gtest.h>

#include <fstream>

#include "app/mod_main.h"
#include "sim_program.h"

namespace tessarin::test {
namespace {

using platform::MsgBoxResult;

class KeyboardState : public ::testing::Test {
 protected:
  void SetUp() override { program.start(); }
  Keyboard& kb() { return program.keyboard(); }
  FrmKeyboard& f() { return program.frm(); }
  SimProgram program;
};

TEST_F(KeyboardState, MaskOnTakesThePlainTextUpToItsFirstLineBreakWithTabsAsLineBreaks) {
  kb().TextIsMasked(false);
  program.txtText().setText(u"ab\tc\r\nrs");
  kb().TextIsMasked(true);
  EXPECT_EQ(kb().CurrentPassword(), u"ab\r\nc");
  EXPECT_EQ(program.txtPassword().text(), u"*****");
  EXPECT_EQ(program.txtText().text(), u"") << "the hidden plain box keeps no copy";
  EXPECT_TRUE(f().mnuViewPasswordMask->checked());
  EXPECT_TRUE(f().mnuModeHiddenMouseAndHover->enabled());
}

TEST_F(KeyboardState, MaskSwitchesKeepTheSelectionAndMoveTheFocus) {
  for (char16_t ch : std::u16string_view(u"abcdef")) program.clickKey(std::u16string(1, ch));
  program.txtPassword().setSelStart(1);
  program.txtPassword().setSelLength(3);
  kb().TextIsMasked(false);
  EXPECT_EQ(program.txtText().text(), u"abcdef");
  EXPECT_EQ(program.txtText().selStart(), 1);
  EXPECT_EQ(program.txtText().selLength(), 3);
  EXPECT_TRUE(program.txtText().hasFocus());
  EXPECT_EQ(program.txtPassword().passwordChar(), 0);
  EXPECT_TRUE(program.toolbar().buttonPressed(u"ToggleMask"));
  program.txtText().setSelStart(2);
  program.txtText().setSelLength(2);
  kb().TextIsMasked(true);
  EXPECT_EQ(program.txtPassword().selStart(), 2);
  EXPECT_EQ(program.txtPassword().selLength(), 2);
  EXPECT_TRUE(program.txtPassword().hasFocus());
  EXPECT_FALSE(program.toolbar().buttonPressed(u"ToggleMask"));
}

TEST_F(KeyboardState, ShiftSetToItsCurrentValueRewritesNoCaption) {
  f().Command(31).setCaption(u"marker");
  kb().ShiftIsDown(false);
  EXPECT_EQ(f().Command(31).caption(), u"marker");
  kb().ShiftIsDown(true);
  EXPECT_EQ(f().Command(31).caption(), u"A");
}

TEST_F(KeyboardState, HiddenMouseCancelledChangesNothing) {
  program.toolkit.answerNextMessageBox(MsgBoxResult::Cancel);
  kb().InputMode(kModeHideMouse);
  ASSERT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);
  EXPECT_EQ(program.toolkit.shownMessageBoxes[0].title, u"Hide mouse - turn it into grey dot?");
  EXPECT_EQ(kb().InputMode(), kModeStandard);
  EXPECT_TRUE(f().mnuModeStandard->checked());
  EXPECT_FALSE(f().mnuModeHiddenMouseAndHover->checked());
  EXPECT_FALSE(f().sldHoverDelay->visible());
  EXPECT_FALSE(kb().MouseHidden());
  EXPECT_FALSE(program.cover().clickThrough());
  EXPECT_FALSE(program.settingsFileExists());
}

TEST_F(KeyboardState, HiddenMouseAcceptedShowsTheDotOnBothWindowsUntilAnotherMode) {
  bool clickThroughWhileAsking = false;
  program.toolkit.whileMessageBoxShown = [&](const sim::ShownMessageBox&) {
    clickThroughWhileAsking = program.cover().clickThrough();
  };
  program.toolkit.answerNextMessageBox(MsgBoxResult::Ok);
  kb().InputMode(kModeHideMouse);
  // The cover lets clicks through to the question only while it is shown.
  EXPECT_TRUE(clickThroughWhileAsking);
  EXPECT_FALSE(program.cover().clickThrough());
  EXPECT_EQ(kb().InputMode(), kModeHideMouse);
  EXPECT_TRUE(kb().TimerEnabled());
  EXPECT_TRUE(kb().MouseHidden());
  EXPECT_EQ(program.window().mousePointer(), platform::MousePointer::GreyDot);
  EXPECT_EQ(program.cover().mousePointer(), platform::MousePointer::GreyDot);
  EXPECT_TRUE(program.toolbar().buttonPressed(u"HideMouse"));
  EXPECT_NE(program.settingsFileContent().find("MouseMode=Hover Entry and Hide Mouse"), std::string::npos);

  // Chosen again: no question.
  kb().InputMode(kModeHideMouse);
  EXPECT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);

  kb().InputMode(kModeHover);
  EXPECT_FALSE(kb().MouseHidden());
  EXPECT_TRUE(kb().TimerEnabled());
  EXPECT_EQ(program.window().mousePointer(), platform::MousePointer::Default);
  EXPECT_EQ(program.cover().mousePointer(), platform::MousePointer::Default);
  EXPECT_TRUE(program.toolbar().buttonPressed(u"Hover"));
  EXPECT_FALSE(program.toolbar().buttonPressed(u"HideMouse"));
}

TEST(KeyboardStartup, StoredHiddenMouseModeAppliesTheDotWithoutAsking) {
  SimProgram program;
  program.writeSettingsFile("[Settings]\nMouseMode=Hover Entry and Hide Mouse\n");
  program.start();
  EXPECT_EQ(program.keyboard().InputMode(), kModeHideMouse);
  EXPECT_TRUE(program.keyboard().MouseHidden());
  EXPECT_TRUE(program.toolkit.shownMessageBoxes.empty());
}

TEST_F(KeyboardState, StandardChosenAgainHidesTheHoverControlsAndRewritesTheSetting) {
  kb().InputMode(kModeStandard);
  EXPECT_FALSE(f().sldHoverDelay->visible());
  EXPECT_FALSE(f().lblHoverDelay->visible());
  EXPECT_NE(program.settingsFileContent().find("MouseMode=Standard Mode"), std::string::npos);
  kb().InputMode(kModeHover);
  EXPECT_TRUE(f().sldHoverDelay->visible());
  EXPECT_TRUE(kb().TimerEnabled());
  kb().InputMode(kModeStandard);
  EXPECT_FALSE(kb().TimerEnabled());
  EXPECT_TRUE(program.toolbar().buttonPressed(u"Standard"));
}

TEST_F(KeyboardState, OtherInputModeValuesOnlyRefreshTheToolbar) {
  const int before = program.toolbar().refreshes;
  kb().InputMode(7);
  EXPECT_EQ(kb().InputMode(), kModeStandard);
  EXPECT_EQ(program.toolbar().refreshes, before + 1);
}

TEST_F(KeyboardState, TransparencyMovesTheSliderToItsPercentage) {
  kb().KeyboardTransparency(128);
  EXPECT_EQ(f().sldTransparency->value(), 50);
  EXPECT_EQ(program.window().opacity(), 128);
  kb().KeyboardTransparency(252);
  EXPECT_EQ(f().sldTransparency->value(), 99);
  // Outside the slider's range the slider shows the nearest end; the property keeps the value.
  kb().KeyboardTransparency(5);
  EXPECT_EQ(f().sldTransparency->value(), 10);
  EXPECT_EQ(kb().KeyboardTransparency(), 5);
}

TEST_F(KeyboardState, TransparencyOutOfRangeIsReportedAndLeavesTheOpacity) {
  program.toolkit.answerNextMessageBox(MsgBoxResult::Ok);
  SetFormTransparency(*program.platform, program.window(), 300);
  ASSERT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);
  EXPECT_EQ(program.toolkit.shownMessageBoxes[0].text, u"Overflow Source : Tessarin");
  EXPECT_EQ(program.window().opacity(), 252);
  EXPECT_TRUE(program.window().layered());
}

TEST_F(KeyboardState, DeliveryModeFollowsInMenuAndToolbar) {
  kb().DragDropMode(kInject);
  EXPECT_TRUE(f().mnuOptionsInjectMode->checked());
  EXPECT_FALSE(f().mnuOptionsDragDrop->checked());
  EXPECT_TRUE(program.toolbar().buttonPressed(u"Inject"));
  kb().DragDropMode(kDragDrop);
  EXPECT_FALSE(f().mnuOptionsInjectMode->checked());
  EXPECT_TRUE(f().mnuOptionsDragDrop->checked());
  EXPECT_FALSE(program.toolbar().buttonPressed(u"Inject"));
  EXPECT_NE(program.settingsFileContent().find("Drag Drop Mode=Drag Drop"), std::string::npos);
}

TEST_F(KeyboardState, BeepAndKeepPasswordFollowInToolbarAndMenu) {
  kb().BeepOnHover(true);
  EXPECT_TRUE(program.toolbar().buttonPressed(u"Beep"));
  kb().KeepPasswordAfterDragDrop(true);
  EXPECT_TRUE(f().mnuOptionsKeepPasswordAfterDragDrop->checked());
  kb().RefreshToolbar();
  EXPECT_TRUE(program.toolbar().buttonPressed(u"KeepPassword"));
  EXPECT_NE(program.settingsFileContent().find("Beep on Hover=True"), std::string::npos);
}

TEST_F(KeyboardState, HoverDelayMovesTheSliderAndTheCoverTimer) {
  kb().TimerInterval(1200);
  EXPECT_EQ(f().sldHoverDelay->value(), 1200);
  EXPECT_EQ(kb().FormCover().Timer1->interval(), 1200);
}

TEST_F(KeyboardState, ClosingTheWindowUnloadsEverythingAndRestoresThePointer) {
  EXPECT_EQ(program.toolkit.loadedForms().front(), &program.frm().form());
  EXPECT_EQ(program.toolkit.loadedForms().size(), 2u);
  program.window().close();
  EXPECT_TRUE(program.toolkit.loadedForms().empty());
  EXPECT_TRUE(program.toolkit.quitRequested());
  EXPECT_FALSE(program.window().subclassed());
  EXPECT_FALSE(program.cover().subclassed());
  EXPECT_EQ(program.system->calls.back(), "showCursor(TRUE)");
  program.app.reset();
  EXPECT_EQ(Application::current(), nullptr);
}

TEST_F(KeyboardState, ExitMenuAndCtrlQCloseLikeTheTitleBar) {
  EXPECT_TRUE(program.window().pressShortcut({true, 'Q'}));
  EXPECT_TRUE(program.toolkit.loadedForms().empty());
}

TEST(ModMain, BeepPlaysTheWaveFileWhenPresentElseTheSystemBeep) {
  SimProgram program;
  PlayBeep(*program.system);
  EXPECT_EQ(program.system->calls.back(), "beep");
  std::ofstream(program.directory / "beep.wav") << "RIFF";
  PlayBeep(*program.system);
  EXPECT_EQ(program.system->calls.back(), "playSoundSync(" + (program.directory / "beep.wav").string() + ")");
}

TEST(ModMain, ClickThroughOnlyForMinusOne) {
  SimProgram program;
  program.start();
  SetClickThrough(program.cover(), -1);
  EXPECT_TRUE(program.cover().clickThrough());
  SetClickThrough(program.cover(), 1);
  EXPECT_FALSE(program.cover().clickThrough());
}

}  // namespace
}  // namespace tessarin::test
