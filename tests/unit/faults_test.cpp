// Faults from outside the program: files that change or cannot be written, a small screen,
// targets that vanish, and two copies of the program sharing one settings file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "sim_program.h"

namespace tessarin::test {
namespace {

TEST(Faults, ProgramDirectoryRemovedWhileRunningIsToldOnceAndTheProgramGoesOn) {
  SimProgram program;
  program.start();
  std::filesystem::remove_all(program.directory);
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  program.keyboard().TimerInterval(700);
  program.keyboard().DragDropMode(kInject);
  EXPECT_EQ(program.keyboard().TimerInterval(), 700);
  EXPECT_EQ(program.keyboard().DragDropMode(), kInject);
  ASSERT_EQ(program.toolkit.shownMessageBoxes.size(), 1u);
  EXPECT_NE(program.toolkit.shownMessageBoxes[0].text.find(u"No such file or directory"), std::u16string::npos);
  EXPECT_FALSE(program.settingsFileExists());
}

TEST(Faults, SettingsFileDeletedWhileRunningIsCreatedAgainByTheNextChange) {
  SimProgram program;
  program.writeSettingsFile("[Settings]\r\nTransparency=200\r\n");
  program.start();
  std::filesystem::remove(program.directory / "tsnconfig.ini");
  program.keyboard().TimerInterval(900);
  EXPECT_EQ(program.settingsFileContent(), "[Settings]\r\nHover Timer Interval=900\r\n");
}

TEST(Faults, SettingsFileReplacedWhileRunningKeepsWhatTheNewFileHas) {
  SimProgram program;
  program.start();
  program.writeSettingsFile("\x01\x02 garbage\r\n[Mine]\r\nA=1\r\n");
  program.keyboard().BeepOnHover(true);
  const std::string content = program.settingsFileContent();
  EXPECT_EQ(content.rfind("\x01\x02 garbage\r\n[Mine]\r\nA=1\r\n", 0), 0u);
  EXPECT_NE(content.find("[Settings]\r\nBeep on Hover=True\r\n"), std::string::npos);
}

TEST(Faults, TwoCopiesWritingOneSettingsFileKeepBothValues) {
  SimProgram first;
  first.start();
  SimProgram second;
  second.directory = first.directory;  // the same program directory
  second.useSystem(std::make_unique<sim::SimSystem>(first.system->programDirectory()));
  // Both run at once; only one application object can be current at a time, as in two processes.
  first.keyboard().TimerInterval(1100);
  auto firstApp = std::move(first.app);
  second.start();
  second.keyboard().KeyboardTransparency(77);
  second.stop();
  first.app = std::move(firstApp);
  const std::string content = first.settingsFileContent();
  EXPECT_NE(content.find("Hover Timer Interval=1100"), std::string::npos);
  EXPECT_NE(content.find("Transparency=77"), std::string::npos);
  EXPECT_EQ(content.find("[Settings]"), content.rfind("[Settings]")) << "still one section";
}

TEST(Faults, ScreenSmallerThanTheWindowPlacesItWithoutErrors) {
  SimProgram program;
  program.toolkit.simScreen().set(4000, 3000, 15);
  program.system->randomDraws = {0.5, 1.0 - 1e-9, 1.0 - 1e-9};
  program.start();
  const auto b = program.window().bounds();
  EXPECT_GE(b.width, 5200);
  EXPECT_EQ(b.left, 0) << "what fits of the window stays on the screen";
  EXPECT_EQ(b.top, 0);
  EXPECT_TRUE(program.window().visible());
  EXPECT_EQ(program.cover().bounds().width, 15 * program.keyboard().KeySize());
}

TEST(Faults, TargetThatRefusesCharactersKeepsThePasswordAndLeavesNoState) {
  SimProgram program;
  program.start();
  program.system->foreignWindows.push_back({0x7002, {0, 0, 100, 100}, {}, true});
  program.system->cursor = {50, 50};
  program.keyboard().DragDropMode(kInject);
  program.typeOnScreen(u"abc");
  program.toolkit.answerNextMessageBox(platform::MsgBoxResult::Ok);
  auto& box = program.txtPassword();
  box.onDblClick();
  box.onMouseDown({platform::kLeftButton, 0, 0, 0});
  box.onMouseMove({platform::kLeftButton, 0, 5, 0});
  EXPECT_TRUE(program.system->foreignWindows[0].received.empty());
  EXPECT_TRUE(program.keyboard().SelectedPassword().empty());
  EXPECT_EQ(program.keyboard().CurrentPassword(), u"abc");
  EXPECT_EQ(program.toolkit.loadedForms().size(), 2u);
}

}  // namespace
}  // namespace tessarin::test
