// Reading the settings file at start-up and writing settings as they change.
#include <gtest/gtest.h>

#include <filesystem>

#include "settings/settings_file.h"
#include "sim_program.h"

namespace tessarin::test {
namespace {

using platform::MsgBoxResult;

TEST(Settings, NoFileGivesEveryDefault) {
  SimProgram program;
  program.start();
  auto& kb = program.keyboard();
  auto& f = program.frm();
  EXPECT_TRUE(kb.SaveSettingsInINI());
  EXPECT_TRUE(f.mnuViewToolbar->checked());
  EXPECT_TRUE(f.tbToolbar->visible());
  EXPECT_TRUE(f.mnuKeyboardLayoutEnglish->checked());
  EXPECT_EQ(f.Command(2).caption(), u"1");
  EXPECT_EQ(kb.InputMode(), kModeStandard);
  EXPECT_EQ(kb.DragDropMode(), kDragDrop);
  EXPECT_TRUE(kb.TextIsMasked());
  EXPECT_FALSE(kb.BeepOnHover());
  EXPECT_FALSE(kb.KeepPasswordAfterDragDrop());
  EXPECT_EQ(kb.KeyboardTransparency(), 252);
  EXPECT_EQ(program.window().opacity(), 252);
  EXPECT_EQ(kb.TimerInterval(), 2000);
  EXPECT_EQ(kb.ActionKeyText(), (ActionKeyTexts{u"bksp", u"tab", u"cap", u"ent", u"shft"}));
  EXPECT_FALSE(program.settingsFileExists());
  // Nothing is written when the program closes either.
  program.stop();
  EXPECT_FALSE(program.settingsFileExists());
}

TEST(Settings, StoredValuesAreAppliedWithoutBeingWrittenBack) {
  SimProgram program;
  const std::string content =
      "[Settings]\r\nSave Settings in INI=True\r\nView Toolbar=False\r\nMouseMode=Hover Entry Mode\r\n"
      "Drag Drop Mode=Inject\r\nView Password Mask=False\r\nBeep on Hover=True\r\n"
      "Keep Password after Drag Drop=True\r\nTransparency=128\r\nHover Timer Interval=750\r\n";
  program.writeSettingsFile(content);
  program.start();
  auto& kb = program.keyboard();
  auto& f = program.frm();
  EXPECT_FALSE(f.mnuViewToolbar->checked());
  EXPECT_FALSE(f.tbToolbar->visible());
  EXPECT_EQ(kb.InputMode(), kModeHover);
  EXPECT_TRUE(kb.TimerEnabled());
  EXPECT_TRUE(f.sldHoverDelay->visible());
  EXPECT_EQ(kb.DragDropMode(), kInject);
  EXPECT_TRUE(f.mnuOptionsInjectMode->checked());
  EXPECT_TRUE(program.toolbar().buttonPressed(u"Inject"));
  EXPECT_FALSE(kb.TextIsMasked());
  EXPECT_TRUE(program.txtText().visible());
  EXPECT_FALSE(program.txtPassword().visible());
  EXPECT_TRUE(kb.BeepOnHover());
  EXPECT_TRUE(kb.KeepPasswordAfterDragDrop());
  EXPECT_EQ(program.window().opacity(), 128);
  EXPECT_EQ(f.sldTransparency->value(), 50);
  EXPECT_EQ(kb.TimerInterval(), 750);
  EXPECT_EQ(program.keyboard().FormCover().Timer1->interval(), 750);
  EXPECT_EQ(program.settingsFileContent(), content);
}

struct NumericCase {
  const char* transparency;
  const char* hoverInterval;
  std::optional<int> opacity;  // none: the window is left opaque
  long interval;
};

class NumericSettings : public ::testing::TestWithParam<NumericCase> {};

TEST_P(NumericSettings, FollowTheValueRules) {
  const auto& c = GetParam();
  SimProgram program;
  program.writeSettingsFile(std::string("[Settings]\nTransparency=") + c.transparency +
                            "\nHover Timer Interval=" + c.hoverInterval + "\n");
  program.start();
  if (c.opacity) {
    EXPECT_EQ(program.window().opacity(), *c.opacity);
  } else {
    EXPECT_FALSE(program.window().layered());
  }
  EXPECT_EQ(program.keyboard().TimerInterval(), c.interval);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumericSettings,
    ::testing::Values(NumericCase{"abc", "0", 252, 2000}, NumericCase{"300", "-5", std::nullopt, 2000},
                      NumericCase{"-1", "750", std::nullopt, 750}, NumericCase{" 128 ", "1", 128, 1},
                      NumericCase{"127.5", "999.5", 128, 1000}, NumericCase{"0", "", 0, 2000},
                      NumericCase{"99999999999", "99999999999", 252, 2000},
                      NumericCase{"255", "40000", 255, 40000}));

TEST(Settings, ModeWordsCompareExactly) {
  SimProgram program;
  program.writeSettingsFile("[SETTINGS]\nmousemode=hover entry mode\nDrag Drop Mode=inject\n"
                            "View Password Mask=false\nBeep on Hover=TRUE\n");
  program.start();
  EXPECT_EQ(program.keyboard().InputMode(), kModeStandard);
  EXPECT_EQ(program.keyboard().DragDropMode(), kDragDrop);
  EXPECT_TRUE(program.frm().mnuOptionsDragDrop->checked()) << "the menu shows the mode in effect";
  EXPECT_FALSE(program.frm().mnuOptionsInjectMode->checked());
  EXPECT_TRUE(program.keyboard().TextIsMasked());
  EXPECT_FALSE(program.keyboard().BeepOnHover());
}

TEST(Settings, ActionKeyTextsKeepSpacesUnlessBlank) {
  SimProgram program;
  program.writeSettingsFile("[Action Keyboard Button Text]\nBackspace=\"   \"\nTab=\" del \"\nEnter=Return\n");
  program.start();
  auto& texts = program.keyboard().ActionKeyText();
  EXPECT_EQ(texts[0], u"bksp");
  EXPECT_EQ(texts[1], u" del ");
  EXPECT_EQ(texts[3], u"Return");
  EXPECT_EQ(program.frm().Command(kTab).caption(), u"del");
  EXPECT_EQ(program.frm().Command(kEnter).caption(), u"Return");
}

TEST(Settings, ToolbarVisibleOverridesTheControlButNotTheMenu) {
  SimProgram program;
  program.writeSettingsFile("[Settings]\nToolbar Visible=False\n");
  program.start();
  EXPECT_FALSE(program.frm().tbToolbar->visible());
  EXPECT_TRUE(program.frm().mnuViewToolbar->checked());
}

TEST(Settings, ChangesAreWrittenOnceTheWindowIsVisible) {
  SimProgram program;
  program.start();
  program.keyboard().TimerInterval(1500);
  program.keyboard().DragDropMode(kInject);
  program.keyboard().TextIsMasked(false);
  const std::string content = program.settingsFileContent();
  EXPECT_NE(content.find("[Settings]\r\nHover Timer Interval=1500\r\nDrag Drop Mode=Inject\r\n"
                         "View Password Mask=False\r\n"),
            std::string::npos)
      << content;
}

TEST(Settings, SwitchingSavingOffAnsweredYesWritesFalseOnceThenNothing) {
  SimProgram program;
  program.start();
  program.toolkit.answerNextMessageBox(MsgBoxResult::Yes);
  program.keyboard().SaveSettingsInINI(false);
  ASSERT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);
  EXPECT_EQ(program.toolkit.shownMessageBoxes[0].title, u"Save the change?");
  EXPECT_FALSE(program.keyboard().SaveSettingsInINI());
  EXPECT_FALSE(program.frm().mnuOptionsSaveSettingsInINI->checked());
  program.keyboard().TimerInterval(1000);
  EXPECT_EQ(program.settingsFileContent(), "[Settings]\r\nSave Settings in INI=False\r\n");
}

TEST(Settings, SwitchingSavingOffAnsweredNoWritesNothingThisRun) {
  SimProgram program;
  program.writeSettingsFile("[Settings]\r\nSave Settings in INI=True\r\n");
  program.start();
  program.toolkit.answerNextMessageBox(MsgBoxResult::No);
  program.keyboard().SaveSettingsInINI(false);
  EXPECT_FALSE(program.frm().mnuOptionsSaveSettingsInINI->checked());
  program.keyboard().TimerInterval(1000);
  program.keyboard().KeyboardTransparency(100);
  EXPECT_EQ(program.keyboard().TimerInterval(), 1000);
  EXPECT_EQ(program.frm().sldHoverDelay->value(), 1000);
  EXPECT_EQ(program.settingsFileContent(), "[Settings]\r\nSave Settings in INI=True\r\n");
  // Switching it back on writes at once.
  program.keyboard().SaveSettingsInINI(true);
  EXPECT_EQ(program.settingsFileContent(), "[Settings]\r\nSave Settings in INI=True\r\n");
  program.keyboard().TimerInterval(1250);
  EXPECT_NE(program.settingsFileContent().find("Hover Timer Interval=1250"), std::string::npos);
}

TEST(Settings, StartsWithSavingOffWhenStoredFalse) {
  SimProgram program;
  program.writeSettingsFile("[Settings]\nSave Settings in INI=False\n");
  program.start();
  EXPECT_FALSE(program.keyboard().SaveSettingsInINI());
  program.keyboard().DragDropMode(kInject);
  EXPECT_EQ(program.settingsFileContent(), "[Settings]\nSave Settings in INI=False\n");
}

TEST(Settings, DamagedFilesStartWithTheDefaults) {
  const std::string longLine(20000, 'x');
  const std::string binary("\x00\xff\xfe[\x01]\n=\x80\x81\n\x00=\x00", 14);
  for (const std::string& content :
       {std::string(), binary, "[Settings]\nTransparency=" + longLine + "\n" + longLine + "\n",
        std::string("[Settings]\nTransparency=100\nTransparency=200\n[Settings]\nTransparency=50\n"),
        std::string("Transparency=100\n[Settings\nMouseMode=Hover Entry Mode")}) {
    SimProgram program;
    program.writeSettingsFile(content);
    program.start();
    EXPECT_TRUE(program.window().visible());
    const auto opacity = program.window().opacity();
    EXPECT_TRUE(opacity == 252 || opacity == 100) << int(opacity.value_or(-1));
  }
}

// A settings file that cannot be written (here a folder stands in its place) is said once, at
// the first change, with the file and the system's reason; the changes still apply.
TEST(Settings, UnwritableFileIsToldOnceAtTheFirstChangeAndTheChangesStillApply) {
  SimProgram program;
  std::filesystem::create_directory(program.directory / "tsnconfig.ini");
  program.start();
  EXPECT_TRUE(program.toolkit.shownMessageBoxes.empty()) << "nothing changed at start-up";

  program.toolkit.answerNextMessageBox(MsgBoxResult::Ok);
  program.keyboard().TimerInterval(900);
  ASSERT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);
  const auto& told = program.toolkit.shownMessageBoxes[0];
  EXPECT_EQ(told.title, u"Settings Not Saved");
  EXPECT_EQ(told.style, platform::kOkOnly | platform::kIconExclamation);
  for (const std::u16string& says : {program.keyboard().SettingsFilePath(), std::u16string(u"Is a directory"),
                                     std::u16string(u"applies until Tessarin closes"),
                                     std::u16string(u"move Tessarin to a folder of your own"),
                                     std::u16string(u"install it with its installer")}) {
    EXPECT_NE(told.text.find(says), std::u16string::npos) << std::string(says.begin(), says.end());
  }
  EXPECT_EQ(program.keyboard().TimerInterval(), 900);

  // Never again in this run, whatever is changed.
  program.keyboard().BeepOnHover(true);
  program.keyboard().TimerInterval(1200);
  program.keyboard().SaveLayoutToSettings();
  EXPECT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);
  EXPECT_TRUE(program.keyboard().BeepOnHover());
}


TEST(SettingsNumbers, LenientTestAcceptsSpacesSignsAndFractions) {
  EXPECT_EQ(ParseLenientInteger(u" 42 "), 42);
  EXPECT_EQ(ParseLenientInteger(u"-5"), -5);
  EXPECT_EQ(ParseLenientInteger(u"+7"), 7);
  EXPECT_EQ(ParseLenientInteger(u"2.5"), 2);
  EXPECT_EQ(ParseLenientInteger(u"3.5"), 4);
  EXPECT_EQ(ParseLenientInteger(u".5"), 0);
  EXPECT_FALSE(ParseLenientInteger(u""));
  EXPECT_FALSE(ParseLenientInteger(u"  "));
  EXPECT_FALSE(ParseLenientInteger(u"12a"));
  EXPECT_FALSE(ParseLenientInteger(u"1 2"));
  EXPECT_FALSE(ParseLenientInteger(u"-"));
}

}  // namespace
}  // namespace tessarin::test
