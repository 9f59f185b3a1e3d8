// The keyboard window's menus, sliders, toolbar and About window.
#include <gtest/gtest.h>

#include "sim_program.h"
#include "ui/frm_about.h"

namespace tessarin::test {
namespace {

using platform::MsgBoxResult;

class Commands : public ::testing::Test {
 protected:
  void SetUp() override { program.start(); }
  sim::SimMenuItem& item(platform::MenuItem* menuItem) { return static_cast<sim::SimMenuItem&>(*menuItem); }
  sim::SimSlider& slider(platform::Slider* s) { return static_cast<sim::SimSlider&>(*s); }
  void clickToolbar(std::u16string_view key) { program.toolbar().onButtonClick(key); }
  Keyboard& kb() { return program.keyboard(); }
  FrmKeyboard& f() { return program.frm(); }
  SimProgram program;
};

TEST_F(Commands, TransparencySliderEchoesThroughTheOpacity) {
  for (auto [percent, opacity] : {std::pair{10, 26}, {50, 128}, {99, 252}, {75, 191}}) {
    slider(f().sldTransparency).drag(percent);
    EXPECT_EQ(kb().KeyboardTransparency(), opacity);
    EXPECT_EQ(program.window().opacity(), opacity);
    EXPECT_EQ(f().sldTransparency->value(), percent);
  }
  EXPECT_NE(program.settingsFileContent().find("Transparency=191"), std::string::npos);
}

TEST_F(Commands, SliderMovedToTheCurrentValueWritesNothing) {
  slider(f().sldHoverDelay).drag(1200);
  const std::string before = program.settingsFileContent();
  kb().TimerInterval(1500);
  slider(f().sldHoverDelay).onChange();  // the same value again
  EXPECT_EQ(kb().TimerInterval(), 1500);
  const auto writes = program.system->profileWrites;
  slider(f().sldHoverDelay).onChange();
  EXPECT_EQ(program.system->profileWrites, writes);
  EXPECT_NE(before.find("Hover Timer Interval=1200"), std::string::npos);
}

TEST_F(Commands, ModeMenusCheckOneItemAndPressOneButton) {
  item(f().mnuModeHover).choose();
  EXPECT_TRUE(f().mnuModeHover->checked());
  EXPECT_FALSE(f().mnuModeStandard->checked());
  EXPECT_TRUE(program.toolbar().buttonPressed(u"Hover"));
  EXPECT_FALSE(program.toolbar().buttonPressed(u"Standard"));
  clickToolbar(u"Standard");
  EXPECT_TRUE(f().mnuModeStandard->checked());
  EXPECT_TRUE(program.toolbar().buttonPressed(u"Standard"));
  EXPECT_FALSE(program.toolbar().buttonPressed(u"Hover"));
}

TEST_F(Commands, HoverButtonAppliesTheSlidersDelayEvenWhenAlreadyHovering) {
  slider(f().sldHoverDelay).drag(800);
  kb().InputMode(kModeHover);
  kb().TimerInterval(2000);
  clickToolbar(u"Hover");
  EXPECT_EQ(kb().TimerInterval(), 2000);
  f().sldHoverDelay->setValue(900);
  clickToolbar(u"Hover");
  EXPECT_EQ(kb().TimerInterval(), 900);
}

TEST_F(Commands, HoverMenuEntriesSetModeAndDelay) {
  program.toolbar().onButtonMenuClick(u"One and a Half Second Delay");
  EXPECT_EQ(kb().InputMode(), kModeHover);
  EXPECT_EQ(kb().TimerInterval(), 1500);
  EXPECT_EQ(f().sldHoverDelay->value(), 1500);
  program.toolbar().onButtonMenuClick(u"Something else");
  EXPECT_EQ(kb().TimerInterval(), 1500);
  ASSERT_EQ(program.toolbar().entries()[1].menu.size(), 4u);
}

TEST_F(Commands, InjectButtonTogglesAndTheMenusFollow) {
  clickToolbar(u"Inject");
  EXPECT_EQ(kb().DragDropMode(), kInject);
  EXPECT_TRUE(f().mnuOptionsInjectMode->checked());
  clickToolbar(u"Inject");
  EXPECT_EQ(kb().DragDropMode(), kDragDrop);
  EXPECT_TRUE(f().mnuOptionsDragDrop->checked());
  EXPECT_FALSE(program.toolbar().buttonPressed(u"Inject"));
}

TEST_F(Commands, MaskMenuShortcutAndButtonAgree) {
  EXPECT_TRUE(program.window().pressShortcut({true, 'M'}));
  EXPECT_FALSE(kb().TextIsMasked());
  EXPECT_FALSE(f().mnuViewPasswordMask->checked());
  EXPECT_TRUE(program.toolbar().buttonPressed(u"ToggleMask"));
  clickToolbar(u"ToggleMask");
  EXPECT_TRUE(kb().TextIsMasked());
  EXPECT_FALSE(program.toolbar().buttonPressed(u"ToggleMask"));
}

TEST_F(Commands, BeepAndKeepPasswordToggleTheirOwnChecks) {
  item(f().mnuOptionsBeepOnHover).choose();
  EXPECT_TRUE(kb().BeepOnHover());
  EXPECT_TRUE(program.toolbar().buttonPressed(u"Beep"));
  clickToolbar(u"Beep");
  EXPECT_FALSE(kb().BeepOnHover());
  EXPECT_FALSE(f().mnuOptionsBeepOnHover->checked());
  item(f().mnuOptionsKeepPasswordAfterDragDrop).choose();
  EXPECT_TRUE(kb().KeepPasswordAfterDragDrop());
  EXPECT_TRUE(program.toolbar().buttonPressed(u"KeepPassword"));
  clickToolbar(u"KeepPassword");
  EXPECT_FALSE(kb().KeepPasswordAfterDragDrop());
  EXPECT_FALSE(program.toolbar().buttonPressed(u"KeepPassword"));
}

TEST_F(Commands, ClearAndRefreshButtons) {
  program.typeOnScreen(u"abc");
  clickToolbar(u"Clear");
  EXPECT_TRUE(kb().CurrentPassword().empty());
  program.system->randomDraws = {1.0 - 1e-9, 0, 0};
  const long before = program.window().bounds().width;
  clickToolbar(u"Refresh");
  EXPECT_GT(program.window().bounds().width, before);
  EXPECT_EQ(program.cover().bounds().width, 15 * kb().KeySize());
}

TEST_F(Commands, SavingSwitchAsksThroughTheMenu) {
  program.toolkit.answerNextMessageBox(MsgBoxResult::No);
  item(f().mnuOptionsSaveSettingsInINI).choose();
  EXPECT_FALSE(kb().SaveSettingsInINI());
  EXPECT_FALSE(f().mnuOptionsSaveSettingsInINI->checked());
  item(f().mnuOptionsSaveSettingsInINI).choose();
  EXPECT_TRUE(kb().SaveSettingsInINI());
}

TEST_F(Commands, ToolbarMenuHidesAndShowsTheToolbar) {
  item(f().mnuViewToolbar).choose();
  EXPECT_FALSE(f().mnuViewToolbar->checked());
  EXPECT_FALSE(f().tbToolbar->visible());
  item(f().mnuViewToolbar).choose();
  EXPECT_TRUE(f().tbToolbar->visible());
}

TEST_F(Commands, HelpPagesOpenInTheBrowser) {
  EXPECT_TRUE(program.window().pressShortcut({false, 0x70}));
  EXPECT_EQ(program.system->calls.back(), "shellOpen(https://tessarin.example/)");
  item(f().mnuHelpDonate).choose();
  EXPECT_EQ(program.system->calls.back(), "shellOpen(https://tessarin.example/donate)");
}

TEST_F(Commands, AboutShowsVersionAndDescriptionAndClosesWithOk) {
  bool shown = false;
  program.toolkit.onModalShow = [&](sim::SimForm& about) {
    shown = true;
    EXPECT_EQ(about.caption(), u"About Tessarin");
    EXPECT_FALSE(about.args().showInTaskbar);
    // Centred on the screen when it comes up.
    EXPECT_EQ(about.bounds().left, (19200 - about.bounds().width) / 2);
    EXPECT_EQ(about.bounds().top, (15360 - about.bounds().height) / 2);
    about.unload();
  };
  item(f().mnuHelpAbout).choose();
  EXPECT_TRUE(shown);
  EXPECT_EQ(program.toolkit.loadedForms().size(), 2u);
  const auto text = FrmAbout::DescriptionText();
  EXPECT_EQ(text.find(u"That\u2019s it!") != std::u16string::npos, true);
  EXPECT_EQ(text.rfind(u"Tessarin is a small program that helps", 0), 0u);
}

TEST_F(Commands, AboutIsCentredInTheWorkAreaBesideATaskBar) {
  program.toolkit.simScreen().monitors = {{0, 40, 1280, 1024}};  // a task bar along the top
  platform::Twips shownAt;
  program.toolkit.onModalShow = [&](sim::SimForm& about) {
    shownAt = about.bounds();
    about.unload();
  };
  item(f().mnuHelpAbout).choose();
  EXPECT_EQ(shownAt.left, (19200 - shownAt.width) / 2);
  EXPECT_EQ(shownAt.top, 40 * 15 + (984 * 15 - shownAt.height) / 2);
}

TEST_F(Commands, AboutStaysWhereTheUserMovedItWhenActivatedAgain) {
  platform::Twips afterComingBack;
  program.toolkit.onModalShow = [&](sim::SimForm& about) {
    auto moved = about.bounds();
    moved.left = 600;
    moved.top = 900;
    about.setBounds(moved);
    about.onActivate();  // the user comes back to it from another window
    afterComingBack = about.bounds();
    about.unload();
  };
  item(f().mnuHelpAbout).choose();
  EXPECT_EQ(afterComingBack.left, 600);
  EXPECT_EQ(afterComingBack.top, 900);
}

TEST_F(Commands, AboutFailureIsReportedAndTheProgramGoesOn) {
  std::u16string report;
  program.toolkit.onModalShow = [&](sim::SimForm& form) {
    if (form.caption() == u"About Tessarin") throw RuntimeError(5, u"Invalid procedure call or argument");
    report = form.caption();
    form.unload();
  };
  item(f().mnuHelpAbout).choose();
  EXPECT_EQ(report, u"Unexpected System Error");
  EXPECT_TRUE(program.window().visible());
}

}  // namespace
}  // namespace tessarin::test
